// SPDX-License-Identifier: GPL-2.0-or-later
// The user's copy of the data tree: made on the first start with the
// locale's language, refreshed after an upgrade without losing what the user
// made, left alone while current; a portable tree chooses its language once;
// the scene's fallback font takes each CJK language's own glyph forms.
#include "app/WorkingDirectory.h"
#include "store/UserData.h"

#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QGuiApplication>
#include <QLocale>
#include <QProcess>
#include <QSet>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

namespace {

void copyTree(const QString &from, const QString &to)
{
    QProcess cp;
    cp.start(QStringLiteral("cp"), {"-r", from, to});
    QVERIFY(cp.waitForFinished());
    QCOMPARE(cp.exitCode(), 0);
}

QString read(const QString &file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

void write(const QString &file, const QByteArray &text)
{
    QDir().mkpath(QFileInfo(file).path());
    QFile f(file);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(text);
}

QVariant value(const QString &ini, const QString &key)
{
    return QSettings(ini, QSettings::IniFormat).value(key);
}

// A shipped tree (the repository's data with a stamp) and a user folder.
struct Trees
{
    Trees()
    {
        copyTree(QStringLiteral(TALON_SOURCE_MODULES), shipped());
        write(shipped() + QStringLiteral("/VERSION"), "1.0+aaaa\n");
    }
    QString shipped() const { return dir.path() + QStringLiteral("/shipped"); }
    QString user() const { return dir.path() + QStringLiteral("/user/modules"); }
    QString userConfig() const { return user() + QStringLiteral("/setting/apConfig.bin"); }
    QTemporaryDir dir;
};

} // namespace

class TestUserData : public QObject
{
    Q_OBJECT

private slots:
    void cjkTextsTakeTheirOwnGlyphs(); // first: fonts are resolved once per process
    void theLanguageFollowsTheLocale_data();
    void theLanguageFollowsTheLocale();
    void everyShippedLanguageHasItsLocales();
    void aFirstStartSeedsTheCopyInTheLocalesLanguage();
    void anUpgradeRefreshesWhatTheProgramReadsAndKeepsWhatTheUserMade();
    void aCurrentCopyIsLeftAlone();
    void aPortableTreeChoosesItsLanguageOnce();
    void aLanguageSetBeforeTheFirstStartStays();
    void theExecutableFindsItsInstalledData();
};

void TestUserData::cjkTextsTakeTheirOwnGlyphs()
{
    Trees trees;
    QSettings(trees.shipped() + QStringLiteral("/setting/apConfig.bin"), QSettings::IniFormat)
        .setValue(QStringLiteral("common/language"), QStringLiteral("ChineseSimplified"));
    const QString before = QDir::currentPath();
    QDir().mkpath(trees.dir.path() + QStringLiteral("/run"));
    QDir::setCurrent(trees.dir.path() + QStringLiteral("/run"));
    QVERIFY(QFile::link(trees.shipped(), QStringLiteral("modules")));
    qunsetenv("FC_LANG");
    workingDirectory::followLanguageInFonts();
    QDir::setCurrent(before);
    QCOMPARE(qgetenv("FC_LANG"), QByteArray("zh-cn"));
    const QString family = QFontInfo(QFont(QStringLiteral("sans-serif"))).family();
    QVERIFY2(family.contains(QLatin1String("CJK SC")), qPrintable(family));

    // The other languages of shared characters, each in a process of its own
    // as the program is: fontconfig then picks the font of that language.
    for (const auto &[language, forms] : {std::pair{"ChineseTraditional", "CJK TC"},
                                          std::pair{"Japanese", "CJK JP"},
                                          std::pair{"Korean", "CJK KR"}}) {
        const char *fcLang = workingDirectory::fontLanguage(QString::fromLatin1(language));
        QVERIFY2(fcLang, language);
        QProcess match;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("FC_LANG"), QString::fromLatin1(fcLang));
        match.setProcessEnvironment(env);
        match.start(QStringLiteral("fc-match"), {"sans-serif", "family"});
        QVERIFY(match.waitForFinished());
        const QString picked = QString::fromUtf8(match.readAllStandardOutput());
        QVERIFY2(picked.contains(QLatin1String(forms)), qPrintable(language + (": " + picked)));
    }
    QVERIFY(!workingDirectory::fontLanguage(QStringLiteral("German")));
}

void TestUserData::theLanguageFollowsTheLocale_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("language");
    QTest::newRow("mainland China") << "zh_CN"
                                    << "ChineseSimplified";
    QTest::newRow("Singapore") << "zh_SG"
                               << "ChineseSimplified";
    QTest::newRow("Taiwan") << "zh_TW"
                            << "ChineseTraditional";
    QTest::newRow("Hong Kong") << "zh_HK"
                               << "ChineseTraditional";
    QTest::newRow("Macau") << "zh_MO"
                           << "ChineseTraditional";
    QTest::newRow("traditional script") << "zh_Hant"
                                        << "ChineseTraditional";
    QTest::newRow("simplified script in Hong Kong") << "zh_Hans_HK"
                                                    << "ChineseSimplified";
    QTest::newRow("Brazil") << "pt_BR"
                            << "PortugueseBrazil";
    QTest::newRow("Portugal") << "pt_PT"
                              << "PortugueseBrazil";
    QTest::newRow("Austria") << "de_AT"
                             << "German";
    QTest::newRow("Dutch, not shipped") << "nl_NL"
                                        << "English";
    QTest::newRow("C") << "C"
                       << "English";
}

void TestUserData::theLanguageFollowsTheLocale()
{
    QFETCH(QString, locale);
    QFETCH(QString, language);
    QCOMPARE(userData::languageForLocale(locale, QStringLiteral(TALON_SOURCE_MODULES "/i18n")),
             language);
    // Only languages that have a file.
    QTemporaryDir empty;
    QCOMPARE(userData::languageForLocale(locale, empty.path()), QStringLiteral("English"));
}

// A shipped language that no locale chooses would only be reached by hand.
void TestUserData::everyShippedLanguageHasItsLocales()
{
    const QString i18n = QStringLiteral(TALON_SOURCE_MODULES "/i18n");
    QSet<QString> chosen;
    for (const QLocale &locale :
         QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory))
        chosen << userData::languageForLocale(locale.name(), i18n);
    QSet<QString> shipped;
    for (const QString &file : QDir(i18n).entryList({QStringLiteral("*.ini")}, QDir::Files))
        shipped << QFileInfo(file).completeBaseName();
    QVERIFY(shipped.size() >= 14);
    QCOMPARE(chosen, shipped);
}

void TestUserData::aFirstStartSeedsTheCopyInTheLocalesLanguage()
{
    Trees trees;
    QCOMPARE(userData::prepareCopy(trees.shipped(), trees.user(), QStringLiteral("zh_CN")),
             userData::Outcome::Seeded);
    QCOMPARE(value(trees.userConfig(), QStringLiteral("common/language")).toString(),
             QStringLiteral("ChineseSimplified"));
    QVERIFY(QFile::exists(trees.user() + QStringLiteral("/setting/p10.bin")));
    QVERIFY(QFileInfo(trees.user() + QStringLiteral("/macro")).isDir());
    QCOMPARE(read(trees.user() + QStringLiteral("/.stamp")), QStringLiteral("1.0+aaaa\n"));
    // The copy is the user's to write, whatever the shipped modes.
    QVERIFY(QFileInfo(trees.user() + QStringLiteral("/setting/p1.bin")).isWritable());
    // The shipped configuration still says what it said.
    QCOMPARE(value(trees.shipped() + QStringLiteral("/setting/apConfig.bin"),
                   QStringLiteral("common/language"))
                 .toString(),
             QStringLiteral("English"));
}

void TestUserData::anUpgradeRefreshesWhatTheProgramReadsAndKeepsWhatTheUserMade()
{
    Trees trees;
    userData::prepareCopy(trees.shipped(), trees.user(), QStringLiteral("C"));
    // The user's work: a profile, a macro, the gun table, names, settings.
    const QString profile = trees.user() + QStringLiteral("/setting/p2.bin");
    QSettings(profile, QSettings::IniFormat).setValue(QStringLiteral("mouse/reportRate"), 2);
    write(trees.user() + QStringLiteral("/macro/Reload.bin"), "[config]\ntotal=0\n");
    write(trees.user() + QStringLiteral("/gun/gunData.bin"), "[gun]\nM416=mine\n");
    write(trees.user() + QStringLiteral("/setting/name.bin"),
          "[profile]\nprofileName=Mine0, loaderquokka\n");
    QSettings(trees.userConfig(), QSettings::IniFormat)
        .setValue(QStringLiteral("mouse/profileNo"), 4);
    QSettings(trees.userConfig(), QSettings::IniFormat)
        .setValue(QStringLiteral("common/language"), QStringLiteral("ChineseSimplified"));

    // The new release: a second device row, a changed text, a new language,
    // a new setting, a new factory default.
    const QString shippedConfig = trees.shipped() + QStringLiteral("/setting/apConfig.bin");
    {
        QSettings s(shippedConfig, QSettings::IniFormat);
        s.setValue(QStringLiteral("common/deviceCount"), 2);
        s.setValue(QStringLiteral("1/vid"), QStringLiteral("04d9"));
        s.setValue(QStringLiteral("1/pid"), QStringLiteral("b0b0"));
        s.setValue(QStringLiteral("mouse/newFeature"), true);
    }
    write(trees.shipped() + QStringLiteral("/i18n/English.ini"), "[main]\ntotal=1\n0=Editor 2\n");
    write(trees.shipped() + QStringLiteral("/i18n/German.ini"), "[main]\ntotal=1\n0=Editor\n");
    QSettings(trees.shipped() + QStringLiteral("/setting/pD.bin"), QSettings::IniFormat)
        .setValue(QStringLiteral("mouse/reportRate"), 3);
    write(trees.shipped() + QStringLiteral("/VERSION"), "1.1+bbbb\n");

    QCOMPARE(userData::prepareCopy(trees.shipped(), trees.user(), QStringLiteral("de_DE")),
             userData::Outcome::Refreshed);
    QCOMPARE(value(trees.userConfig(), QStringLiteral("common/deviceCount")).toInt(), 2);
    QCOMPARE(value(trees.userConfig(), QStringLiteral("1/pid")).toString(), QStringLiteral("b0b0"));
    QCOMPARE(value(trees.userConfig(), QStringLiteral("0/pid")).toString(), QStringLiteral("a1ee"));
    QCOMPARE(value(trees.userConfig(), QStringLiteral("mouse/newFeature")).toBool(), true);
    QCOMPARE(value(trees.userConfig(), QStringLiteral("mouse/profileNo")).toInt(), 4);
    QCOMPARE(value(trees.userConfig(), QStringLiteral("common/language")).toString(),
             QStringLiteral("ChineseSimplified"));
    QCOMPARE(read(trees.user() + QStringLiteral("/i18n/English.ini")),
             QStringLiteral("[main]\ntotal=1\n0=Editor 2\n"));
    QVERIFY(QFile::exists(trees.user() + QStringLiteral("/i18n/German.ini")));
    QCOMPARE(
        value(trees.user() + QStringLiteral("/setting/pD.bin"), QStringLiteral("mouse/reportRate"))
            .toInt(),
        3);
    QCOMPARE(value(profile, QStringLiteral("mouse/reportRate")).toInt(), 2);
    QVERIFY(QFile::exists(trees.user() + QStringLiteral("/macro/Reload.bin")));
    QCOMPARE(read(trees.user() + QStringLiteral("/gun/gunData.bin")),
             QStringLiteral("[gun]\nM416=mine\n"));
    QVERIFY(
        read(trees.user() + QStringLiteral("/setting/name.bin")).contains(QLatin1String("Mine0")));
    QCOMPARE(read(trees.user() + QStringLiteral("/.stamp")), QStringLiteral("1.1+bbbb\n"));

    // A release with fewer rows: the user's copy loses the stale one too.
    {
        QSettings s(shippedConfig, QSettings::IniFormat);
        s.setValue(QStringLiteral("common/deviceCount"), 1);
        s.remove(QStringLiteral("1"));
    }
    write(trees.shipped() + QStringLiteral("/VERSION"), "1.2+cccc\n");
    userData::prepareCopy(trees.shipped(), trees.user(), QStringLiteral("C"));
    QCOMPARE(value(trees.userConfig(), QStringLiteral("common/deviceCount")).toInt(), 1);
    QVERIFY(!QSettings(trees.userConfig(), QSettings::IniFormat)
                 .childGroups()
                 .contains(QStringLiteral("1")));
}

void TestUserData::aCurrentCopyIsLeftAlone()
{
    Trees trees;
    userData::prepareCopy(trees.shipped(), trees.user(), QStringLiteral("C"));
    write(trees.user() + QStringLiteral("/i18n/English.ini"), "edited\n");
    QCOMPARE(userData::prepareCopy(trees.shipped(), trees.user(), QStringLiteral("zh_CN")),
             userData::Outcome::Current);
    QCOMPARE(read(trees.user() + QStringLiteral("/i18n/English.ini")), QStringLiteral("edited\n"));
    QCOMPARE(value(trees.userConfig(), QStringLiteral("common/language")).toString(),
             QStringLiteral("English"));

    // A copy made before copies were stamped is brought up to date, and its
    // language is not chosen again.
    QFile::remove(trees.user() + QStringLiteral("/.stamp"));
    QCOMPARE(userData::prepareCopy(trees.shipped(), trees.user(), QStringLiteral("zh_CN")),
             userData::Outcome::Refreshed);
    QCOMPARE(value(trees.userConfig(), QStringLiteral("common/language")).toString(),
             QStringLiteral("English"));
}

void TestUserData::aPortableTreeChoosesItsLanguageOnce()
{
    Trees trees;
    userData::prepareInPlace(trees.shipped(), QStringLiteral("zh_CN"));
    const QString config = trees.shipped() + QStringLiteral("/setting/apConfig.bin");
    QCOMPARE(value(config, QStringLiteral("common/language")).toString(),
             QStringLiteral("ChineseSimplified"));
    QSettings(config, QSettings::IniFormat)
        .setValue(QStringLiteral("common/language"), QStringLiteral("English"));
    userData::prepareInPlace(trees.shipped(), QStringLiteral("zh_CN"));
    QCOMPARE(value(config, QStringLiteral("common/language")).toString(),
             QStringLiteral("English"));
}

void TestUserData::aLanguageSetBeforeTheFirstStartStays()
{
    Trees trees;
    const QString config = trees.shipped() + QStringLiteral("/setting/apConfig.bin");
    QSettings(config, QSettings::IniFormat)
        .setValue(QStringLiteral("common/language"), QStringLiteral("ChineseSimplified"));
    userData::prepareInPlace(trees.shipped(), QStringLiteral("en_GB"));
    QCOMPARE(value(config, QStringLiteral("common/language")).toString(),
             QStringLiteral("ChineseSimplified"));
}

void TestUserData::theExecutableFindsItsInstalledData()
{
    QTemporaryDir prefix;
    QDir().mkpath(prefix.path() + QStringLiteral("/bin"));
    QDir().mkpath(prefix.path() + QStringLiteral("/share/kestrel-talon/modules/setting"));
    const QString bin = prefix.path() + QStringLiteral("/bin");
    QCOMPARE(userData::shippedRoot(bin), prefix.path() + QStringLiteral("/share/kestrel-talon"));
    QVERIFY(userData::installed(bin));

    // Installed, the user's copy is used even where the shipped tree could be
    // written (root).
    QTemporaryDir user;
    QCOMPARE(workingDirectory::choose(bin, user.path(), QStringLiteral("C")), user.path());

    // A portable tree beside the executable is used in place.
    QDir().mkpath(bin + QStringLiteral("/modules/setting"));
    QVERIFY(!userData::installed(bin));
    QCOMPARE(workingDirectory::choose(bin, user.path(), QStringLiteral("C")), bin);
}

QTEST_MAIN(TestUserData)
#include "tst_userdata.moc"
