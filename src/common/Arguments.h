#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The one reader of options for every console tool and --follow, in GNU
// habits: options stand anywhere, as "--opt value" or "--opt=value"; "--"
// ends the options; "-" and every argument that does not start with "--"
// is an operand. Each tool states the options it takes in a table.

namespace pelvorn {

enum class OptionValue {
  None,      // a flag: "--tsv"
  Required,  // "--own JO62MM" or "--own=JO62MM"
  Optional,  // only as "--turn=long"; "--turn" alone has no value
};

struct OptionRule {
  std::string_view name;  // with its dashes: "--own"
  OptionValue value = OptionValue::None;
};

// What a reader found, in the order given.
struct ReadOptions {
  struct Given {
    std::string_view name;              // the table's name
    std::optional<std::string> value;  // nullopt for a flag, and an Optional given without "="
  };
  std::vector<Given> options;
  std::vector<std::string> operands;

  // Whether `name` was given at least once.
  bool has(std::string_view name) const;
  // The value of the last `name` given with a value; nullopt when none was.
  std::optional<std::string> value(std::string_view name) const;
};

// Reads `arguments` (UTF-8, without the program's name) against `accepted`.
// Returns the German reason (UTF-8) for an option not in the table, a
// Required one without a value, or a value given to a flag; else the empty
// text, with what was read in `read`.
std::string ReadArguments(std::span<const std::string> arguments, std::span<const OptionRule> accepted,
                          ReadOptions& read);

// The name of `argument` as an option: "--own=x" gives "--own", "--tsv"
// gives "--tsv"; empty for an operand ("-", "x", "--" itself).
std::string_view OptionName(std::string_view argument);

}  // namespace pelvorn
