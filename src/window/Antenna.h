#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace pelvorn {

// What a hidden run's turn came to: the German failure, if any, and a line
// for standard error all the same (the antenna stood within the dead band).
struct AntennaTurn {
  std::optional<std::u16string> failure;
  std::u16string notice;
};

// The rotator as the window's behaviour sees it. The program's start-up
// hands the form one when a rotator is configured (the rotator client
// implements it); without one the form gets none and nothing touches the
// network.
class Antenna {
public:
  virtual ~Antenna() = default;

  // For a hidden run whose result is out: turns the antenna to `direction`,
  // the text of the direction field (the short path), and waits until the
  // rotator has taken the command.
  virtual AntennaTurn turnForHiddenRun(std::u16string_view direction) = 0;
};

}  // namespace pelvorn
