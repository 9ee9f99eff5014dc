#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace pelvorn {

// Starts `program` with `arguments` (those after its name) in a session of
// its own, so that no terminal hangup or job control signal of ours reaches
// it, with every signal unblocked and at its default action. Its standard
// input and output are `input` and `output` (-1: /dev/null), its standard
// error is /dev/null, and no other descriptor of ours is open in it.
// `input` and `output` must lie above the standard streams. Returns its
// process id, or -1 when it could not be started.
pid_t SpawnDetached(const std::string& program, const std::vector<std::string>& arguments, int input = -1,
                    int output = -1);

// Kills the process `pid` started by SpawnDetached, with whatever it started
// in its session, and reaps it.
void EndDetached(pid_t pid);

}  // namespace pelvorn
