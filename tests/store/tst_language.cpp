// SPDX-License-Identifier: GPL-2.0-or-later
// Language lists and the DPI-switch notices they supply.
#include "StoreFixture.h"
#include "store/DpiSwitchText.h"
#include "store/LanguageStore.h"

#include <QTest>
#include <QtConcurrent>

class TestLanguage : public QObject
{
    Q_OBJECT

private slots:
    void init() { dpiSwitchText::reset(); }
    void aListWithAHoleKeepsItsPositions();
    void utf8TextsComeBackIntact();
    void eachFileAnswersForItselfWithoutCaching();
    void missingFilesAndGroupsGiveEmptyLists();
    void otherReplacesTheNotices();
    void aShortOtherListKeepsTheRemainingNotices();
    void noticesAreSafeToReadFromAnotherThread();
};

void TestLanguage::aListWithAHoleKeepsItsPositions()
{
    ModulesCopy m;
    ModulesCopy::write(m.path(QStringLiteral("i18n/Test.ini")),
                       "[main]\ntotal=3\n0=first\n2=third\n");
    LanguageStore lang(m.root());
    QCOMPARE(lang.getLangStrings(QStringLiteral("main"), QStringLiteral("Test")),
             (QStringList{"first", "", "third"}));
}

void TestLanguage::utf8TextsComeBackIntact()
{
    ModulesCopy m;
    LanguageStore lang(m.root());
    const QStringList zh =
        lang.getLangStrings(QStringLiteral("other"), QStringLiteral("ChineseSimplified"));
    QCOMPARE(zh.size(), 8);
    QCOMPARE(zh[0], QString::fromUtf8("DPI 切换到第 1 档"));
    const QStringList keys =
        lang.getLangStrings(QStringLiteral("keyCode"), QStringLiteral("English"));
    QCOMPARE(keys[0x4F - 4], QString::fromUtf8("►"));
}

void TestLanguage::eachFileAnswersForItselfWithoutCaching()
{
    ModulesCopy m;
    LanguageStore lang(m.root());
    const QString file = m.path(QStringLiteral("i18n/Test.ini"));
    ModulesCopy::write(file, "[main]\ntotal=1\n0=one\n");
    QCOMPARE(lang.getLangStrings(QStringLiteral("main"), QStringLiteral("Test")),
             QStringList{"one"});
    ModulesCopy::write(file, "[main]\ntotal=1\n0=another\n");
    QCOMPARE(lang.getLangStrings(QStringLiteral("main"), QStringLiteral("Test")),
             QStringList{"another"});
    QVERIFY(lang.getLangStrings(QStringLiteral("other"), QStringLiteral("English")) !=
            lang.getLangStrings(QStringLiteral("other"), QStringLiteral("ChineseSimplified")));
}

void TestLanguage::missingFilesAndGroupsGiveEmptyLists()
{
    ModulesCopy m;
    LanguageStore lang(m.root());
    QVERIFY(lang.getLangStrings(QStringLiteral("main"), QStringLiteral("Klingon")).isEmpty());
    QVERIFY(lang.getLangStrings(QStringLiteral("nothing"), QStringLiteral("English")).isEmpty());
    QVERIFY(lang.getLangStrings(QStringLiteral("other"), QStringLiteral("../setting/apConfig"))
                .isEmpty());
    QCOMPARE(dpiSwitchText::text(0), QStringLiteral("DPI Switch to"));
}

void TestLanguage::otherReplacesTheNotices()
{
    ModulesCopy m;
    LanguageStore lang(m.root());
    for (int i = 0; i < dpiSwitchText::kStageCount; ++i)
        QCOMPARE(dpiSwitchText::text(i), QStringLiteral("DPI Switch to"));
    lang.getLangStrings(QStringLiteral("other"), QStringLiteral("English"));
    QCOMPARE(dpiSwitchText::text(0), QStringLiteral("DPI Switch to Stage 1"));
    QCOMPARE(dpiSwitchText::text(7), QStringLiteral("DPI Switch to Stage 8"));
    QVERIFY(dpiSwitchText::text(8).isEmpty());
    // Other lists leave them alone.
    lang.getLangStrings(QStringLiteral("keyCode"), QStringLiteral("ChineseSimplified"));
    QCOMPARE(dpiSwitchText::text(0), QStringLiteral("DPI Switch to Stage 1"));
}

void TestLanguage::aShortOtherListKeepsTheRemainingNotices()
{
    ModulesCopy m;
    ModulesCopy::write(m.path(QStringLiteral("i18n/Short.ini")),
                       "[other]\ntotal=2\n0=one\n1=two\n");
    LanguageStore lang(m.root());
    lang.getLangStrings(QStringLiteral("other"), QStringLiteral("English"));
    lang.getLangStrings(QStringLiteral("other"), QStringLiteral("Short"));
    QCOMPARE(dpiSwitchText::text(0), QStringLiteral("one"));
    QCOMPARE(dpiSwitchText::text(1), QStringLiteral("two"));
    QCOMPARE(dpiSwitchText::text(2), QStringLiteral("DPI Switch to Stage 3"));
}

void TestLanguage::noticesAreSafeToReadFromAnotherThread()
{
    ModulesCopy m;
    LanguageStore lang(m.root());
    std::atomic_bool stop{false};
    auto reader = QtConcurrent::run([&stop] {
        int seen = 0;
        do
            seen += dpiSwitchText::text(seen % 8).size() > 0;
        while (!stop);
        return seen;
    });
    for (int i = 0; i < 300; ++i)
        lang.getLangStrings(QStringLiteral("other"), i % 2 ? QStringLiteral("English")
                                                           : QStringLiteral("ChineseSimplified"));
    stop = true;
    QVERIFY(reader.result() > 0);
}

QTEST_GUILESS_MAIN(TestLanguage)
#include "tst_language.moc"
