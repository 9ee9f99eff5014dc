#pragma once

namespace pelvorn {

// Exit statuses of the program.
enum ExitStatus : int {
  ExitSuccess = 0,     // ordinary run ended by the user, or hidden run with its line delivered
  ExitNoResult = 1,    // hidden run without a result, or whose line did not reach clipboard and stdout
  ExitSecondCopy = 2,  // refused: another copy is already running
  ExitNoDisplay = 3,   // ordinary start without any display
  ExitRotatorFailed = 4,  // hidden run with its line delivered, but the rotator was not turned;
                          // or an unusable --rotator option (then nothing ran)
};

}  // namespace pelvorn
