#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace pelvorn::rotator {

// The command-line option that names the rotator daemon.
inline constexpr std::string_view RotatorOption = "--rotator";
// The command-line option that sets the dead band in degrees.
inline constexpr std::string_view DeadbandOption = "--deadband";

// How the rotator is turned: the dead band and the park position
// ([Rotator] Deadband= and Park= in the settings file, --deadband).
struct Tuning {
  double deadband = 2.0;
  std::optional<double> park;
};

// A dead band as given: 0 to 90 degrees, decimal point or comma.
std::optional<double> ParseDeadband(std::string_view text);

// The value of `key` in `[section]` of INI text (as QSettings writes it):
// blanks around names and values ignored, section and key names compared
// without regard to case, ';' and '#' lines are comments, a value in double
// quotes loses them. nullopt when the key is absent.
std::optional<std::string> IniValue(std::string_view text, std::string_view section,
                                    std::string_view key);

// The user's settings file: $XDG_CONFIG_HOME/pelvorn/Pelvorn.conf, else
// ~/.config/pelvorn/Pelvorn.conf; on Windows %APPDATA%\pelvorn\Pelvorn.ini.
// Empty when neither the variable nor a home directory is known.
std::filesystem::path SettingsFilePath();

// The rotator address in the settings file (section [Rotator], key
// Address), or nullopt when the file or the key is absent or empty. A
// UTF-8 byte order mark is skipped; a file in UTF-16 gives an
// UnusableAddress naming the file and the encoding.
std::optional<std::string> AddressFromSettingsFile(const std::filesystem::path& path);

// The rotator this process talks to, chosen once at start.
struct RotatorChoice {
  std::optional<std::string> address;  // nullopt: no rotator, no network
  Tuning tuning;
  std::string error;                   // German (UTF-8) when the option is unusable
};

// Chooses the rotator: `option` (the value of --rotator) if given, else the
// settings file's address, else none. With an unusable option `error` says
// why; the program then ends at once with its rotator status.
// With the tuning of the settings file, `deadband` (the value of
// --deadband) over it; an unusable value is an error as well. The process
// keeps the tuning chosen (ChosenTuning).
RotatorChoice ChooseRotator(const std::optional<std::string>& option,
                            const std::optional<std::string>& deadband = std::nullopt);

// Deadband= and Park= of the settings file into `tuning`; the German
// reason when either is no number (the dead band 0 to 90 degrees).
std::string TuningFromSettingsFile(const std::filesystem::path& path, Tuning& tuning);

// The tuning ChooseRotator chose; the defaults before.
const Tuning& ChosenTuning();

}  // namespace pelvorn::rotator
