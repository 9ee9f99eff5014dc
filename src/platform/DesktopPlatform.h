#pragma once

#include "platform/ProcessPlatform.h"

namespace pelvorn {

// The platform of a run with a display: Qt's message boxes, beep and
// clipboard, and the clipboard keeper that holds the line after we exit.
class DesktopPlatform : public ProcessPlatform {
public:
  // A hidden run ends right after its result: its line goes straight to the
  // clipboard keeper. An ordinary run uses Qt's clipboard and hands its
  // last line to the keeper when it ends.
  enum class Run { Ordinary, Hidden };
  DesktopPlatform(QString commandLine, Run run) : ProcessPlatform(std::move(commandLine)), run_(run) {}

  void warning(const QString& title, const QString& prompt) override;
  void information(const QString& title, const QString& prompt) override;
  void beep(const QString& reason) override;
  bool putOnClipboard(const QString& line) override;
  bool keepClipboardAfterExit() override;

private:
  Run run_;
  QString lastLine_;
  bool lineKept_ = false;
};

}  // namespace pelvorn
