// SPDX-License-Identifier: GPL-2.0-or-later
// Name lists and their sentinel.
#include "StoreFixture.h"
#include "store/NameListStore.h"

#include <QSettings>
#include <QTest>

class TestNameList : public QObject
{
    Q_OBJECT

private slots:
    void aLoneNameGetsTheSentinel();
    void emptyListsRemoveTheKey();
    void longerListsAreStoredAsTheyAre();
    void unknownTypesWriteNothing();
    void theShippedListsRead();
};

void TestNameList::aLoneNameGetsTheSentinel()
{
    ModulesCopy m;
    NameListStore names(m.root());
    QCOMPARE(names.updataNameList(NameListStore::Macro, {"abc"}), QVariant(true));
    const QVariantList stored = names.getNameList(NameListStore::Macro);
    QCOMPARE(stored, (QVariantList{"abc", "loaderquokka"}));
    QCOMPARE(NameListStore::withoutSentinel(stored), QStringList{"abc"});
    // the file holds a real list a fresh reader sees as such
    QSettings raw(names.filePath(), QSettings::IniFormat);
    QCOMPARE(raw.value("macro/macroName").toStringList(), (QStringList{"abc", "loaderquokka"}));
}

void TestNameList::emptyListsRemoveTheKey()
{
    ModulesCopy m;
    NameListStore names(m.root());
    names.updataNameList(NameListStore::Gun, {"a", "b"});
    QCOMPARE(names.updataNameList(NameListStore::Gun, {}), QVariant(true));
    QVERIFY(names.getNameList(NameListStore::Gun).isEmpty());
    QVERIFY(!ModulesCopy::read(names.filePath()).contains("gunName"));
}

void TestNameList::longerListsAreStoredAsTheyAre()
{
    ModulesCopy m;
    NameListStore names(m.root());
    names.updataNameList(NameListStore::Profile, {"Work1", "Game3"});
    QCOMPARE(names.getNameList(NameListStore::Profile), (QVariantList{"Work1", "Game3"}));
    QCOMPARE(NameListStore::withoutSentinel(names.getNameList(NameListStore::Profile)).size(), 2);
    names.updataNameList(NameListStore::SelectGun, {"x", "y", "z"});
    QCOMPARE(names.getNameList(NameListStore::SelectGun).size(), 3);
}

void TestNameList::unknownTypesWriteNothing()
{
    ModulesCopy m;
    NameListStore names(m.root());
    const QByteArray before = ModulesCopy::read(names.filePath());
    QCOMPARE(names.updataNameList(7, {"x"}), QVariant(true));
    QCOMPARE(ModulesCopy::read(names.filePath()), before);
    QVERIFY(names.getNameList(7).isEmpty());
    // An absent file reads as empty lists.
    QFile::remove(names.filePath());
    QVERIFY(names.getNameList(NameListStore::Profile).isEmpty());
}

void TestNameList::theShippedListsRead()
{
    ModulesCopy m;
    NameListStore names(m.root());
    QCOMPARE(NameListStore::withoutSentinel(names.getNameList(NameListStore::Profile)),
             QStringList{"Standard0"});
    QCOMPARE(names.getNameList(NameListStore::Gun).size(), 6);
    QVERIFY(names.getNameList(NameListStore::Macro).isEmpty());
}

QTEST_GUILESS_MAIN(TestNameList)
#include "tst_namelist.moc"
