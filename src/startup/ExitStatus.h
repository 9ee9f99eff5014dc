#pragma once

namespace pelvorn {

// Exit statuses of the program.
enum ExitStatus : int {
  ExitSuccess = 0,         // ordinary run ended by the user, or hidden run with its result out
  ExitNoResult = 1,        // hidden run that produced no result
  ExitSecondCopy = 2,      // refused: another copy is already running
  ExitNoDisplay = 3,       // ordinary start without any display
};

}  // namespace pelvorn
