// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>
#include <functional>

// An advisory lock on one mouse, shared by every program of this user that
// talks to it: held around a sequence of exchanges, it keeps a second
// process from slipping its frames between ours (the mouse answers whichever
// frame came last). It is a flock on a file named after the command
// interface's path, in $XDG_RUNTIME_DIR or else in a private folder of ours.
//
// Re-entrant within one process: a sequence may run commands that take the
// lock again. Threads of one process share it (the idle token keeps them
// apart). Waiting does not process events unless the caller asks to.
class DeviceLock
{
public:
    // Longer than any one sequence takes, well inside the patience of a
    // person at the command line.
    static constexpr int kWaitMs = 10000;

    explicit DeviceLock(const QString &commandPath);
    ~DeviceLock(); // lets go if held
    DeviceLock(const DeviceLock &) = delete;
    DeviceLock &operator=(const DeviceLock &) = delete;

    // Waits at most waitMs for another process to let go, calling
    // whileWaiting between attempts (a window stays drawn that way). False
    // with errorString() set when it did not, or when there is no place to
    // lock.
    bool acquire(int waitMs = kWaitMs, const std::function<void()> &whileWaiting = {});
    void release();
    bool isHeld() const { return held; }
    QString errorString() const { return error; }
    QString fileName() const { return file; }
    QString commandPath() const { return path; }

    // The folder of the lock files; empty (with *why set) when neither
    // $XDG_RUNTIME_DIR nor our own folder is private to this user.
    static QString directory(QString *why = nullptr);
    // The lock file's name (without folder) for a command interface.
    static QString baseNameFor(const QString &commandPath);

private:
    QString holderText() const;

    QString path;
    QString file;
    QString error;
    bool held = false;
};
