// SPDX-License-Identifier: GPL-2.0-or-later
#include "IniFile.h"

#include "StoreFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QLoggingCategory>
#include <QObject>
#include <QThread>
#include <QTimer>
#include <sys/stat.h>

Q_DECLARE_LOGGING_CATEGORY(lcStore)
Q_LOGGING_CATEGORY(lcStore, "talon.store")

IniFile::IniFile(const QString &folderPath, const QString &relativePath)
    : folder(storeFile::resolvedFolder(folderPath)), relative(relativePath),
      shownPath(folderPath + QLatin1Char('/') + relativePath)
{
}

std::unique_ptr<IniFile> IniFile::chosen(const QString &path)
{
    std::unique_ptr<IniFile> f(new IniFile);
    f->relative = path;
    f->shownPath = path;
    f->chosenFile = true;
    return f;
}

IniFile::~IniFile()
{
    // What the event loop had no turn to write is written now; a file
    // written at once has told its caller already.
    if (timerContext && hasChanges() && !sync())
        qCWarning(lcStore).noquote() << "changes not stored:" << lastError;
}

IniFile::Signature IniFile::currentSignature() const
{
    Signature s;
    struct stat st;
    const QByteArray path =
        QFile::encodeName(chosenFile ? relative : folder + QLatin1Char('/') + relative);
    if (::stat(path.constData(), &st) != 0)
        return s;
    s.present = true;
    s.device = st.st_dev;
    s.inode = st.st_ino;
    s.size = st.st_size;
    s.mtimeNs = qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    s.ctimeNs = qint64(st.st_ctim.tv_sec) * 1000000000 + st.st_ctim.tv_nsec;
    return s;
}

void IniFile::refresh() const
{
    const Signature now = currentSignature();
    if (loaded && now == seen)
        return;
    const storeFile::Read r =
        chosenFile ? storeFile::readChosen(relative) : storeFile::read(folder, relative);
    unreadable = r.message;
    text = IniText(r.ok() ? r.content : QByteArray());
    apply(text);
    seen = now;
    loaded = true;
}

void IniFile::apply(IniText &t) const
{
    for (const Change &c : changes) {
        if (c.remove)
            t.remove(c.key);
        else
            t.setValue(c.key, c.value);
    }
}

QVariant IniFile::value(const QString &key, const QVariant &defaultValue) const
{
    refresh();
    return text.contains(key) ? text.value(key) : defaultValue;
}

bool IniFile::contains(const QString &key) const
{
    refresh();
    return text.contains(key);
}

QStringList IniFile::allKeys() const
{
    refresh();
    return text.allKeys();
}

QStringList IniFile::childKeys(const QString &group) const
{
    refresh();
    return text.childKeys(group);
}

QStringList IniFile::childGroups(const QString &group) const
{
    refresh();
    return text.childGroups(group);
}

bool IniFile::exists() const
{
    return chosenFile ? currentSignature().present : storeFile::exists(folder, relative);
}

QString IniFile::readError() const
{
    refresh();
    return unreadable;
}

void IniFile::setValue(const QString &key, const QVariant &value)
{
    refresh();
    changes.push_back({false, key, value});
    text.setValue(key, value);
    scheduleSync();
}

void IniFile::remove(const QString &key)
{
    refresh();
    changes.push_back({true, key, QVariant()});
    text.remove(key);
    scheduleSync();
}

void IniFile::discardChanges()
{
    changes.clear();
    loaded = false;
}

bool IniFile::sync()
{
    if (changes.empty())
        return true;
    if (chosenFile) {
        lastError = shownPath + QStringLiteral(": read only");
        return false;
    }
    const auto failed = [this](const QString &message, bool report) {
        lastError = message;
        if (report)
            storeFile::reportFailure(message);
        return false;
    };
    DataLock lock(folder);
    if (!lock.held())
        return failed(lock.error(), true);
    const storeFile::Read r = storeFile::read(folder, relative);
    if (!r.ok() && r.result != storeFile::ReadResult::Missing)
        return failed(r.message + QStringLiteral(" (left as it is)"), true);
    IniText fresh(r.content);
    apply(fresh);
    const QByteArray out = fresh.content();
    if (!r.ok() || out != r.content) {
        const storeFile::Status s = storeFile::write(folder, relative, out);
        if (!s)
            return failed(s.message, false); // told by the write
    }
    changes.clear();
    lastError.clear();
    text = fresh;
    seen = currentSignature();
    loaded = true;
    unreadable.clear();
    return true;
}

bool IniFile::replace(const QByteArray &content)
{
    if (chosenFile)
        return false;
    DataLock lock(folder);
    if (!lock.held()) {
        lastError = lock.error();
        storeFile::reportFailure(lastError);
        return false;
    }
    const storeFile::Status s = storeFile::write(folder, relative, content);
    if (!s) {
        lastError = s.message;
        return false;
    }
    changes.clear();
    lastError.clear();
    loaded = false;
    return true;
}

void IniFile::writeBehind()
{
    timerContext = std::make_unique<QObject>();
}

void IniFile::scheduleSync()
{
    if (!timerContext || syncQueued || !QCoreApplication::instance() ||
        QThread::currentThread() != QCoreApplication::instance()->thread())
        return;
    syncQueued = true;
    QTimer::singleShot(0, timerContext.get(), [this] {
        syncQueued = false;
        sync();
    });
}
