#include "ClipboardHandover.h"

#include "common/Texts.h"
#include "keeper/KeeperProtocol.h"
#include "platform/linux/DetachedSpawn.h"
#include "platform/linux/OwnProgram.h"
#include "platform/posix/FileDescriptor.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <array>
#include <cerrno>

namespace pelvorn {
namespace {

using Clock = std::chrono::steady_clock;

// Returns `fd` moved above the standard streams (close-on-exec), so that
// placing one pipe end on 0, 1 or 2 in the child cannot overwrite another
// when the caller runs with a standard stream closed.
int AboveStandardStreams(int fd) {
  if (fd > STDERR_FILENO) return fd;
  const int moved = fcntl(fd, F_DUPFD_CLOEXEC, STDERR_FILENO + 1);
  close(fd);
  return moved;
}

struct Pipe {
  FileDescriptor readEnd;
  FileDescriptor writeEnd;
};

bool OpenPipe(Pipe& pipe) {
  std::array<int, 2> ends{};
  if (pipe2(ends.data(), O_CLOEXEC) != 0) return false;
  pipe.readEnd.reset(AboveStandardStreams(ends[0]));
  pipe.writeEnd.reset(AboveStandardStreams(ends[1]));
  return pipe.readEnd.get() >= 0 && pipe.writeEnd.get() >= 0;
}

// Puts all of `line` into the keeper's input pipe at once, before the keeper
// exists: nothing can block, and no SIGPIPE can come from a keeper that ends
// early. Returns false when the pipe cannot hold the line.
bool FillInput(Pipe& input, std::string_view line) {
  const int capacity = fcntl(input.writeEnd.get(), F_GETPIPE_SZ);
  if (capacity >= 0 && static_cast<std::size_t>(capacity) < line.size() &&
      fcntl(input.writeEnd.get(), F_SETPIPE_SZ, static_cast<int>(line.size())) < 0) {
    return false;
  }
  if (fcntl(input.writeEnd.get(), F_SETFL, O_NONBLOCK) != 0) return false;
  if (WriteAll(input.writeEnd.get(), line) != 0) return false;
  input.writeEnd.reset();
  return true;
}

// Reads the keeper's answer line from `fd` until `deadline` and returns
// what it says. A keeper that ended without a full line failed.
Handover AwaitAnswer(int fd, Clock::time_point deadline) {
  std::string answer;
  std::array<char, 64> buffer{};
  while (answer.find('\n') == std::string::npos && answer.size() < 256) {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
    if (left.count() <= 0) return Handover::NoAnswer;
    pollfd watched{fd, POLLIN, 0};
    const int ready = poll(&watched, 1, static_cast<int>(left.count()));
    if (ready < 0 && errno != EINTR) return Handover::KeeperFailed;
    if (ready <= 0) continue;
    const ssize_t count = read(fd, buffer.data(), buffer.size());
    if (count == 0) break;  // the keeper ended
    if (count < 0) {
      if (errno == EINTR || errno == EAGAIN) continue;
      return Handover::KeeperFailed;
    }
    answer.append(buffer.data(), static_cast<std::size_t>(count));
  }
  if (answer == KeeperReady) return Handover::Kept;
  if (answer == KeeperSuperseded) return Handover::Superseded;
  if (answer == KeeperNoDisplay) return Handover::NoDisplay;
  if (answer == KeeperBadInput) return Handover::BadInput;
  return Handover::KeeperFailed;
}

}  // namespace

std::string FindClipboardKeeper() { return FindOwnProgram(ClipboardKeeperName); }

bool Published(Handover result) { return result == Handover::Kept || result == Handover::Superseded; }

std::string_view HandoverFailureText(Handover result) {
  switch (result) {
    case Handover::Kept:
    case Handover::Superseded:
      return {};
    case Handover::NoKeeper:
      return text::KeeperMissing;
    case Handover::LineTooLong:
      return text::LineTooLongForClipboard;
    case Handover::NotStarted:
      return text::KeeperNotStarted;
    case Handover::NoAnswer:
      return text::KeeperNoAnswer;
    case Handover::KeeperFailed:
    case Handover::BadInput:
      return text::KeeperEnded;
    case Handover::NoDisplay:
      return text::ClipboardNoDisplay;
  }
  return {};
}

Handover HandOverToKeeper(const std::string& keeperPath, std::string_view utf8Line,
                          std::chrono::milliseconds timeout) {
  const Clock::time_point deadline = Clock::now() + timeout;
  if (keeperPath.empty()) return Handover::NoKeeper;
  if (utf8Line.size() > LongestKeptLine) return Handover::LineTooLong;

  Pipe input;
  Pipe output;
  if (!OpenPipe(input) || !OpenPipe(output) || !FillInput(input, utf8Line)) return Handover::NotStarted;

  const pid_t keeper = SpawnDetached(keeperPath, {}, input.readEnd.get(), output.writeEnd.get());
  if (keeper < 0) return Handover::NotStarted;
  input.readEnd.reset();
  output.writeEnd.reset();  // so that a keeper that ends shows as end of file

  const Handover result = AwaitAnswer(output.readEnd.get(), deadline);
  if (result == Handover::Kept) return result;
  // A superseded or failed keeper ends by itself; one that gives no answer is ended.
  EndDetached(keeper);
  return result;
}

}  // namespace pelvorn
