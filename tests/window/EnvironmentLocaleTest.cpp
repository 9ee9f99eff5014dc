// The locales a hidden run knows without Qt: each has the decimal separator
// that QLocale gives it, and every other locale is left to Qt. The console
// tools, which never start Qt, take any other locale's from the C library.

#include "platform/linux/EnvironmentLocale.h"

#include <QLocale>
#include <QtTest>

using pelvorn::ConsoleNumberLocale;
using pelvorn::KnownNumberLocale;

class tst_EnvironmentLocale : public QObject {
  Q_OBJECT

private slots:
  void agreesWithQt_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("known");
    for (const char* name : {"C", "POSIX", "C.UTF-8", "en", "en_US.UTF-8", "en_GB.utf8", "en_AU",
                             "en_CA", "en_IE", "en_NZ", "en_IN", "de", "de_DE.UTF-8", "de_DE@euro",
                             "de_AT.UTF-8", "de_BE", "de_LU", "de_IT", "de_CH.UTF-8", "de_LI"}) {
      QTest::newRow(name) << QString::fromLatin1(name) << true;
    }
    for (const char* name : {"fr_FR.UTF-8", "en_ZA.UTF-8", "en_DK", "nl_NL", "ru_RU", "deutsch", "en-US"}) {
      QTest::newRow(name) << QString::fromLatin1(name) << false;
    }
  }

  void agreesWithQt() {
    QFETCH(QString, name);
    QFETCH(bool, known);
    const auto locale = KnownNumberLocale(name.toStdString());
    QCOMPARE(locale.has_value(), known);
    if (!known) return;
    // Qt reads the name as the system locale does: without codeset and modifier.
    const QString bare = name.section(QLatin1Char('.'), 0, 0).section(QLatin1Char('@'), 0, 0);
    const QLocale qt(bare == QLatin1String("POSIX") ? QStringLiteral("C") : bare);
    QCOMPARE(QString(QChar(locale->decimalSeparator)), qt.decimalPoint());
  }

  void readsTheEnvironmentInOrder_data() {
    QTest::addColumn<QStringList>("environment");  // LC_ALL, LC_NUMERIC, LANG
    QTest::addColumn<QString>("separator");        // empty: unknown
    QTest::addColumn<QString>("console");          // with no locale installed
    QTest::newRow("LANG") << QStringList{"", "", "de_DE.UTF-8"} << "," << ",";
    QTest::newRow("LC_NUMERIC over LANG") << QStringList{"", "en_US.UTF-8", "de_DE.UTF-8"} << "." << ".";
    QTest::newRow("LC_ALL over both") << QStringList{"de_AT", "en_US.UTF-8", "en_GB"} << "," << ",";
    QTest::newRow("none: C") << QStringList{"", "", ""} << "." << ".";
    QTest::newRow("unknown: left to Qt") << QStringList{"", "fr_FR.UTF-8", "de_DE.UTF-8"} << "" << ".";
  }

  void readsTheEnvironmentInOrder() {
    QFETCH(QStringList, environment);
    QFETCH(QString, separator);
    QFETCH(QString, console);
    // An empty LOCPATH directory: the C library finds no locale installed.
    const QTemporaryDir noLocales;
    qputenv("LOCPATH", noLocales.path().toLocal8Bit());
    const char* const names[] = {"LC_ALL", "LC_NUMERIC", "LANG"};
    for (int i = 0; i < 3; ++i) qputenv(names[i], environment[i].toLatin1());
    const auto locale = KnownNumberLocale();
    QCOMPARE(locale ? QString(QChar(locale->decimalSeparator)) : QString(), separator);
    QCOMPARE(QString(QChar(ConsoleNumberLocale().decimalSeparator)), console);
    qunsetenv("LOCPATH");
  }
};

QTEST_GUILESS_MAIN(tst_EnvironmentLocale)
#include "EnvironmentLocaleTest.moc"
