// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QLockFile>
#include <QObject>
#include <memory>

class QLocalServer;

// One instance per user and executable. The first instance holds a lock file
// and a local server; a later one finds the lock taken and may send it a
// message.
class SingleInstance : public QObject
{
    Q_OBJECT

public:
    // The default id is derived from the user and the executable's path, the
    // default lock folder is the user's runtime folder.
    explicit SingleInstance(const QString &id = QString(), QObject *parent = nullptr,
                            const QString &lockFolder = QString());
    ~SingleInstance() override;

    // Another instance holds the lock.
    bool isRunning() const { return !primary && !lockFailed(); }
    // The lock could not be taken for another reason (a folder that cannot be
    // written, a full disk): nobody else runs, but nothing guards the instance.
    bool lockFailed() const { return !primary && lockError != QLockFile::LockFailedError; }
    // Lock file and reason, for the message a failed lock deserves.
    QString lockFailure() const;
    bool sendMessage(const QString &message, int timeout);

    QString serverName() const { return name; }

signals:
    void messageReceived(const QString &message);

private:
    void acceptConnection();

    QString name;
    QString lockPath;
    std::unique_ptr<QLockFile> lock;
    QLockFile::LockError lockError = QLockFile::NoError;
    QLocalServer *server = nullptr;
    bool primary = false;
};
