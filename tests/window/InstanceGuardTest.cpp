// The guard against a second running copy, on lock files in a temporary
// directory, and the choice of the private runtime directory it uses.

#include "platform/posix/InstanceGuard.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <memory>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using pelvorn::InstanceGuard;

namespace {

// The descriptors of this process's open files whose path ends in `name`.
QList<int> OpenFilesNamed(const QString& name) {
  QList<int> found;
  const QDir descriptors(QStringLiteral("/proc/self/fd"));
  for (const QFileInfo& fd : descriptors.entryInfoList(QDir::AllEntries | QDir::System))
    if (fd.symLinkTarget().endsWith(QLatin1Char('/') + name)) found << fd.fileName().toInt();
  return found;
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

  void privateRuntimeDirectory_data() {
    // XDG_RUNTIME_DIR; $TMP stands for a temporary directory, $REL for the
    // relative path from here to $TMP/runtime.
    QTest::addColumn<QString>("setting");
    QTest::addColumn<int>("mode");         // of $TMP/runtime
    QTest::addColumn<bool>("accepted");
    QTest::newRow("private") << QStringLiteral("$TMP/runtime") << 0700 << true;
    QTest::newRow("group-readable") << QStringLiteral("$TMP/runtime") << 0750 << false;
    QTest::newRow("symbolic link to a private one") << QStringLiteral("$TMP/link") << 0700 << false;
    QTest::newRow("relative") << QStringLiteral("$REL") << 0700 << false;
    QTest::newRow("unset") << QString() << 0700 << false;
  }

  void privateRuntimeDirectory() {
    QFETCH(QString, setting);
    QFETCH(int, mode);
    QFETCH(bool, accepted);
    QTemporaryDir base;
    const QString own = base.path() + QStringLiteral("/runtime");
    QVERIFY(QDir().mkdir(own) && QFile::link(own, base.path() + QStringLiteral("/link")));
    QCOMPARE(chmod(QFile::encodeName(own).constData(), static_cast<mode_t>(mode)), 0);

    // The variable is ours: no other test reads it.
    setting.replace(QStringLiteral("$TMP"), base.path()).replace(QStringLiteral("$REL"), QDir().relativeFilePath(own));
    setting.isNull() ? qunsetenv("XDG_RUNTIME_DIR") : qputenv("XDG_RUNTIME_DIR", QFile::encodeName(setting));
    const QString chosen = QString::fromStdString(pelvorn::PrivateRuntimeDirectory());

    // Otherwise a fallback of our own, private in the same way.
    QCOMPARE(chosen, accepted ? own : QStringLiteral("/tmp/pelvorn-%1").arg(getuid()));
    struct stat info {};
    QCOMPARE(lstat(QFile::encodeName(chosen).constData(), &info), 0);
    QVERIFY(S_ISDIR(info.st_mode) && info.st_uid == getuid() && (info.st_mode & 07777) == 0700);
  }
};

QTEST_GUILESS_MAIN(tst_InstanceGuard)
#include "InstanceGuardTest.moc"
