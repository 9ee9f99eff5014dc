#pragma once

// The platform of the unit tests: it shows nothing and records every
// request. Boxes are recorded as "title|prompt".

#include "window/Platform.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pelvorn::testing {

using Texts = std::vector<std::u16string>;

class RecordingPlatform : public Platform {
public:
  bool previousCopy = false, clipboardTakes = true, stdoutTakes = true;
  // The reasons of beeps, every line offered to the clipboard (taken or
  // not), the lines written to stdout and stderr.
  Texts warnings, informations, beeps, clipboard, delivered, errors;
  int keepCalls = 0;
  std::optional<int> endedWith;
  // Called at the program's end, e.g. to leave a toolkit's event loop.
  std::function<void(int)> onEnd;

  static std::u16string box(std::u16string_view title, std::u16string_view prompt) {
    return std::u16string(title) + u'|' + std::u16string(prompt);
  }
  void warning(std::u16string_view title, std::u16string_view prompt) override { warnings.push_back(box(title, prompt)); }
  void information(std::u16string_view title, std::u16string_view prompt) override {
    informations.push_back(box(title, prompt));
  }
  void beep(std::u16string_view reason) override { beeps.emplace_back(reason); }
  bool putOnClipboard(std::u16string_view line) override {
    clipboard.emplace_back(line);
    return clipboardTakes;
  }
  bool keepClipboardAfterExit() override {
    ++keepCalls;
    return true;
  }
  bool previousCopyRunning() override { return previousCopy; }
  bool deliverHiddenResult(std::u16string_view line) override {
    delivered.emplace_back(line);
    return stdoutTakes;
  }
  void printError(std::u16string_view line) override { errors.emplace_back(line); }
  void endProgram(int status) override {
    endedWith = status;
    if (onEnd) onEnd(status);
  }
};

}  // namespace pelvorn::testing
