// The guard against a second running copy, on lock files in a temporary
// directory, and the choice of the private runtime directory it uses.
// (A copy killed with kill -9 leaves no lock behind: tests/e2e/guard_test.sh.)

#include "common/Text.h"
#include "common/Texts.h"
#include "platform/linux/InstanceGuard.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>
#include <memory>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

using pelvorn::InstanceGuard;

namespace {

// The shared lock of a running copy can be refused (ENOLCK), here on demand.
bool refuseSharedLock = false;

// The descriptors of this process's open files whose path ends in `name`.
QList<int> OpenFilesNamed(const QString& name) {
  QList<int> found;
  const QDir descriptors(QStringLiteral("/proc/self/fd"));
  for (const QFileInfo& fd : descriptors.entryInfoList(QDir::AllEntries | QDir::System))
    if (fd.symLinkTarget().endsWith(QLatin1Char('/') + name)) found << fd.fileName().toInt();
  return found;
}

bool CloseOnExec(int fd) { return (fcntl(fd, F_GETFD) & FD_CLOEXEC) != 0; }

// What `action` writes to standard error.
std::string StandardErrorOf(const std::function<void()>& action) {
  QTemporaryFile captured;
  if (!captured.open()) return "no temporary file";
  std::fflush(stderr);
  const int savedError = dup(2);
  dup2(captured.handle(), 2);
  action();
  std::fflush(stderr);
  dup2(savedError, 2);
  close(savedError);
  captured.seek(0);
  return captured.readAll().toStdString();
}

}  // namespace

extern "C" int flock(int fd, int operation) noexcept {
  if (refuseSharedLock && operation == LOCK_SH) {
    errno = ENOLCK;
    return -1;
  }
  return static_cast<int>(syscall(SYS_flock, fd, operation));
}

class tst_InstanceGuard : public QObject {
  Q_OBJECT

private slots:
  void everyRunningCopyCounts() {
    QTemporaryDir directory;
    const std::string path = directory.path().toStdString();
    auto first = std::make_unique<InstanceGuard>(path);
    QVERIFY(!first->previousCopyRunning());
    // No program started from this one inherits the lock.
    const QList<int> locks = OpenFilesNamed(QStringLiteral("pelvorn.lock"));
    QVERIFY(locks.size() == 1 && CloseOnExec(locks.front()));
    auto second = std::make_unique<InstanceGuard>(path);
    QVERIFY(second->previousCopyRunning());
    first.reset();
    auto third = std::make_unique<InstanceGuard>(path);  // the second copy still runs
    QVERIFY(third->previousCopyRunning());
    second.reset();
    QVERIFY(InstanceGuard(path).previousCopyRunning());  // and so does the third
    third.reset();
    QVERIFY(!InstanceGuard(path).previousCopyRunning());  // the last one has gone
  }

  // A copy whose shared lock is refused says that it cannot be seen, and
  // keeps no lock that would block the next copy.
  void refusedSharedLockIsReported() {
    QTemporaryDir directory;
    const std::string path = directory.path().toStdString();
    bool running = true;
    refuseSharedLock = true;
    const std::string said = StandardErrorOf([&] { running = InstanceGuard(path).previousCopyRunning(); });
    refuseSharedLock = false;
    QVERIFY(!running);
    QCOMPARE(said, pelvorn::Fill(pelvorn::text::ErrorLine, {pelvorn::text::LockNotHeld}));
    QVERIFY(!InstanceGuard(path).previousCopyRunning());
  }

  // A copy that becomes another program of ours by exec keeps its lock and
  // its answer; a forged or stale handover is ignored.
  void handoverAcrossExec_data() {
    QTest::addColumn<QString>("passed");  // PELVORN_GUARD; $FD is the lock, $OTHER another file
    QTest::addColumn<bool>("adopted");
    QTest::newRow("the lock and the answer") << QStringLiteral("$FD:1") << true;
    QTest::newRow("not a descriptor of the lock file") << QStringLiteral("$OTHER:1") << false;
    QTest::newRow("no answer") << QStringLiteral("$FD:") << false;
    QTest::newRow("an answer out of range") << QStringLiteral("$FD:2") << false;
  }

  void handoverAcrossExec() {
    QFETCH(QString, passed);
    QFETCH(bool, adopted);
    QTemporaryDir directory;
    const std::string path = directory.path().toStdString();
    // The old guard (its answer "yes", as another copy runs) passes its lock
    // on; the fresh one stands for the new program. Without the exec both
    // live in this process: an adopted lock is closed twice at the end.
    InstanceGuard running(path);
    InstanceGuard old(path);
    QVERIFY(!running.previousCopyRunning() && old.previousCopyRunning());
    old.passToExec();
    QList<int> passedLock = OpenFilesNamed(QStringLiteral("pelvorn.lock"));
    passedLock.removeIf(CloseOnExec);
    QCOMPARE(passedLock.size(), 1);
    QFile other(directory.filePath(QStringLiteral("other")));
    QVERIFY(other.open(QIODevice::WriteOnly));
    passed.replace(QStringLiteral("$FD"), QString::number(passedLock.front()));
    qputenv("PELVORN_GUARD", passed.replace(QStringLiteral("$OTHER"), QString::number(other.handle())).toLatin1());
    InstanceGuard fresh(path);
    QVERIFY(fresh.previousCopyRunning());
    QVERIFY(!qEnvironmentVariableIsSet("PELVORN_GUARD"));
    // Adopted, the lock is the fresh guard's and kept close-on-exec again;
    // else the fresh guard has asked afresh with a lock file of its own.
    QCOMPARE(OpenFilesNamed(QStringLiteral("pelvorn.lock")).size(), adopted ? 2 : 3);
    QCOMPARE(CloseOnExec(passedLock.front()), adopted);
  }

  void privateDirectory_data() {
    // Each place is a path below a temporary directory $T, or empty. In $T:
    // own (0700), open (0755) and foreign (0700, owned by nobody when this
    // runs as root, else a missing path) are directories, link a symbolic
    // link to own, home a home directory (0755), tmp a shared one (1777) and
    // taken another whose pelvorn-<uid> somebody made a link to own.
    // `chosen` is the directory expected, "" for none.
    QTest::addColumn<QStringList>("places");  // runtime, session, home, temporary
    QTest::addColumn<QString>("chosen");
    const QString home = QStringLiteral("home/.cache/pelvorn-host");
    const QString shared = QStringLiteral("tmp/pelvorn-%1").arg(getuid());
    QTest::newRow("runtime private") << QStringList{"own", "open", "home", "tmp"} << "own";
    for (const char* runtime : {"", "open", "link", "foreign", "missing"}) {
      QTest::addRow("runtime %s: session", runtime) << QStringList{runtime, "own", "home", "tmp"} << "own";
    }
    QTest::newRow("no session: home") << QStringList{"", "missing", "home", "tmp"} << home;
    QTest::newRow("session not private: home") << QStringList{"", "open", "home", "tmp"} << home;
    QTest::newRow("no home: shared") << QStringList{"", "", "", "tmp"} << shared;
    QTest::newRow("foreign home: shared") << QStringList{"", "", "foreign", "tmp"} << shared;
    QTest::newRow("relative home: shared") << QStringList{"", "", "relative", "tmp"} << shared;
    QTest::newRow("shared taken by another") << QStringList{"", "", "", "taken"} << "";
    QTest::newRow("nothing") << QStringList{"", "", "", ""} << "";
  }

  void privateDirectory() {
    QFETCH(QStringList, places);
    QFETCH(QString, chosen);
    QTemporaryDir base;
    const QString t = base.path() + QLatin1Char('/');
    for (const auto& [name, mode] : {std::pair{"own", 0700}, {"open", 0755}, {"foreign", 0700}, {"home", 0755},
                                     {"tmp", 01777}, {"taken", 01777}}) {
      QVERIFY(QDir().mkdir(t + name));
      QCOMPARE(chmod(QFile::encodeName(t + name).constData(), static_cast<mode_t>(mode)), 0);
    }
    QVERIFY(QFile::link(t + "own", t + "link"));
    QVERIFY(QFile::link(t + "own", t + QStringLiteral("taken/pelvorn-%1").arg(getuid())));
    if (getuid() != 0 || chown(QFile::encodeName(t + QStringLiteral("foreign")).constData(), 65534, 65534) != 0) {
      QVERIFY(QDir().rmdir(t + QStringLiteral("foreign")));
    }
    const auto at = [&](const QString& place) {
      if (place == QLatin1String("relative")) return QDir().relativeFilePath(t + QStringLiteral("home")).toStdString();
      return place.isEmpty() ? std::string() : (t + place).toStdString();
    };
    const pelvorn::PrivatePlaces where{at(places[0]), at(places[1]), at(places[2]), at(places[3]), "host"};
    QCOMPARE(QString::fromStdString(pelvorn::PrivateDirectory(where)), chosen.isEmpty() ? QString() : t + chosen);
    if (chosen.isEmpty()) return;
    struct stat info {};
    QCOMPARE(lstat(QFile::encodeName(t + chosen).constData(), &info), 0);
    QVERIFY(S_ISDIR(info.st_mode) && info.st_uid == getuid() && (info.st_mode & 07777) == 0700);
  }

  // A directory the guard is given but that is not private: it runs
  // unguarded and says so, rather than trust it.
  void refusesDirectoryNotPrivate() {
    QTemporaryDir base;
    QCOMPARE(chmod(QFile::encodeName(base.path()).constData(), 0755), 0);
    InstanceGuard first(base.path().toStdString());
    const std::string said = StandardErrorOf([&] { QVERIFY(!first.previousCopyRunning()); });
    QCOMPARE(said, pelvorn::Fill(pelvorn::text::ErrorLine, {pelvorn::text::NoPrivateLockDirectory}));
    QVERIFY(!QFile::exists(base.path() + QStringLiteral("/pelvorn.lock")));
  }

  // The places come from the environment; /tmp without TMPDIR.
  void placesOfThisProcess() {
    qputenv("XDG_RUNTIME_DIR", "/r");
    qputenv("HOME", "/h");
    qputenv("TMPDIR", "/t");
    pelvorn::PrivatePlaces places = pelvorn::PrivatePlacesOfThisProcess();
    QCOMPARE(places.runtime + ' ' + places.home + ' ' + places.temporary, std::string("/r /h /t"));
    QCOMPARE(places.session, "/run/user/" + std::to_string(getuid()));
    QVERIFY(!places.host.empty());
    for (const char* name : {"XDG_RUNTIME_DIR", "HOME", "TMPDIR"}) qunsetenv(name);
    places = pelvorn::PrivatePlacesOfThisProcess();
    QCOMPARE(places.runtime + ' ' + places.home + ' ' + places.temporary, std::string("  /tmp"));
  }
};

QTEST_GUILESS_MAIN(tst_InstanceGuard)
#include "InstanceGuardTest.moc"
