// SPDX-License-Identifier: GPL-2.0-or-later
// The rules binding applications to profiles: what is stored comes back,
// whatever the class holds; hostile files read as the usable rules they hold
// and no more than the bound.
#include "StoreFixture.h"
#include "store/AppProfileStore.h"

#include <QRandomGenerator>
#include <QSettings>
#include <QTest>

using Result = AppProfileStore::Result;

class TestAppProfileStore : public QObject
{
    Q_OBJECT

private slots:
    void roundTripOfAwkwardClasses();
    void classesAreOneRuleWhateverTheirCase();
    void refusedBindings();
    void hostileLinesAreSkipped();
    void arbitraryBytes();
    void theBoundsKeepEveryRule();
};

void TestAppProfileStore::roundTripOfAwkwardClasses()
{
    ModulesCopy m;
    AppProfileStore store(m.root());
    QVERIFY(store.rules().isEmpty());

    const AppProfileStore::Rules wanted = {{"steam_app_730", 2}, {"firefox", 1},
                                           {"with space", 3},    {"a/b", 4},
                                           {"back\\slash", 5},   {"key=value", 6},
                                           {"semi;colon #x", 7}, {"café", 8},
                                           {"日本語", 9},        {"%2f", 0},
                                           {"[apps]", 1},        {"quote\"d", 2},
                                           {"a\\b/c", 3},        {"org.gnome.nautilus", 4}};
    for (auto it = wanted.cbegin(); it != wanted.cend(); ++it)
        QCOMPARE(store.bind(it.key(), it.value()), Result::Stored);
    QCOMPARE(store.rules(), wanted);
    QCOMPARE(AppProfileStore(m.root()).profileFor(QStringLiteral("A/B")), 4);

    // The settings class reads the same file the same way where it can hold
    // the key at all (no '/', no '\').
    QSettings ini(store.filePath(), QSettings::IniFormat);
    QCOMPARE(ini.value("apps/with space").toInt(), 3);
    QCOMPARE(ini.value("apps/key=value").toInt(), 6);
    QCOMPARE(ini.value("apps/café").toInt(), 8);
    QCOMPARE(ini.value("apps/日本語").toInt(), 9);
    QCOMPARE(ini.value("apps/%2f").toInt(), 0);

    // A removal takes exactly that one rule away.
    QCOMPARE(store.unbind(QStringLiteral("a/b")), Result::Stored);
    QCOMPARE(store.unbind(QStringLiteral("a/b")), Result::NotFound);
    AppProfileStore::Rules less = wanted;
    less.remove(QStringLiteral("a/b"));
    QCOMPARE(store.rules(), less);
    QCOMPARE(store.profileFor(QStringLiteral("a/b")), -1);
    QCOMPARE(store.profileFor(QStringLiteral("a\\b")), -1);
}

void TestAppProfileStore::classesAreOneRuleWhateverTheirCase()
{
    ModulesCopy m;
    AppProfileStore store(m.root());
    QCOMPARE(store.bind(QStringLiteral("  Steam_App_730 "), 2), Result::Stored);
    QCOMPARE(store.bind(QStringLiteral("STEAM_APP_730"), 5), Result::Stored);
    QCOMPARE(store.rules(), (AppProfileStore::Rules{{"steam_app_730", 5}}));
    QCOMPARE(store.profileFor(QStringLiteral("steam_app_730")), 5);
    QCOMPARE(store.unbind(QStringLiteral("Steam_app_730")), Result::Stored);
    QVERIFY(store.rules().isEmpty());

    // Hand-edited upper case still names the same application.
    ModulesCopy::write(store.filePath(), "[apps]\nFirefox=3\n");
    QCOMPARE(store.profileFor(QStringLiteral("firefox")), 3);
}

void TestAppProfileStore::refusedBindings()
{
    ModulesCopy m;
    AppProfileStore store(m.root());
    QCOMPARE(store.bind(QStringLiteral("game"), 1), Result::Stored);
    const QByteArray before = ModulesCopy::read(store.filePath());

    QCOMPARE(store.bind(QString(), 1), Result::BadClass);
    QCOMPARE(store.bind(QStringLiteral("   "), 1), Result::BadClass);
    QCOMPARE(store.bind(QStringLiteral("tab\there"), 1), Result::BadClass);
    QCOMPARE(store.bind(QStringLiteral("line\nbreak"), 1), Result::BadClass);
    QCOMPARE(store.bind(QString(AppProfileStore::kMaxClassLength + 1, QLatin1Char('x')), 1),
             Result::BadClass);
    QCOMPARE(store.bind(QStringLiteral("other"), -1), Result::BadProfile);
    QCOMPARE(store.bind(QStringLiteral("other"), 10), Result::BadProfile);
    QCOMPARE(ModulesCopy::read(store.filePath()), before);

    QCOMPARE(store.bind(QString(AppProfileStore::kMaxClassLength, QLatin1Char('x')), 9),
             Result::Stored);
}

void TestAppProfileStore::hostileLinesAreSkipped()
{
    const QByteArray file = "\xef\xbb\xbf[apps]\nbom=1\n; a comment\r\n"
                            "# another\n"
                            "[other]\nfirefox=1\n"
                            "[apps]\r\n"
                            "  game = 2 \r\n"
                            "quoted=\"3\"\n"
                            "ten=10\nminus=-1\nword=abc\nmixed=3x\nhuge=99999999999999\n"
                            "=4\nno equals sign\n"
                            "ctl%01=5\n"
                            "%zz=6\n"
                            "twice=1\ntwice=7\n"
                            "sub\\key=8\n"
                            "%U00e9t%U00E9=9\n"
                            "[apps\n"
                            "broken=1\n"
                            "[apps]\n"
                            "again=0\n";
    const AppProfileStore::Rules expected = {{"bom", 1}, {"game", 2},  {"quoted", 3},
                                             {"%zz", 6}, {"twice", 7}, {"sub/key", 8},
                                             {"été", 9}, {"again", 0}};
    QCOMPARE(AppProfileStore::parse(file), expected);
}

void TestAppProfileStore::arbitraryBytes()
{
    QRandomGenerator rng(1313);
    static const char *const pieces[] = {"[apps]", "[",  "]",    "=",    "\n",   "\r\n", "%",
                                         "%U",     "\\", "/",    "\"",   ";",    "0",    "9",
                                         "10",     " ",  "\x00", "\xff", "\xc3", "a",    "Z"};
    for (int round = 0; round < 400; ++round) {
        QByteArray bytes;
        const int length = int(rng.bounded(0, 4000));
        while (bytes.size() < length) {
            if (round % 2)
                bytes.append(char(rng.bounded(256)));
            else
                bytes.append(pieces[rng.bounded(int(sizeof pieces / sizeof *pieces))]);
        }
        const AppProfileStore::Rules rules = AppProfileStore::parse(bytes);
        QVERIFY(rules.size() <= AppProfileStore::kMaxRules);
        for (auto it = rules.cbegin(); it != rules.cend(); ++it) {
            QVERIFY(it.value() >= 0 && it.value() < AppProfileStore::kProfileCount);
            QCOMPARE(AppProfileStore::normalizedClass(it.key()), it.key());
        }
        // What was read is written so that it reads back the same.
        QCOMPARE(AppProfileStore::parse(AppProfileStore::serialize(rules)), rules);
    }
}

// What is stored can always be read back: the longest classes fit as many
// rules as are allowed, a file past the read limit is reported (not cut and
// then written back shorter), and nothing the reader skips is dropped.
void TestAppProfileStore::theBoundsKeepEveryRule()
{
    ModulesCopy m;
    AppProfileStore store(m.root());
    // 300 rules of 255 CJK characters: the largest file the rules allow.
    for (int i = 0; i < AppProfileStore::kMaxRules; ++i) {
        QString cls = QString(AppProfileStore::kMaxClassLength - 3, QChar(0x4E00 + i));
        cls += QString::number(i).rightJustified(3, QLatin1Char('0'));
        QCOMPARE(store.bind(cls, i % 10), Result::Stored);
    }
    QCOMPARE(store.rules().size(), AppProfileStore::kMaxRules);
    QCOMPARE(store.bind(QStringLiteral("newcomer"), 1), Result::Full);
    const QString last = QString(AppProfileStore::kMaxClassLength - 3, QChar(0x4E00 + 299)) + "299";
    QCOMPARE(store.unbind(last), Result::Stored);
    QCOMPARE(store.rules().size(), AppProfileStore::kMaxRules - 1);

    // A hand-made file with more rules than allowed loses none of them when
    // one changes; new classes are refused.
    QByteArray file = "; mine\n[other]\nkeep=me\n[apps]\n";
    for (int i = 0; i < 1000; ++i)
        file += "app" + QByteArray::number(i) + '=' + QByteArray::number(i % 10) + '\n';
    file += "[more]\nx=1\n";
    ModulesCopy::write(store.filePath(), file);
    QCOMPARE(store.rules().size(), 1000);
    QCOMPARE(store.bind(QStringLiteral("newcomer"), 1), Result::Full);
    QCOMPARE(ModulesCopy::read(store.filePath()), file);
    QCOMPARE(store.bind(QStringLiteral("app5"), 9), Result::Stored);
    QCOMPARE(store.rules().size(), 1000);
    QCOMPARE(store.profileFor(QStringLiteral("app5")), 9);
    // The groups it does not know are kept.
    const QByteArray written = ModulesCopy::read(store.filePath());
    QVERIFY(written.startsWith("; mine\n[other]\nkeep=me\n[apps]\n"));
    QVERIFY(written.endsWith("[more]\nx=1\n"));

    // Past the read limit: reported, nothing read, nothing written over it.
    QByteArray huge = "[apps]\nfirst=1\n" + QByteArray(8 * 1024 * 1024, ';') + "\nlast=2\n";
    ModulesCopy::write(store.filePath(), huge);
    QVERIFY(store.rules().isEmpty());
    QVERIFY2(store.readError().contains(QStringLiteral("larger than")),
             qPrintable(store.readError()));
    QCOMPARE(store.bind(QStringLiteral("first"), 2), Result::Unreadable);
    QCOMPARE(ModulesCopy::read(store.filePath()), huge);

    // A change that would push the file past the limit is refused.
    QByteArray big = "[other]\n" + QByteArray(AppProfileStore::kMaxFileBytes - 20, 'x') + "\n";
    ModulesCopy::write(store.filePath(), big);
    QCOMPARE(store.bind(QString(200, QChar(0x4E00)), 2), Result::TooLarge);
    QCOMPARE(ModulesCopy::read(store.filePath()), big);
}

QTEST_GUILESS_MAIN(TestAppProfileStore)
#include "tst_appprofilestore.moc"
