// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <functional>

// The files of a data folder (the modules/ tree), read and written so that a
// person's data is never lost or half-written and a write never leaves the
// folder:
// - a write goes to a temporary file beside the destination, checked at every
//   step (each write, fsync and close) and only then renamed over the old
//   file; on any failure the old file stays as it was and the caller is told
//   why;
// - the folder is resolved once (resolvedFolder); below it no symbolic link
//   is followed, and a destination that is a link or not a regular file is
//   refused, so that even root working in another user's tree writes
//   nothing outside it;
// - a read-change-write holds the folder's advisory lock (DataLock), so that
//   writers in several processes take turns.
// Paths below a folder are relative to it ("setting/p1.bin").
namespace storeFile {

// Larger files are not read: a damaged or hostile file must not fill memory.
constexpr qint64 kDefaultReadLimit = 1024 * 1024;

struct Status
{
    bool ok = true;
    QString message; // one line naming the file and the reason
    explicit operator bool() const { return ok; }
    static Status failed(const QString &file, const QString &reason);
};

// The folder with its links resolved; an absolute path even when it does
// not exist yet.
QString resolvedFolder(const QString &folder);

enum class ReadResult { Ok, Missing, Refused, TooLarge, Failed };

struct Read
{
    ReadResult result = ReadResult::Missing;
    QByteArray content;
    QString message; // empty for Ok and Missing
    bool ok() const { return result == ReadResult::Ok; }
};

Read read(const QString &folder, const QString &relative, qint64 limit = kDefaultReadLimit);
Status write(const QString &folder, const QString &relative, const QByteArray &content);
// A missing file is not an error.
Status remove(const QString &folder, const QString &relative);
// Fails when the destination exists.
Status rename(const QString &folder, const QString &from, const QString &to);
// A regular file (not a link) is there.
bool exists(const QString &folder, const QString &relative);

// A file a person chose (an import, an export), outside the data folder: a
// link is followed as the person meant it, but only a regular file is read,
// and the destination of a write is replaced in the same careful way.
Read readChosen(const QString &path, qint64 limit = kDefaultReadLimit);
Status writeChosen(const QString &path, const QByteArray &content);

// The temporaries that writes killed half-way left behind ("p1.bin.Ab3dE9"),
// removed under the folder's lock from the folder and its store folders.
// Returns how many.
int sweepTemporaries(const QString &folder);

// Told of every write of a store that failed (the program shows a notice);
// write, writeChosen, rename and remove report their own failures.
void setFailureReporter(std::function<void(const QString &message)> reporter);
void reportFailure(const QString &message);

} // namespace storeFile

// The advisory lock of a data folder ("<folder>/.lock", flock), held for the
// whole of a read-change-write. Taken again by the same thread it nests.
// Waits for another process up to kWaitMs, then gives up with a reason.
class DataLock
{
public:
    explicit DataLock(const QString &folder);
    ~DataLock();
    DataLock(const DataLock &) = delete;
    DataLock &operator=(const DataLock &) = delete;

    bool held() const { return isHeld; }
    QString error() const { return problem; }

    static constexpr int kWaitMs = 10000;

private:
    QString key;
    bool isHeld = false;
    QString problem;
};
