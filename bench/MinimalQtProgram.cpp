// The yardsticks of startup-benchmark.sh, the least a Qt Widgets program
// does to
//   (no argument)          show a window, put a line on the clipboard and exit;
//   --show WIDTHxHEIGHT    show a window of that size and wait;
//   --show-text WIDTHxHEIGHT  the same with one line of text in it.
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QTimer>
#include <QWidget>

#include <cstring>

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QWidget window;
  const bool text = argc == 3 && std::strcmp(argv[1], "--show-text") == 0;
  if (text || (argc == 3 && std::strcmp(argv[1], "--show") == 0)) {
    const QStringList size = QString::fromLatin1(argv[2]).split(QLatin1Char('x'));
    window.resize(size.value(0).toInt(), size.value(1).toInt());
    if (text) (new QLabel(QStringLiteral("Eigener Locator:"), &window))->adjustSize();
    window.show();
    return QApplication::exec();
  }
  window.resize(386, 98);
  window.show();
  QTimer::singleShot(0, [] {
    QGuiApplication::clipboard()->setText(QStringLiteral("1892,585 km/139,74 \u00b0"));
    QCoreApplication::exit(0);
  });
  return QApplication::exec();
}
