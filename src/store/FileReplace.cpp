#include "FileReplace.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace fileReplace {

bool writeOver(const QString &destination, const QByteArray &content)
{
    QSaveFile out(destination);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    if (out.write(content) != content.size()) {
        out.cancelWriting();
        return false;
    }
    return out.commit();
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
