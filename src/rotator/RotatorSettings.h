#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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

// What the front of the command line said about the rotator.
struct OptionOnCommandLine {
  bool given = false;         // "--rotator X" or "--rotator=X" was there
  std::string value;          // X
  std::string error;          // German message when the option is unusable
};

// Takes "--rotator HOST[:PORT]" or "--rotator=HOST[:PORT]" off the front of
// `arguments` (UTF-8, without the program name); the rest is the program's
// ";" command line. Sets `error` when the address is missing or malformed.
OptionOnCommandLine TakeRotatorOption(std::vector<std::string>& arguments);

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
// Address), or nullopt when the file or the key is absent or empty.
std::optional<std::string> AddressFromSettingsFile(const std::filesystem::path& path);

// Deadband= and Park= of the settings file into `tuning`; the German
// reason when either is no number (the dead band 0 to 90 degrees).
std::string TuningFromSettingsFile(const std::filesystem::path& path, Tuning& tuning);

// The rotator this process talks to, chosen once at start.
struct RotatorChoice {
  std::optional<std::string> address;  // nullopt: no rotator, no network
  Tuning tuning;
  std::string error;                   // German (UTF-8) when the option is unusable
};

// The tuning ChooseRotator chose; the defaults before.
const Tuning& ChosenTuning();

// Takes the options (--rotator, --deadband) off the front of `arguments`
// and chooses the rotator: the option's address if given, else the
// settings file's, else none; the tuning of the file, with --deadband over
// it. With an unusable option or tuning `error` says why; the program then
// ends at once with its rotator status.
RotatorChoice ChooseRotator(std::vector<std::string>& arguments);

}  // namespace pelvorn::rotator
