// SPDX-License-Identifier: GPL-2.0-or-later
// The shipped data tree loads through the stores and is complete and
// consistent: the catalogue the screens expect, and a device table that
// matches the virtual mouse.
#include "LinkFixture.h"
#include "StoreFixture.h"
#include "device/DeviceTable.h"
#include "store/AppConfigStore.h"
#include "store/GunDataStore.h"
#include "store/LanguageStore.h"
#include "store/NameListStore.h"
#include "store/ProfileStore.h"

#include "features/KeyNameTable.h"
#include <QDir>
#include <QRegularExpression>
#include <QSet>
#include <QSettings>
#include <QStringDecoder>

#include <QTest>

class TestShippedTree : public QObject
{
    Q_OBJECT

private slots:
    void configurationAndItsFactoryCopyAreIdentical();
    void theDeviceTableFindsTheVirtualMouse();
    void everyProfileHoldsTheWholeCatalogue();
    void firmwareRowsAreTheTranslatedScreenRows();
    void gunTableAndNameLists();
    void languagesHoldTheNoticesAndTheKeyNames();
    void everyLanguageHoldsEveryText();
    void aMacroPlaysInWhateverLanguageItWasRecorded();
    void theMacroFolderShips();
    void settingsScreensTextsInBothLanguages();
};

void TestShippedTree::configurationAndItsFactoryCopyAreIdentical()
{
    ModulesCopy m;
    AppConfigStore config(m.root());
    QCOMPARE(ModulesCopy::read(config.filePath()), ModulesCopy::read(config.factoryFilePath()));
    for (const char *key :
         {"common/name", "common/language", "common/url", "mouse/icType", "mouse/keyCount",
          "mouse/profileNo", "mouse/selectGun", "mouse/minDPI", "mouse/maxDPI", "mouse/sensorType",
          "mouse/dpiBase", "mouse/isGun", "mouse/isColorful", "mouse/is55328", "mouse/is571"})
        QVERIFY2(config.getGlobalData(QString::fromLatin1(key)).isValid(), key);
    QCOMPARE(config.getGlobalData(QStringLiteral("mouse/selectGun")).toStringList().size(), 3);
    QVERIFY(
        QFile::exists(m.path(QStringLiteral("i18n/") +
                             config.getGlobalData(QStringLiteral("common/language")).toString() +
                             QStringLiteral(".ini"))));
    const int profileNo = config.getGlobalData(QStringLiteral("mouse/profileNo")).toInt();
    QVERIFY(profileNo >= 0 && profileNo < ProfileStore::kScreenProfileCount);
}

void TestShippedTree::theDeviceTableFindsTheVirtualMouse()
{
    fixture::resetBus();
    fixture::bus().plug(sim::MouseConfig{}); // the virtual mouse as preloaded by default
    ModulesCopy m;
    QList<DeviceEntry> table = deviceTable::read(AppConfigStore(m.root()).filePath());
    QVERIFY(!table.isEmpty());
    Hid_Thread link;
    link.deviceList = table;
    deviceTable::locateInterfaces(link.deviceList[0]);
    QVERIFY(!link.deviceList[0].commandPath.isEmpty());
    QVERIFY(!link.deviceList[0].eventPath.isEmpty());
    QVERIFY(link.chkDeviceIsEnCode(0));
}

void TestShippedTree::everyProfileHoldsTheWholeCatalogue()
{
    ModulesCopy m;
    ProfileStore profiles(m.root());
    AppConfigStore config(m.root());
    const int minDpi = config.getGlobalData(QStringLiteral("mouse/minDPI")).toInt();
    const int maxDpi = config.getGlobalData(QStringLiteral("mouse/maxDPI")).toInt();
    for (int p = -1; p < ProfileStore::kProfileCount; ++p) {
        const bool isDefault = p < 0;
        profiles.currentProfile = std::max(p, 0);
        const auto list = [&](const QString &key) { return profiles.getDataList(key, isDefault); };
        const auto value = [&](const QString &key) { return profiles.getData(key, isDefault); };
        for (int k = 0; k < 16; ++k) {
            QCOMPARE(list(QStringLiteral("mouseKeyMatrix/%1").arg(k)).size(), 4);
            QCOMPARE(list(QStringLiteral("mouseFwKeyMatrix/%1").arg(k)).size(), 4);
        }
        const QVariantList dpi = list(QStringLiteral("mouse/dpiValueArray"));
        QCOMPARE(dpi.size(), 8);
        for (const QVariant &v : dpi)
            QVERIFY(v.toInt() >= minDpi && v.toInt() <= maxDpi);
        const int stages = value(QStringLiteral("mouse/dpiCount")).toInt();
        const int enabled = value(QStringLiteral("mouse/currentDpiCount")).toInt();
        QVERIFY(stages >= 1 && stages <= 8 && enabled >= 1 && enabled <= stages);
        const int rate = value(QStringLiteral("mouse/reportRate")).toInt();
        QVERIFY(rate >= 0 && rate <= 3);
        QCOMPARE(list(QStringLiteral("mouse/lightValue")).size(), 3);
        const QVariantList colours = list(QStringLiteral("mouse/colorValue"));
        QCOMPARE(colours.size(), 36);
        for (const QVariant &c : colours)
            QVERIFY(c.toInt() >= 0 && c.toInt() <= 255);
        QCOMPARE(list(QStringLiteral("mouse/fixColor")).size(), 3);
        const int mouseRate = value(QStringLiteral("mouse/mouseRate")).toInt();
        const int doubleRate = value(QStringLiteral("mouse/doubleRate")).toInt();
        QVERIFY(mouseRate >= 3 && mouseRate <= 337 && doubleRate >= 3 && doubleRate <= 337);
        QVERIFY(value(QStringLiteral("mouse/scrollRate")).isValid());
    }
}

void TestShippedTree::firmwareRowsAreTheTranslatedScreenRows()
{
    // The screens' initial buttons in their key-code form, and the device form
    // the firmware rows must hold for them.
    ModulesCopy m;
    ProfileStore profiles(m.root());
    const QList<QList<int>> screen = {{0, 0, 0xF0, 0}, {0, 0, 0xF1, 0},   {0, 0, 0xF2, 0},
                                      {0, 0, 0xF4, 0}, {0, 0, 0xF3, 0},   {5, 0, 1, 0},
                                      {5, 0, 2, 0},    {0, 0xF0, 0x1E, 2}};
    const QList<QList<int>> device = {
        {1, 0, 0xF0, 0}, {1, 0, 0xF1, 0}, {1, 0, 0xF2, 0}, {1, 0, 0xF4, 0}, {1, 0, 0xF3, 0},
        {7, 0, 1, 0},    {7, 0, 2, 0},    {5, 0, 3, 0},    {0x0B, 0, 0, 0}, {0x0C, 0, 0, 0}};
    const auto ints = [](const QVariantList &l) {
        QList<int> out;
        for (const QVariant &v : l)
            out << v.toInt();
        return out;
    };
    for (int k = 0; k < screen.size(); ++k)
        QCOMPARE(ints(profiles.getDataList(QStringLiteral("mouseKeyMatrix/%1").arg(k), true)),
                 screen[k]);
    for (int k = 0; k < device.size(); ++k)
        QCOMPARE(ints(profiles.getDataList(QStringLiteral("mouseFwKeyMatrix/%1").arg(k), true)),
                 device[k]);
    QCOMPARE(ints(profiles.getDataList(QStringLiteral("mouseKeyMatrix/14"), true)),
             (QList<int>{0xFF, 0, 1, 0}));
    QCOMPARE(ints(profiles.getDataList(QStringLiteral("mouseFwKeyMatrix/15"), true)),
             (QList<int>{4, 0, 2, 0}));
}

void TestShippedTree::gunTableAndNameLists()
{
    ModulesCopy m;
    ProfileStore profiles(m.root());
    GunDataStore guns(profiles, m.root());
    NameListStore names(m.root());
    QCOMPARE(guns.getGunDataKey().size(), 6);
    const QVariantList gunNames = names.getNameList(NameListStore::Gun);
    QCOMPARE(gunNames.size(), 6);
    for (int i = 0; i < 6; ++i) {
        const QVariantList entry = guns.getGunData(QString::number(i));
        QCOMPARE(entry.size(), GunDataStore::kFieldCount);
        QCOMPARE(entry[0], gunNames[i]);
        const int period = entry[2].toInt();
        QVERIFY(period >= 5 && period <= 91);
        QVERIFY(entry[3].toInt() >= 0 && entry[3].toInt() <= 64);
        QVERIFY(entry[4].toInt() >= 0 && entry[4].toInt() <= 64);
    }
    const QStringList profileNames =
        NameListStore::withoutSentinel(names.getNameList(NameListStore::Profile));
    QCOMPARE(profileNames.size(), 1);
    QVERIFY(profileNames[0].back().isDigit());
}

void TestShippedTree::languagesHoldTheNoticesAndTheKeyNames()
{
    ModulesCopy m;
    LanguageStore lang(m.root());
    for (const char *code : {"English", "ChineseSimplified"}) {
        const QString c = QString::fromLatin1(code);
        QCOMPARE(lang.getLangStrings(QStringLiteral("other"), c).size(), 8);
        const QStringList keys = lang.getLangStrings(QStringLiteral("keyCode"), c);
        QCOMPARE(keys.size(), 133);
        for (const QString &k : keys)
            QVERIFY2(!k.isEmpty(), code);
    }
    // Every name of the shipped English file as the key name table has it,
    // including the names the INI format must quote (",", ";", "\\", "=").
    const QStringList en =
        lang.getLangStrings(QStringLiteral("keyCode"), QStringLiteral("English"));
    const QStringList table = keyNames::englishNames();
    QCOMPARE(table.size(), 133);
    for (int i = 0; i < table.size(); ++i)
        QVERIFY2(en.value(i) == table[i],
                 qPrintable(QStringLiteral("%1: %2 / %3").arg(i).arg(en.value(i), table[i])));
}

// Every language file has English's lists position for position, in UTF-8:
// a missing text shows English amid the translation, a text the INI format
// reads as a list (an unquoted comma) comes back empty, a lost "%1" shows the
// placeholder. Recorded macros keep key names in the screen's language and
// are sent by looking the names up, so no file may give two keys one name
// where English tells them apart; the language picker names each file by
// its own name.
void TestShippedTree::everyLanguageHoldsEveryText()
{
    ModulesCopy m;
    LanguageStore lang(m.root());
    QSettings en(m.path(QStringLiteral("i18n/English.ini")), QSettings::IniFormat);
    const QStringList groups = en.childGroups();
    QVERIFY(groups.contains(QStringLiteral("keyCode")) &&
            groups.contains(QStringLiteral("language")));
    const QRegularExpression placeholder(QStringLiteral("%\\d+"));
    const auto placeholders = [&](const QString &text) {
        QStringList found;
        for (auto it = placeholder.globalMatch(text); it.hasNext();)
            found << it.next().captured();
        found.sort();
        return found;
    };
    const QStringList files =
        QDir(m.path(QStringLiteral("i18n"))).entryList({QStringLiteral("*.ini")}, QDir::Files);
    QVERIFY(files.size() >= 14);
    QSet<QString> ownNames;
    for (const QString &file : files) {
        const QString code = QFileInfo(file).completeBaseName();
        QStringDecoder utf8(QStringDecoder::Utf8);
        const QString whole = utf8(ModulesCopy::read(m.path(QStringLiteral("i18n/") + file)));
        QVERIFY2(!utf8.hasError() && !whole.isEmpty(), qPrintable(file));
        QSettings ini(m.path(QStringLiteral("i18n/") + file), QSettings::IniFormat);
        QCOMPARE(ini.childGroups(), groups);
        for (const QString &group : groups) {
            const QString where = code + QLatin1Char('/') + group;
            en.beginGroup(group);
            ini.beginGroup(group);
            QStringList keys = ini.childKeys(), enKeys = en.childKeys();
            keys.sort();
            enKeys.sort();
            QVERIFY2(keys == enKeys, qPrintable(where));
            QVERIFY2(ini.value(QStringLiteral("total")) == en.value(QStringLiteral("total")),
                     qPrintable(where));
            en.endGroup();
            ini.endGroup();
            const QStringList texts = lang.getLangStrings(group, code);
            const QStringList english = lang.getLangStrings(group, QStringLiteral("English"));
            QCOMPARE(texts.size(), english.size());
            for (int i = 0; i < texts.size(); ++i) {
                const QString at = where + QLatin1Char('/') + QString::number(i);
                QVERIFY2(!texts[i].trimmed().isEmpty(), qPrintable(at));
                QVERIFY2(placeholders(texts[i]) == placeholders(english[i]), qPrintable(at));
                if (group != QLatin1String("keyCode"))
                    continue;
                // A macro file names its keys: two keys of one name would
                // play back as the first.
                QVERIFY2(texts.indexOf(texts[i]) == i,
                         qPrintable(at + QStringLiteral(" ") + texts[i]));
            }
        }
        const QStringList own = lang.getLangStrings(QStringLiteral("language"), code);
        QVERIFY2(own.size() == 1 && !ownNames.contains(own[0]), qPrintable(file));
        ownNames << own[0];
    }
}

void TestShippedTree::aMacroPlaysInWhateverLanguageItWasRecorded()
{
    // A macro file keeps the key names of the language it was recorded in;
    // after a change of language each name must still give its own key.
    ModulesCopy m;
    const LanguageStore lang(m.root());
    const QStringList codes = lang.languageCodes();
    QVERIFY(codes.size() >= 14);
    for (const QString &now : codes) {
        const QStringList current = lang.getLangStrings(QStringLiteral("keyCode"), now);
        keyNames::Lookup lookup(current, [&] { return lang.otherKeyNames(now); });
        for (const QString &then : codes) {
            const QStringList recorded = lang.getLangStrings(QStringLiteral("keyCode"), then);
            for (int i = 0; i < keyNames::kCount; ++i)
                QVERIFY2(lookup.code(recorded[i]) == keyNames::codeAt(i),
                         qPrintable(QStringLiteral("%1 in force, %2 key %3 \"%4\"")
                                        .arg(now, then)
                                        .arg(i)
                                        .arg(recorded[i])));
        }
    }
}

void TestShippedTree::theMacroFolderShips()
{
    // git keeps no empty folder: the source tree carries the folder with a
    // placeholder, and the build and install copy it.
    QVERIFY(QFileInfo(QStringLiteral(TALON_SOURCE_MODULES "/macro")).isDir());
}

// The settings screens' lists: every position filled in both languages (a
// comma would turn an entry into a list, which reads back empty), and the
// Chinese texts translated.
void TestShippedTree::settingsScreensTextsInBothLanguages()
{
    ModulesCopy m;
    LanguageStore lang(m.root());
    const QList<std::pair<QString, int>> groups = {{QStringLiteral("systemSetting"), 11},
                                                   {QStringLiteral("gunControl"), 15},
                                                   {QStringLiteral("profile"), 28}};
    for (const auto &[group, total] : groups) {
        const QStringList en = lang.getLangStrings(group, QStringLiteral("English"));
        const QStringList zh = lang.getLangStrings(group, QStringLiteral("ChineseSimplified"));
        QCOMPARE(en.size(), total);
        QCOMPARE(zh.size(), total);
        for (int i = 0; i < total; ++i) {
            QVERIFY2(!en[i].isEmpty() && !zh[i].isEmpty(), qPrintable(group + QString::number(i)));
            QVERIFY2(en[i] != zh[i], qPrintable(group + QString::number(i)));
        }
    }
}

QTEST_GUILESS_MAIN(TestShippedTree)
#include "tst_shippedtree.moc"
