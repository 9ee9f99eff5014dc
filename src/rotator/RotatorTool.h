#pragma once

#include "Rotator.h"
#include "RotatorSettings.h"
#include "common/Arguments.h"

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Pelvorn --rotator ADDRESS --stop | --park: the antenna alone, without a
// window.
namespace pelvorn::rotator {

inline constexpr std::string_view StopOption = "--stop";
inline constexpr std::string_view ParkOption = "--park";
inline constexpr OptionRule StopArguments[] = {
    {StopOption}, {RotatorOption, OptionValue::Required}, {DeadbandOption, OptionValue::Required}};
inline constexpr OptionRule ParkArguments[] = {
    {ParkOption}, {RotatorOption, OptionValue::Required}, {DeadbandOption, OptionValue::Required}};

// Stops or parks the antenna of `address` (the option's or the settings
// file's); one German line on `err` either way. Returns 0, or 4 when the
// rotator failed.
int RunRotatorTool(Command command, char16_t decimalSeparator, const std::string& address, std::FILE* err);

// Parks the antenna of `address` and says so on `err`; false (after the
// German line) when that failed.
bool ParkOnCommand(const std::string& address, const Options& options, std::FILE* err);

}  // namespace pelvorn::rotator
