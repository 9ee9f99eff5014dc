#include "HiddenRunRotator.h"

#include "Rotator.h"
#include "RotatorSettings.h"
#include "RotctlLines.h"

namespace pelvorn::rotator {

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

std::optional<std::string> TurnAntennaForHiddenRun(std::u16string_view directionCaption,
                                                   char16_t decimalSeparator) {
  const auto& configured = ConfiguredRotator();
  if (!configured) return std::nullopt;
  const auto address = ParseAddress(*configured);
  if (!address) return BadAddressMessage(*configured);
  const auto direction = DirectionFromCaption(directionCaption, decimalSeparator);
  if (!direction) return "Keine Richtung, auf die der Rotor gedreht werden k\u00f6nnte.";
  Options options;
  options.decimalSeparator = decimalSeparator < 0x80 ? static_cast<char>(decimalSeparator) : ',';
  Outcome outcome = TurnAntenna(*address, *direction, options);
  if (outcome) return std::nullopt;
  return std::move(outcome.message);
}

}  // namespace pelvorn::rotator
