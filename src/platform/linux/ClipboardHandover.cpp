#include "ClipboardHandover.h"

#include "keeper/KeeperProtocol.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <climits>
#include <utility>

extern char** environ;

#ifndef PELVORN_LIBEXEC_RELATIVE
#define PELVORN_LIBEXEC_RELATIVE "libexec/pelvorn"
#endif

namespace pelvorn {
namespace {

using Clock = std::chrono::steady_clock;

// A descriptor closed when it goes out of scope.
class Descriptor {
 public:
  Descriptor() = default;
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  ~Descriptor() { Close(); }

  int get() const { return fd_; }
  void Reset(int fd) {
    Close();
    fd_ = fd;
  }
  void Close() {
    if (fd_ >= 0) close(fd_);
    fd_ = -1;
  }

 private:
  int fd_ = -1;
};

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
  Descriptor readEnd;
  Descriptor writeEnd;
};

bool OpenPipe(Pipe& pipe) {
  std::array<int, 2> ends{};
  if (pipe2(ends.data(), O_CLOEXEC) != 0) return false;
  pipe.readEnd.Reset(AboveStandardStreams(ends[0]));
  pipe.writeEnd.Reset(AboveStandardStreams(ends[1]));
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
  while (!line.empty()) {
    const ssize_t written = write(input.writeEnd.get(), line.data(), line.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    line.remove_prefix(static_cast<std::size_t>(written));
  }
  input.writeEnd.Close();
  return true;
}

// Starts the keeper in a new session with `input` on its standard input,
// `output` on its standard output and /dev/null on its standard error.
// Returns its process id, or -1.
pid_t SpawnKeeper(const std::string& keeperPath, int input, int output) {
  posix_spawn_file_actions_t actions;
  posix_spawnattr_t attributes;
  posix_spawn_file_actions_init(&actions);
  posix_spawnattr_init(&attributes);

  posix_spawn_file_actions_adddup2(&actions, input, STDIN_FILENO);
  posix_spawn_file_actions_adddup2(&actions, output, STDOUT_FILENO);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
#if defined(__GLIBC__) && (__GLIBC__ > 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ >= 34))
  posix_spawn_file_actions_addclosefrom_np(&actions, STDERR_FILENO + 1);
#endif

  // Own session: no terminal hangup, no job control signals of the caller.
  // Signals start blocked-free and with default actions whatever the caller had.
  sigset_t none;
  sigset_t all;
  sigemptyset(&none);
  sigfillset(&all);
  posix_spawnattr_setsigmask(&attributes, &none);
  posix_spawnattr_setsigdefault(&attributes, &all);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

  std::array<char*, 2> arguments = {const_cast<char*>(keeperPath.c_str()), nullptr};
  pid_t pid = -1;
  const int error = posix_spawn(&pid, keeperPath.c_str(), &actions, &attributes, arguments.data(), environ);

  posix_spawnattr_destroy(&attributes);
  posix_spawn_file_actions_destroy(&actions);
  return error == 0 ? pid : -1;
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

void EndAndReap(pid_t pid) {
  kill(pid, SIGKILL);
  while (waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
  }
}

bool IsExecutableFile(const std::string& path) {
  struct stat status {};
  return stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode) && access(path.c_str(), X_OK) == 0;
}

}  // namespace

std::string FindOwnProgram(std::string_view name) {
  std::array<char, PATH_MAX> executable{};
  const ssize_t length = readlink("/proc/self/exe", executable.data(), executable.size() - 1);
  if (length > 0) {
    std::string directory(executable.data(), static_cast<std::size_t>(length));
    const std::size_t slash = directory.rfind('/');
    if (slash != std::string::npos) {
      directory.resize(slash + 1);
      // Next to the program (the build), then where the package put it
      // beside the program's own bin directory, wherever it was installed.
      for (std::string path : {directory, directory + "../" PELVORN_LIBEXEC_RELATIVE "/"}) {
        path += name;
        if (IsExecutableFile(path)) return path;
      }
    }
  }
#ifdef PELVORN_LIBEXEC_DIR
  std::string installed = PELVORN_LIBEXEC_DIR "/";
  installed += name;
  if (IsExecutableFile(installed)) return installed;
#endif
  return {};
}

std::string FindClipboardKeeper() { return FindOwnProgram(ClipboardKeeperName); }

bool Published(Handover result) { return result == Handover::Kept || result == Handover::Superseded; }

std::string_view HandoverFailureText(Handover result) {
  switch (result) {
    case Handover::Kept:
    case Handover::Superseded:
      return {};
    case Handover::NoKeeper:
      return "Das Hilfsprogramm pelvorn-clipboard-keeper ist nicht installiert; "
             "das Ergebnis steht nicht in der Zwischenablage.";
    case Handover::LineTooLong:
      return "Die Zeile ist zu lang f\u00fcr die Zwischenablage.";
    case Handover::NotStarted:
      return "Das Hilfsprogramm pelvorn-clipboard-keeper lie\u00df sich nicht starten; "
             "das Ergebnis steht nicht in der Zwischenablage.";
    case Handover::NoAnswer:
      return "Das Hilfsprogramm pelvorn-clipboard-keeper hat nicht rechtzeitig geantwortet; "
             "das Ergebnis steht nicht in der Zwischenablage.";
    case Handover::KeeperFailed:
    case Handover::BadInput:
      return "Das Hilfsprogramm pelvorn-clipboard-keeper ist unerwartet beendet worden; "
             "das Ergebnis steht nicht in der Zwischenablage.";
    case Handover::NoDisplay:
      return "Der X-Server ist f\u00fcr die Zwischenablage nicht erreichbar; "
             "das Ergebnis steht nicht in der Zwischenablage.";
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

  const pid_t keeper = SpawnKeeper(keeperPath, input.readEnd.get(), output.writeEnd.get());
  if (keeper < 0) return Handover::NotStarted;
  input.readEnd.Close();
  output.writeEnd.Close();  // so that a keeper that ends shows as end of file

  const Handover result = AwaitAnswer(output.readEnd.get(), deadline);
  if (result == Handover::Kept) return result;
  // A superseded or failed keeper ends by itself; one that gives no answer is ended.
  EndAndReap(keeper);
  return result;
}

}  // namespace pelvorn
