#pragma once

#include "hyetograph.h"
#include "storm_comparison.h"

namespace velmora::testing {

// `storm` computed with `options` and kept for comparison, as the session's
// 加入对比 keeps its current storm.
inline TComparedStorm CompareStorm(TExpressionObject storm, const TOptions& options) {
    const Result<THyetograph> computed = CalcHyetograph(storm, options);
    StoreResults(storm, computed);
    return TComparedStorm{storm, options.Int_StormUnitidx, computed->rows,
                          options.Bool_IntervalAverage};
}

} // namespace velmora::testing
