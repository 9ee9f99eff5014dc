// The first activation of the window: caption, empty fields, and the run
// the command line asks for.

#include "window/PelvornWindow.h"

#include "ApplicationIdentity.h"
#include "locator/RuntimeError.h"
#include "platform/Platform.h"
#include "startup/Blanks.h"
#include "startup/CommandLine.h"
#include "startup/ExitStatus.h"

#include <QLabel>
#include <QLineEdit>

#include <limits>

namespace pelvorn {
namespace {

QString Caption() {
  return QStringLiteral(" %1  V %2.%3.%4")
      .arg(QString::fromUtf8(identity::ProductName))
      .arg(identity::Major)
      .arg(identity::Minor)
      .arg(identity::Revision);
}


// A number the command line did not give is out of every range, so the pair
// it belongs to earns the warning of that coordinate.
double OrUnread(const std::optional<double>& number) {
  return number.value_or(std::numeric_limits<double>::quiet_NaN());
}

}  // namespace

void PelvornWindow::Form_Activate() {
  setWindowTitle(Caption());
  Text1->setText(QString());
  Text2->setText(QString());
  Entfernung->setText(QString());
  Richtung->setText(QString());

  CommandLineValues values;
  const QString mode = ParseCommandLine(platform_.commandLineText(), values, locale_);
  visibilityParam_ = TrimBlanks(values.sixthField);
  setVisible(visibilityParam_ != HiddenRunSwitch);

  runCommandLine(mode, values);

  // A hidden run whose result never came out ends here, after its beep or
  // its last message box.
  if (!ended_ && visibilityParam_ == HiddenRunSwitch) endProgram(ExitNoResult);
}

void PelvornWindow::runCommandLine(const QString& mode, const CommandLineValues& values) {
  if (mode.isEmpty()) return;
  if (mode == QLatin1String("L")) {
    Text1->setText(values.ownLocator);
    Text2->setText(values.foreignLocator);
    Command2_Click();
    return;
  }
  if (mode != QLatin1String("G")) {
    platform_.warning(QStringLiteral(" Falsche Parameterbezeichnung "),
                      QStringLiteral("Es ist nur L oder G m\u00f6glich!"));
    return;
  }
  const double ownLatitude = OrUnread(values.ownLatitude);
  const double foreignLatitude = OrUnread(values.foreignLatitude);
  const double ownLongitude = OrUnread(values.ownLongitude);
  const double foreignLongitude = OrUnread(values.foreignLongitude);
  const std::string own = DegreesToLocator(ownLongitude, ownLatitude, *this);
  Text1->setText(QString::fromStdString(own));
  const std::string foreign = DegreesToLocator(foreignLongitude, foreignLatitude, *this);
  Text2->setText(QString::fromStdString(foreign));
  if (own.empty() || foreign.empty()) return;
  try {
    ShowDistanceDirection(ownLatitude, foreignLatitude, ownLongitude, foreignLongitude,
                          visibilityParam_, *this, locale_);
  } catch (const RuntimeError&) {
    // The numbers are finite and in range; a failing clipboard is the one
    // fault left, and the run then ends without a result.
  }
}

}  // namespace pelvorn
