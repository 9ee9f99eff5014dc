// Pelvorn.exe: reads the command line once and runs the program's start-up
// with the Win32 window and platform.
#include "CommandLineText.h"
#include "UserNumberLocale.h"
#include "Win32Console.h"
#include "Win32Follower.h"
#include "Win32MapWindow.h"
#include "Win32Platform.h"
#include "Win32RotatorControl.h"
#include "Win32Window.h"
#include "WideText.h"
#include "common/CommandLine.h"
#include "common/Text.h"
#include "common/Texts.h"
#include "rotator/RotatorAntenna.h"
#include "window/FrontEnd.h"
#include "window/MapPresenter.h"
#include "window/PelvornForm.h"

#include <windows.h>

#include <memory>
#include <string>

namespace pelvorn::win32 {
namespace {

// The window with `command`, or following `follow` (not null) with `err`
// as standard error (null: the reason it cannot follow goes in a box).
int RunWindow(HINSTANCE instance, const NumberLocale& locale, ParsedCommandLine command,
              const std::optional<std::string>& rotatorAddress, const follow::FollowCommand* follow,
              std::FILE* err) {
  Win32Platform platform;
  Win32Window window(instance);
  platform.setOwner(window.handle());
  // Made before the form, which uses it, so that it goes after it.
  const auto antenna = rotator::RotatorAntenna::For(rotatorAddress, locale.decimalSeparator);
  PelvornForm form(window, platform, antenna.get(), std::move(command), locale);
  window.setForm(form);
  // A configured rotator adds the direction field's menu and keys.
  if (antenna) {
    window.setRotator(std::make_unique<Win32RotatorControl>(window.handle(), window.directionField(), form,
                                                            platform, *antenna));
  }
  // The map window beside it (F8, "Karte"), which follows every Calculate.
  Win32MapWindow mapWindow(instance, window.handle());
  MapPresenter map(mapWindow, form, window);
  mapWindow.setPresenter(map);
  window.setMap(map);
  form.setCalculatedListener([&map] { map.calculated(); });
  // Last, so that its thread has stopped before the rest goes.
  std::unique_ptr<Win32Follower> follower;
  if (follow != nullptr) {
    follower = std::make_unique<Win32Follower>(window, form, follow->options, locale, err);
    if (const std::string problem = follower->start(follow->source); !problem.empty()) {
      if (err) {
        std::fputs(Fill(text::ErrorLine, {problem}).c_str(), err);
      } else {
        MessageBoxW(nullptr, Wide(problem).c_str(), Wide(text::FollowBoxTitle).c_str(), MB_OK | MB_ICONERROR);
      }
      return follow::FollowUnusable;
    }
  }
  return form.run(window);
}

}  // namespace
}  // namespace pelvorn::win32

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  using namespace pelvorn;
  const NumberLocale locale = win32::UserNumberLocale();
  const std::wstring commandLine = GetCommandLineW();
  std::u16string argumentText(win32::ArgumentText(std::u16string(commandLine.begin(), commandLine.end())));
  // "--help", "--batch" and the other options from cmd.exe or PowerShell.
  std::optional<std::string> rotatorAddress;
  const auto followingWindow = [instance, &locale](const follow::FollowCommand& follow,
                                                  const std::optional<std::string>& rotator, std::FILE* err) {
    return win32::RunWindow(instance, locale, ReadCommandLine(u"", locale), rotator, &follow, err);
  };
  if (auto status = win32::RunFromConsole(argumentText, locale, rotatorAddress, followingWindow)) return *status;
  return win32::RunWindow(instance, locale, ReadCommandLine(argumentText, locale), rotatorAddress, nullptr, nullptr);
}
