#pragma once

#include "result.h"

#include <QByteArray>

namespace velmora {
class StormSession;
}

namespace velmora::cli {

// The chart of `session` as the window draws it, at the report's 553 × 400
// pixels, as PNG: the window is built offscreen on the session and never shown.
Result<QByteArray> DrawReportChart(StormSession& session);

} // namespace velmora::cli
