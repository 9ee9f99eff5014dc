#pragma once

#include "platform/qt/ProcessPlatform.h"

#include <QObject>
#include <QString>

namespace pelvorn {

// The platform of a run with a display: Qt's message boxes, beep and
// clipboard, and the clipboard keeper that holds the line after we exit.
class DesktopPlatform : public ProcessPlatform {
public:
  // A hidden run ends right after its result: its line goes straight to the
  // clipboard keeper. An ordinary run uses Qt's clipboard and hands its
  // last line to the keeper when it ends.
  enum class Run { Ordinary, Hidden };
  explicit DesktopPlatform(Run run);

  void warning(std::u16string_view title, std::u16string_view prompt) override;
  void information(std::u16string_view title, std::u16string_view prompt) override;
  void beep(std::u16string_view reason) override;
  bool putOnClipboard(std::u16string_view line) override;
  bool keepClipboardAfterExit() override;

private:
  // Whether the user has pressed a key or button in one of our windows: a
  // Wayland compositor takes our clipboard only with the serial of such an
  // input, and Qt cannot tell when it refused.
  class InputSeen final : public QObject {
  public:
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool seen = false;
  };

  Run run_;
  InputSeen input_;
  QString lastLine_;
  bool lineKept_ = false;
};

}  // namespace pelvorn
