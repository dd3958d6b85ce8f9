// SPDX-License-Identifier: GPL-2.0-or-later
#include "DeviceLock.h"

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QHash>
#include <QUrl>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <mutex>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

constexpr int kPollMs = 10;

// The locks this process holds: flock belongs to an open file, so a second
// open in the same process would wait for the first.
struct Held
{
    int fd = -1;
    int depth = 0;
};

std::mutex &heldLock()
{
    static std::mutex m;
    return m;
}

QHash<QString, Held> &heldFiles()
{
    static QHash<QString, Held> files;
    return files;
}

// A folder only this user can enter, and not a link someone else planted.
bool isPrivate(const QString &folder)
{
    struct stat st
    {
    };
    return ::lstat(QFile::encodeName(folder).constData(), &st) == 0 && S_ISDIR(st.st_mode) &&
           st.st_uid == ::geteuid() && (st.st_mode & 077) == 0;
}

QString systemError(int code)
{
    return QString::fromLocal8Bit(std::strerror(code));
}

QString seconds(int ms)
{
    return QString::number(ms / 1000.0, 'g', 3) + QStringLiteral(" s");
}

} // namespace

DeviceLock::DeviceLock(const QString &commandPath) : path(commandPath) {}

DeviceLock::~DeviceLock()
{
    release();
}

QString DeviceLock::directory(QString *why)
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QDir::isAbsolutePath(runtime) && isPrivate(runtime))
        return runtime;
    const QString own =
        QDir::tempPath() + QStringLiteral("/kestrel-talon-%1").arg(static_cast<uint>(::geteuid()));
    if (::mkdir(QFile::encodeName(own).constData(), 0700) != 0 && errno != EEXIST) {
        if (why)
            *why = QStringLiteral("cannot make the folder %1 for the mouse's lock: %2")
                       .arg(own, systemError(errno));
        return QString();
    }
    if (isPrivate(own))
        return own;
    if (why)
        *why = QStringLiteral("the folder %1 for the mouse's lock is not private to this user")
                   .arg(own);
    return QString();
}

QString DeviceLock::baseNameFor(const QString &commandPath)
{
    // One file per interface, and nothing in the name that leaves the folder.
    QByteArray name = QUrl::toPercentEncoding(commandPath);
    if (name.size() > 200)
        name = QCryptographicHash::hash(commandPath.toUtf8(), QCryptographicHash::Sha1).toHex();
    return QStringLiteral("kestrel-talon-") + QString::fromLatin1(name) + QStringLiteral(".lock");
}

bool DeviceLock::acquire(int waitMs, const std::function<void()> &whileWaiting)
{
    if (held)
        return true;
    error.clear();
    const QString folder = directory(&error);
    if (folder.isEmpty())
        return false;
    file = folder + QLatin1Char('/') + baseNameFor(path);
    const QByteArray name = QFile::encodeName(file);

    QElapsedTimer waited;
    waited.start();
    int fd = -1;
    for (;;) {
        {
            // Each attempt under the process's own lock, never the wait: a
            // nested sequence or another thread of ours that took it in the
            // meantime is joined, not waited for.
            std::lock_guard<std::mutex> g(heldLock());
            const auto mine = heldFiles().find(file);
            if (mine != heldFiles().end()) {
                ++mine->depth;
                if (fd >= 0)
                    ::close(fd);
                held = true;
                return true;
            }
            if (fd < 0)
                fd = ::open(name.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
            if (fd < 0) {
                error = QStringLiteral("cannot open the mouse's lock %1: %2")
                            .arg(file, systemError(errno));
                return false;
            }
            if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
                // Who holds it, for the message of whoever waits next.
                const QByteArray pid = QByteArray::number(static_cast<qint64>(::getpid())) + '\n';
                if (::ftruncate(fd, 0) != 0 ||
                    ::pwrite(fd, pid.constData(), pid.size(), 0) != pid.size())
                    qWarning("DeviceLock: cannot note the holder in %s", name.constData());
                heldFiles().insert(file, Held{fd, 1});
                held = true;
                return true;
            }
            const int code = errno;
            if (code != EINTR && (code != EWOULDBLOCK || waited.elapsed() >= waitMs)) {
                error = code == EWOULDBLOCK
                            ? QStringLiteral("the mouse is in use by %1; gave up waiting after %2")
                                  .arg(holderText(), seconds(waitMs))
                            : QStringLiteral("cannot lock the mouse (%1): %2")
                                  .arg(file, systemError(code));
                ::close(fd);
                return false;
            }
        }
        if (whileWaiting)
            whileWaiting();
        const qint64 left = waitMs - waited.elapsed();
        std::this_thread::sleep_for(
            std::chrono::milliseconds(qBound(qint64(1), left, qint64(kPollMs))));
    }
}

void DeviceLock::release()
{
    if (!held)
        return;
    held = false;
    std::lock_guard<std::mutex> g(heldLock());
    const auto it = heldFiles().find(file);
    if (it == heldFiles().end() || --it->depth > 0)
        return;
    // Emptied first: a waiter that reads it after our unlock names no one.
    if (::ftruncate(it->fd, 0) != 0)
        qWarning("DeviceLock: cannot clear %s", QFile::encodeName(file).constData());
    ::flock(it->fd, LOCK_UN);
    ::close(it->fd);
    heldFiles().erase(it);
}

QString DeviceLock::holderText() const
{
    QFile f(file);
    bool ok = false;
    const qint64 pid = f.open(QIODevice::ReadOnly) ? f.readLine().trimmed().toLongLong(&ok) : 0;
    if (!ok || pid <= 0)
        return QStringLiteral("another program");
    QFile comm(QStringLiteral("/proc/%1/comm").arg(pid));
    const QString name = comm.open(QIODevice::ReadOnly)
                             ? QString::fromLocal8Bit(comm.readAll().trimmed())
                             : QString();
    return name.isEmpty() ? QStringLiteral("process %1").arg(pid)
                          : QStringLiteral("%1 (process %2)").arg(name).arg(pid);
}
