#pragma once

#include "result.h"
#include "swmm_model_edit.h"
#include "swmm_model_storm.h"

#include <QString>

#include <vector>

namespace velmora {

// The largest model the editor reads; a larger file is refused unread.
inline constexpr qint64 MaxSwmmModelBytes = 200LL * 1024 * 1024;

// Writes `storms` into the SWMM input file at `path` (EditSwmmModel) and puts
// it in place atomically: on any failure the file is left byte for byte as it
// was. A pipe, device or folder is refused without waiting for it, a file of
// more than MaxSwmmModelBytes without reading it, a read-only one before
// anything is written; a model that another program keeps from being
// replaced fails as FailureKind::TargetInUse. The window and velmora-cli
// both write models through this.
Result<TSwmmModelReport> WriteStormsIntoSwmmModel(const QString& path,
                                                  const std::vector<TSwmmStorm>& storms,
                                                  const TSwmmModelChoices& choices);

} // namespace velmora
