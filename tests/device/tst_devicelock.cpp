// SPDX-License-Identifier: GPL-2.0-or-later
// The lock on the mouse: where its file lives, a second process that waits
// and then gives up with a clear message, and re-entry within one process.
#include "device/DeviceLock.h"

#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString kPath = QStringLiteral("/dev/hidraw3");

// The same path taken from another process (this executable, see main).
int tryFromAnotherProcess()
{
    return QProcess::execute(QCoreApplication::applicationFilePath(), {"--try", kPath});
}

int modeOf(const QString &path)
{
    struct stat st
    {
    };
    ::stat(QFile::encodeName(path).constData(), &st);
    return st.st_mode & 0777;
}

} // namespace

class TestDeviceLock : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        ::chmod(QFile::encodeName(runtime.path()).constData(), 0700);
        qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
    }
    void lockFilesLiveInAPrivateFolder();
    void aSecondProcessWaitsThenGivesUpClearly();
    void reentrantWithinOneProcessExclusiveAcrossProcesses();

private:
    QTemporaryDir runtime;
};

void TestDeviceLock::lockFilesLiveInAPrivateFolder()
{
    DeviceLock a(kPath), b(QStringLiteral("sim:0:1"));
    QVERIFY(a.acquire(0) && b.acquire(0));
    QCOMPARE(QFileInfo(a.fileName()).absolutePath(), runtime.path());
    QVERIFY(a.fileName() != b.fileName());
    QVERIFY(!DeviceLock::baseNameFor(QStringLiteral("../../x")).contains(QLatin1Char('/')));

    // A runtime folder that others may enter is passed over for our own.
    QTemporaryDir tmp;
    qputenv("TMPDIR", tmp.path().toLocal8Bit());
    ::chmod(QFile::encodeName(runtime.path()).constData(), 0755);
    const QString own = DeviceLock::directory();
    QCOMPARE(own, tmp.path() + QStringLiteral("/kestrel-talon-%1").arg(::geteuid()));
    QCOMPARE(modeOf(own), 0700);
    DeviceLock c(kPath);
    QVERIFY(c.acquire(0));
    c.release();

    // When ours is open to others too, nothing is locked and the message says where.
    ::chmod(QFile::encodeName(own).constData(), 0777);
    QVERIFY(!c.acquire(0));
    QVERIFY2(c.errorString().contains(own), qPrintable(c.errorString()));
    qunsetenv("TMPDIR");
}

void TestDeviceLock::aSecondProcessWaitsThenGivesUpClearly()
{
    QProcess holder;
    holder.start(QCoreApplication::applicationFilePath(), {"--hold", kPath});
    QVERIFY(holder.waitForReadyRead(10000));
    QCOMPARE(holder.readLine().trimmed(), QByteArray("held"));

    DeviceLock lock(kPath);
    QVERIFY(!lock.acquire(200));
    QCOMPARE(lock.errorString(),
             QStringLiteral("the mouse is in use by tst_devicelock (process %1); gave up waiting "
                            "after 0.2 s")
                 .arg(holder.processId()));

    holder.closeWriteChannel(); // it lets go a little later, while we wait
    QVERIFY(lock.acquire(10000));
    QVERIFY(holder.waitForFinished(10000));
}

void TestDeviceLock::reentrantWithinOneProcessExclusiveAcrossProcesses()
{
    DeviceLock outer(kPath);
    QVERIFY(outer.acquire(0));
    {
        DeviceLock inner(kPath); // a command that locks for itself inside a sequence
        QVERIFY(inner.acquire(0));
    }
    QCOMPARE(tryFromAnotherProcess(), 1);
    outer.release();
    QCOMPARE(tryFromAnotherProcess(), 0);
}

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc == 3 && std::strcmp(argv[1], "--try") == 0)
        return DeviceLock(QString::fromLocal8Bit(argv[2])).acquire(100) ? 0 : 1;
    if (argc == 3 && std::strcmp(argv[1], "--hold") == 0) {
        DeviceLock lock(QString::fromLocal8Bit(argv[2]));
        if (!lock.acquire(5000))
            return 1;
        std::printf("held\n");
        std::fflush(stdout);
        while (std::getchar() != EOF) {
        }
        QThread::msleep(200);
        return 0;
    }
    TestDeviceLock test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_devicelock.moc"
