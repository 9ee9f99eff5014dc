#pragma once

#include "Rotator.h"
#include "window/Antenna.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace pelvorn::rotator {

// The direction as a result field shows it ("139,74" with ',' as
// `decimalSeparator`). nullopt when the text is no such number.
std::optional<double> DirectionFromCaption(std::u16string_view caption, char16_t decimalSeparator);

// Options whose messages write numbers with `decimalSeparator` (',' where
// that is no ASCII character), with the tuning chosen at start.
Options OptionsFor(char16_t decimalSeparator);

// The configured rotator (rotctld or PstRotator), as the program's start-up makes it
// from the command-line option or the settings file and hands it to the
// form (the hidden run's turn) and to the window (its antenna commands).
class RotatorAntenna final : public Antenna {
public:
  // The antenna for `addressText` (as configured, checked on each command),
  // or null when no rotator is configured.
  static std::unique_ptr<RotatorAntenna> For(const std::optional<std::string>& addressText,
                                             char16_t decimalSeparator);

  RotatorAntenna(std::string addressText, char16_t decimalSeparator)
      : addressText_(std::move(addressText)), decimalSeparator_(decimalSeparator) {}

  const std::string& addressText() const { return addressText_; }
  char16_t decimalSeparator() const { return decimalSeparator_; }

  // Turns and waits until the rotator has taken the command.
  AntennaTurn turnForHiddenRun(std::u16string_view direction) override;

private:
  std::string addressText_;
  char16_t decimalSeparator_;
};

}  // namespace pelvorn::rotator
