// SPDX-License-Identifier: GPL-2.0-or-later
// The macro library: files, the profiles that name macros, import and export,
// and names that must never reach a file outside the macro folder.
#include "StoreFixture.h"
#include "store/MacroLibrary.h"
#include "store/ProfileStore.h"

#include <QDir>
#include <QTest>

class TestMacroLibrary : public QObject
{
    Q_OBJECT

private slots:
    void createThenLoadGivesTheRepeatCountAlone();
    void saveThenLoadGivesTheActionsThenTheRepeatCount();
    void aSecondShorterSaveLeavesNoStaleActions();
    void saveWithoutCreateWritesNothing();
    void renameMovesTheFileAndTheProfileEntries();
    void aRenameOntoATakenNameChangesNothing();
    void deleteRemovesTheFile();
    void deleteCleanUpRestoresBoundButtons();
    void importKeepsAnExistingMacroAndExportReplaces();
    void importMakesTheMacroFolderAgain();
    void hostileNamesAreRefusedEverywhere_data();
    void hostileNamesAreRefusedEverywhere();
};

void TestMacroLibrary::createThenLoadGivesTheRepeatCountAlone()
{
    ModulesCopy m;
    ProfileStore profiles(m.root());
    MacroLibrary macros(profiles, m.root());
    QCOMPARE(macros.createMacroIni(QStringLiteral("m1"), 0), QVariant(true));
    QCOMPARE(macros.loadMacroIni(QStringLiteral("m1")), QStringList{"1"});
    QVERIFY(QFile::exists(m.path(QStringLiteral("macro/m1.bin"))));
    QVERIFY(macros.loadMacroIni(QStringLiteral("absent")).isEmpty());
}

void TestMacroLibrary::saveThenLoadGivesTheActionsThenTheRepeatCount()
{
    ModulesCopy m;
    ProfileStore profiles(m.root());
    MacroLibrary macros(profiles, m.root());
    macros.createMacroIni(QStringLiteral("m1"), 0);
    QCOMPARE(macros.saveMacroIni(QStringLiteral("m1"), {"1,A", "0,50"}, 3), QVariant(true));
    QCOMPARE(macros.loadMacroIni(QStringLiteral("m1")), (QStringList{"1,A", "0,50", "3"}));

    // Names with spaces and non-ASCII letters are ordinary file names.
    const QString name = QStringLiteral("Reload ×2 é");
    macros.createMacroIni(name, 0);
    macros.saveMacroIni(name, {"1,MS-L", "0,10", "2,MS-L"}, 1);
    QCOMPARE(macros.loadMacroIni(name).size(), 4);
}

void TestMacroLibrary::aSecondShorterSaveLeavesNoStaleActions()
{
    ModulesCopy m;
    ProfileStore profiles(m.root());
    MacroLibrary macros(profiles, m.root());
    macros.createMacroIni(QStringLiteral("m1"), 0);
    macros.saveMacroIni(QStringLiteral("m1"), {"1,A", "0,50", "2,A", "0,20"}, 1);
    macros.saveMacroIni(QStringLiteral("m1"), {"1,B"}, 2);
    QCOMPARE(macros.loadMacroIni(QStringLiteral("m1")), (QStringList{"1,B", "2"}));
    QVERIFY(!ModulesCopy::read(m.path(QStringLiteral("macro/m1.bin"))).contains("2,A"));
}

void TestMacroLibrary::saveWithoutCreateWritesNothing()
{
    ModulesCopy m;
    ProfileStore profiles(m.root());
    MacroLibrary macros(profiles, m.root());
    QCOMPARE(macros.saveMacroIni(QStringLiteral("m2"), {"1,A"}, 1), QVariant(false));
    QVERIFY(!QFile::exists(m.path(QStringLiteral("macro/m2.bin"))));
}

void TestMacroLibrary::renameMovesTheFileAndTheProfileEntries()
{
    ModulesCopy m;
    ProfileStore profiles(m.root());
    MacroLibrary macros(profiles, m.root());
    macros.createMacroIni(QStringLiteral("m1"), 0);
    for (int p : {0, 2, 5, 6}) {
        profiles.currentProfile = p;
        profiles.setData(QStringLiteral("mouseMacroKey/5"), QStringLiteral("m1"));
        profiles.setData(QStringLiteral("mouseMacroKey/6"), QStringLiteral("other"));
    }

    QCOMPARE(macros.modifyMacroNameUpdateProfile(QStringLiteral("m1"), QStringLiteral("m2")),
             QVariant(true));
    QVERIFY(QFile::exists(m.path(QStringLiteral("macro/m2.bin"))));
    QVERIFY(!QFile::exists(m.path(QStringLiteral("macro/m1.bin"))));
    for (int p : {0, 2, 5}) {
        profiles.currentProfile = p;
        QCOMPARE(profiles.getData(QStringLiteral("mouseMacroKey/5"), false).toString(),
                 QStringLiteral("m2"));
        QCOMPARE(profiles.getData(QStringLiteral("mouseMacroKey/6"), false).toString(),
                 QStringLiteral("other"));
    }
    // The screens offer six profiles; the seventh is not visited.
    profiles.currentProfile = 6;
    QCOMPARE(profiles.getData(QStringLiteral("mouseMacroKey/5"), false).toString(),
             QStringLiteral("m1"));

    QCOMPARE(macros.modifyMacroNameUpdateProfile(QStringLiteral("gone"), QStringLiteral("x")),
             QVariant(false));
}

void TestMacroLibrary::aRenameOntoATakenNameChangesNothing()
{
    ModulesCopy m;
    ProfileStore profiles(m.root());
    MacroLibrary macros(profiles, m.root());
    macros.createMacroIni(QStringLiteral("m1"), 0);
    macros.createMacroIni(QStringLiteral("m2"), 0);
    profiles.setData(QStringLiteral("mouseMacroKey/1"), QStringLiteral("m1"));

    QCOMPARE(macros.modifyMacroNameUpdateProfile(QStringLiteral("m1"), QStringLiteral("m2")),
             QVariant(false));
    QCOMPARE(profiles.getData(QStringLiteral("mouseMacroKey/1"), false).toString(),
             QStringLiteral("m1"));
    QVERIFY(QFile::exists(m.path(QStringLiteral("macro/m1.bin"))));
}

void TestMacroLibrary::deleteRemovesTheFile()
{
    ModulesCopy m;
    ProfileStore profiles(m.root());
    MacroLibrary macros(profiles, m.root());
    macros.createMacroIni(QStringLiteral("m1"), 0);
    QCOMPARE(macros.deleteMacroIni(QStringLiteral("m1")), QVariant(true));
    QVERIFY(!QFile::exists(m.path(QStringLiteral("macro/m1.bin"))));
    QCOMPARE(macros.deleteMacroIni(QStringLiteral("m1")), QVariant(false));
}

void TestMacroLibrary::deleteCleanUpRestoresBoundButtons()
{
    ModulesCopy m;
    ProfileStore profiles(m.root());
    MacroLibrary macros(profiles, m.root());
    profiles.currentProfile = 0;
    profiles.setDataList(QStringLiteral("mouseKeyMatrix/3"), {4, 0, 5, 0});
    profiles.setDataList(QStringLiteral("mouseKeyMatrix/4"), {4, 1, 6, 0});
    profiles.setData(QStringLiteral("mouseMacroKey/5"), QStringLiteral("gone"));
    profiles.setData(QStringLiteral("mouseMacroKey/6"), QStringLiteral("kept"));
    profiles.currentProfile = 3;
    profiles.setDataList(QStringLiteral("mouseKeyMatrix/0"), {4, 2, 9, 0});
    profiles.setData(QStringLiteral("mouseMacroKey/9"), QStringLiteral("gone"));

    macros.deleteMacroUpdateProfile(QStringLiteral("gone"));

    const QVariantList defaultsOf3 = profiles.getDataList(QStringLiteral("mouseKeyMatrix/3"), true);
    profiles.currentProfile = 0;
    QCOMPARE(profiles.getDataList(QStringLiteral("mouseKeyMatrix/3"), false), defaultsOf3);
    QCOMPARE(profiles.getDataList(QStringLiteral("mouseKeyMatrix/4"), false),
             (QVariantList{4, 1, 6, 0}));
    // The slot name itself stays.
    QCOMPARE(profiles.getData(QStringLiteral("mouseMacroKey/5"), false).toString(),
             QStringLiteral("gone"));
    profiles.currentProfile = 3;
    QCOMPARE(profiles.getDataList(QStringLiteral("mouseKeyMatrix/0"), false),
             profiles.getDataList(QStringLiteral("mouseKeyMatrix/0"), true));
}

void TestMacroLibrary::importMakesTheMacroFolderAgain()
{
    ModulesCopy m;
    ProfileStore profiles(m.root());
    MacroLibrary macros(profiles, m.root());
    const QString mc = m.path(QStringLiteral("../in.mc"));
    ModulesCopy::write(mc, "[config]\ntotal=0\nrepeat=1\n");
    QVERIFY(QDir(m.path(QStringLiteral("macro"))).removeRecursively());
    // The screen creates an empty macro when the import says false; a true
    // means the macro file is there (the folder made again).
    QVERIFY(macros.importMacro(QStringLiteral("q"), mc));
    QCOMPARE(ModulesCopy::read(macros.macroPath(QStringLiteral("q"))),
             QByteArray("[config]\ntotal=0\nrepeat=1\n"));
    QVERIFY(QFile::remove(macros.macroPath(QStringLiteral("q"))));
    // An unreadable source copies nothing.
    QVERIFY(!macros.importMacro(QStringLiteral("q"), m.path(QStringLiteral("../absent.mc"))));
}

void TestMacroLibrary::importKeepsAnExistingMacroAndExportReplaces()
{
    ModulesCopy m;
    ProfileStore profiles(m.root());
    MacroLibrary macros(profiles, m.root());
    const QString mc = m.path(QStringLiteral("../in.mc"));
    ModulesCopy::write(mc, "[config]\ntotal=1\nrepeat=2\n[macro]\n0=\"1,Q\"\n");

    QVERIFY(macros.importMacro(QStringLiteral("q"), mc));
    QCOMPARE(macros.loadMacroIni(QStringLiteral("q")), (QStringList{"1,Q", "2"}));

    ModulesCopy::write(mc, "[config]\ntotal=0\nrepeat=9\n");
    QVERIFY(macros.importMacro(QStringLiteral("q"), mc)); // name taken: kept as it was
    QCOMPARE(macros.loadMacroIni(QStringLiteral("q")), (QStringList{"1,Q", "2"}));
    QVERIFY(!macros.importMacro(QStringLiteral("q"), QString()));

    const QString out = m.path(QStringLiteral("../out.mc"));
    ModulesCopy::write(out, "old");
    QVERIFY(macros.exportMacro(QStringLiteral("q"), out));
    QCOMPARE(ModulesCopy::read(out), ModulesCopy::read(m.path(QStringLiteral("macro/q.bin"))));
    // Exporting a macro that does not exist leaves the user's file alone.
    QVERIFY(!macros.exportMacro(QStringLiteral("none"), out));
    QCOMPARE(ModulesCopy::read(out), ModulesCopy::read(m.path(QStringLiteral("macro/q.bin"))));
}

void TestMacroLibrary::hostileNamesAreRefusedEverywhere_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("empty") << QString();
    QTest::newRow("dot dot") << QStringLiteral("..");
    QTest::newRow("dot") << QStringLiteral(".");
    QTest::newRow("parent path") << QStringLiteral("../setting/p1");
    QTest::newRow("absolute") << QStringLiteral("/tmp/x");
    QTest::newRow("backslash") << QStringLiteral("..\\..\\x");
    QTest::newRow("nul") << QStringLiteral("a") + QChar(0) + QStringLiteral("b");
}

void TestMacroLibrary::hostileNamesAreRefusedEverywhere()
{
    QFETCH(QString, name);
    ModulesCopy m;
    ProfileStore profiles(m.root());
    MacroLibrary macros(profiles, m.root());
    macros.createMacroIni(QStringLiteral("ok"), 0);
    const QByteArray p1 = ModulesCopy::read(profiles.profilePath(0));
    const QString mc = m.path(QStringLiteral("../in.mc"));
    ModulesCopy::write(mc, "[config]\ntotal=0\n");

    QCOMPARE(macros.createMacroIni(name, 0), QVariant(false));
    QCOMPARE(macros.saveMacroIni(name, {"1,A"}, 1), QVariant(false));
    QVERIFY(macros.loadMacroIni(name).isEmpty());
    QCOMPARE(macros.deleteMacroIni(name), QVariant(false));
    QCOMPARE(macros.modifyMacroNameUpdateProfile(QStringLiteral("ok"), name), QVariant(false));
    QCOMPARE(macros.modifyMacroNameUpdateProfile(name, QStringLiteral("ok2")), QVariant(false));
    macros.deleteMacroUpdateProfile(name);
    QVERIFY(!macros.importMacro(name, mc));
    QVERIFY(!macros.exportMacro(name, m.path(QStringLiteral("../out.mc"))));

    // Nothing moved: the good macro, the profile, and no stray files.
    QVERIFY(QFile::exists(m.path(QStringLiteral("macro/ok.bin"))));
    QCOMPARE(ModulesCopy::read(profiles.profilePath(0)), p1);
    QCOMPARE(QDir(m.path(QStringLiteral("macro"))).entryList(QDir::Files), QStringList{"ok.bin"});
    QVERIFY(!QFile::exists(m.path(QStringLiteral("setting/p1.bin.bin"))));
    QVERIFY(!QFile::exists(QStringLiteral("/tmp/x.bin")));
}

QTEST_GUILESS_MAIN(TestMacroLibrary)
#include "tst_macrolibrary.moc"
