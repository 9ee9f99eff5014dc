#include "RotctldAntenna.h"

#include "common/Text.h"
#include "common/Texts.h"
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

Options OptionsFor(char16_t decimalSeparator) {
  Options options;
  options.decimalSeparator = decimalSeparator < 0x80 ? static_cast<char>(decimalSeparator) : ',';
  return options;
}

std::unique_ptr<RotctldAntenna> RotctldAntenna::For(const std::optional<std::string>& addressText,
                                                    char16_t decimalSeparator) {
  if (!addressText) return nullptr;
  return std::make_unique<RotctldAntenna>(*addressText, decimalSeparator);
}

std::optional<std::u16string> RotctldAntenna::turnForHiddenRun(std::u16string_view direction) {
  const auto address = ParseAddress(addressText_);
  if (!address) return FromUtf8(BadAddressMessage(addressText_));
  const auto degrees = DirectionFromCaption(direction, decimalSeparator_);
  if (!degrees) return FromUtf8(text::NoDirectionToTurnTo);
  Outcome outcome = TurnAntenna(*address, *degrees, OptionsFor(decimalSeparator_));
  if (outcome) return std::nullopt;
  return FromUtf8(outcome.message);
}

}  // namespace pelvorn::rotator
