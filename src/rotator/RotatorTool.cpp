#include "RotatorTool.h"

#include "RotatorAntenna.h"
#include "common/ExitStatus.h"
#include "common/Text.h"
#include "common/Texts.h"

namespace pelvorn::rotator {
namespace {

void Say(std::FILE* err, std::string_view line) {
  const std::string text = Fill(text::ErrorLine, {line});
  std::fwrite(text.data(), 1, text.size(), err);
  std::fflush(err);
}

bool Carry(const std::string& addressText, rotator::Command command, const Options& options, std::FILE* err) {
  const auto address = ParseAddress(addressText);
  if (!address) {
    Say(err, BadAddressMessage(addressText));
    return false;
  }
  Turn turn;
  const Outcome outcome = CommandAntenna(*address, command, options, turn);
  if (!outcome) {
    Say(err, outcome.message);
  } else if (turn.withinDeadband) {
    Say(err, WithinDeadbandLine(options, *turn.standing, *options.park));
  } else if (command == Command::Stop) {
    Say(err, text::AntennaStopped);
  } else {
    Say(err, text::AntennaParking);
  }
  return static_cast<bool>(outcome);
}

}  // namespace

int RunRotatorTool(rotator::Command command, char16_t decimalSeparator, const std::string& address,
                   std::FILE* err) {
  return Carry(address, command, OptionsFor(decimalSeparator), err) ? ExitSuccess : ExitRotatorFailed;
}

bool ParkOnCommand(const std::string& address, const Options& options, std::FILE* err) {
  return Carry(address, rotator::Command::Park, options, err);
}

}  // namespace pelvorn::rotator
