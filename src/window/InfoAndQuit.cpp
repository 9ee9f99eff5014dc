// F1 shows the information box; "&Beenden" (also Esc) ends the program.

#include "PelvornForm.h"

#include "common/ExitStatus.h"
#include "common/Platform.h"
#include "window/InfoText.h"
#include "window/Keys.h"

namespace pelvorn {

void PelvornForm::Form_KeyUp(int keyCode, int /*shift*/) {
  if (keyCode != KeyCodeF1) return;
  platform_.information(InfoTitle, InfoText(lineBreak_));
}

void PelvornForm::Command1_Click() { endProgram(ExitSuccess); }

}  // namespace pelvorn
