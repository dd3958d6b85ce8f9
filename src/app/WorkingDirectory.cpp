#include "WorkingDirectory.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace workingDirectory {

namespace {

void copyTree(const QString &from, const QString &to)
{
    QDirIterator it(from, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = to + QLatin1Char('/') + QDir(from).relativeFilePath(source);
        QDir().mkpath(QFileInfo(target).path());
        if (!QFile::exists(target) && QFile::copy(source, target))
            QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser |
                                              QFile::WriteUser);
    }
    QDir().mkpath(to + QStringLiteral("/macro"));
}

} // namespace

QString choose(const QString &executableDir, const QString &userDataDir)
{
    const QString shipped = executableDir + QStringLiteral("/modules");
    if (QFileInfo(shipped + QStringLiteral("/setting")).isWritable())
        return executableDir;
    // Seeded once; later starts keep the user's own files.
    if (!QFile::exists(userDataDir + QStringLiteral("/modules/setting/apConfig.bin")))
        copyTree(shipped, userDataDir + QStringLiteral("/modules"));
    return userDataDir;
}

bool enter()
{
    const QString exeDir = QFileInfo(QCoreApplication::applicationFilePath()).path();
    QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    data += QStringLiteral("/kestrel-talon");
    return QDir::setCurrent(choose(exeDir, data));
}

} // namespace workingDirectory
