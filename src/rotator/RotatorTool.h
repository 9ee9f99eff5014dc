#pragma once

#include "Rotator.h"

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

// Whether `arguments` ask for this tool.
bool IsRotatorTool(const std::vector<std::string>& arguments);

// Stops or parks the antenna of `address` (the option's or the settings
// file's); one German line on `err` either way. Returns 0, or 4 when there
// is no rotator, the arguments are more than the option, or the rotator failed.
int RunRotatorTool(const std::vector<std::string>& arguments, char16_t decimalSeparator,
                   const std::optional<std::string>& address, std::FILE* err);

// Parks the antenna of `address` and says so on `err`; false (after the
// German line) when that failed.
bool ParkOnCommand(const std::string& address, const Options& options, std::FILE* err);

}  // namespace pelvorn::rotator
