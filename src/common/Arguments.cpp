#include "Arguments.h"

#include "common/Text.h"
#include "common/Texts.h"

#include <algorithm>

namespace pelvorn {

bool ReadOptions::has(std::string_view name) const {
  return std::any_of(options.begin(), options.end(), [name](const Given& given) { return given.name == name; });
}

std::optional<std::string> ReadOptions::value(std::string_view name) const {
  for (auto given = options.rbegin(); given != options.rend(); ++given) {
    if (given->name == name && given->value) return given->value;
  }
  return std::nullopt;
}

std::string_view OptionName(std::string_view argument) {
  if (argument.size() <= 2 || !argument.starts_with("--")) return {};
  return argument.substr(0, argument.find('='));
}

std::string ReadArguments(std::span<const std::string> arguments, std::span<const OptionRule> accepted,
                          ReadOptions& read) {
  bool optionsEnded = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (!optionsEnded && argument == "--") {
      optionsEnded = true;
      continue;
    }
    const std::string_view name = optionsEnded ? std::string_view() : OptionName(argument);
    if (name.empty()) {
      read.operands.push_back(argument);
      continue;
    }
    const auto rule = std::find_if(accepted.begin(), accepted.end(),
                                   [name](const OptionRule& option) { return option.name == name; });
    if (rule == accepted.end()) return Fill(text::UnknownOption, {name});
    ReadOptions::Given given{rule->name, std::nullopt};
    if (name.size() < argument.size()) {
      if (rule->value == OptionValue::None) return Fill(text::OptionTakesNoValue, {name});
      given.value = argument.substr(name.size() + 1);
    } else if (rule->value == OptionValue::Required) {
      if (i + 1 == arguments.size()) return Fill(text::OptionWithoutValue, {name});
      given.value = arguments[++i];
    }
    read.options.push_back(std::move(given));
  }
  return {};
}

}  // namespace pelvorn
