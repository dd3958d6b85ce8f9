// SPDX-License-Identifier: GPL-2.0-or-later
// The profile store: current and default profile, lists, and the whole-file
// operations, which must never lose or half-write a profile.
#include "StoreFixture.h"
#include "store/ProfileStore.h"
#include "store/StoreFile.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <fcntl.h>
#include <sys/stat.h>

class TestProfileStore : public QObject
{
    Q_OBJECT

private slots:
    void readsTheCurrentOrTheDefaultProfile();
    void listsOfEveryLengthRoundTrip();
    void writtenValuesReadBackAfterARestart();
    void resetMakesTheProfileAByteCopyOfTheDefault();
    void copyReplacesTheDestinationOnly();
    void exportIsAByteCopyReplacingTheDestination();
    void aFailedExportKeepsTheUsersFile();
    void importOfAnotherProfileAndOfGarbage();
    void aFailedImportKeepsTheProfile();
    void pendingChangesOfAReplacedProfileAreNotWrittenIntoTheNewFile();
    void outOfRangeProfilesAreRefused();
    void aSameSizeReplacementIsSeenAtOnce();
};

void TestProfileStore::readsTheCurrentOrTheDefaultProfile()
{
    ModulesCopy m;
    ProfileStore store(m.root());
    store.currentProfile = 2;
    store.setData(QStringLiteral("mouse/dpiCount"), 6);
    QCOMPARE(store.getData(QStringLiteral("mouse/dpiCount"), false).toInt(), 6);
    QCOMPARE(store.getData(QStringLiteral("mouse/dpiCount"), true).toInt(), 8);
    QVERIFY(!store.getData(QStringLiteral("mouse/none"), false).isValid());
    QVERIFY(store.getDataList(QStringLiteral("mouse/none"), true).isEmpty());
    // Only profile 2 changed.
    store.currentProfile = 1;
    QCOMPARE(store.getData(QStringLiteral("mouse/dpiCount"), false).toInt(), 8);
}

void TestProfileStore::listsOfEveryLengthRoundTrip()
{
    ModulesCopy m;
    ProfileStore store(m.root());
    store.setDataList(QStringLiteral("mouse/empty"), {});
    QVERIFY(store.getDataList(QStringLiteral("mouse/empty"), false).isEmpty());

    const QVariantList colours{1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12,
                               13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24,
                               25, 26, 27, 28, 29, 30, 31, 32, 33, 34, 35, 36};
    store.setDataList(QStringLiteral("mouse/colorValue"), colours);
    store.current()->sync();
    ProfileStore reopened(m.root());
    const QVariantList back = reopened.getDataList(QStringLiteral("mouse/colorValue"), false);
    QCOMPARE(back.size(), 36);
    QCOMPARE(back[35].toInt(), 36);
    // A non-list value reads as an empty list.
    QVERIFY(reopened.getDataList(QStringLiteral("mouse/dpiCount"), false).isEmpty());
}

void TestProfileStore::writtenValuesReadBackAfterARestart()
{
    ModulesCopy m;
    {
        ProfileStore store(m.root());
        store.currentProfile = 5;
        store.setData(QStringLiteral("mouse/reportRate"), 1);
        store.setDataList(QStringLiteral("mouseKeyMatrix/3"), {4, 2, 3, 0});
    }
    ProfileStore store(m.root());
    store.currentProfile = 5;
    QCOMPARE(store.getData(QStringLiteral("mouse/reportRate"), false).toString(),
             QStringLiteral("1"));
    QCOMPARE(store.getDataList(QStringLiteral("mouseKeyMatrix/3"), false),
             (QVariantList{"4", "2", "3", "0"}));
    // and it is plain INI any settings reader understands
    QVERIFY(ModulesCopy::read(store.profilePath(5)).contains("3=4, 2, 3, 0"));
}

void TestProfileStore::resetMakesTheProfileAByteCopyOfTheDefault()
{
    ModulesCopy m;
    ProfileStore store(m.root());
    store.currentProfile = 2;
    store.setData(QStringLiteral("mouse/reportRate"), 0);
    store.current()->sync();

    QVERIFY(store.resetProfile(2));
    QCOMPARE(ModulesCopy::read(store.profilePath(2)), ModulesCopy::read(store.defaultPath()));
    QCOMPARE(store.getData(QStringLiteral("mouse/reportRate"), false).toInt(), 3);
}

void TestProfileStore::copyReplacesTheDestinationOnly()
{
    ModulesCopy m;
    ProfileStore store(m.root());
    store.currentProfile = 0;
    store.setData(QStringLiteral("mouse/scrollRate"), 1000); // pending, not yet on disk
    QVERIFY(store.copyProfile(4, 0));
    store.currentProfile = 4;
    QCOMPARE(store.getData(QStringLiteral("mouse/scrollRate"), false).toInt(), 1000);
    QCOMPARE(ModulesCopy::read(store.profilePath(4)), ModulesCopy::read(store.profilePath(0)));
    QVERIFY(!store.copyProfile(3, 3));
}

void TestProfileStore::exportIsAByteCopyReplacingTheDestination()
{
    ModulesCopy m;
    ProfileStore store(m.root());
    store.setData(QStringLiteral("mouse/mouseRate"), 300);
    const QString target = m.path(QStringLiteral("../mine.pf"));
    ModulesCopy::write(target, "old content");
    QVERIFY(store.exportProfile(0, target));
    QCOMPARE(ModulesCopy::read(target), ModulesCopy::read(store.profilePath(0)));
    QVERIFY(ModulesCopy::read(target).contains("mouseRate=300"));
}

void TestProfileStore::aFailedExportKeepsTheUsersFile()
{
    ModulesCopy m;
    ProfileStore store(m.root());
    const QString target = m.path(QStringLiteral("../mine.pf"));
    ModulesCopy::write(target, "the user's file");
    QFile::remove(store.profilePath(6)); // nothing to copy

    QVERIFY(!store.exportProfile(6, target));
    QCOMPARE(ModulesCopy::read(target), QByteArray("the user's file"));
    QVERIFY(!store.exportProfile(1, m.path(QStringLiteral("no/such/folder/x.pf"))));
}

void TestProfileStore::importOfAnotherProfileAndOfGarbage()
{
    ModulesCopy m;
    ProfileStore store(m.root());
    const QString pf = m.path(QStringLiteral("../in.pf"));
    ModulesCopy::write(pf, "[mouse]\nreportRate=0\n");
    QVERIFY(store.importProfile(3, pf));
    store.currentProfile = 3;
    QCOMPARE(store.getData(QStringLiteral("mouse/reportRate"), false).toInt(), 0);
    QVERIFY(!store.getData(QStringLiteral("mouse/dpiCount"), false).isValid());

    // A picture is not a profile: every catalogue key reads as absent.
    QByteArray binary("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\xff\xfe", 18);
    for (int i = 0; i < 4000; ++i)
        binary.append(char((i * 37) & 0xFF));
    ModulesCopy::write(pf, binary);
    QVERIFY(store.importProfile(3, pf));
    for (const char *key : {"mouse/reportRate", "mouse/dpiValueArray", "mouseKeyMatrix/0",
                            "mouseFwKeyMatrix/15", "mouse/colorValue"})
        QVERIFY2(!store.getData(QString::fromLatin1(key), false).isValid(), key);
}

void TestProfileStore::aFailedImportKeepsTheProfile()
{
    ModulesCopy m;
    ProfileStore store(m.root());
    const QByteArray before = ModulesCopy::read(store.profilePath(1));
    QVERIFY(!store.importProfile(1, m.path(QStringLiteral("../absent.pf"))));
    QCOMPARE(ModulesCopy::read(store.profilePath(1)), before);
    store.currentProfile = 1;
    QCOMPARE(store.getData(QStringLiteral("mouse/dpiCount"), false).toInt(), 8);

    QFile::remove(store.defaultPath());
    QVERIFY(!store.resetProfile(1));
    QCOMPARE(ModulesCopy::read(store.profilePath(1)), before);
}

void TestProfileStore::pendingChangesOfAReplacedProfileAreNotWrittenIntoTheNewFile()
{
    ModulesCopy m;
    ProfileStore store(m.root());
    store.currentProfile = 2;
    store.setData(QStringLiteral("mouse/unsaved"), 1);
    QVERIFY(store.resetProfile(2));
    QVERIFY(!store.getData(QStringLiteral("mouse/unsaved"), false).isValid());
    QCOMPARE(ModulesCopy::read(store.profilePath(2)), ModulesCopy::read(store.defaultPath()));
}

void TestProfileStore::outOfRangeProfilesAreRefused()
{
    ModulesCopy m;
    ProfileStore store(m.root());
    QVERIFY(!store.resetProfile(10));
    QVERIFY(!store.copyProfile(-1, 0));
    QVERIFY(!store.copyProfile(0, 11));
    QVERIFY(!store.exportProfile(12, m.path(QStringLiteral("../x.pf"))));
    store.currentProfile = 42;
    QVERIFY(!store.getData(QStringLiteral("mouse/dpiCount"), false).isValid());
    store.setData(QStringLiteral("mouse/dpiCount"), 1); // dropped, no crash
}

// The settings class caches a file by size and modification time, and the
// file system's clock ticks coarsely: a same-size replacement made within
// the tick in which the old file was written (here: touched just before) has
// the old time, and only the bumped time tells it apart.
void TestProfileStore::aSameSizeReplacementIsSeenAtOnce()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("p.bin"));
    QVERIFY(bool(storeFile::writeChosen(file, "[mouse]\ndpiCount=9\n")));
    for (int i = 0; i < 40; ++i) {
        const int value = i % 10;
        ::utimensat(AT_FDCWD, QFile::encodeName(file).constData(), nullptr, 0); // the tick's time
        QCOMPARE(
            QSettings(file, QSettings::IniFormat).value(QStringLiteral("mouse/dpiCount")).toInt(),
            (i + 9) % 10);
        QVERIFY(
            storeFile::writeChosen(file, "[mouse]\ndpiCount=" + QByteArray::number(value) + "\n"));
        QCOMPARE(
            QSettings(file, QSettings::IniFormat).value(QStringLiteral("mouse/dpiCount")).toInt(),
            value);
    }
}

QTEST_GUILESS_MAIN(TestProfileStore)
#include "tst_profilestore.moc"
