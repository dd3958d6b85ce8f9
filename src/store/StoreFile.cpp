// SPDX-License-Identifier: GPL-2.0-or-later
#include "StoreFile.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QHash>
#include <QRandomGenerator>
#include <QRecursiveMutex>
#include <QRegularExpression>
#include <QThread>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace storeFile {

namespace {

// A descriptor closed on every path.
class Fd
{
public:
    explicit Fd(int fd = -1) : value(fd) {}
    ~Fd() { reset(); }
    Fd(const Fd &) = delete;
    Fd &operator=(const Fd &) = delete;
    Fd(Fd &&other) noexcept : value(other.release()) {}
    Fd &operator=(Fd &&other) noexcept
    {
        reset(other.release());
        return *this;
    }
    int get() const { return value; }
    bool valid() const { return value >= 0; }
    int release()
    {
        const int fd = value;
        value = -1;
        return fd;
    }
    void reset(int fd = -1)
    {
        if (value >= 0)
            ::close(value);
        value = fd;
    }

private:
    int value;
};

QString errorText(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

QString shown(const QString &folder, const QString &relative)
{
    return relative.isEmpty() ? folder : folder + QLatin1Char('/') + relative;
}

// The components of a path below a folder; false for one that could leave it.
bool components(const QString &relative, QStringList &parts)
{
    parts = relative.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    if (relative.startsWith(QLatin1Char('/')) || parts.isEmpty())
        return false;
    for (const QString &p : parts)
        if (p == QLatin1String(".") || p == QLatin1String("..") || p.contains(QChar(0)))
            return false;
    return true;
}

// Why `name` in `dir` could not be opened as wanted.
QString openFailure(int dir, const QByteArray &name, int error)
{
    struct stat st;
    if ((error == ELOOP || error == ENOTDIR || error == EMLINK) &&
        fstatat(dir, name.constData(), &st, AT_SYMLINK_NOFOLLOW) == 0) {
        if (S_ISLNK(st.st_mode))
            return QStringLiteral("is a symbolic link (not followed)");
        return QStringLiteral("is not a folder");
    }
    return errorText(error);
}

struct Parent
{
    Fd dir;
    QByteArray name; // the last component
    QString problem;
    int error = 0;
};

// Walks from the folder to the parent of the last component, following no
// link on the way; missing folders are made when asked.
Parent openParent(const QString &folder, const QString &relative, bool create)
{
    Parent p;
    QStringList parts;
    if (!components(relative, parts)) {
        p.problem = QStringLiteral("not a file of the data folder");
        p.error = EINVAL;
        return p;
    }
    const QByteArray top = QFile::encodeName(folder);
    p.dir.reset(::open(top.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!p.dir.valid() && errno == ENOENT && create && QDir().mkpath(folder))
        p.dir.reset(::open(top.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!p.dir.valid()) {
        p.error = errno;
        p.problem = errorText(p.error);
        return p;
    }
    for (int i = 0; i + 1 < parts.size(); ++i) {
        const QByteArray name = QFile::encodeName(parts[i]);
        int next =
            openat(p.dir.get(), name.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (next < 0 && errno == ENOENT && create) {
            if (mkdirat(p.dir.get(), name.constData(), 0777) == 0 || errno == EEXIST)
                next = openat(p.dir.get(), name.constData(),
                              O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        }
        if (next < 0) {
            p.error = errno;
            p.problem = parts.mid(0, i + 1).join(QLatin1Char('/')) + QStringLiteral(": ") +
                        openFailure(p.dir.get(), name, p.error);
            p.dir.reset();
            return p;
        }
        p.dir.reset(next);
    }
    p.name = QFile::encodeName(parts.last());
    return p;
}

Read readOpen(Fd fd, const QString &file, qint64 limit)
{
    Read r;
    struct stat st;
    if (fstat(fd.get(), &st) != 0) {
        r.result = ReadResult::Failed;
        r.message = file + QStringLiteral(": ") + errorText(errno);
        return r;
    }
    if (!S_ISREG(st.st_mode)) {
        r.result = ReadResult::Refused;
        r.message = file + QStringLiteral(": not a regular file");
        return r;
    }
    const auto tooLarge = [&] {
        r.result = ReadResult::TooLarge;
        r.message = file + QStringLiteral(": larger than %1 bytes").arg(limit);
        r.content.clear();
        return r;
    };
    if (st.st_size > limit)
        return tooLarge();
    // The size may change while we read; never read more than the limit.
    QByteArray buffer;
    buffer.resize(qsizetype(qMin<qint64>(limit + 1, qMax<qint64>(st.st_size + 1, 4096))));
    qint64 total = 0;
    for (;;) {
        if (total == buffer.size()) {
            if (total > limit)
                return tooLarge();
            buffer.resize(qsizetype(qMin<qint64>(limit + 1, total * 2)));
        }
        const ssize_t n = ::read(fd.get(), buffer.data() + total, size_t(buffer.size() - total));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            r.result = ReadResult::Failed;
            r.message = file + QStringLiteral(": ") + errorText(errno);
            return r;
        }
        if (n == 0)
            break;
        total += n;
    }
    if (total > limit)
        return tooLarge();
    buffer.truncate(qsizetype(total));
    r.result = ReadResult::Ok;
    r.content = buffer;
    return r;
}

bool writeAll(int fd, const QByteArray &content)
{
    const char *p = content.constData();
    qsizetype left = content.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, size_t(left));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = EIO;
            return false;
        }
        p += n;
        left -= n;
    }
    return true;
}

qint64 msecs(const struct timespec &t)
{
    return qint64(t.tv_sec) * 1000 + t.tv_nsec / 1000000;
}

QByteArray temporaryName(const QByteArray &name)
{
    static const char chars[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    QByteArray out = name + '.';
    for (int i = 0; i < 6; ++i)
        out += chars[QRandomGenerator::global()->bounded(int(sizeof chars - 1))];
    return out;
}

// The whole careful write into an open folder.
Status writeInto(int dir, const QByteArray &name, const QString &file, const QByteArray &content)
{
    struct stat old;
    const bool existed = fstatat(dir, name.constData(), &old, AT_SYMLINK_NOFOLLOW) == 0;
    if (!existed && errno != ENOENT)
        return Status::failed(file, errorText(errno));
    if (existed && S_ISLNK(old.st_mode))
        return Status::failed(file, QStringLiteral("is a symbolic link; a store does not write "
                                                   "through links"));
    if (existed && !S_ISREG(old.st_mode))
        return Status::failed(file, QStringLiteral("is not a regular file"));

    QByteArray temporary;
    Fd fd;
    for (int attempt = 0; attempt < 100 && !fd.valid(); ++attempt) {
        temporary = temporaryName(name);
        fd.reset(openat(dir, temporary.constData(),
                        O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
        if (!fd.valid() && errno != EEXIST)
            break;
    }
    if (!fd.valid())
        return Status::failed(file, errorText(errno));
    const auto fail = [&](int error) {
        fd.reset();
        unlinkat(dir, temporary.constData(), 0);
        return Status::failed(file, errorText(error));
    };

    // The new file is the old one's: same mode, and when root writes into
    // another user's tree, the same owner.
    struct stat folder;
    if (existed) {
        fchmod(fd.get(), old.st_mode & 07777);
        if (geteuid() == 0 && (old.st_uid != 0 || old.st_gid != 0) &&
            fchown(fd.get(), old.st_uid, old.st_gid) != 0)
            return fail(errno);
    } else if (geteuid() == 0 && fstat(dir, &folder) == 0 && folder.st_uid != 0 &&
               fchown(fd.get(), folder.st_uid, folder.st_gid) != 0) {
        return fail(errno);
    }

    if (!writeAll(fd.get(), content))
        return fail(errno);
    // Readers that cache a file by size and modification time (to the
    // millisecond) must see every replacement as new.
    struct stat now;
    if (existed && fstat(fd.get(), &now) == 0 && msecs(now.st_mtim) <= msecs(old.st_mtim)) {
        const qint64 next = msecs(old.st_mtim) + 1;
        const struct timespec times[2] = {{0, UTIME_OMIT},
                                          {time_t(next / 1000), long(next % 1000) * 1000000}};
        futimens(fd.get(), times);
    }
    if (fsync(fd.get()) != 0)
        return fail(errno);
    if (::close(fd.release()) != 0) {
        const int error = errno;
        unlinkat(dir, temporary.constData(), 0);
        return Status::failed(file, errorText(error));
    }
    if (renameat(dir, temporary.constData(), dir, name.constData()) != 0) {
        const int error = errno;
        unlinkat(dir, temporary.constData(), 0);
        return Status::failed(file, errorText(error));
    }
    // The new file is in place; syncing the folder only makes the rename
    // durable sooner.
    fsync(dir);
    return {};
}

std::function<void(const QString &)> &reporter()
{
    static std::function<void(const QString &)> r;
    return r;
}

// Every failed write is told.
Status reported(Status s)
{
    if (!s.ok)
        reportFailure(s.message);
    return s;
}

} // namespace

void setFailureReporter(std::function<void(const QString &message)> r)
{
    reporter() = std::move(r);
}

void reportFailure(const QString &message)
{
    if (reporter())
        reporter()(message);
}

Status Status::failed(const QString &file, const QString &reason)
{
    Status s;
    s.ok = false;
    s.message = file + QStringLiteral(": ") + reason;
    return s;
}

QString resolvedFolder(const QString &folder)
{
    const QString canonical = QFileInfo(folder).canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(QFileInfo(folder).absoluteFilePath()) : canonical;
}

Read read(const QString &folder, const QString &relative, qint64 limit)
{
    const QString file = shown(folder, relative);
    Read r;
    Parent p = openParent(folder, relative, false);
    if (!p.dir.valid()) {
        r.result = p.error == ENOENT ? ReadResult::Missing : ReadResult::Refused;
        if (p.error != ENOENT)
            r.message = file + QStringLiteral(": ") + p.problem;
        return r;
    }
    Fd fd(openat(p.dir.get(), p.name.constData(),
                 O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    if (!fd.valid()) {
        const int error = errno;
        if (error == ENOENT)
            return r;
        r.result = error == ELOOP ? ReadResult::Refused : ReadResult::Failed;
        r.message = file + QStringLiteral(": ") + openFailure(p.dir.get(), p.name, error);
        return r;
    }
    return readOpen(std::move(fd), file, limit);
}

Status write(const QString &folder, const QString &relative, const QByteArray &content)
{
    const QString file = shown(folder, relative);
    Parent p = openParent(folder, relative, true);
    if (!p.dir.valid())
        return reported(Status::failed(file, p.problem));
    return reported(writeInto(p.dir.get(), p.name, file, content));
}

Status remove(const QString &folder, const QString &relative)
{
    const QString file = shown(folder, relative);
    Parent p = openParent(folder, relative, false);
    if (!p.dir.valid())
        return p.error == ENOENT ? Status() : reported(Status::failed(file, p.problem));
    if (unlinkat(p.dir.get(), p.name.constData(), 0) != 0 && errno != ENOENT)
        return reported(Status::failed(file, errorText(errno)));
    return {};
}

Status rename(const QString &folder, const QString &from, const QString &to)
{
    const QString file = shown(folder, from);
    Parent a = openParent(folder, from, false);
    if (!a.dir.valid())
        return reported(Status::failed(file, a.problem));
    Parent b = openParent(folder, to, true);
    if (!b.dir.valid())
        return reported(Status::failed(shown(folder, to), b.problem));
    if (renameat2(a.dir.get(), a.name.constData(), b.dir.get(), b.name.constData(),
                  RENAME_NOREPLACE) != 0)
        return reported(Status::failed(file, errno == EEXIST
                                                 ? shown(folder, to) + QStringLiteral(" exists")
                                                 : errorText(errno)));
    fsync(b.dir.get());
    return {};
}

bool exists(const QString &folder, const QString &relative)
{
    Parent p = openParent(folder, relative, false);
    struct stat st;
    return p.dir.valid() &&
           fstatat(p.dir.get(), p.name.constData(), &st, AT_SYMLINK_NOFOLLOW) == 0 &&
           S_ISREG(st.st_mode);
}

Read readChosen(const QString &path, qint64 limit)
{
    Fd fd(
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    if (!fd.valid()) {
        Read r;
        r.result = errno == ENOENT ? ReadResult::Missing : ReadResult::Failed;
        r.message = path + QStringLiteral(": ") + errorText(errno);
        return r;
    }
    return readOpen(std::move(fd), path, limit);
}

Status writeChosen(const QString &path, const QByteArray &content)
{
    const QFileInfo info(path);
    const QByteArray folder = QFile::encodeName(info.absolutePath());
    Fd dir(::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!dir.valid())
        return reported(Status::failed(path, errorText(errno)));
    return reported(writeInto(dir.get(), QFile::encodeName(info.fileName()), path, content));
}

int sweepTemporaries(const QString &folder)
{
    DataLock lock(folder);
    if (!lock.held())
        return 0;
    static const QRegularExpression pattern(
        QStringLiteral("^(.+\\.bin|\\.stamp)\\.[A-Za-z0-9]{6}$"));
    int removed = 0;
    for (const char *sub : {"", "setting", "macro", "gun"}) {
        const QString dirPath = *sub ? folder + QLatin1Char('/') + QLatin1String(sub) : folder;
        Fd dir(::open(QFile::encodeName(dirPath).constData(),
                      O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
        if (!dir.valid())
            continue;
        DIR *listing = fdopendir(dup(dir.get()));
        if (!listing)
            continue;
        QList<QByteArray> names;
        while (const dirent *e = readdir(listing))
            if (pattern.match(QFile::decodeName(e->d_name)).hasMatch())
                names << QByteArray(e->d_name);
        closedir(listing);
        for (const QByteArray &name : names) {
            struct stat st;
            if (fstatat(dir.get(), name.constData(), &st, AT_SYMLINK_NOFOLLOW) == 0 &&
                S_ISREG(st.st_mode) && unlinkat(dir.get(), name.constData(), 0) == 0)
                ++removed;
        }
    }
    return removed;
}

} // namespace storeFile

namespace {

struct HeldLock
{
    int fd = -1;
    int depth = 0;
};

QRecursiveMutex &lockMutex()
{
    static QRecursiveMutex mutex;
    return mutex;
}

QHash<QString, HeldLock> &heldLocks()
{
    static QHash<QString, HeldLock> locks;
    return locks;
}

} // namespace

DataLock::DataLock(const QString &folder) : key(storeFile::resolvedFolder(folder))
{
    lockMutex().lock();
    auto it = heldLocks().find(key);
    if (it != heldLocks().end()) {
        ++it->depth;
        isHeld = true;
        return;
    }
    const QString file = key + QStringLiteral("/.lock");
    const auto fail = [&](const QString &reason) {
        problem = QStringLiteral("cannot lock %1: %2").arg(file, reason);
        lockMutex().unlock();
    };
    QDir().mkpath(key);
    // Opened for reading: flock needs no more, and a lock file root made in
    // another user's tree stays usable by that user.
    const int fd = ::open(QFile::encodeName(file).constData(),
                          O_RDONLY | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd < 0) {
        fail(storeFile::errorText(errno));
        return;
    }
    struct stat folderInfo, lockInfo;
    if (geteuid() == 0 && stat(QFile::encodeName(key).constData(), &folderInfo) == 0 &&
        fstat(fd, &lockInfo) == 0 && lockInfo.st_uid != folderInfo.st_uid)
        (void)fchown(fd, folderInfo.st_uid, folderInfo.st_gid);
    QElapsedTimer waited;
    waited.start();
    while (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if ((errno != EWOULDBLOCK && errno != EINTR) || waited.elapsed() > kWaitMs) {
            const int error = errno;
            ::close(fd);
            fail(error == EWOULDBLOCK ? QStringLiteral("another process holds it")
                                      : storeFile::errorText(error));
            return;
        }
        QThread::msleep(2);
    }
    heldLocks().insert(key, {fd, 1});
    isHeld = true;
}

DataLock::~DataLock()
{
    if (!isHeld)
        return;
    auto it = heldLocks().find(key);
    if (--it->depth == 0) {
        flock(it->fd, LOCK_UN);
        ::close(it->fd);
        heldLocks().erase(it);
    }
    lockMutex().unlock();
}
