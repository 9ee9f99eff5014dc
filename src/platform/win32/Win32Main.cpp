// Pelvorn.exe: reads the command line once and runs the program's start-up
// with the Win32 window and platform.
#include "CommandLineText.h"
#include "UserNumberLocale.h"
#include "Win32Console.h"
#include "Win32MapWindow.h"
#include "Win32Platform.h"
#include "Win32RotatorControl.h"
#include "Win32Window.h"
#include "common/CommandLine.h"
#include "rotator/RotatorAntenna.h"
#include "window/FrontEnd.h"
#include "window/MapPresenter.h"
#include "window/PelvornForm.h"

#include <windows.h>

#include <memory>
#include <string>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  using namespace pelvorn;
  const NumberLocale locale = win32::UserNumberLocale();
  const std::wstring commandLine = GetCommandLineW();
  std::u16string argumentText(win32::ArgumentText(std::u16string(commandLine.begin(), commandLine.end())));
  // "--help", "--batch" and the other options from cmd.exe or PowerShell.
  std::optional<std::string> rotatorAddress;
  if (auto status = win32::RunFromConsole(argumentText, locale, rotatorAddress)) return *status;
  ParsedCommandLine command = ReadCommandLine(argumentText, locale);

  win32::Win32Platform platform;
  win32::Win32Window window(instance);
  platform.setOwner(window.handle());
  // Made before the form, which uses it, so that it goes after it.
  const auto antenna = rotator::RotatorAntenna::For(rotatorAddress, locale.decimalSeparator);
  PelvornForm form(window, platform, antenna.get(), std::move(command), locale);
  window.setForm(form);
  // A configured rotator adds the direction field's menu and keys.
  if (antenna) {
    window.setRotator(std::make_unique<win32::Win32RotatorControl>(window.handle(), window.directionField(), form,
                                                                   platform, *antenna));
  }
  // The map window beside it (F8, "Karte"), which follows every Calculate.
  win32::Win32MapWindow mapWindow(instance, window.handle());
  MapPresenter map(mapWindow, form, window);
  mapWindow.setPresenter(map);
  window.setMap(map);
  form.setCalculatedListener([&map] { map.calculated(); });
  return form.run(window);
}
