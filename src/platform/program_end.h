// Ending the program at once: no close handler runs, nothing is saved, the port is not
// released. Tests replace the way out so that they can watch it happen.
#pragma once

#include <functional>

namespace platform {

// Ends the program with the given exit status; never returns.
[[noreturn]] void endProgram(int status = 0);

// Replaces how the program ends; a test handler throws to unwind back into the test.
// An empty handler restores the real one.
void setProgramEndHandler(std::function<void(int status)> handler);

} // namespace platform
