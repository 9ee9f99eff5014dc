// The guard against a second running copy, on lock files in a temporary
// directory, and the choice of the private runtime directory it uses.

#include "startup/InstanceGuard.h"

#include <QTemporaryDir>
#include <QtTest>

#include <climits>
#include <csignal>
#include <memory>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using pelvorn::InstanceGuard;

namespace {

// The open files of this process whose path ends in `name`, as descriptors.
QList<int> OpenFilesNamed(const QString& name) {
  QList<int> found;
  for (int fd = 0; fd < 1024; ++fd) {
    char target[PATH_MAX] = {};
    const std::string link = "/proc/self/fd/" + std::to_string(fd);
    const ssize_t length = readlink(link.c_str(), target, sizeof target - 1);
    if (length > 0 && QString::fromLocal8Bit(target, length).endsWith(QLatin1Char('/') + name)) {
      found << fd;
    }
  }
  return found;
}

// Kills and reaps a child process when the test leaves, however it leaves.
struct ChildKiller {
  pid_t pid;
  ~ChildKiller() {
    if (pid <= 0) return;
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
  }
};

}  // namespace

class tst_InstanceGuard : public QObject {
  Q_OBJECT

private slots:
  void everyRunningCopyCounts() {
    QTemporaryDir directory;
    const std::string path = directory.path().toStdString();
    auto first = std::make_unique<InstanceGuard>(path);
    QVERIFY(!first->previousCopyRunning());
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

  void copyKilledNoLongerCounts() {
    QTemporaryDir directory;
    const std::string path = directory.path().toStdString();
    int ready[2];
    QCOMPARE(pipe(ready), 0);
    ChildKiller child{fork()};
    QVERIFY(child.pid >= 0);
    if (child.pid == 0) {
      close(ready[0]);
      InstanceGuard guard(path);
      const char answer = guard.previousCopyRunning() ? 'y' : 'n';
      if (write(ready[1], &answer, 1) != 1) _exit(1);
      pause();
      _exit(0);
    }
    close(ready[1]);
    char answer = 0;
    QCOMPARE(read(ready[0], &answer, 1), ssize_t(1));
    close(ready[0]);
    QCOMPARE(answer, 'n');
    QVERIFY(InstanceGuard(path).previousCopyRunning());

    QCOMPARE(kill(child.pid, SIGKILL), 0);
    int status = 0;
    QCOMPARE(waitpid(child.pid, &status, 0), child.pid);
    child.pid = 0;
    QVERIFY(WIFSIGNALED(status));
    QVERIFY(!InstanceGuard(path).previousCopyRunning());
  }

  // No program started from this one inherits the lock; the gate is held
  // only while probing.
  void lockFileClosedOnExec() {
    QTemporaryDir directory;
    {
      InstanceGuard guard(directory.path().toStdString());
      QVERIFY(!guard.previousCopyRunning());
      const QList<int> locks = OpenFilesNamed(QStringLiteral("pelvorn.lock"));
      QCOMPARE(locks.size(), 1);
      QVERIFY(fcntl(locks.front(), F_GETFD) & FD_CLOEXEC);
      QVERIFY(OpenFilesNamed(QStringLiteral("pelvorn.gate")).isEmpty());
    }
    QVERIFY(OpenFilesNamed(QStringLiteral("pelvorn.lock")).isEmpty());
  }

  void privateRuntimeDirectory_data() {
    QTest::addColumn<QString>("setting");  // what XDG_RUNTIME_DIR names
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("private") << QStringLiteral("dir") << 0700 << true;
    QTest::newRow("world-writable") << QStringLiteral("dir") << 0777 << false;
    QTest::newRow("world-writable, sticky") << QStringLiteral("dir") << 01777 << false;
    QTest::newRow("group-readable") << QStringLiteral("dir") << 0750 << false;
    QTest::newRow("symbolic link to a private one") << QStringLiteral("link") << 0700 << false;
    QTest::newRow("relative") << QStringLiteral("relative") << 0700 << false;
    QTest::newRow("missing") << QStringLiteral("missing") << 0700 << false;
    QTest::newRow("unset") << QStringLiteral("unset") << 0700 << false;
  }

  void privateRuntimeDirectory() {
    QFETCH(QString, setting);
    QFETCH(int, mode);
    QFETCH(bool, accepted);
    QTemporaryDir base;
    const QString own = base.path() + QStringLiteral("/runtime");
    QVERIFY(QDir().mkdir(own));
    QCOMPARE(chmod(QFile::encodeName(own).constData(), static_cast<mode_t>(mode)), 0);
    const QString link = base.path() + QStringLiteral("/link");
    QVERIFY(QFile::link(own, link));

    const QByteArray saved = qgetenv("XDG_RUNTIME_DIR");
    const bool wasSet = qEnvironmentVariableIsSet("XDG_RUNTIME_DIR");
    if (setting == QLatin1String("dir")) qputenv("XDG_RUNTIME_DIR", QFile::encodeName(own));
    if (setting == QLatin1String("link")) qputenv("XDG_RUNTIME_DIR", QFile::encodeName(link));
    if (setting == QLatin1String("relative")) qputenv("XDG_RUNTIME_DIR", "runtime");
    if (setting == QLatin1String("missing")) qputenv("XDG_RUNTIME_DIR", QFile::encodeName(own + "/gone"));
    if (setting == QLatin1String("unset")) qunsetenv("XDG_RUNTIME_DIR");
    const QString chosen = QString::fromStdString(pelvorn::PrivateRuntimeDirectory());
    wasSet ? qputenv("XDG_RUNTIME_DIR", saved) : qunsetenv("XDG_RUNTIME_DIR");

    if (accepted) {
      QCOMPARE(chosen, own);
      return;
    }
    QCOMPARE(chosen, QStringLiteral("/tmp/pelvorn-%1").arg(getuid()));
    struct stat info {};
    QCOMPARE(lstat(QFile::encodeName(chosen).constData(), &info), 0);
    QVERIFY(S_ISDIR(info.st_mode));
    QCOMPARE(info.st_uid, getuid());
    QCOMPARE(info.st_mode & 07777, mode_t(0700));
  }
};

QTEST_APPLESS_MAIN(tst_InstanceGuard)
#include "InstanceGuardTest.moc"
