#include "QtStart.h"

#include "QtFollower.h"
#include "QtText.h"
#include "QtWindow.h"
#include "common/CommandLine.h"
#include "common/ExitStatus.h"
#include "common/Text.h"
#include "common/Texts.h"
#include "platform/linux/DisplayLossGuard.h"
#include "platform/linux/DisplayProbe.h"
#include "platform/linux/InstanceGuard.h"
#include "platform/qt/ConsolePlatform.h"
#include "platform/qt/DesktopPlatform.h"
#include "QtText.h"
#include "QtWindow.h"
#include "rotator/RotatorAntenna.h"
#include "window/FrontEnd.h"

#include <QApplication>
#include <QDir>
#include <QLibraryInfo>

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace pelvorn {
namespace {

enum class Display { X11, WaylandOnly, None };

Display AvailableDisplay() {
  if (!qEnvironmentVariableIsEmpty("DISPLAY")) return Display::X11;
  if (!qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) return Display::WaylandOnly;
  return Display::None;
}

// Whether Qt can open a window on Wayland (Debian ships that in qt6-wayland).
bool WaylandPluginInstalled() {
  const QDir platforms(QLibraryInfo::path(QLibraryInfo::PluginsPath) + QStringLiteral("/platforms"));
  return !platforms.entryList({QStringLiteral("libqwayland*")}).isEmpty();
}

void PrintError(const char* utf8Line) { std::fputs(utf8Line, stderr); }

// Qt 6.4's Wayland plugin can hang for ever while it closes its connection:
// the application object's destructor waits for Qt's Wayland event thread,
// which waits inside wl_display_read_events for a reader that never comes.
// By then the run is over (the result is with wl-copy, the windows are gone),
// and the compositor cleans up after a client that simply ends.
[[noreturn]] void EndWithoutWaylandTeardown(int status) {
  std::fflush(nullptr);
  std::_Exit(status);
}

}  // namespace

int StartWithQt(char* programPath, const std::u16string& commandLine,
                const std::optional<std::string>& rotatorAddress, const follow::FollowCommand* follow) {
  // QLocale reads the user's locale from the environment; no application
  // object is needed for that, so the command line is read once, here.
  const NumberLocale locale = NumberLocaleOf(QLocale::system());
  ParsedCommandLine command = ReadCommandLine(commandLine, locale);
  // A DISPLAY whose server does not answer counts as none at all.
  const DisplayProbe probe;
  const QByteArray silentDisplay = probe.answers() ? QByteArray() : qgetenv("DISPLAY");
  if (!probe.answers()) qunsetenv("DISPLAY");
  const Display display = AvailableDisplay();
  const bool hidden = IsHiddenRun(command);
  if (display == Display::None && !hidden && !silentDisplay.isEmpty()) {
    PrintError(Fill(text::ErrorLine, {Fill(text::DisplaySilent, {silentDisplay.toStdString()})}).c_str());
    return ExitNoDisplay;
  }
  if (display == Display::None && !hidden) {
    PrintError(Fill(text::ErrorLine, {text::NoDisplay}).c_str());
    return ExitNoDisplay;
  }
  if (display == Display::WaylandOnly && !hidden && !WaylandPluginInstalled()) {
    PrintError(Fill(text::ErrorLine, {text::NoQtWayland}).c_str());
    return ExitNoDisplay;
  }
  // Decided before Qt starts, so that Qt never aborts for want of a display.
  // A hidden run under XWayland uses X11, where an unfocused window may set
  // the clipboard; under Wayland alone its line goes to wl-copy, and its
  // boxes are windows like any other.
  bool console = display == Display::None ||
                 (display == Display::WaylandOnly && !WaylandPluginInstalled());
  if (console) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  } else if (display == Display::WaylandOnly) {
    qputenv("QT_QPA_PLATFORM", "wayland");
  } else if (hidden) {
    // A server that went away since the probe leaves a hidden run the console.
    qputenv("QT_QPA_PLATFORM", "xcb;offscreen");
  }

  // A hidden run shows nothing, so it needs no accessibility bridge; without
  // a session bus Qt would fork a bus launcher for it at every start.
  if (hidden) qputenv("DBUS_SESSION_BUS_ADDRESS", "disabled:");

  // Qt wants a private runtime directory and complains on stderr without one.
  if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
    const std::string runtime = PrivateRuntimeDirectory();
    if (!runtime.empty()) qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(runtime));
  }

  // Qt sees no arguments: the command line is ours alone.
  int qtArgc = 1;
  char* qtArgv[] = {programPath, nullptr};
  const DisplayLossGuard displayLoss(probe);
  QApplication application(qtArgc, qtArgv);
  console = console || QGuiApplication::platformName() == QLatin1String("offscreen");
  QApplication::setQuitOnLastWindowClosed(false);
  QGuiApplication::setDesktopFileName(QStringLiteral("pelvorn"));

  int status = ExitSuccess;
  {
    std::unique_ptr<Platform> platform;
    if (console) {
      platform = std::make_unique<ConsolePlatform>();
    } else {
      platform = std::make_unique<DesktopPlatform>(hidden ? DesktopPlatform::Run::Hidden
                                                          : DesktopPlatform::Run::Ordinary);
    }
    const auto antenna = rotator::RotatorAntenna::For(rotatorAddress, locale.decimalSeparator);
    QtWindow window(*platform, antenna.get(), std::move(command), locale);
    std::unique_ptr<QtFollower> follower;
    if (follow != nullptr) {
      follower = std::make_unique<QtFollower>(window, follow->options, locale);
      if (const std::string problem = follower->start(follow->source); !problem.empty()) {
        PrintError(Fill(text::ErrorLine, {problem}).c_str());
        return follow::FollowUnusable;
      }
    }
    status = window.form().run(window);
  }
  if (QGuiApplication::platformName() == QLatin1String("wayland")) EndWithoutWaylandTeardown(status);
  return status;
}

}  // namespace pelvorn
