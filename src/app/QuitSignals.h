// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QObject>

class QSocketNotifier;

// SIGTERM, SIGINT and SIGHUP end the program the way its quit action does.
// The handler only writes the signal's number into a pipe; the event loop
// reads it and emits quitRequested, so the quit runs on the GUI thread.
class QuitSignals : public QObject
{
    Q_OBJECT

public:
    explicit QuitSignals(QObject *parent = nullptr);
    ~QuitSignals() override;

    // False when the pipe could not be made; the signals then keep their
    // default action.
    bool isActive() const { return notifier != nullptr; }

signals:
    void quitRequested(int signal);

private:
    void readSignal();

    QSocketNotifier *notifier = nullptr;
};
