// F1 shows the information box; "&Beenden" (also Esc) ends the program.

#include "PelvornWindow.h"

#include "platform/Platform.h"
#include "startup/ExitStatus.h"
#include "window/InfoText.h"

namespace pelvorn {

void PelvornWindow::Form_KeyUp(int keyCode, int /*shift*/) {
  if (keyCode != KeyCodeF1) return;
  platform_.information(InfoTitle, InfoText(lineBreak_));
}

void PelvornWindow::Command1_Click() { endProgram(ExitSuccess); }

}  // namespace pelvorn
