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
    // The default id is derived from the user and the executable's path.
    explicit SingleInstance(const QString &id = QString(), QObject *parent = nullptr);
    ~SingleInstance() override;

    bool isRunning() const { return !primary; }
    bool sendMessage(const QString &message, int timeout);

    QString serverName() const { return name; }

signals:
    void messageReceived(const QString &message);

private:
    void acceptConnection();

    QString name;
    std::unique_ptr<QLockFile> lock;
    QLocalServer *server = nullptr;
    bool primary = false;
};
