#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace pelvorn::rotator {

// The command-line option that names the rotator daemon.
inline constexpr std::string_view RotatorOption = "--rotator";

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

// The rotator this process talks to, chosen once at start.
struct RotatorChoice {
  std::optional<std::string> address;  // nullopt: no rotator, no network
  std::string error;                   // German (UTF-8) when the option is unusable
};

// Chooses the rotator: `option` (the value of --rotator) if given, else the
// settings file's address, else none. With an unusable option `error` says
// why; the program then ends at once with its rotator status.
RotatorChoice ChooseRotator(const std::optional<std::string>& option);

}  // namespace pelvorn::rotator
