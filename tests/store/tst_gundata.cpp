// SPDX-License-Identifier: GPL-2.0-or-later
// The gun table and the per-profile gun values.
#include "StoreFixture.h"
#include "store/GunDataStore.h"
#include "store/ProfileStore.h"

#include <QTest>

class TestGunData : public QObject
{
    Q_OBJECT

private slots:
    void saveAndReadAnEntry();
    void withoutTheFileNothingHappens();
    void renameByModify();
    void namesThatWouldWipeOrOverwriteAreRefused_data();
    void namesThatWouldWipeOrOverwriteAreRefused();
    void keysListEveryEntry();
    void perProfileValuesAndDefaults();
};

void TestGunData::saveAndReadAnEntry()
{
    ModulesCopy m;
    ProfileStore profiles(m.root());
    GunDataStore guns(profiles, m.root());
    guns.mouseSaveGundata(QStringLiteral("2"), {"Mk", "R-Click", "15", "3", "12", "5", "extra"});
    QCOMPARE(guns.getGunData(QStringLiteral("2")),
             (QVariantList{"Mk", "R-Click", "15", "3", "12", "5"}));
    QCOMPARE(guns.getGunData(QStringLiteral("0")).first().toString(), QStringLiteral("M416"));
    QVERIFY(guns.getGunData(QStringLiteral("99")).isEmpty());
}

void TestGunData::withoutTheFileNothingHappens()
{
    ModulesCopy m;
    ProfileStore profiles(m.root());
    GunDataStore guns(profiles, m.root());
    QFile::remove(guns.filePath());
    guns.mouseSaveGundata(QStringLiteral("2"), {"a", "b", "1", "2", "3", "4"});
    guns.modifyGundata(1, {"b", "k", "1", "2", "3", "4", "a"});
    QVERIFY(!QFile::exists(guns.filePath()));
    QVERIFY(guns.getGunData(QStringLiteral("2")).isEmpty());
    QVERIFY(guns.getGunDataKey().isEmpty());
}

void TestGunData::renameByModify()
{
    ModulesCopy m;
    ProfileStore profiles(m.root());
    GunDataStore guns(profiles, m.root());
    QVERIFY(guns.modifyGundata(1, {"a", "k", "p", "x", "y", "t", "none"}));
    QCOMPARE(guns.getGunData(QStringLiteral("a")).size(), 5);
    QVERIFY(guns.modifyGundata(1, {"b", "k", "p", "x", "y", "t", "a"}));
    QVERIFY(guns.getGunData(QStringLiteral("a")).isEmpty());
    QCOMPARE(guns.getGunData(QStringLiteral("b")), (QVariantList{"k", "p", "x", "y", "t"}));
    guns.modifyGundata(0, {"b"});
    QVERIFY(guns.getGunData(QStringLiteral("b")).isEmpty());
    guns.modifyGundata(5, {"0"});
    QCOMPARE(guns.getGunData(QStringLiteral("0")).size(), 6);
    guns.modifyGundata(1, {"c", "k"}); // short: outside the contract, ignored
    QVERIFY(guns.getGunData(QStringLiteral("c")).isEmpty());
}

void TestGunData::namesThatWouldWipeOrOverwriteAreRefused_data()
{
    QTest::addColumn<int>("modifyType");
    QTest::addColumn<QVariantList>("src");
    QTest::newRow("remove with an empty name") << 0 << QVariantList{""};
    QTest::newRow("remove a position") << 0 << QVariantList{"3"};
    QTest::newRow("rename from an empty name")
        << 1 << QVariantList{"b", "k", "1", "2", "3", "4", ""};
    QTest::newRow("rename to an empty name")
        << 1 << QVariantList{"", "k", "1", "2", "3", "4", "M416"};
    QTest::newRow("rename onto position 0") << 1 << QVariantList{"0", "k", "1", "2", "3", "4", "b"};
    QTest::newRow("rename onto position 5") << 1 << QVariantList{"5", "k", "1", "2", "3", "4", "b"};
    QTest::newRow("a name with a group separator")
        << 1 << QVariantList{"a/b", "k", "1", "2", "3", "4", "b"};
}

void TestGunData::namesThatWouldWipeOrOverwriteAreRefused()
{
    QFETCH(int, modifyType);
    QFETCH(QVariantList, src);
    ModulesCopy m;
    ProfileStore profiles(m.root());
    GunDataStore guns(profiles, m.root());
    QVERIFY(guns.modifyGundata(1, {"b", "k", "p", "x", "y", "t", "none"}));
    const QByteArray before = ModulesCopy::read(guns.filePath());

    QVERIFY(!guns.modifyGundata(modifyType, src));
    QCOMPARE(ModulesCopy::read(guns.filePath()), before);
    QCOMPARE(guns.getGunDataKey(), (QStringList{"0", "1", "2", "3", "4", "5", "b"}));
    // Names that merely hold digits are names.
    QVERIFY(guns.modifyGundata(1, {"M1911", "k", "1", "2", "3", "4", "b"}));
    QVERIFY(guns.modifyGundata(1, {"07", "k", "1", "2", "3", "4", "M1911"}));
    QCOMPARE(guns.getGunData(QStringLiteral("07")).size(), 5);
}

void TestGunData::keysListEveryEntry()
{
    ModulesCopy m;
    ProfileStore profiles(m.root());
    GunDataStore guns(profiles, m.root());
    QCOMPARE(guns.getGunDataKey(), (QStringList{"0", "1", "2", "3", "4", "5"}));
}

void TestGunData::perProfileValuesAndDefaults()
{
    ModulesCopy m;
    ProfileStore profiles(m.root());
    GunDataStore guns(profiles, m.root());
    profiles.currentProfile = 4;
    QCOMPARE(guns.getXYSensitive(QStringLiteral("0")).toInt(), 4);
    QCOMPARE(guns.getXYSensitive(QStringLiteral("7")).toInt(), 4);
    guns.setXYSensitive(QStringLiteral("1"), 7);
    QCOMPARE(guns.getXYSensitive(QStringLiteral("1")).toInt(), 7);
    QCOMPARE(guns.getselectGun(QStringLiteral("0")), QVariant(QString()));
    guns.setSelectGun(QStringLiteral("0"), 2);
    QCOMPARE(guns.getselectGun(QStringLiteral("0")).toInt(), 2);
    profiles.currentProfile = 5;
    QCOMPARE(guns.getXYSensitive(QStringLiteral("1")).toInt(), 4);
}

QTEST_GUILESS_MAIN(TestGunData)
#include "tst_gundata.moc"
