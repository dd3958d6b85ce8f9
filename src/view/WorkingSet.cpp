// SPDX-License-Identifier: GPL-2.0-or-later
#include "WorkingSet.h"

#include <QFile>

#include <sys/mman.h>

namespace workingSet {

namespace {

struct Mapping
{
    quintptr start = 0;
    quintptr end = 0;
    bool writable = true;
    bool file = false;
    qint64 anonymousKb = -1;
};

Mapping parseHeader(const QByteArray &line)
{
    // "start-end perms offset dev inode path"
    Mapping m;
    const QList<QByteArray> fields = line.simplified().split(' ');
    const QList<QByteArray> range = fields.value(0).split('-');
    bool ok1 = false, ok2 = false;
    m.start = range.value(0).toULongLong(&ok1, 16);
    m.end = range.value(1).toULongLong(&ok2, 16);
    if (!ok1 || !ok2 || m.end <= m.start)
        m.end = m.start;
    m.writable = fields.value(1).contains('w');
    // Heap, stack and anonymous memory have no path or a "[...]" one; shared
    // memory of the X server and devices are left alone.
    const QByteArray path = fields.value(5);
    m.file = path.startsWith('/') && !path.startsWith("/memfd:") && !path.startsWith("/dev/");
    return m;
}

// A mapping's first line starts with its address range ("7f..-7f.. r-xp");
// its field lines with a name and a colon.
bool isHeader(const QByteArray &line)
{
    const int space = line.indexOf(' ');
    const int dash = line.indexOf('-');
    return space > 0 && dash > 0 && dash < space && !line.left(space).contains(':');
}

// The mapping's pages leave the resident set. Every file page may be
// reclaimed (the kernel keeps what it cannot drop); a read-only mapping that
// holds no changed private page is also unmapped from this process, shared
// pages included, and read again from its file on next use.
std::size_t release(const Mapping &m)
{
    if (!m.file || m.end == m.start)
        return 0;
    void *start = reinterpret_cast<void *>(m.start);
    const std::size_t length = m.end - m.start;
    bool advised = false;
#ifdef MADV_PAGEOUT
    advised = madvise(start, length, MADV_PAGEOUT) == 0;
#endif
    if (!m.writable && m.anonymousKb == 0)
        advised = madvise(start, length, MADV_DONTNEED) == 0 || advised;
    return advised ? length : 0;
}

} // namespace

std::size_t trim()
{
    QFile smaps(QStringLiteral("/proc/self/smaps"));
    if (!smaps.open(QIODevice::ReadOnly))
        return 0;
    // Read whole before any page is released: the file describes the
    // mappings as they are while it is read.
    const QList<QByteArray> lines = smaps.readAll().split('\n');
    std::size_t released = 0;
    Mapping current;
    bool inMapping = false;
    for (const QByteArray &line : lines) {
        if (isHeader(line)) {
            if (inMapping)
                released += release(current);
            current = parseHeader(line);
            inMapping = true;
        } else if (line.startsWith("Anonymous:")) {
            current.anonymousKb = line.mid(10).trimmed().split(' ').value(0).toLongLong();
        }
    }
    if (inMapping)
        released += release(current);
    return released;
}

} // namespace workingSet
