#include "HiddenRunRotator.h"

#include "Rotator.h"
#include "RotatorSettings.h"
#include "RotctlLines.h"

#include <cstdio>
#include <string>

namespace pelvorn::rotator {
namespace {

void PrintFailure(const std::string& message) {
  const std::string line = "Pelvorn: " + message + "\n";
  std::fwrite(line.data(), 1, line.size(), stderr);
  std::fflush(stderr);
}

}  // namespace

std::optional<double> DirectionFromCaption(std::u16string_view caption, char16_t decimalSeparator) {
  std::string text;
  for (const char16_t c : caption) {
    if (c == decimalSeparator) {
      text += '.';
    } else if ((c >= u'0' && c <= u'9') || c == u' ') {
      text += static_cast<char>(c);
    } else {
      return std::nullopt;
    }
  }
  return ParseNumber(text);
}

bool TurnAntennaAfterHiddenRun(std::u16string_view directionCaption, char16_t decimalSeparator) {
  const auto& configured = ConfiguredRotator();
  if (!configured) return true;
  const auto address = ParseAddress(*configured);
  if (!address) {
    PrintFailure(BadAddressMessage(*configured));
    return false;
  }
  const auto direction = DirectionFromCaption(directionCaption, decimalSeparator);
  if (!direction) {
    PrintFailure("Keine Richtung, auf die der Rotor gedreht werden k\u00f6nnte.");
    return false;
  }
  Options options;
  options.decimalSeparator = static_cast<char>(decimalSeparator < 0x80 ? decimalSeparator : u',');
  const Outcome outcome = TurnAntenna(*address, *direction, options);
  if (!outcome) PrintFailure(outcome.message);
  return static_cast<bool>(outcome);
}

}  // namespace pelvorn::rotator
