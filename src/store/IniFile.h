// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "IniText.h"

#include <QString>
#include <QVariant>
#include <memory>
#include <vector>

class QObject;

// One INI file of a data folder, kept open by a store. Reads see the file as
// it is on disk now (it is read again whenever it changed, whoever changed
// it) with this object's unsaved changes on top. sync() takes the folder's
// lock, reads the file afresh, applies the changes key by key and replaces
// the file in one careful step (StoreFile.h), so that another process's
// changes to other keys are kept and nothing is half-written. A failed sync
// keeps the changes for the next one and says why.
class IniFile
{
public:
    IniFile(const QString &folder, const QString &relative);
    // A file a person chose (talonctl --profile FILE): read only.
    static std::unique_ptr<IniFile> chosen(const QString &path);
    ~IniFile();
    IniFile(const IniFile &) = delete;
    IniFile &operator=(const IniFile &) = delete;

    // As given (for messages): folder + "/" + relative.
    QString filePath() const { return shownPath; }

    QVariant value(const QString &key, const QVariant &defaultValue = QVariant()) const;
    bool contains(const QString &key) const;
    QStringList allKeys() const;
    QStringList childKeys(const QString &group) const;
    QStringList childGroups(const QString &group = QString()) const;
    // Whether the file is there (a regular file).
    bool exists() const;

    void setValue(const QString &key, const QVariant &value);
    void remove(const QString &key);

    bool hasChanges() const { return !changes.empty(); }
    bool sync();
    void discardChanges();
    // Why the last sync failed; empty after one that worked.
    QString error() const { return lastError; }
    // Why the file cannot be read (too large, not a regular file); empty
    // while it reads or is absent.
    QString readError() const;

    // The whole file replaced by `content` under the folder's lock; the
    // unsaved changes are dropped (whole-file operations).
    bool replace(const QByteArray &content);

    // Changes are written at the next turn of the event loop (many changes
    // of one screen make one write); a failure is told to the store's
    // failure reporter (StoreFile.h).
    void writeBehind();

private:
    IniFile() = default;
    void refresh() const;
    void apply(IniText &text) const;
    void scheduleSync();

    struct Change
    {
        bool remove;
        QString key;
        QVariant value;
    };

    QString folder;   // resolved once
    QString relative; // below it; for a chosen file, its whole path
    QString shownPath;
    bool chosenFile = false;
    std::vector<Change> changes;
    QString lastError;

    struct Signature
    {
        bool present = false;
        quint64 device = 0, inode = 0;
        qint64 size = -1, mtimeNs = 0, ctimeNs = 0;
        bool operator==(const Signature &o) const
        {
            return present == o.present && device == o.device && inode == o.inode &&
                   size == o.size && mtimeNs == o.mtimeNs && ctimeNs == o.ctimeNs;
        }
    };
    Signature currentSignature() const;
    mutable bool loaded = false;
    mutable Signature seen;
    mutable IniText text; // the file as read, with the changes applied
    mutable QString unreadable;

    std::unique_ptr<QObject> timerContext;
    bool syncQueued = false;
};
