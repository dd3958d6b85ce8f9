#include "WorkingSet.h"

#include <QFile>
#include <QLoggingCategory>

#include <sys/mman.h>

Q_DECLARE_LOGGING_CATEGORY(lcStartup)

namespace workingSet {

std::size_t trim()
{
#ifdef MADV_PAGEOUT
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (!maps.open(QIODevice::ReadOnly))
        return 0;
    std::size_t advised = 0;
    // "start-end perms offset dev inode path": file mappings have a path that
    // starts with '/'; heap, stack and anonymous memory have none or "[...]".
    for (const QByteArray &line : maps.readAll().split('\n')) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() < 6 || !fields[5].startsWith('/') || fields[5].startsWith("/memfd:") ||
            fields[5].startsWith("/dev/"))
            continue;
        const QList<QByteArray> range = fields[0].split('-');
        bool ok1 = false, ok2 = false;
        const quintptr start = range.value(0).toULongLong(&ok1, 16);
        const quintptr end = range.value(1).toULongLong(&ok2, 16);
        if (!ok1 || !ok2 || end <= start)
            continue;
        if (madvise(reinterpret_cast<void *>(start), end - start, MADV_PAGEOUT) == 0)
            advised += end - start;
    }
    return advised;
#else
    return 0;
#endif
}

} // namespace workingSet
