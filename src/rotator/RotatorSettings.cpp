#include "RotatorSettings.h"

#include "common/Texts.h"
#include "RotatorAddress.h"

#include "common/Text.h"
#include "RotctlLines.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <utility>

namespace pelvorn::rotator {
namespace {

bool SameName(std::string_view a, std::string_view b) { return SameAsciiLetters(a, b); }

#ifndef _WIN32
std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value == nullptr ? std::string() : std::string(value);
}
#endif

Tuning& ProcessTuning() {
  static Tuning tuning;
  return tuning;
}

std::optional<std::string> SettingsFileText(const std::filesystem::path& path) {
  if (path.empty()) return std::nullopt;
  std::ifstream file(path, std::ios::binary);
  if (!file) return std::nullopt;
  std::ostringstream text;
  text << file.rdbuf();
  std::string contents = text.str();
  // Notepad saves "UTF-8" with a byte order mark.
  if (contents.starts_with("\xEF\xBB\xBF")) contents.erase(0, 3);
  return contents;
}

std::optional<double> ParseDegrees(std::string_view text) {
  std::string number(text);
  for (char& c : number) {
    if (c == ',') c = '.';
  }
  return ParseNumber(number);
}

}  // namespace

std::optional<double> ParseDeadband(std::string_view text) {
  const auto value = ParseDegrees(text);
  if (!value || *value < 0 || *value > 90) return std::nullopt;
  return value;
}

std::string TuningFromSettingsFile(const std::filesystem::path& path, Tuning& tuning) {
  const auto text = SettingsFileText(path);
  if (!text) return {};
  if (const auto deadband = IniValue(*text, "Rotator", "Deadband"); deadband && !deadband->empty()) {
    const auto value = ParseDeadband(*deadband);
    if (!value) return Fill(text::BadDeadband, {*deadband});
    tuning.deadband = *value;
  }
  if (const auto park = IniValue(*text, "Rotator", "Park"); park && !park->empty()) {
    tuning.park = ParseDegrees(*park);
    if (!tuning.park) return Fill(text::BadPark, {*park});
  }
  return {};
}

const Tuning& ChosenTuning() { return ProcessTuning(); }

std::optional<std::string> IniValue(std::string_view text, std::string_view section,
                                    std::string_view key) {
  bool inSection = false;
  std::optional<std::string> value;
  while (!text.empty()) {
    const auto end = text.find('\n');
    std::string_view line = TrimAscii(text.substr(0, end));
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    if (line.empty() || line.front() == ';' || line.front() == '#') continue;
    if (line.front() == '[') {
      const auto close = line.find(']');
      inSection = close != std::string_view::npos && SameName(TrimAscii(line.substr(1, close - 1)), section);
      continue;
    }
    const auto equals = line.find('=');
    if (!inSection || equals == std::string_view::npos) continue;
    if (!SameName(TrimAscii(line.substr(0, equals)), key)) continue;
    std::string_view found = TrimAscii(line.substr(equals + 1));
    if (found.size() >= 2 && found.front() == '"' && found.back() == '"') {
      found = found.substr(1, found.size() - 2);
    }
    value = std::string(found);  // the last one counts, as in QSettings
  }
  return value;
}

std::filesystem::path SettingsFilePath() {
#ifdef _WIN32
  // Wide, so that a user name outside the ANSI code page does no harm.
  const wchar_t* appData = _wgetenv(L"APPDATA");
  if (appData == nullptr || *appData == L'\0') return {};
  return std::filesystem::path(appData) / L"pelvorn" / L"Pelvorn.ini";
#else
  std::string base = Environment("XDG_CONFIG_HOME");
  if (base.empty() || base.front() != '/') {
    const std::string home = Environment("HOME");
    if (home.empty()) return {};
    base = home + "/.config";
  }
  return base + "/pelvorn/Pelvorn.conf";
#endif
}

std::optional<std::string> AddressFromSettingsFile(const std::filesystem::path& path) {
  const auto text = SettingsFileText(path);
  if (!text) return std::nullopt;
  // Notepad's "Unicode" is UTF-16.
  for (const auto& [mark, encoding] : {std::pair{"\xFF\xFE", "UTF-16 LE"}, std::pair{"\xFE\xFF", "UTF-16 BE"}}) {
    if (text->starts_with(mark)) {
      const std::u8string name = path.u8string();
      return UnusableAddress(Fill(text::SettingsFileNotUtf8, {std::string(name.begin(), name.end()), encoding}));
    }
  }
  auto value = IniValue(*text, "Rotator", "Address");
  if (value && value->empty()) return std::nullopt;
  return value;
}

RotatorChoice ChooseRotator(const std::optional<std::string>& option, const std::optional<std::string>& deadband) {
  RotatorChoice choice;
  const std::filesystem::path settings = SettingsFilePath();
  if (!option) {
    choice.address = AddressFromSettingsFile(settings);
  } else if (!ParseAddress(*option)) {
    choice.error = BadAddressMessage(*option);
  } else {
    choice.address = *option;
  }
  if (choice.error.empty()) choice.error = TuningFromSettingsFile(settings, choice.tuning);
  if (choice.error.empty() && deadband) {
    const auto value = ParseDeadband(*deadband);
    if (value) {
      choice.tuning.deadband = *value;
    } else {
      choice.error = Fill(text::BadDeadband, {*deadband});
    }
  }
  if (choice.error.empty()) ProcessTuning() = choice.tuning;
  return choice;
}

}  // namespace pelvorn::rotator
