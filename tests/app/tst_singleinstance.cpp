// SPDX-License-Identifier: GPL-2.0-or-later
// The single-instance socket against another user on the machine: it lives
// where only its user may go, a socket someone left at its path does not
// keep the program from listening, and neither end talks to a process of
// another user.
#include "app/SingleInstance.h"

#include <QLocalSocket>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <cstring>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

constexpr uid_t kOtherUser = 65534;

// Another user's process at `path` (forked, as kOtherUser): a server that
// squats the path, or a client that sends to it. Returns what the server
// received, or whether the client got its message through, over a pipe.
struct OtherUser
{
    pid_t pid = -1;
    int result = -1;

    static OtherUser squat(const QString &path)
    {
        OtherUser o;
        int ready[2], done[2];
        if (pipe(ready) != 0 || pipe(done) != 0)
            return o;
        o.pid = fork();
        if (o.pid == 0) {
            const int s = socket(AF_UNIX, SOCK_STREAM, 0);
            sockaddr_un a{};
            a.sun_family = AF_UNIX;
            std::strncpy(a.sun_path, QFile::encodeName(path).constData(), sizeof a.sun_path - 1);
            unlink(a.sun_path);
            // Bound while root may, listening as the other user: that user's
            // credentials are the server's.
            if (bind(s, reinterpret_cast<sockaddr *>(&a), sizeof a) != 0 ||
                setresuid(kOtherUser, kOtherUser, kOtherUser) != 0 || listen(s, 4) != 0)
                _exit(2);
            char c = 'r';
            (void)!write(ready[1], &c, 1);
            pollfd p{s, POLLIN, 0};
            int got = 0;
            if (poll(&p, 1, 3000) == 1) {
                const int peer = accept(s, nullptr, nullptr);
                char buffer[256];
                pollfd q{peer, POLLIN, 0};
                while (poll(&q, 1, 1000) == 1) {
                    const ssize_t n = read(peer, buffer, sizeof buffer);
                    if (n <= 0)
                        break;
                    got += int(n);
                }
            }
            (void)!write(done[1], &got, sizeof got);
            _exit(0);
        }
        char c;
        (void)!read(ready[0], &c, 1);
        o.result = done[0];
        return o;
    }

    static OtherUser send(const QString &path)
    {
        OtherUser o;
        int done[2];
        if (pipe(done) != 0)
            return o;
        o.pid = fork();
        if (o.pid == 0) {
            if (setresuid(kOtherUser, kOtherUser, kOtherUser) != 0)
                _exit(2);
            const int s = socket(AF_UNIX, SOCK_STREAM, 0);
            sockaddr_un a{};
            a.sun_family = AF_UNIX;
            std::strncpy(a.sun_path, QFile::encodeName(path).constData(), sizeof a.sun_path - 1);
            int sent = 0;
            if (connect(s, reinterpret_cast<sockaddr *>(&a), sizeof a) == 0) {
                // A QDataStream of the text "x".
                const char message[] = {0, 0, 0, 2, 0, 'x'};
                sent = int(write(s, message, sizeof message));
                usleep(500000);
            }
            (void)!write(done[1], &sent, sizeof sent);
            _exit(0);
        }
        o.result = done[0];
        return o;
    }

    int finish()
    {
        int value = -1;
        (void)!read(result, &value, sizeof value);
        waitpid(pid, nullptr, 0);
        return value;
    }
};

QString id()
{
    return QStringLiteral("talon-instance-%1").arg(QCoreApplication::applicationPid());
}

} // namespace

class TestSingleInstance : public QObject
{
    Q_OBJECT

private slots:
    void theSocketIsWhereOnlyItsUserMayGo();
    void aSquatterIsNeitherHeardNorAnswered();
    void aFailedListenIsSaid();
};

void TestSingleInstance::theSocketIsWhereOnlyItsUserMayGo()
{
    QTemporaryDir runtime;
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    QCOMPARE(SingleInstance::privateFolder(), runtime.path());
    SingleInstance first(id());
    QVERIFY(first.listening());
    QCOMPARE(QFileInfo(first.serverName()).path(), runtime.path());

    // A runtime folder others may enter, or that is someone else's, is not
    // used: the folder made in its place is the user's and closed.
    QTemporaryDir open;
    QVERIFY(QFile::setPermissions(open.path(), QFileDevice::Permissions(0x7777)));
    for (const QString &unsafe : {open.path(), QStringLiteral("/tmp")}) {
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(unsafe));
        QString why;
        QVERIFY(!SingleInstance::isPrivate(unsafe, &why));
        QVERIFY2(why.contains(QStringLiteral("open to other users")) ||
                     why.contains(QStringLiteral("another user")),
                 qPrintable(why));
        const QString folder = SingleInstance::privateFolder();
        QVERIFY2(SingleInstance::isPrivate(folder), qPrintable(folder));
        QVERIFY(folder != unsafe);
    }
    qunsetenv("XDG_RUNTIME_DIR");
}

void TestSingleInstance::aSquatterIsNeitherHeardNorAnswered()
{
    if (geteuid() != 0)
        QSKIP("another user's processes need root");
    QTemporaryDir folder;
    const QString path = folder.filePath(id() + QStringLiteral(".socket"));

    // A socket of another user's at the path before the first start: the
    // first instance still listens, and the second reaches it, not the
    // squatter.
    OtherUser squatter = OtherUser::squat(path);
    {
        SingleInstance first(id(), nullptr, folder.path());
        QVERIFY(first.listening());
        QSignalSpy received(&first, &SingleInstance::messageReceived);
        SingleInstance second(id(), nullptr, folder.path());
        QVERIFY(second.isRunning());
        // The first answers from its event loop while the second's send waits.
        bool sent = false;
        std::thread sender([&] { sent = second.sendMessage(QStringLiteral("show"), 3000); });
        QTRY_COMPARE(received.size(), 1);
        sender.join();
        QVERIFY(sent);
        QCOMPARE(received[0][0].toString(), QStringLiteral("show"));
    }
    QCOMPARE(squatter.finish(), 0);

    // The lock held (as by a first instance) but another user at the path:
    // the second start sends it nothing.
    QLockFile lock(folder.filePath(id() + QStringLiteral(".lock")));
    QVERIFY(lock.tryLock(0));
    squatter = OtherUser::squat(path);
    SingleInstance second(id(), nullptr, folder.path());
    QVERIFY(second.isRunning());
    QVERIFY(!second.sendMessage(QStringLiteral("show"), 2000));
    QCOMPARE(squatter.finish(), 0);
    lock.unlock();

    // Another user who reaches the first instance's socket is not heard.
    SingleInstance first(id(), nullptr, folder.path());
    QVERIFY(first.listening());
    QSignalSpy received(&first, &SingleInstance::messageReceived);
    QVERIFY(QFile::setPermissions(folder.path(), QFileDevice::Permissions(0x7755)));
    QVERIFY(::chmod(QFile::encodeName(path).constData(), 0777) == 0);
    OtherUser sender = OtherUser::send(path);
    QTest::qWait(1000);
    QVERIFY(sender.finish() > 0); // it got through to the socket
    QCOMPARE(received.size(), 0);
}

void TestSingleInstance::aFailedListenIsSaid()
{
    QTemporaryDir folder;
    // Something at the path that is not a socket and cannot be removed.
    QVERIFY(QDir().mkpath(folder.filePath(id() + QStringLiteral(".socket/inside"))));
    SingleInstance first(id(), nullptr, folder.path());
    QVERIFY(!first.isRunning() && !first.lockFailed());
    QVERIFY(!first.listening());
    QVERIFY2(first.listenFailure().startsWith(first.serverName()),
             qPrintable(first.listenFailure()));
}

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
