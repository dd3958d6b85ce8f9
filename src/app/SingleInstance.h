// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QLockFile>
#include <QObject>
#include <memory>

class QLocalServer;
class QLocalSocket;

// One instance per user and executable. The first instance holds a lock file
// and a local server; a later one finds the lock taken and may send it a
// message.
//
// Both live in a folder only the user can enter: $XDG_RUNTIME_DIR when it is
// the user's own and closed to others, else a private folder made for it (in
// /tmp, then in the user's cache folder). Nobody else can take the socket's
// name, and both ends check that the other runs as the same user
// (SO_PEERCRED), so that no other user's program receives or sends these
// messages.
class SingleInstance : public QObject
{
    Q_OBJECT

public:
    // The default id is derived from the executable's path; `folder` replaces
    // the private folder (it must be one: the user's and closed to others).
    explicit SingleInstance(const QString &id = QString(), QObject *parent = nullptr,
                            const QString &folder = QString());
    ~SingleInstance() override;

    // Another instance holds the lock.
    bool isRunning() const { return !primary && !lockFailed(); }
    // The lock could not be taken for another reason (no private folder, a
    // full disk): nobody else runs, but nothing guards the instance.
    bool lockFailed() const { return !primary && lockError != QLockFile::LockFailedError; }
    // Lock file and reason, for the message a failed lock deserves.
    QString lockFailure() const;
    // The first instance could not listen: later ones cannot reach it (said
    // on the warning channel too).
    bool listening() const;
    QString listenFailure() const { return listenProblem; }
    bool sendMessage(const QString &message, int timeout);

    // The socket's path.
    QString serverName() const { return name; }

    // The folder the lock and the socket go in, made when needed; empty (with
    // the reason in `why`) when there is none the user alone may enter.
    static QString privateFolder(QString *why = nullptr);
    // Whether `folder` is a folder (not a link) of this user, closed to others.
    static bool isPrivate(const QString &folder, QString *why = nullptr);
    // The user id at the other end of a local socket; -1 when unknown.
    static qint64 peerUser(const QLocalSocket &socket);

signals:
    void messageReceived(const QString &message);

private:
    void acceptConnection();

    QString name;
    QString lockPath;
    QString folderProblem;
    QString listenProblem;
    std::unique_ptr<QLockFile> lock;
    QLockFile::LockError lockError = QLockFile::NoError;
    QLocalServer *server = nullptr;
    bool primary = false;
};
