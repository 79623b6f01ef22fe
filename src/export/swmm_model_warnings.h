#pragma once

#include "swmm_model_storm.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace velmora {

// What would spoil a model run without an error from SWMM, for the storm
// written as `seriesName`: a step above one minute whose rows are the
// intensities of their minutes rather than the means of their steps (SWMM
// holds each for the whole step, so the model gets another depth than H: how
// much, in mm), and a simulation of `simulationMinutes` that ends before the
// storm does (how much of it the run holds). Empty when all is well.
QStringList SwmmStormWarnings(const TSwmmStorm& storm, const QString& seriesName,
                              std::optional<double> simulationMinutes);

} // namespace velmora
