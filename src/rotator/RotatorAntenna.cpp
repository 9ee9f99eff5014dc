#include "RotatorAntenna.h"

#include "common/Text.h"
#include "common/Texts.h"
#include "RotctlLines.h"
#include "RotatorSettings.h"

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
  options.deadband = ChosenTuning().deadband;
  options.park = ChosenTuning().park;
  return options;
}

std::unique_ptr<RotatorAntenna> RotatorAntenna::For(const std::optional<std::string>& addressText,
                                                    char16_t decimalSeparator) {
  if (!addressText) return nullptr;
  return std::make_unique<RotatorAntenna>(*addressText, decimalSeparator);
}

AntennaTurn RotatorAntenna::turnForHiddenRun(std::u16string_view direction) {
  const auto address = ParseAddress(addressText_);
  if (!address) return {FromUtf8(BadAddressMessage(addressText_)), {}};
  const auto degrees = DirectionFromCaption(direction, decimalSeparator_);
  if (!degrees) return {FromUtf8(text::NoDirectionToTurnTo), {}};
  const Options options = OptionsFor(decimalSeparator_);
  Turn turn;
  const Outcome outcome = TurnAntenna(*address, *degrees, options, &turn);
  if (!outcome) return {FromUtf8(outcome.message), {}};
  if (!turn.withinDeadband) return {};
  return {std::nullopt, FromUtf8(WithinDeadbandLine(options, *turn.standing, *degrees))};
}

}  // namespace pelvorn::rotator
