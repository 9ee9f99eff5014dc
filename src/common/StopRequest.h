#pragma once

#include <atomic>

namespace pelvorn {

// Clears the process's stop flag, and from now on Ctrl+C and SIGTERM (on
// Windows every console control event) set it instead of ending the
// program. Returns the flag.
const std::atomic<bool>& CatchStopRequests();

}  // namespace pelvorn
