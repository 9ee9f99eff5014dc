// pelvorn-clipboard-keeper: keeps one line of text on the X11 CLIPBOARD
// after the program that computed it has ended.
//
// On X11 the clipboard is not a store: it belongs to a running client that
// answers every request for it. A hidden run ends right after its result, so
// it hands the line to this small process. The keeper reads the line from
// standard input until end of file, takes CLIPBOARD, answers "ok" on standard
// output and then serves the line until another client takes the clipboard
// or the X server goes away, whatever becomes of its caller. A newer keeper
// taking the clipboard ends the older one, so at most one is alive per
// display; one that is overtaken while it takes the clipboard answers
// "superseded" and ends at once.
//
// libxcb only: it starts in a few milliseconds.

#include "KeeperProtocol.h"
#include "platform/posix/FileDescriptor.h"
#include "platform/posix/StandardStreams.h"

#include <xcb/xcb.h>

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pelvorn {
namespace {

enum ExitStatus : int {
  ClipboardTaken = 0,   // another client took the clipboard, or the X server went away
  UnusableInput = 1,    // standard input unreadable or the line too long
  NoDisplay = 2,        // no connection to the X server, or it broke
};

struct FreeDeleter {
  void operator()(void* p) const { std::free(p); }
};
template <typename T>
using XcbReply = std::unique_ptr<T, FreeDeleter>;

// Closes every descriptor from 3 up, so that nothing the caller had open
// (a lock file, a pipe to its own caller) lives on in the keeper.
void CloseInheritedDescriptors() {
  if (close_range(3, ~0U, 0) == 0) return;
  std::vector<int> open;
  if (DIR* dir = opendir("/proc/self/fd")) {
    while (const dirent* entry = readdir(dir)) {
      const int fd = std::atoi(entry->d_name);
      if (fd >= 3 && fd != dirfd(dir)) open.push_back(fd);
    }
    closedir(dir);
  }
  for (const int fd : open) close(fd);
}

// Leaves the caller's session, terminal and working directory behind.
void DetachFromCaller() {
  CloseInheritedDescriptors();
  setsid();  // fails harmlessly when already started in a session of its own
  signal(SIGHUP, SIG_IGN);
  signal(SIGPIPE, SIG_IGN);  // a vanished reader shows as EPIPE
  if (chdir("/") != 0) {
    // Only a courtesy to the caller's file system; the keeper needs no directory.
  }
}

int End(ExitStatus status, std::string_view answer) {
  WriteAll(STDOUT_FILENO, answer);
  return status;
}

// Returns everything on `fd` up to end of file, or nothing when reading
// fails or the text is longer than LongestKeptLine.
std::optional<std::string> ReadAll(int fd) {
  std::string text;
  std::array<char, 4096> buffer{};
  for (;;) {
    const ssize_t count = read(fd, buffer.data(), buffer.size());
    if (count == 0) return text;
    if (count < 0) {
      if (errno == EINTR) continue;
      return std::nullopt;
    }
    if (text.size() + static_cast<std::size_t>(count) > LongestKeptLine) return std::nullopt;
    text.append(buffer.data(), static_cast<std::size_t>(count));
  }
}

// Returns the Latin-1 form of `utf8` for the STRING target: characters
// beyond U+00FF and bytes that are no UTF-8 become '?'.
std::string ToLatin1(std::string_view utf8) {
  std::string latin1;
  latin1.reserve(utf8.size());
  std::size_t i = 0;
  while (i < utf8.size()) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    if (lead < 0x80) {
      latin1 += static_cast<char>(lead);
      ++i;
      continue;
    }
    const std::size_t length = lead >= 0xF5 ? 0 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
    bool wellFormed = length != 0 && i + length <= utf8.size();
    for (std::size_t k = 1; wellFormed && k < length; ++k) {
      wellFormed = (static_cast<unsigned char>(utf8[i + k]) & 0xC0) == 0x80;
    }
    if (!wellFormed) {
      latin1 += '?';
      ++i;
      continue;
    }
    if (length == 2 && lead <= 0xC3) {
      const auto trail = static_cast<unsigned char>(utf8[i + 1]);
      latin1 += static_cast<char>(((lead & 0x1F) << 6) | (trail & 0x3F));
    } else {
      latin1 += '?';
    }
    i += length;
  }
  return latin1;
}

struct Atoms {
  xcb_atom_t clipboard = XCB_NONE;
  xcb_atom_t targets = XCB_NONE;
  xcb_atom_t timestamp = XCB_NONE;
  xcb_atom_t utf8String = XCB_NONE;
  xcb_atom_t textPlainUtf8 = XCB_NONE;
  xcb_atom_t text = XCB_NONE;
};

// Returns the atoms the keeper works with (one round trip), or nothing when
// the server does not answer.
std::optional<Atoms> InternAtoms(xcb_connection_t* connection) {
  static constexpr std::array<std::string_view, 6> Names = {
      "CLIPBOARD", "TARGETS", "TIMESTAMP", "UTF8_STRING", "text/plain;charset=utf-8", "TEXT"};
  std::array<xcb_intern_atom_cookie_t, Names.size()> cookies{};
  for (std::size_t i = 0; i < Names.size(); ++i) {
    cookies[i] = xcb_intern_atom(connection, 0, static_cast<uint16_t>(Names[i].size()), Names[i].data());
  }
  std::array<xcb_atom_t, Names.size()> atoms{};
  for (std::size_t i = 0; i < Names.size(); ++i) {
    const XcbReply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(connection, cookies[i], nullptr));
    if (!reply) return std::nullopt;
    atoms[i] = reply->atom;
  }
  return Atoms{atoms[0], atoms[1], atoms[2], atoms[3], atoms[4], atoms[5]};
}

// Returns the server's current time, read from the PropertyNotify that a
// change on our own window produces (the time of taking a selection must be
// a real server time, not CurrentTime), or nothing when the connection breaks.
std::optional<xcb_timestamp_t> ServerTime(xcb_connection_t* connection, xcb_window_t window) {
  xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8,
                      static_cast<uint32_t>(ClipboardKeeperName.size()), ClipboardKeeperName.data());
  xcb_flush(connection);
  for (;;) {
    const XcbReply<xcb_generic_event_t> event(xcb_wait_for_event(connection));
    if (!event) return std::nullopt;
    if ((event->response_type & 0x7F) != XCB_PROPERTY_NOTIFY) continue;
    const auto* notify = reinterpret_cast<const xcb_property_notify_event_t*>(event.get());
    if (notify->window == window) return notify->time;
  }
}

enum class Taking { Owner, Superseded, Broken };

// Makes `window` the owner of CLIPBOARD as of `time`. Returns Owner when the
// server confirms it, Broken when the connection broke. Another owner in the
// answer is a newer one: either it took the clipboard after us, or it had
// taken it with a later time than ours and the server ignored our request.
// Either way the line was published and replaced, as the last writer wins.
Taking TakeClipboard(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t clipboard, xcb_timestamp_t time) {
  xcb_set_selection_owner(connection, window, clipboard, time);
  const XcbReply<xcb_get_selection_owner_reply_t> owner(
      xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, clipboard), nullptr));
  if (!owner) return Taking::Broken;
  return owner->owner == window ? Taking::Owner : Taking::Superseded;
}

// The clipboard as the keeper holds it.
struct KeptSelection {
  xcb_connection_t* connection;
  xcb_window_t window;
  Atoms atoms;
  xcb_timestamp_t takenAt;
  std::string utf8;
  std::string latin1;
};

void SetProperty(const KeptSelection& kept, xcb_window_t requestor, xcb_atom_t property, xcb_atom_t type,
                 uint8_t format, std::size_t count, const void* data) {
  xcb_change_property(kept.connection, XCB_PROP_MODE_REPLACE, requestor, property, type, format,
                      static_cast<uint32_t>(count), data);
}

// Stores the line converted to `target` in `property` of `requestor`.
// Returns false for a target the keeper does not offer.
bool Convert(const KeptSelection& kept, xcb_window_t requestor, xcb_atom_t target, xcb_atom_t property) {
  const Atoms& atoms = kept.atoms;
  if (target == atoms.targets) {
    const std::array<xcb_atom_t, 6> offered = {atoms.targets,       atoms.timestamp, atoms.utf8String,
                                               atoms.textPlainUtf8, XCB_ATOM_STRING, atoms.text};
    SetProperty(kept, requestor, property, XCB_ATOM_ATOM, 32, offered.size(), offered.data());
  } else if (target == atoms.timestamp) {
    SetProperty(kept, requestor, property, XCB_ATOM_INTEGER, 32, 1, &kept.takenAt);
  } else if (target == atoms.utf8String || target == atoms.text) {
    SetProperty(kept, requestor, property, atoms.utf8String, 8, kept.utf8.size(), kept.utf8.data());
  } else if (target == atoms.textPlainUtf8) {
    SetProperty(kept, requestor, property, atoms.textPlainUtf8, 8, kept.utf8.size(), kept.utf8.data());
  } else if (target == XCB_ATOM_STRING) {
    SetProperty(kept, requestor, property, XCB_ATOM_STRING, 8, kept.latin1.size(), kept.latin1.data());
  } else {
    return false;
  }
  return true;
}

// Answers one SelectionRequest: the converted line in the requested
// property, or property None for a refusal.
void Answer(const KeptSelection& kept, const xcb_selection_request_event_t& request) {
  // Requestors from before ICCCM 2.0 name no property and mean the target.
  xcb_atom_t property = request.property == XCB_NONE ? request.target : request.property;
  // A request timed before the keeper took the clipboard was meant for an earlier owner.
  const bool current = request.time == XCB_CURRENT_TIME ||
                       static_cast<int32_t>(request.time - kept.takenAt) >= 0;
  if (request.selection != kept.atoms.clipboard || request.owner != kept.window || !current ||
      !Convert(kept, request.requestor, request.target, property)) {
    property = XCB_NONE;
  }

  // SendEvent always sends 32 bytes; the notify structure is shorter.
  alignas(xcb_selection_notify_event_t) std::array<char, 32> buffer{};
  auto* notify = reinterpret_cast<xcb_selection_notify_event_t*>(buffer.data());
  notify->response_type = XCB_SELECTION_NOTIFY;
  notify->time = request.time;
  notify->requestor = request.requestor;
  notify->selection = request.selection;
  notify->target = request.target;
  notify->property = property;
  xcb_send_event(kept.connection, 0, request.requestor, XCB_EVENT_MASK_NO_EVENT, buffer.data());
  xcb_flush(kept.connection);
}

// Serves requests until another client takes the clipboard or the
// connection breaks.
void Serve(const KeptSelection& kept) {
  for (;;) {
    const XcbReply<xcb_generic_event_t> event(xcb_wait_for_event(kept.connection));
    if (!event) return;
    switch (event->response_type & 0x7F) {
      case XCB_SELECTION_REQUEST:
        Answer(kept, *reinterpret_cast<const xcb_selection_request_event_t*>(event.get()));
        break;
      case XCB_SELECTION_CLEAR:
        if (reinterpret_cast<const xcb_selection_clear_event_t*>(event.get())->selection == kept.atoms.clipboard) {
          return;
        }
        break;
      default:
        break;  // errors from requestors that vanished, property notifications
    }
  }
}

struct ConnectionCloser {
  void operator()(xcb_connection_t* connection) const { xcb_disconnect(connection); }
};

int Run() {
  DetachFromCaller();

  std::optional<std::string> line = ReadAll(STDIN_FILENO);
  if (!line) return End(UnusableInput, KeeperBadInput);

  int screenNumber = 0;
  const std::unique_ptr<xcb_connection_t, ConnectionCloser> connection(xcb_connect(nullptr, &screenNumber));
  if (xcb_connection_has_error(connection.get())) return End(NoDisplay, KeeperNoDisplay);

  xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection.get()));
  for (int i = 0; i < screenNumber && screens.rem > 0; ++i) xcb_screen_next(&screens);
  if (screens.rem == 0) return End(NoDisplay, KeeperNoDisplay);

  const std::optional<Atoms> atoms = InternAtoms(connection.get());
  if (!atoms) return End(NoDisplay, KeeperNoDisplay);

  const xcb_window_t window = xcb_generate_id(connection.get());
  const uint32_t eventMask = XCB_EVENT_MASK_PROPERTY_CHANGE;
  xcb_create_window(connection.get(), 0, window, screens.data->root, 0, 0, 1, 1, 0, XCB_WINDOW_CLASS_INPUT_ONLY,
                    XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK, &eventMask);

  const std::optional<xcb_timestamp_t> now = ServerTime(connection.get(), window);
  const Taking taking = now ? TakeClipboard(connection.get(), window, atoms->clipboard, *now) : Taking::Broken;
  if (taking == Taking::Broken) return End(NoDisplay, KeeperNoDisplay);
  if (taking == Taking::Superseded) return End(ClipboardTaken, KeeperSuperseded);

  // From here on the clipboard is ours to serve: a caller that has gone
  // (killed while it waited for this answer) changes nothing.
  WriteAll(STDOUT_FILENO, KeeperReady);
  ReleaseStandardStreams();

  std::string latin1 = ToLatin1(*line);
  const KeptSelection kept{connection.get(), window, *atoms, *now, std::move(*line), std::move(latin1)};
  Serve(kept);
  return ClipboardTaken;
}

}  // namespace
}  // namespace pelvorn

int main() {
  return pelvorn::Run();
}
