#include "Main.h"

#include "common/ExitStatus.h"
#include "common/Platform.h"
#include "window/PelvornForm.h"

namespace pelvorn {

int Main(PelvornForm& form, FrontEnd& frontEnd, Platform& platform) {
  form.Form_Load();
  if (form.refusedAtLoad()) return form.exitStatus();
  form.setLineBreak(u"\r\n");
  if (form.hiddenRun()) {
    frontEnd.activateHidden();
  } else {
    frontEnd.showWindow();
  }
  const int status = frontEnd.exec();
  if (status == ExitSuccess && !form.hiddenRun()) {
    // The user may still want to paste the last result.
    platform.keepClipboardAfterExit();
  }
  return status;
}

}  // namespace pelvorn
