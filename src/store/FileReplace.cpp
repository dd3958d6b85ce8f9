// SPDX-License-Identifier: GPL-2.0-or-later
#include "FileReplace.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace fileReplace {

bool writeOver(const QString &destination, const QByteArray &content)
{
    const QFileInfo before(destination);
    const qint64 oldSize = before.exists() ? before.size() : -1;
    const QDateTime oldTime = before.exists() ? before.lastModified() : QDateTime();

    QSaveFile out(destination);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    if (out.write(content) != content.size()) {
        out.cancelWriting();
        return false;
    }
    if (!out.commit())
        return false;

    // The settings class caches a file's content by size and modification
    // time; a replacement written within the same millisecond with the same
    // size would be taken for the old file.
    if (oldSize == content.size() && QFileInfo(destination).lastModified() == oldTime) {
        QFile f(destination);
        if (f.open(QIODevice::ReadWrite))
            f.setFileTime(oldTime.addMSecs(1), QFileDevice::FileModificationTime);
    }
    return true;
}

bool copyOver(const QString &source, const QString &destination)
{
    if (QFileInfo(source).canonicalFilePath() == QFileInfo(destination).canonicalFilePath() &&
        QFileInfo::exists(destination))
        return true;
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    const QByteArray content = in.readAll();
    if (in.error() != QFileDevice::NoError)
        return false;
    return writeOver(destination, content);
}

} // namespace fileReplace
