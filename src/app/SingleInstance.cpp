// SPDX-License-Identifier: GPL-2.0-or-later
#include "SingleInstance.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDataStream>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLoggingCategory>
#include <QThread>

#include <cerrno>
#include <cstring>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

Q_LOGGING_CATEGORY(lcInstance, "talon.instance")

namespace {

QString defaultId()
{
    const QByteArray path = QCoreApplication::applicationFilePath().toUtf8();
    return QStringLiteral("kestrel-talon-%1")
        .arg(QString::fromLatin1(
            QCryptographicHash::hash(path, QCryptographicHash::Sha1).toHex().left(12)));
}

// Room for the socket's name in the address.
bool fitsAnAddress(const QString &path)
{
    return QFile::encodeName(path).size() < qsizetype(sizeof(sockaddr_un::sun_path));
}

} // namespace

bool SingleInstance::isPrivate(const QString &folder, QString *why)
{
    struct stat st;
    const auto no = [why, &folder](const char *reason) {
        if (why)
            *why = folder + QStringLiteral(": ") + QLatin1String(reason);
        return false;
    };
    if (folder.isEmpty() || !QDir::isAbsolutePath(folder))
        return no("not an absolute path");
    if (lstat(QFile::encodeName(folder).constData(), &st) != 0)
        return no(std::strerror(errno));
    if (!S_ISDIR(st.st_mode))
        return no("not a folder");
    if (st.st_uid != geteuid())
        return no("owned by another user");
    if (st.st_mode & (S_IRWXG | S_IRWXO))
        return no("open to other users");
    return true;
}

QString SingleInstance::privateFolder(QString *why)
{
    QStringList reasons;
    QString reason;
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty()) {
        if (isPrivate(runtime, &reason) && fitsAnAddress(runtime + QStringLiteral("/x")))
            return runtime;
        reasons << reason;
    }
    // Made by us and closed to others, or not used: whoever made it first
    // in /tmp must not be able to reach it.
    QString cache = qEnvironmentVariable("XDG_CACHE_HOME");
    if (cache.isEmpty())
        cache = QDir::homePath() + QStringLiteral("/.cache");
    for (const QString &candidate : {QStringLiteral("/tmp/kestrel-talon-%1").arg(geteuid()),
                                     cache + QStringLiteral("/kestrel-talon-run")}) {
        const QByteArray path = QFile::encodeName(candidate);
        if (mkdir(path.constData(), 0700) != 0 && errno == ENOENT) {
            QDir().mkpath(QFileInfo(candidate).path());
            mkdir(path.constData(), 0700);
        }
        if (isPrivate(candidate, &reason) && fitsAnAddress(candidate + QStringLiteral("/x")))
            return candidate;
        reasons << reason;
    }
    if (why)
        *why = QStringLiteral("no private folder (") + reasons.join(QStringLiteral("; ")) +
               QLatin1Char(')');
    return QString();
}

qint64 SingleInstance::peerUser(const QLocalSocket &socket)
{
    ucred cred{};
    socklen_t length = sizeof cred;
    if (getsockopt(int(socket.socketDescriptor()), SOL_SOCKET, SO_PEERCRED, &cred, &length) != 0)
        return -1;
    return qint64(cred.uid);
}

SingleInstance::SingleInstance(const QString &id, QObject *parent, const QString &givenFolder)
    : QObject(parent)
{
    const QString base = id.isEmpty() ? defaultId() : id;
    QString folder = givenFolder;
    if (folder.isEmpty())
        folder = privateFolder(&folderProblem);
    else if (!isPrivate(folder, &folderProblem))
        folder.clear();
    if (folder.isEmpty()) {
        // Not in a folder others may enter, ever.
        lockPath = (givenFolder.isEmpty() ? QStringLiteral("(no folder)") : givenFolder) +
                   QLatin1Char('/') + base + QStringLiteral(".lock");
        lockError = QLockFile::PermissionError;
        return;
    }
    name = folder + QLatin1Char('/') + base + QStringLiteral(".socket");
    // The lock decides who is first, even when two start at once; a lock left
    // by a crashed instance is taken over.
    lockPath = folder + QLatin1Char('/') + base + QStringLiteral(".lock");
    lock = std::make_unique<QLockFile>(lockPath);
    lock->setStaleLockTime(0);
    primary = lock->tryLock(0);
    if (!primary) {
        lockError = lock->error();
        return;
    }

    QLocalServer::removeServer(name); // a socket file left by a crash
    server = new QLocalServer(this);
    server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server, &QLocalServer::newConnection, this, &SingleInstance::acceptConnection);
    if (!server->listen(name)) {
        listenProblem = name + QStringLiteral(": ") + server->errorString();
        qCWarning(lcInstance).noquote()
            << "cannot listen on" << listenProblem << "- a second start will not reach this one";
    }
}

QString SingleInstance::lockFailure() const
{
    if (!folderProblem.isEmpty())
        return lockPath + QStringLiteral(": ") + folderProblem;
    const char *reason = lockError == QLockFile::PermissionError   ? "permission denied"
                         : lockError == QLockFile::LockFailedError ? "held by another instance"
                                                                   : "cannot be created";
    return lockPath + QStringLiteral(": ") + QLatin1String(reason);
}

bool SingleInstance::listening() const
{
    return server && server->isListening();
}

SingleInstance::~SingleInstance()
{
    if (server)
        server->close();
    if (primary)
        lock->unlock();
}

void SingleInstance::acceptConnection()
{
    while (QLocalSocket *socket = server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        const qint64 peer = peerUser(*socket);
        if (peer != qint64(geteuid())) {
            qCWarning(lcInstance) << "refused a message from user" << peer;
            socket->abort();
            socket->deleteLater();
            continue;
        }
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            QDataStream in(socket);
            in.startTransaction();
            QString message;
            in >> message;
            if (!in.commitTransaction())
                return; // wait for the rest
            emit messageReceived(message);
            socket->disconnectFromServer();
        });
    }
}

bool SingleInstance::sendMessage(const QString &message, int timeout)
{
    if (primary || name.isEmpty())
        return false;
    QElapsedTimer clock;
    clock.start();
    QLocalSocket socket;
    // The first instance may still be setting up its server: retry until the
    // time-out.
    do {
        socket.connectToServer(name);
        if (socket.waitForConnected(qMax(1, timeout - int(clock.elapsed()))))
            break;
        QThread::msleep(50);
    } while (clock.elapsed() < timeout);
    if (socket.state() != QLocalSocket::ConnectedState)
        return false;
    // Only to our own first instance.
    const qint64 peer = peerUser(socket);
    if (peer != qint64(geteuid())) {
        qCWarning(lcInstance) << "the single-instance socket" << name << "belongs to user" << peer
                              << "- not used";
        socket.abort();
        return false;
    }

    QByteArray data;
    QDataStream out(&data, QIODevice::WriteOnly);
    out << message;
    socket.write(data);
    const bool sent = socket.waitForBytesWritten(qMax(1, timeout - int(clock.elapsed())));
    socket.waitForDisconnected(qMax(1, timeout - int(clock.elapsed())));
    return sent;
}
