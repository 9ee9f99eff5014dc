// Loading the window: the guard against a second running copy.

#include "window/PelvornWindow.h"

#include "ApplicationIdentity.h"
#include "platform/Platform.h"
#include "startup/CommandLine.h"
#include "startup/ExitStatus.h"

namespace pelvorn {

void PelvornWindow::Form_Load() {
  if (!platform_.previousCopyRunning()) return;

  // A hidden run may run beside another copy. The sixth field is compared
  // as written: neither trimmed nor case-folded.
  CommandLineValues values;
  ParseCommandLine(platform_.commandLineText(), values, locale_);
  if (values.sixthField == HiddenRunSwitch) return;

  const QString prompt = QStringLiteral("Das Programm zweimal zu aktivieren ist nicht ratsam. ") +
                         QStringLiteral("Wenn Sie diese M\u00f6glichkeit ben\u00f6tigen, so wenden Sie ") +
                         QStringLiteral("sich bitte an den Autor dieser Software.");
  const QString title = QString::fromUtf8(identity::Title) + QStringLiteral(" l\u00e4uft bereits ");
  platform_.warning(title, prompt);
  refusedAtLoad_ = true;
  ended_ = true;
  exitStatus_ = ExitSecondCopy;
}

}  // namespace pelvorn
