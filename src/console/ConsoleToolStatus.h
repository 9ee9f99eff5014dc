#pragma once

namespace pelvorn {

// Exit statuses of the command-line tools (--batch, --tsv, --edi).
enum ConsoleToolStatus : int {
  ToolSuccess = 0,          // every line gave a result / everything the log claims matches
  ToolSomeDiffer = 1,       // some line gave no result / something differs or cannot be checked
  ToolInputUnreadable = 2,  // an input could not be read (or is no EDI log), or an output not written
};

}  // namespace pelvorn
