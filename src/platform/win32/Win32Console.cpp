#include "Win32Console.h"

#include "common/Text.h"
#include "console/ConsoleStart.h"
#include "rotator/RotatorSettings.h"

#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

#include <cstdio>
#include <string>
#include <vector>

namespace pelvorn::win32 {
namespace {

bool Usable(HANDLE handle) {
  return handle && handle != INVALID_HANDLE_VALUE && GetFileType(handle) != FILE_TYPE_UNKNOWN;
}

// The arguments after the program name, UTF-8, split as the C runtime of a
// console program would split them.
std::vector<std::string> SplitArguments(std::u16string_view text) {
  // CommandLineToArgvW takes the first word by the program-name rule.
  std::wstring line = L"Pelvorn.exe ";
  line.append(text.begin(), text.end());
  int count = 0;
  LPWSTR* words = CommandLineToArgvW(line.c_str(), &count);
  std::vector<std::string> arguments;
  if (!words) return arguments;
  for (int i = 1; i < count; ++i) {
    const std::wstring word = words[i];
    arguments.push_back(ToUtf8(std::u16string(word.begin(), word.end())));
  }
  LocalFree(words);
  return arguments;
}

// The process's standard streams as C streams in binary mode. A stream the
// process was started without is the parent's console when there is one,
// else the null device.
class StandardStreams {
 public:
  StandardStreams() {
    HANDLE in = GetStdHandle(STD_INPUT_HANDLE);
    HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    HANDLE err = GetStdHandle(STD_ERROR_HANDLE);
    if (!(Usable(in) && Usable(out) && Usable(err)) && AttachConsole(ATTACH_PARENT_PROCESS)) {
      attached_ = true;
      // UTF-8 on the console for as long as this run writes to it.
      oldOutputPage_ = GetConsoleOutputCP();
      SetConsoleOutputCP(CP_UTF8);
    }
    in_ = Open(in, attached_ ? L"CONIN$" : L"NUL", true);
    out_ = Open(out, attached_ ? L"CONOUT$" : L"NUL", false);
    errShown_ = attached_ || Usable(err);
    err_ = Open(err, attached_ ? L"CONOUT$" : L"NUL", false);
  }
  ~StandardStreams() {
    for (std::FILE* stream : {out_, err_}) {
      if (stream) std::fflush(stream);
    }
    if (attached_) {
      SetConsoleOutputCP(oldOutputPage_);
      FreeConsole();
    }
  }
  StandardStreams(const StandardStreams&) = delete;
  StandardStreams& operator=(const StandardStreams&) = delete;

  std::FILE* in() const { return in_; }
  std::FILE* out() const { return out_; }
  std::FILE* err() const { return err_; }
  // Whether what goes to err() reaches a file, pipe or console.
  bool errShown() const { return errShown_; }

 private:
  static std::FILE* Open(HANDLE handle, const wchar_t* replacement, bool reading) {
    if (!Usable(handle)) {
      handle = CreateFileW(replacement, reading ? GENERIC_READ : GENERIC_WRITE,
                           FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
      if (handle == INVALID_HANDLE_VALUE) {
        handle = CreateFileW(L"NUL", reading ? GENERIC_READ : GENERIC_WRITE,
                             FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
      }
      if (handle == INVALID_HANDLE_VALUE) return nullptr;
    }
    const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_BINARY | (reading ? _O_RDONLY : 0));
    if (fd < 0) return nullptr;
    return _fdopen(fd, reading ? "rb" : "wb");
  }

  bool attached_ = false;
  bool errShown_ = false;
  UINT oldOutputPage_ = 0;
  std::FILE* in_ = nullptr;
  std::FILE* out_ = nullptr;
  std::FILE* err_ = nullptr;
};

// Whether a blank-separated word of `text` starts with "--".
bool HasOption(std::u16string_view text) {
  for (std::size_t word = text.find_first_not_of(u" \t"); word != std::u16string_view::npos;
       word = text.find_first_not_of(u" \t", text.find_first_of(u" \t", word))) {
    if (text.substr(word, 2) == u"--") return true;
  }
  return false;
}

}  // namespace

std::optional<int> RunFromConsole(std::u16string& argumentText, const NumberLocale& locale,
                                  std::optional<std::string>& rotatorAddress,
                                  const FollowingWindow& followingWindow) {
  if (!HasOption(argumentText)) {
    // No option: the rotator of the settings file, if any; the text stays.
    rotatorAddress = rotator::ChooseRotator(std::nullopt).address;
    return std::nullopt;
  }

  StandardStreams streams;
  StartRequest start = RunConsoleStart(SplitArguments(argumentText), locale,
                                       {streams.in(), streams.out(), streams.err()});
  if (start.status) return start.status;
  if (start.followingWindow) {
    return followingWindow(*start.followingWindow, start.rotatorAddress, streams.errShown() ? streams.err() : nullptr);
  }
  // The window or the hidden run, with what is left without --rotator.
  argumentText = FromUtf8(start.commandLine);
  rotatorAddress = std::move(start.rotatorAddress);
  return std::nullopt;
}

}  // namespace pelvorn::win32
