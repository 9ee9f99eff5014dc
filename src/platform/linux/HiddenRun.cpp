#include "HiddenRun.h"

#include "common/ExitStatus.h"
#include "window/Platform.h"
#include "common/Text.h"
#include "common/Texts.h"
#include "platform/linux/EnvironmentLocale.h"
#include "platform/linux/InstanceGuard.h"
#include "platform/linux/WaylandClipboard.h"
#include "common/CommandLine.h"
#include "rotator/RotatorAntenna.h"
#include "window/FrontEnd.h"
#include "window/PelvornForm.h"
#include "window/WindowView.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace pelvorn {
namespace {

constexpr std::size_t LocatorBoxLength = 6;

bool Named(const char* variable) {
  const char* value = std::getenv(variable);
  return value != nullptr && *value != '\0';
}

// The window of a hidden run: never shown, so it only remembers.
class MemoryWindow final : public WindowView {
public:
  std::u16string text(TextBox box) const override { return texts_[Index(box)]; }
  void setText(TextBox box, std::u16string_view text) override {
    texts_[Index(box)] = std::u16string(text.substr(0, LocatorBoxLength));
  }
  void setFocus(TextBox /*box*/) override {}
  std::u16string caption(ResultField label) const override { return captions_[Index(label)]; }
  void setCaption(ResultField label, std::u16string_view text) override {
    captions_[Index(label)] = std::u16string(text);
  }
  void setWindowCaption(std::u16string_view /*caption*/) override {}
  void setVisible(bool /*visible*/) override {}
  void unload() override {}

private:
  static std::size_t Index(TextBox box) { return box == TextBox::OwnLocator ? 0 : 1; }
  static std::size_t Index(ResultField label) { return label == ResultField::Distance ? 0 : 1; }
  std::u16string texts_[2];
  std::u16string captions_[2];
};

// The platform of a hidden run without a toolkit. A box or a beep cannot
// be given here: from then on nothing leaves the process, and the toolkit
// front end takes over.
class MemoryPlatform final : public Platform {
public:
  explicit MemoryPlatform(InstanceGuard& guard) : guard_(guard) {}

  bool toolkitNeeded() const { return toolkitNeeded_; }
  int status() const { return status_; }

  void warning(std::u16string_view, std::u16string_view) override { toolkitNeeded_ = true; }
  void information(std::u16string_view, std::u16string_view) override { toolkitNeeded_ = true; }
  void beep(std::u16string_view) override { toolkitNeeded_ = true; }

  // As the front end would: X11 (or XWayland) has the keeper and wl-copy
  // where a Wayland display is named too; Wayland alone has wl-copy; without
  // a display the line is on standard output only.
  bool putOnClipboard(std::u16string_view line) override {
    if (toolkitNeeded_) return true;
    const std::string utf8 = ToUtf8(line);
    const bool x11 = Named("DISPLAY");
    if (x11 || Named("WAYLAND_DISPLAY")) {
      Handover keeper = Handover::NoKeeper;
      if (HandOverToClipboardHelpers(utf8, x11, std::chrono::milliseconds(3000), &keeper)) return true;
      // An X server that does not answer counts as no display at all, as
      // in the front end, which would only wait for it once more.
      const bool silent = keeper == Handover::NoDisplay || keeper == Handover::NoAnswer;
      if (!(x11 && silent && !Named("WAYLAND_DISPLAY"))) {
        // Any other failure (a missing helper, no Qt Wayland module) is the
        // front end's to report, as for any run.
        toolkitNeeded_ = true;
        return true;
      }
    }
    printError(FromUtf8(text::NoClipboardStdoutOnly));
    return true;
  }
  bool keepClipboardAfterExit() override { return true; }
  bool previousCopyRunning() override { return guard_.previousCopyRunning(); }
  bool deliverHiddenResult(std::u16string_view line) override {
    if (toolkitNeeded_) return true;
    return Write(stdout, ToUtf8(line) + '\n');
  }
  void printError(std::u16string_view line) override {
    if (!toolkitNeeded_) Write(stderr, Fill(text::ErrorLine, {ToUtf8(line)}));
  }
  void endProgram(int status) override { status_ = status; }
  bool rehearsal() const override { return toolkitNeeded_; }

private:
  static bool Write(std::FILE* stream, const std::string& bytes) {
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), stream) == bytes.size();
    return std::fflush(stream) == 0 && written && std::ferror(stream) == 0;
  }

  InstanceGuard& guard_;
  bool toolkitNeeded_ = false;
  int status_ = ExitNoResult;
};

}  // namespace

std::optional<int> RunHiddenWithoutToolkit(std::u16string_view commandLine, InstanceGuard& guard,
                                           const std::optional<std::string>& rotatorAddress) {
  const std::optional<NumberLocale> locale = KnownNumberLocale();
  if (!locale) return std::nullopt;
  ParsedCommandLine command = ReadCommandLine(commandLine, *locale);
  if (!IsHiddenRun(command)) return std::nullopt;

  MemoryWindow window;
  MemoryPlatform platform(guard);
  const auto antenna = rotator::RotatorAntenna::For(rotatorAddress, locale->decimalSeparator);
  PelvornForm form(window, platform, antenna.get(), std::move(command), *locale);
  const bool mayRun = form.load();
  if (platform.toolkitNeeded() || !mayRun) return std::nullopt;
  form.activateOnce();
  if (platform.toolkitNeeded() || !form.ended()) return std::nullopt;
  return form.exitStatus();
}

}  // namespace pelvorn
