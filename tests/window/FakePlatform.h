#pragma once

#include "platform/Platform.h"

#include <QStringList>

namespace pelvorn::test {

// A platform that shows nothing and records everything: message boxes
// return at once, and each request of the program is kept in order for the
// test to read. The answers the program asks for are scripted.
class FakePlatform final : public Platform {
public:
  // Scripted answers.
  bool previousCopy = false;
  QString commandLine;
  bool clipboardTakes = true;
  bool clipboardKept = true;

  // Records. Boxes as "title|prompt".
  QStringList warnings;
  QStringList informations;
  QStringList beeps;          // the reasons
  QStringList clipboard;      // every line offered, taken or not
  QStringList delivered;      // result lines of hidden runs
  int keepCalls = 0;
  int commandLineReads = 0;

  void forget() {
    warnings.clear();
    informations.clear();
    beeps.clear();
    clipboard.clear();
    delivered.clear();
    keepCalls = 0;
    commandLineReads = 0;
  }

  static QString box(const QString& title, const QString& prompt) {
    return title + QLatin1Char('|') + prompt;
  }

  void warning(const QString& title, const QString& prompt) override {
    warnings << box(title, prompt);
  }
  void information(const QString& title, const QString& prompt) override {
    informations << box(title, prompt);
  }
  void beep(const QString& reason) override { beeps << reason; }
  bool putOnClipboard(const QString& line) override {
    clipboard << line;
    return clipboardTakes;
  }
  bool keepClipboardAfterExit() override {
    ++keepCalls;
    return clipboardKept;
  }
  bool previousCopyRunning() override { return previousCopy; }
  QString commandLineText() override {
    ++commandLineReads;
    return commandLine;
  }
  void deliverHiddenResult(const QString& line) override { delivered << line; }
};

}  // namespace pelvorn::test
