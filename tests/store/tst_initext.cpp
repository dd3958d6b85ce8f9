// SPDX-License-Identifier: GPL-2.0-or-later
// The stores' INI text against the settings class: what one writes the other
// reads as the same values, for every kind of value the screens store and
// for random text; and an edit leaves every other line as it was.
#include "store/IniText.h"

#include <QFile>
#include <QRandomGenerator>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

class TestIniText : public QObject
{
    Q_OBJECT

private slots:
    void readsAndWritesAsTheSettingsClassDoes();
    void anEditTouchesOnlyItsLines();

private:
    // A file name the settings class has never seen, so that it reads the
    // bytes rather than its cache.
    QString freshFile(const QByteArray &content)
    {
        const QString name = dir.filePath(QStringLiteral("f%1.ini").arg(++files));
        QFile f(name);
        f.open(QIODevice::WriteOnly);
        f.write(content);
        return name;
    }
    QByteArray writtenBySettings(const QVariantMap &values)
    {
        const QString name = dir.filePath(QStringLiteral("s%1.ini").arg(++files));
        {
            QSettings s(name, QSettings::IniFormat);
            for (auto it = values.cbegin(); it != values.cend(); ++it)
                s.setValue(it.key(), it.value());
        }
        QFile f(name);
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }
    QTemporaryDir dir;
    int files = 0;
};

namespace {

QString randomText(QRandomGenerator &rng)
{
    static const char16_t awkward[] = {' ',  '\t', ',', ';',  '=',  '"',    '\\', '@',
                                       '\n', '\r', 0,   0x7F, 0xE9, 0x4E2D, 'x',  '7',
                                       'a',  'F',  '%', '[',  ']',  '#'};
    QString s;
    const int length = rng.bounded(12);
    for (int i = 0; i < length; ++i) {
        if (rng.bounded(6) == 0)
            s += QString::fromUcs4(U"\U0001F600"); // a pair of surrogates
        else
            s += QChar(awkward[rng.bounded(int(std::size(awkward)))]);
    }
    return s;
}

} // namespace

void TestIniText::readsAndWritesAsTheSettingsClassDoes()
{
    QVariantMap values{
        {"root", "top"},
        {"General/x", 1},
        {"%General/y", 2},
        {"mouse/dpiValueArray", QVariantList{400, 800, 1600, 3200, 6400, 12000, 0, 0}},
        {"mouse/one", QVariantList{5}},
        {"mouse/empty", QVariantList{}},
        {"mouse/pair", QStringList{"abc", "loaderquokka"}},
        {"mouse/alone", QStringList{"only"}},
        {"mouse/mixed", QVariantList{1, 2.5, true, "x,y", "@at", QString()}},
        {"mouse/bytes", QByteArray("\x00\xff"
                                   "a",
                                   3)},
        {"mouse/at", "@foo"},
        {"mouse/nul", QString("a") + QChar(0) + "1b"},
        {"mouse/none", QVariant()},
        {"mouse/real", 0.1},
        {"mouse/long", qlonglong(1) << 40},
        {"mouse/flag", false},
        {"mouseMacroKey/3", QString::fromUtf8(" café 日本 😀 ")},
        {"a b/c\\d/e", "deep"},
        {"macro/0", "1,A"},
    };
    QRandomGenerator rng(7);
    for (int i = 0; i < 300; ++i)
        values.insert(QStringLiteral("random/k%1").arg(i),
                      i % 3 ? QVariant(randomText(rng))
                            : QVariant(QStringList{randomText(rng), randomText(rng)}));

    IniText ours;
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        ours.setValue(it.key(), it.value());
    const QByteArray theirs = writtenBySettings(values);

    // What each wrote, read by the other and by itself, gives one value.
    const QSettings readingOurs(freshFile(ours.content()), QSettings::IniFormat);
    const QSettings readingTheirs(freshFile(theirs), QSettings::IniFormat);
    const IniText oursReadingTheirs(theirs);
    const IniText oursReadingOurs(ours.content());
    QCOMPARE(readingOurs.allKeys(), readingTheirs.allKeys());
    QCOMPARE(oursReadingTheirs.allKeys(), readingTheirs.allKeys());
    for (const QString &key : readingTheirs.allKeys()) {
        const QVariant expected = readingTheirs.value(key);
        QCOMPARE(readingOurs.value(key), expected);
        QCOMPARE(oursReadingTheirs.value(key), expected);
        QCOMPARE(oursReadingOurs.value(key), expected);
    }
    QVERIFY(readingTheirs.contains(QStringLiteral("mouse/dpiValueArray")));
}

void TestIniText::anEditTouchesOnlyItsLines()
{
    const QByteArray file = "; written by hand\n"
                            "[mouse]\n"
                            "dpiCount=8\n"
                            "; the stages\n"
                            "dpiValueArray=400, 800\n"
                            "odd line without equals\n"
                            "\n"
                            "[mouseKeyMatrix]\n"
                            "0=1, 2, 3, 4\n"
                            "0=9, 9, 9, 9\n"
                            "[unknown]\n"
                            "keep = \"as it is\" ; trailing\n";
    IniText t(file);
    QCOMPARE(t.value("mouseKeyMatrix/0").toStringList(), QStringList({"9", "9", "9", "9"}));
    QCOMPARE(t.value("unknown/keep").toString(), QStringLiteral("as it is"));
    QCOMPARE(t.content(), file);

    t.setValue("mouse/dpiCount", 6);
    t.setValue("mouse/reportRate", 3);
    t.setValue("mouseKeyMatrix/0", QVariantList{4, 0, 2, 0});
    t.setValue("gun/new", "x");
    t.remove("mouse/dpiValueArray");
    QCOMPARE(t.content(), QByteArray("; written by hand\n"
                                     "[mouse]\n"
                                     "dpiCount=6\n"
                                     "reportRate=3\n"
                                     "odd line without equals\n"
                                     "\n"
                                     "[mouseKeyMatrix]\n"
                                     "0=4, 0, 2, 0\n"
                                     "[unknown]\n"
                                     "keep = \"as it is\" ; trailing\n"
                                     "\n"
                                     "[gun]\n"
                                     "new=x\n"));
    QCOMPARE(t.childKeys("mouse"), QStringList({"dpiCount", "reportRate"}));
    QCOMPARE(t.childGroups(), QStringList({"gun", "mouse", "mouseKeyMatrix", "unknown"}));
    t.remove("mouse");
    QVERIFY(!t.contains("mouse/dpiCount"));
    QVERIFY(t.contains("gun/new"));
}

QTEST_GUILESS_MAIN(TestIniText)
#include "tst_initext.moc"
