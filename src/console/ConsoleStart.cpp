#include "ConsoleStart.h"

#include "common/Arguments.h"
#include "common/ExitStatus.h"
#include "common/Text.h"
#include "common/Texts.h"
#include "console/ConsoleTool.h"
#include "console/ConsoleToolStatus.h"
#include "console/Usage.h"
#include "rotator/RotatorSettings.h"

#include <algorithm>

namespace pelvorn {
namespace {

int Print(std::FILE* out, std::u16string_view text) {
  if (out == nullptr) return ExitNoResult;
  const std::string utf8 = ToUtf8(text);
  const bool written = std::fwrite(utf8.data(), 1, utf8.size(), out) == utf8.size();
  return std::fflush(out) == 0 && written ? ExitSuccess : ExitNoResult;
}

void PrintError(std::FILE* err, const std::string& text) {
  if (err != nullptr) std::fputs(text.c_str(), err);
}

// The options every start takes besides the tools'.
constexpr OptionRule StartOptions[] = {
    {rotator::RotatorOption, OptionValue::Required}, {rotator::DeadbandOption, OptionValue::Required},
    {"--help"}, {"--version"}};

const OptionRule* Find(std::span<const OptionRule> table, std::string_view name) {
  const auto rule = std::find_if(table.begin(), table.end(), [name](const OptionRule& o) { return o.name == name; });
  return rule == table.end() ? nullptr : &*rule;
}

// Any table's rule of `name`.
const OptionRule* FindAnywhere(std::string_view name) {
  if (const OptionRule* rule = Find(StartOptions, name)) return rule;
  for (const ConsoleTool& tool : ConsoleTools()) {
    if (const OptionRule* rule = Find(tool.options, name)) return rule;
  }
  return nullptr;
}

// A first look at the arguments with every table at once, so that the value
// of an option is never taken for an option.
struct Survey {
  std::vector<std::string_view> names;  // the options before "--", in order, unknown ones too
  std::optional<std::string> rotator;   // the last --rotator's value
  bool rotatorWithoutValue = false;
  std::optional<std::string> deadband;  // the last --deadband's value ("" when it has none)
  std::vector<std::string> rest;        // without --rotator, --deadband, their values and the "--" ending the options
};

Survey SurveyArguments(const std::vector<std::string>& arguments) {
  Survey survey;
  bool optionsEnded = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    const std::string_view name = optionsEnded ? std::string_view() : OptionName(argument);
    if (!optionsEnded && argument == "--") {
      optionsEnded = true;
      continue;
    }
    if (name.empty()) {
      survey.rest.push_back(argument);
      continue;
    }
    survey.names.push_back(name);
    const OptionRule* rule = FindAnywhere(name);
    const bool takesNext = rule != nullptr && rule->value == OptionValue::Required && name.size() == argument.size();
    const bool hasNext = takesNext && i + 1 < arguments.size();
    if (name == rotator::RotatorOption) {
      survey.rotatorWithoutValue = takesNext && !hasNext;
      if (name.size() < argument.size()) survey.rotator = argument.substr(name.size() + 1);
      if (hasNext) survey.rotator = arguments[++i];
      continue;
    }
    if (name == rotator::DeadbandOption) {
      survey.deadband = name.size() < argument.size() ? argument.substr(name.size() + 1) : "";
      if (hasNext) survey.deadband = arguments[++i];
      continue;
    }
    survey.rest.push_back(argument);
    if (hasNext) survey.rest.push_back(arguments[++i]);
  }
  return survey;
}

// Chooses the rotator into `request`; false, with the status set, when the option is unusable.
bool ChooseRotator(const Survey& survey, const ConsoleStreams& streams, StartRequest& request) {
  rotator::RotatorChoice choice = rotator::ChooseRotator(survey.rotator, survey.deadband);
  if (survey.rotatorWithoutValue) choice.error = text::RotatorAddressMissing;
  if (!choice.error.empty()) {
    PrintError(streams.err, Fill(text::ErrorLine, {choice.error}));
    request.status = ExitRotatorFailed;
    return false;
  }
  request.rotatorAddress = std::move(choice.address);
  return true;
}

// The reason a `tool` refuses an option of `survey` before it reads them:
// another tool's option, or --rotator for a tool that never turns the antenna.
std::string ForeignOption(const ConsoleTool& tool, const Survey& survey) {
  for (const std::string_view name : survey.names) {
    if (Find(tool.options, name) != nullptr || FindAnywhere(name) == nullptr) continue;
    if (name == rotator::RotatorOption) return Fill(text::RotatorNotWithTool, {tool.trigger});
    return Fill(text::OptionNotWithTool, {name, tool.trigger});
  }
  return {};
}

}  // namespace

std::string JoinArguments(const std::vector<std::string>& arguments) {
  std::string line;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    if (i > 0) line += ' ';
    line += arguments[i];
  }
  return line;
}

StartRequest RunConsoleStart(const std::vector<std::string>& arguments, const NumberLocale& locale,
                             const ConsoleStreams& streams) {
  const Survey survey = SurveyArguments(arguments);
  StartRequest request;
  for (const std::string_view name : survey.names) {
    if (name == "--help") request.status = Print(streams.out, HelpText());
    if (name == "--version") request.status = Print(streams.out, VersionText());
    if (request.status) return request;
  }
  const auto tools = ConsoleTools();
  const auto tool = std::find_if(tools.begin(), tools.end(), [&survey](const ConsoleTool& row) {
    return std::find(survey.names.begin(), survey.names.end(), row.trigger) != survey.names.end();
  });
  if (tool == tools.end() || streams.in == nullptr || streams.out == nullptr || streams.err == nullptr) {
    if (ChooseRotator(survey, streams, request)) request.commandLine = JoinArguments(survey.rest);
    return request;
  }

  ToolOutcome outcome{ForeignOption(*tool, survey)};
  if (outcome.reason.empty() && Find(tool->options, rotator::RotatorOption) != nullptr &&
      !ChooseRotator(survey, streams, request)) {
    return request;
  }
  ReadOptions read;
  if (outcome.reason.empty()) outcome.reason = ReadArguments(arguments, tool->options, read);
  if (outcome.reason.empty()) {
    outcome = tool->run(read, {locale, request.rotatorAddress, streams.in, streams.out, streams.err});
  }
  if (!outcome.reason.empty()) {
    PrintError(streams.err, Fill(text::ErrorLine, {outcome.reason}) + std::string(tool->usage));
    outcome.status = ToolInputUnreadable;
  }
  if (outcome.followingWindow) {
    request.followingWindow = std::move(outcome.followingWindow);
  } else {
    request.status = outcome.status;
  }
  return request;
}

}  // namespace pelvorn
