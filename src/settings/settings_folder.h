#pragma once

#include <QString>

namespace velmora {

// The per-user folder that holds "Kestrova/Quorvel/": the configuration
// folder on Linux, the roaming application-data folder on Windows.
QString DefaultSettingsBase();

// `base` followed by "Kestrova/Quorvel/" (one separator between them whether
// or not `base` ends with one), created with every missing parent. Empty when
// the folder cannot be made: the options then keep their defaults and cannot
// be saved.
QString EnsureSettingsFolder(const QString& base);

// The options file in the settings folder under `base`, the folder made when
// missing; empty when it cannot be made.
QString OptionsFileIn(const QString& base);

} // namespace velmora
