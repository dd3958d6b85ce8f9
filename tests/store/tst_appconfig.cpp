// SPDX-License-Identifier: GPL-2.0-or-later
// The application configuration: lookups, persistence and the factory reset.
#include "StoreFixture.h"
#include "store/AppConfigStore.h"

#include <QTest>

class TestAppConfig : public QObject
{
    Q_OBJECT

private slots:
    void absentKeysAreInvalidNotEmpty();
    void valuesSurviveARestart();
    void resetRestoresTheFactoryValues();
    void pendingChangesDoNotLeakIntoTheFreshCopy();
    void aMissingFactoryCopyKeepsTheLiveFile();
};

void TestAppConfig::absentKeysAreInvalidNotEmpty()
{
    ModulesCopy m;
    AppConfigStore config(m.root());
    QVERIFY(!config.getGlobalData(QStringLiteral("mouse/nothing")).isValid());
    QCOMPARE(config.getGlobalData(QStringLiteral("mouse/icType")).toString(),
             QStringLiteral("553"));
    QCOMPARE(config.getGlobalData(QStringLiteral("0/vid")).toString(), QStringLiteral("04d9"));
}

void TestAppConfig::valuesSurviveARestart()
{
    ModulesCopy m;
    {
        AppConfigStore config(m.root());
        config.setGlobalData(QStringLiteral("mouse/profileNo"), 4);
        config.setGlobalData(QStringLiteral("mouse/selectGun"), QVariantList{3, 1, 5});
    }
    AppConfigStore again(m.root());
    QCOMPARE(again.getGlobalData(QStringLiteral("mouse/profileNo")).toInt(), 4);
    QCOMPARE(again.getGlobalData(QStringLiteral("mouse/selectGun")).toStringList(),
             (QStringList{"3", "1", "5"}));
}

void TestAppConfig::resetRestoresTheFactoryValues()
{
    ModulesCopy m;
    AppConfigStore config(m.root());
    config.setGlobalData(QStringLiteral("common/language"), QStringLiteral("ChineseSimplified"));
    config.settings().sync();
    QVERIFY(config.resetApconfig());
    QCOMPARE(config.getGlobalData(QStringLiteral("common/language")).toString(),
             QStringLiteral("English"));
    QCOMPARE(ModulesCopy::read(config.filePath()), ModulesCopy::read(config.factoryFilePath()));
}

void TestAppConfig::pendingChangesDoNotLeakIntoTheFreshCopy()
{
    ModulesCopy m;
    AppConfigStore config(m.root());
    config.setGlobalData(QStringLiteral("mouse/profileNo"), 9); // not yet written
    QVERIFY(config.resetApconfig());
    QCOMPARE(config.getGlobalData(QStringLiteral("mouse/profileNo")).toInt(), 0);
    QCOMPARE(ModulesCopy::read(config.filePath()), ModulesCopy::read(config.factoryFilePath()));
}

void TestAppConfig::aMissingFactoryCopyKeepsTheLiveFile()
{
    ModulesCopy m;
    AppConfigStore config(m.root());
    config.setGlobalData(QStringLiteral("mouse/profileNo"), 2);
    QFile::remove(config.factoryFilePath());

    QVERIFY(!config.resetApconfig());
    QCOMPARE(config.getGlobalData(QStringLiteral("mouse/profileNo")).toInt(), 2);
    QCOMPARE(config.getGlobalData(QStringLiteral("common/deviceCount")).toInt(), 1);
}

QTEST_GUILESS_MAIN(TestAppConfig)
#include "tst_appconfig.moc"
