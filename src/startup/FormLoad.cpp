// Loading the window: the guard against a second running copy.

#include "window/PelvornForm.h"

#include "ApplicationIdentity.h"
#include "common/ExitStatus.h"
#include "common/Platform.h"
#include "common/Text.h"

namespace pelvorn {

void PelvornForm::Form_Load() {
  if (!platform_.previousCopyRunning()) return;

  // A hidden run may run beside another copy.
  if (IsHiddenRun(command_)) return;

  const std::u16string prompt = u"Das Programm zweimal zu aktivieren ist nicht ratsam. "
                                u"Wenn Sie diese M\u00f6glichkeit ben\u00f6tigen, so wenden Sie "
                                u"sich bitte an den Autor dieser Software.";
  const std::u16string title = FromUtf8(identity::Title) + u" l\u00e4uft bereits ";
  platform_.warning(title, prompt);
  refusedAtLoad_ = true;
  ended_ = true;
  exitStatus_ = ExitSecondCopy;
}

}  // namespace pelvorn
