#pragma once

#include "locator/DegreesToLocator.h"
#include "locator/ResultPresentation.h"

#include <QLocale>
#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;

namespace pelvorn {

class Platform;

// The program's one window "Pelvorn": two locator boxes, the distance and
// direction fields and three buttons. Creating it runs Form_Load (the
// single-instance guard); its first showing runs Form_Activate (the command
// line) once.
class PelvornWindow : public QWidget, private ResultView, private CoordinateWarnings {
  Q_OBJECT

public:
  explicit PelvornWindow(Platform& platform, const QLocale& locale = QLocale(),
                         QWidget* parent = nullptr);
  ~PelvornWindow() override;

  // The Calculate action ("&Rechnen").
  void Command2_Click();

  // Whether Form_Load refused this copy; the program then ends at once.
  bool refusedAtLoad() const { return refusedAtLoad_; }
  // The exit status once the program has ended itself (hidden run, refusal).
  int exitStatus() const { return exitStatus_; }

  // Runs the first activation without showing the window: a hidden run
  // would hide it again at once, and drawing it costs start-up time.
  void activateOnce();

  void setLineBreak(const QString& lineBreak) { lineBreak_ = lineBreak; }
  const QString& visibilityParam() const { return visibilityParam_; }

  QLineEdit* Text1 = nullptr;
  QLineEdit* Text2 = nullptr;
  QLabel* Entfernung = nullptr;
  QLabel* Richtung = nullptr;
  QPushButton* Command1 = nullptr;
  QPushButton* Command2 = nullptr;
  QPushButton* Command3 = nullptr;

  void setVisible(bool visible) override;

protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  void Command1_Click();
  void Form_Activate();
  void Form_KeyUp(int keyCode, int shift);
  void Form_Load();

  void buildControls();
  void layOut();
  void bindKeys();
  void runCommandLine(const QString& mode, const struct CommandLineValues& values);
  void pressDefaultOrFocusedButton();
  void endProgram(int status);
  bool normaliseBox(QLineEdit* box, QString& text);

  // ResultView
  void setDistanceCaption(const QString& text) override;
  QString distanceCaption() const override;
  void setDirectionCaption(const QString& text) override;
  QString directionCaption() const override;
  void publishResultLine(const QString& line) override;
  void showWithForeignLocatorFocused() override;
  void endHiddenRun() override;

  // CoordinateWarnings
  void Warn(std::string_view title, std::string_view prompt) override;

  Platform& platform_;
  QLocale locale_;
  QString lineBreak_;
  QString visibilityParam_;
  QString resultLine_;
  bool activated_ = false;
  bool laidOut_ = false;
  bool ended_ = false;
  bool refusedAtLoad_ = false;
  int exitStatus_ = 0;
};

// Virtual-key code of F1, as Form_KeyUp receives it.
inline constexpr int KeyCodeF1 = 112;

}  // namespace pelvorn
