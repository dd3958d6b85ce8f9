// SPDX-License-Identifier: GPL-2.0-or-later
#include "SingleInstance.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDataStream>
#include <QDir>
#include <QElapsedTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>
#include <unistd.h>

namespace {

QString defaultId()
{
    const QByteArray path = QCoreApplication::applicationFilePath().toUtf8();
    return QStringLiteral("kestrel-talon-%1-%2")
        .arg(getuid())
        .arg(QString::fromLatin1(
            QCryptographicHash::hash(path, QCryptographicHash::Sha1).toHex().left(12)));
}

QString lockDirectory()
{
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = QDir::tempPath();
    return dir;
}

} // namespace

SingleInstance::SingleInstance(const QString &id, QObject *parent, const QString &lockFolder)
    : QObject(parent), name(id.isEmpty() ? defaultId() : id)
{
    // The lock decides who is first, even when two start at once; a lock left
    // by a crashed instance is taken over.
    lockPath = (lockFolder.isEmpty() ? lockDirectory() : lockFolder) + QLatin1Char('/') + name +
               QStringLiteral(".lock");
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
    server->listen(name);
    connect(server, &QLocalServer::newConnection, this, &SingleInstance::acceptConnection);
}

QString SingleInstance::lockFailure() const
{
    const char *reason = lockError == QLockFile::PermissionError   ? "permission denied"
                         : lockError == QLockFile::LockFailedError ? "held by another instance"
                                                                   : "cannot be created";
    return lockPath + QStringLiteral(": ") + QLatin1String(reason);
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
    if (primary)
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

    QByteArray data;
    QDataStream out(&data, QIODevice::WriteOnly);
    out << message;
    socket.write(data);
    const bool sent = socket.waitForBytesWritten(qMax(1, timeout - int(clock.elapsed())));
    socket.waitForDisconnected(qMax(1, timeout - int(clock.elapsed())));
    return sent;
}
