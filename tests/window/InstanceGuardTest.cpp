// The guard against a second running copy, on lock files in a temporary
// directory, and the choice of the private runtime directory it uses.

#include "common/Text.h"
#include "common/Texts.h"
#include "platform/linux/InstanceGuard.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <functional>
#include <memory>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

using pelvorn::InstanceGuard;

namespace {

// The shared lock of a running copy can be refused (ENOLCK), here on demand.
bool refuseSharedLock = false;

}  // namespace

extern "C" int flock(int fd, int operation) noexcept {
  if (refuseSharedLock && operation == LOCK_SH) {
    errno = ENOLCK;
    return -1;
  }
  return static_cast<int>(syscall(SYS_flock, fd, operation));
}

namespace {

// The descriptors of this process's open files whose path ends in `name`.
QList<int> OpenFilesNamed(const QString& name) {
  QList<int> found;
  const QDir descriptors(QStringLiteral("/proc/self/fd"));
  for (const QFileInfo& fd : descriptors.entryInfoList(QDir::AllEntries | QDir::System))
    if (fd.symLinkTarget().endsWith(QLatin1Char('/') + name)) found << fd.fileName().toInt();
  return found;
}

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
    QVERIFY(locks.size() == 1 && (fcntl(locks.front(), F_GETFD) & FD_CLOEXEC));
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

  void copyKilledNoLongerCounts() {
    QTemporaryDir directory;
    const std::string path = directory.path().toStdString();
    const pid_t child = fork();
    if (child == 0) {
      InstanceGuard guard(path);
      guard.previousCopyRunning();
      pause();
      _exit(0);
    }
    QVERIFY(child > 0);
    {
      // The child is killed and reaped when this block is left, however.
      const auto killer = qScopeGuard([child] {
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
      });
      QTRY_VERIFY(InstanceGuard(path).previousCopyRunning());  // once the child holds its lock
    }
    QVERIFY(!InstanceGuard(path).previousCopyRunning());
  }

  // A copy that becomes another program of ours by exec keeps its lock and
  // its answer; a forged or stale handover is ignored.
  void handoverAcrossExec_data() {
    QTest::addColumn<QString>("passed");  // PELVORN_GUARD; $FD is the lock
    QTest::addColumn<bool>("adopted");
    QTest::newRow("the lock and the answer") << QStringLiteral("$FD:1") << true;
    QTest::newRow("not a descriptor of the lock file") << QStringLiteral("0:1") << false;
    QTest::newRow("no answer") << QStringLiteral("$FD:") << false;
    QTest::newRow("an answer out of range") << QStringLiteral("$FD:2") << false;
  }

  void handoverAcrossExec() {
    QFETCH(QString, passed);
    QFETCH(bool, adopted);
    QTemporaryDir directory;
    const std::string path = directory.path().toStdString();
    InstanceGuard running(path);  // so that the answer to pass on is "yes"
    QVERIFY(!running.previousCopyRunning());
    const pid_t child = fork();
    if (child == 0) {
      // The child stands for the new program: the old guard passes, then a
      // fresh guard takes over. Exit status: 0 adopted with the answer yes
      // and the lock kept close-on-exec, 1 asked afresh, 2 otherwise.
      InstanceGuard old(path);
      if (!old.previousCopyRunning()) _exit(2);
      old.passToExec();
      const QList<int> locks = OpenFilesNamed(QStringLiteral("pelvorn.lock"));
      const int fd = locks.size() == 2 ? locks.back() : -1;
      if (fd < 0 || (fcntl(fd, F_GETFD) & FD_CLOEXEC) != 0) _exit(2);
      qputenv("PELVORN_GUARD", QString(passed).replace(QStringLiteral("$FD"), QString::number(fd)).toLatin1());
      InstanceGuard fresh(path);
      const bool answer = fresh.previousCopyRunning();
      const qsizetype lockFiles = OpenFilesNamed(QStringLiteral("pelvorn.lock")).size();
      if (!answer || qEnvironmentVariableIsSet("PELVORN_GUARD")) _exit(2);
      if (lockFiles == 2 && (fcntl(fd, F_GETFD) & FD_CLOEXEC) != 0) _exit(0);
      _exit(lockFiles == 3 ? 1 : 2);
    }
    QVERIFY(child > 0);
    int status = -1;
    QCOMPARE(waitpid(child, &status, 0), child);
    QVERIFY(WIFEXITED(status));
    QCOMPARE(WEXITSTATUS(status), adopted ? 0 : 1);
  }

  void privateDirectory_data() {
    // Each place is a path below a temporary directory $T, or empty. In $T:
    // own (0700), open (0755) and foreign (0700, owned by nobody when this
    // runs as root, else a missing path) are directories, link a symbolic
    // link to own, home a home directory (0755) and tmp a shared one (1777).
    // `chosen` is the directory expected, "" for none.
    QTest::addColumn<QString>("runtime");
    QTest::addColumn<QString>("session");
    QTest::addColumn<QString>("home");
    QTest::addColumn<QString>("temporary");
    QTest::addColumn<QString>("chosen");
    const QString home = QStringLiteral("home/.cache/pelvorn-host");
    const QString shared = QStringLiteral("tmp/pelvorn-%1").arg(getuid());
    QTest::newRow("runtime private") << "own" << "open" << "home" << "tmp" << "own";
    for (const char* runtime : {"", "open", "link", "foreign", "missing"}) {
      QTest::newRow(qPrintable(QStringLiteral("runtime %1: session").arg(runtime)))
          << runtime << "own" << "home" << "tmp" << "own";
    }
    QTest::newRow("no session: home") << "" << "missing" << "home" << "tmp" << home;
    QTest::newRow("session not private: home") << "" << "open" << "home" << "tmp" << home;
    QTest::newRow("no home: shared") << "" << "" << "" << "tmp" << shared;
    QTest::newRow("foreign home: shared") << "" << "" << "foreign" << "tmp" << shared;
    QTest::newRow("relative home: shared") << "" << "" << "relative" << "tmp" << shared;
    QTest::newRow("nothing") << "" << "" << "" << "" << "";
  }

  void privateDirectory() {
    QFETCH(QString, runtime);
    QFETCH(QString, session);
    QFETCH(QString, home);
    QFETCH(QString, temporary);
    QFETCH(QString, chosen);
    QTemporaryDir base;
    const QString t = base.path() + QLatin1Char('/');
    for (const char* name : {"own", "open", "foreign", "home", "tmp"}) QVERIFY(QDir().mkdir(t + name));
    QVERIFY(QFile::link(t + QStringLiteral("own"), t + QStringLiteral("link")));
    for (const auto& [name, mode] : {std::pair{"own", 0700}, {"open", 0755}, {"foreign", 0700}, {"home", 0755},
                                     {"tmp", 01777}}) {
      QCOMPARE(chmod(QFile::encodeName(t + name).constData(), static_cast<mode_t>(mode)), 0);
    }
    if (getuid() != 0 || chown(QFile::encodeName(t + QStringLiteral("foreign")).constData(), 65534, 65534) != 0) {
      QVERIFY(QDir().rmdir(t + QStringLiteral("foreign")));
    }
    const auto at = [&](const QString& place) {
      if (place == QLatin1String("relative")) return QDir().relativeFilePath(t + QStringLiteral("home")).toStdString();
      return place.isEmpty() ? std::string() : (t + place).toStdString();
    };
    const pelvorn::PrivatePlaces places{at(runtime), at(session), at(home), at(temporary), "host"};
    QCOMPARE(QString::fromStdString(pelvorn::PrivateDirectory(places)), chosen.isEmpty() ? QString() : t + chosen);
    if (chosen.isEmpty()) return;
    struct stat info {};
    QCOMPARE(lstat(QFile::encodeName(t + chosen).constData(), &info), 0);
    QVERIFY(S_ISDIR(info.st_mode) && info.st_uid == getuid() && (info.st_mode & 07777) == 0700);
    // And the guard works in it.
    InstanceGuard first(pelvorn::PrivateDirectory(places));
    QVERIFY(!first.previousCopyRunning());
    QVERIFY(InstanceGuard(pelvorn::PrivateDirectory(places)).previousCopyRunning());
  }

  void sharedFallbackTakenByAnother_data() {
    QTest::addColumn<QString>("occupant");
    QTest::newRow("directory of another user") << QStringLiteral("foreign");
    QTest::newRow("symbolic link") << QStringLiteral("link");
    QTest::newRow("own directory, mode 0755") << QStringLiteral("open");
    QTest::newRow("file") << QStringLiteral("file");
  }

  // /tmp/pelvorn-<uid> occupied by somebody else: the home takes its place;
  // without a home nothing is private and the guard says so.
  void sharedFallbackTakenByAnother() {
    QFETCH(QString, occupant);
    if (occupant == QLatin1String("foreign") && getuid() != 0) QSKIP("needs root to make a directory for another user");
    QTemporaryDir base;
    const QString t = base.path() + QLatin1Char('/');
    QVERIFY(QDir().mkdir(t + QStringLiteral("tmp")) && QDir().mkdir(t + QStringLiteral("home")));
    QCOMPARE(chmod(QFile::encodeName(t + QStringLiteral("tmp")).constData(), 01777), 0);
    const QString shared = t + QStringLiteral("tmp/pelvorn-%1").arg(getuid());
    const QByteArray sharedPath = QFile::encodeName(shared);
    if (occupant == QLatin1String("link")) {
      QVERIFY(QFile::link(t + QStringLiteral("home"), shared));
    } else if (occupant == QLatin1String("file")) {
      QFile file(shared);
      QVERIFY(file.open(QIODevice::WriteOnly));
    } else {
      QCOMPARE(mkdir(sharedPath.constData(), 0755), 0);
      QCOMPARE(chmod(sharedPath.constData(), 0755), 0);
      if (occupant == QLatin1String("foreign")) QCOMPARE(chown(sharedPath.constData(), 65534, 65534), 0);
    }
    pelvorn::PrivatePlaces places{"", "", (t + QStringLiteral("home")).toStdString(), (t + QStringLiteral("tmp")).toStdString(), "host"};
    QCOMPARE(QString::fromStdString(pelvorn::PrivateDirectory(places)), t + QStringLiteral("home/.cache/pelvorn-host"));
    places.home.clear();
    QCOMPARE(QString::fromStdString(pelvorn::PrivateDirectory(places)), QString());
  }

  // A directory the guard is given but that is not private: it runs
  // unguarded and says so, rather than trust it.
  void refusesDirectoryNotPrivate() {
    QTemporaryDir base;
    QCOMPARE(chmod(QFile::encodeName(base.path()).constData(), 0755), 0);
    InstanceGuard first(base.path().toStdString());
    const std::string said = StandardErrorOf([&] { QVERIFY(!first.previousCopyRunning()); });
    QCOMPARE(said, pelvorn::Fill(pelvorn::text::ErrorLine, {pelvorn::text::NoPrivateLockDirectory}));
    QVERIFY(!InstanceGuard(base.path().toStdString()).previousCopyRunning());
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
    qunsetenv("XDG_RUNTIME_DIR");
    qunsetenv("HOME");
    qunsetenv("TMPDIR");
    places = pelvorn::PrivatePlacesOfThisProcess();
    QCOMPARE(places.runtime + ' ' + places.home + ' ' + places.temporary, std::string("  /tmp"));
  }
};

QTEST_GUILESS_MAIN(tst_InstanceGuard)
#include "InstanceGuardTest.moc"
