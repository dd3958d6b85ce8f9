// SPDX-License-Identifier: GPL-2.0-or-later
// Every store reading files of arbitrary bytes: no crash, no hang, defaults.
#include "StoreFixture.h"
#include "device/DeviceTable.h"
#include "store/AppConfigStore.h"
#include "store/GunDataStore.h"
#include "store/LanguageStore.h"
#include "store/MacroLibrary.h"
#include "store/NameListStore.h"
#include "store/ProfileStore.h"

#include <QRandomGenerator>
#include <QTest>

class TestStoreFuzz : public QObject
{
    Q_OBJECT

private slots:
    void arbitraryBytesInEveryFile();
};

namespace {

QByteArray noise(QRandomGenerator &rng, int round)
{
    // Some rounds are pure noise, others INI-looking text with noise mixed in.
    static const char *const pieces[] = {
        "[",     "]",        "=",     "\n",      "\r\n",  "total",     "0",
        "/",     "\\",       "\"",    ",",       ";",     "@Variant(", "@ByteArray(",
        "mouse", "config",   "macro", "gunData", "other", "-1",        "99999999999",
        "\x00",  "\xff\xfe", "%U",    "\t",      " "};
    QByteArray out;
    const int length = int(rng.bounded(1, 3000));
    while (out.size() < length) {
        if (round % 2)
            out.append(char(rng.bounded(256)));
        else
            out.append(pieces[rng.bounded(int(sizeof pieces / sizeof *pieces))]);
    }
    return out;
}

} // namespace

void TestStoreFuzz::arbitraryBytesInEveryFile()
{
    QRandomGenerator rng(424242);
    ModulesCopy m;
    const QStringList files = {"setting/apConfig.bin", "setting/apConfigD.bin", "setting/pD.bin",
                               "setting/p1.bin",       "setting/name.bin",      "gun/gunData.bin",
                               "macro/fuzz.bin",       "i18n/English.ini"};
    for (int round = 0; round < 150; ++round) {
        for (const QString &f : files)
            ModulesCopy::write(m.path(f), noise(rng, round));

        AppConfigStore config(m.root());
        config.getGlobalData(QStringLiteral("mouse/icType"));
        config.resetApconfig();
        deviceTable::read(config.filePath());

        ProfileStore profiles(m.root());
        profiles.getData(QStringLiteral("mouse/dpiCount"), false);
        profiles.getDataList(QStringLiteral("mouse/colorValue"), true);
        profiles.getDataList(QStringLiteral("mouseKeyMatrix/3"), false);

        NameListStore names(m.root());
        for (unsigned t = 0; t < 4; ++t)
            names.getNameList(t);

        MacroLibrary macros(profiles, m.root());
        const QStringList loaded = macros.loadMacroIni(QStringLiteral("fuzz"));
        QVERIFY(!loaded.isEmpty()); // the file exists: at least the repeat count
        QVERIFY(loaded.size() <= 4097);
        macros.deleteMacroUpdateProfile(QStringLiteral("fuzz"));

        GunDataStore guns(profiles, m.root());
        guns.getGunDataKey();
        guns.getGunData(QStringLiteral("0"));
        guns.getXYSensitive(QStringLiteral("0"));

        LanguageStore lang(m.root());
        QVERIFY(lang.getLangStrings(QStringLiteral("other"), QStringLiteral("English")).size() <=
                4096);
    }
}

QTEST_GUILESS_MAIN(TestStoreFuzz)
#include "tst_storefuzz.moc"
