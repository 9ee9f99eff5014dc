#pragma once

namespace pelvorn {

// Opens /dev/null on each of the standard streams (descriptors 0, 1 and 2)
// that is closed, so that no file or connection the program opens later
// takes its number: a result line written to "standard output" would
// otherwise land in the X11 connection. Where /dev/null cannot be opened,
// the root directory takes the place (reads and writes on it fail). Call
// first thing in main, before anything opens a descriptor.
void OpenClosedStandardStreams();

// Puts /dev/null on standard input, output and error, so that nobody who
// waits for the end of this process's output waits for it; where /dev/null
// cannot be opened, the three are closed. For a helper that outlives its
// caller.
void ReleaseStandardStreams();

}  // namespace pelvorn
