#pragma once

#include "result.h"

#include <functional>

namespace velmora {

class Desktop;

// Runs one command of the window. The failure it returns, or one it did not
// foresee (an exception, memory exhausted), ends it and is shown in an error
// box with the failure's own text; the program goes on. No exception crosses
// into the event loop.
void RunCommand(Desktop& desktop, const std::function<Status()>& command);

} // namespace velmora
