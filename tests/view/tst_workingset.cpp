// SPDX-License-Identifier: GPL-2.0-or-later
// Releasing the resident pages of file mappings while hidden must change no
// byte the program sees: changed private pages (as the loader's relocated
// read-only data) and writable data stay as they are.
#include "view/WorkingSet.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryFile>
#include <QTest>

#include <cstring>
#include <sys/mman.h>
#include <unistd.h>

class TestWorkingSet : public QObject
{
    Q_OBJECT

private slots:
    void changedPrivatePagesSurvive();
    void fileContentsReadBackUnchanged();
};

namespace {

const std::size_t kPage = std::size_t(sysconf(_SC_PAGESIZE));

QTemporaryFile *fileOfPages(int pages, char fill)
{
    auto *file = new QTemporaryFile;
    if (!file->open())
        return nullptr;
    file->write(QByteArray(int(kPage) * pages, fill));
    file->flush();
    return file;
}

} // namespace

// A private mapping of a file, changed and then made read-only: the changed
// page is the process's own copy and must not fall back to the file's bytes.
void TestWorkingSet::changedPrivatePagesSurvive()
{
    std::unique_ptr<QTemporaryFile> file(fileOfPages(4, 'f'));
    QVERIFY(file);
    auto *bytes = static_cast<char *>(
        mmap(nullptr, 4 * kPage, PROT_READ | PROT_WRITE, MAP_PRIVATE, int(file->handle()), 0));
    QVERIFY(bytes != MAP_FAILED);
    bytes[0] = 'c';
    bytes[2 * kPage] = 'c';
    QVERIFY(mprotect(bytes, 4 * kPage, PROT_READ) == 0);

    static char writable[4096] = "kept";
    QVERIFY(workingSet::trim() > 0);

    QCOMPARE(bytes[0], 'c');
    QCOMPARE(bytes[1], 'f');
    QCOMPARE(bytes[2 * kPage], 'c');
    QCOMPARE(bytes[3 * kPage], 'f');
    QCOMPARE(QByteArray(writable), QByteArray("kept"));
    munmap(bytes, 4 * kPage);
}

// Read-only file pages come back with their contents, and the program's own
// code and data keep working after their pages were released.
void TestWorkingSet::fileContentsReadBackUnchanged()
{
    std::unique_ptr<QTemporaryFile> file(fileOfPages(8, 'r'));
    QVERIFY(file);
    auto *bytes = static_cast<const char *>(
        mmap(nullptr, 8 * kPage, PROT_READ, MAP_PRIVATE, int(file->handle()), 0));
    QVERIFY(bytes != MAP_FAILED);
    QCOMPARE(bytes[5 * kPage], 'r');
    const QString before = QRegularExpression(QStringLiteral("(\\d+)-(\\w+)"))
                               .match(QStringLiteral("x 42-kestrel y"))
                               .captured(2);

    QVERIFY(workingSet::trim() > 0);

    for (std::size_t i = 0; i < 8 * kPage; i += kPage / 2)
        QCOMPARE(bytes[i], 'r');
    QCOMPARE(QRegularExpression(QStringLiteral("(\\d+)-(\\w+)"))
                 .match(QStringLiteral("x 42-kestrel y"))
                 .captured(2),
             before);
    munmap(const_cast<char *>(bytes), 8 * kPage);
}

QTEST_GUILESS_MAIN(TestWorkingSet)
#include "tst_workingset.moc"
