#pragma once

#include "platform/Platform.h"
#include "startup/InstanceGuard.h"

namespace pelvorn {

// The platform of a run with a display: Qt's message boxes, beep and
// clipboard, and the clipboard keeper that holds the line after we exit.
class DesktopPlatform : public Platform {
public:
  // A hidden run ends right after its result: its line goes straight to the
  // clipboard keeper. An ordinary run uses Qt's clipboard and hands its
  // last line to the keeper when it ends.
  enum class Run { Ordinary, Hidden };
  DesktopPlatform(QString commandLine, Run run) : commandLine_(std::move(commandLine)), run_(run) {}

  void warning(const QString& title, const QString& prompt) override;
  void information(const QString& title, const QString& prompt) override;
  void beep(const QString& reason) override;
  bool putOnClipboard(const QString& line) override;
  bool keepClipboardAfterExit() override;
  bool previousCopyRunning() override { return guard_.previousCopyRunning(); }
  QString commandLineText() override { return commandLine_; }
  void deliverHiddenResult(const QString& line) override;

private:
  QString commandLine_;
  Run run_;
  QString lastLine_;
  bool lineKept_ = false;
  InstanceGuard guard_;
};

// Writes `line` and a line feed to standard output as UTF-8.
void WriteResultLine(const QString& line);

}  // namespace pelvorn
