#pragma once

#include <atomic>
#include <cstdio>
#include <string_view>

namespace pelvorn {

// Clears the process's stop flag, and from now on Ctrl+C, SIGTERM and
// SIGHUP (on Windows every console control event) set it instead of ending
// the program. Returns the flag.
const std::atomic<bool>& CatchStopRequests();

enum class WriteOutcome { Written, Stopped, Failed };

// Writes `text` to `stream` and flushes it. While the stream cannot take
// it (a full pipe behind a paused pager), waits until it can or a stop is
// requested; once one is, gives up at once (Stopped) instead of waiting.
WriteOutcome WriteUnlessStopped(std::FILE* stream, std::string_view text);

}  // namespace pelvorn
