#pragma once

#include <QString>

namespace velmora {

// The reason the system gave for a failed file operation (an errno value), in
// Chinese for the reasons a user meets: the system's own text is in the
// language of the system's locale, which need not be the user's.
QString SystemReasonText(int errorCode);

} // namespace velmora
