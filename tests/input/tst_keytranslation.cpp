// SPDX-License-Identifier: GPL-2.0-or-later
// Key events to key codes: the two tables, their special cases, the key-state
// record, the mouse messages and the copy-data filter.
#include "input/CopyDataText.h"
#include "input/HookManager.h"
#include "input/KeyTranslation.h"

#include <QTest>

namespace {

struct Report
{
    int code;
    bool down;
    int x = 0, y = 0;
    bool operator==(const Report &o) const
    {
        return code == o.code && down == o.down && x == o.x && y == o.y;
    }
};
QList<Report> reports;

void onKey(unsigned char code, bool down, void *context)
{
    QCOMPARE(context, static_cast<void *>(&reports));
    reports << Report{code, down};
}

void onButton(unsigned char code, bool down, int x, int y, void *)
{
    reports << Report{code, down, x, y};
}

QString lastCopyData;
void onCopyData(const hooks::CopyData *data, void *)
{
    lastCopyData = copyDataText(*data).value_or(QStringLiteral("<nothing>"));
}

} // namespace

char *toString(const Report &r)
{
    return qstrdup(qPrintable(
        QStringLiteral("(%1 %2 %3,%4)").arg(r.code, 0, 16).arg(r.down).arg(r.x).arg(r.y)));
}

class TestKeyTranslation : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        reports.clear();
        hooks::resetKeyState();
        hooks::setKeyboardCallback(&onKey, &reports);
        hooks::setMouseCallback(&onButton, nullptr);
    }

    void tablesHaveTheirSizes();
    void chains_data();
    void chains();
    void autoRepeatIsOneDownAndOneUp();
    void releasesOfKeysNeverPressedAreNotReported();
    void untranslatableKeysAreNotReported();
    void withoutACallbackTheStateStillFollows();
    void mouseMessages();
    void copyDataFilter();
};

void TestKeyTranslation::tablesHaveTheirSizes()
{
    QCOMPARE(keys::scanToVkSize(), 105);
    QCOMPARE(keys::vkToCodeSize(), 121);
    QCOMPARE(int(keys::scanToVk(keys::scanKey(0x1E, false))), 0x41);
    QCOMPARE(int(keys::vkToCode(0x41)), 0x04);
    QCOMPARE(int(keys::scanToVk(keys::scanKey(0x36, false))), 0);
    QCOMPARE(int(keys::scanToVk(keys::scanKey(0x5C, true))), 0);
}

void TestKeyTranslation::chains_data()
{
    QTest::addColumn<unsigned>("scan");
    QTest::addColumn<unsigned>("flags");
    QTest::addColumn<int>("code");
    QTest::newRow("A") << 0x1Eu << 0u << 0x04;
    QTest::newRow("right Ctrl") << 0x1Du << 1u << 0xE4;
    QTest::newRow("left Ctrl") << 0x1Du << 0u << 0xE0;
    QTest::newRow("keypad Enter") << 0x1Cu << 1u << 0x58;
    QTest::newRow("Enter") << 0x1Cu << 0u << 0x28;
    QTest::newRow("Scroll Lock") << 0x46u << 0u << 0x47;
    QTest::newRow("Break") << 0x46u << 1u << 0x48;
    QTest::newRow("Pause") << 0x45u << 0u << 0x48;
    QTest::newRow("Num Lock") << 0x45u << 1u << 0x53;
    QTest::newRow("Alt+Print Screen") << 0x54u << 0x20u << 0x46;
    QTest::newRow("scan 54 without Alt") << 0x54u << 0u << 0;
    QTest::newRow("Print Screen") << 0x37u << 1u << 0x46;
    QTest::newRow("keypad *") << 0x37u << 0u << 0x55;
    QTest::newRow("right Shift") << 0x36u << 1u << 0xE5;
    QTest::newRow("right Shift without the flag") << 0x36u << 0u << 0;
    QTest::newRow("scan above 0xFF") << 0x11Eu << 0u << 0;
    QTest::newRow("left Windows") << 0x5Bu << 1u << 0xE3;
    QTest::newRow("Menu") << 0x5Du << 1u << 0x65;
    QTest::newRow("F23") << 0x6Eu << 0u << 0x72;
}

void TestKeyTranslation::chains()
{
    QFETCH(unsigned, scan);
    QFETCH(unsigned, flags);
    QFETCH(int, code);
    QCOMPARE(int(keys::translate(scan, flags)), code);
    hooks::keyboardEvent(hooks::kKeyDown, scan, flags);
    hooks::keyboardEvent(hooks::kKeyUp, scan, flags);
    if (code == 0)
        QVERIFY(reports.isEmpty());
    else
        QCOMPARE(reports, (QList<Report>{{code, true}, {code, false}}));
}

void TestKeyTranslation::autoRepeatIsOneDownAndOneUp()
{
    for (int i = 0; i < 10; ++i)
        hooks::keyboardEvent(hooks::kKeyDown, 0x1E, 0);
    hooks::keyboardEvent(hooks::kSysKeyDown, 0x1E, 0); // with Alt held: still the same key down
    hooks::keyboardEvent(hooks::kKeyUp, 0x1E, 0);
    hooks::keyboardEvent(hooks::kSysKeyUp, 0x1E, 0);
    QCOMPARE(reports, (QList<Report>{{0x04, true}, {0x04, false}}));
}

void TestKeyTranslation::releasesOfKeysNeverPressedAreNotReported()
{
    hooks::keyboardEvent(hooks::kKeyUp, 0x30, 0);
    QVERIFY(reports.isEmpty());
    // Break and Pause share a code: a Pause press released as Break is one key.
    hooks::keyboardEvent(hooks::kKeyDown, 0x45, 0);
    hooks::keyboardEvent(hooks::kKeyUp, 0x46, 1);
    QCOMPARE(reports, (QList<Report>{{0x48, true}, {0x48, false}}));
}

void TestKeyTranslation::untranslatableKeysAreNotReported()
{
    hooks::keyboardEvent(hooks::kKeyDown, 0x5C, 1);
    hooks::keyboardEvent(hooks::kKeyDown, 0x00, 0);
    QVERIFY(reports.isEmpty());
}

void TestKeyTranslation::withoutACallbackTheStateStillFollows()
{
    hooks::setKeyboardCallback(nullptr, nullptr);
    hooks::keyboardEvent(hooks::kKeyDown, 0x1E, 0);
    hooks::setKeyboardCallback(&onKey, &reports);
    hooks::keyboardEvent(hooks::kKeyDown, 0x1E, 0); // still held: nothing new
    hooks::keyboardEvent(hooks::kKeyUp, 0x1E, 0);
    QCOMPARE(reports, (QList<Report>{{0x04, false}}));
}

void TestKeyTranslation::mouseMessages()
{
    for (unsigned m = hooks::kLeftDown; m <= hooks::kMiddleUp; ++m)
        hooks::mouseEvent(m, int(m), 7);
    hooks::mouseEvent(0x200, 1, 1);            // movement
    hooks::mouseEvent(0x20A, 1, 1);            // wheel
    hooks::mouseEvent(hooks::kLeftDown, 5, 6); // not filtered by state
    QCOMPARE(reports, (QList<Report>{{0xF0, true, 0x201, 7},
                                     {0xF0, false, 0x202, 7},
                                     {0xF1, true, 0x204, 7},
                                     {0xF1, false, 0x205, 7},
                                     {0xF2, true, 0x207, 7},
                                     {0xF2, false, 0x208, 7},
                                     {0xF0, true, 5, 6}}));
}

void TestKeyTranslation::copyDataFilter()
{
    const char text[] = "abc";
    hooks::CopyData data{0x250F, 3, text};
    hooks::setCopyDataCallback(nullptr, nullptr);
    QVERIFY(!hooks::copyDataFilter(hooks::kCopyDataMessage, &data)); // passes through

    hooks::setCopyDataCallback(&onCopyData, nullptr);
    QVERIFY(!hooks::copyDataFilter(0x0010, &data));
    QVERIFY(hooks::copyDataFilter(hooks::kCopyDataMessage, &data));
    QCOMPARE(lastCopyData, QStringLiteral("abc"));

    data.cbData = 4; // the terminator counted: ignored
    hooks::copyDataFilter(hooks::kCopyDataMessage, &data);
    QCOMPARE(lastCopyData, QStringLiteral("<nothing>"));

    const QByteArray utf8 = QStringLiteral("Größe ✓").toUtf8();
    hooks::CopyData wide{0x250F, quint32(utf8.size()), utf8.constData()};
    QCOMPARE(copyDataText(wide).value_or(QString()), QStringLiteral("Größe ✓"));
    wide.dwData = 0x2510;
    QVERIFY(!copyDataText(wide));
    const char invalid[] = "\xff\xfe";
    QVERIFY(!copyDataText({0x250F, 2, invalid}));
    QVERIFY(!copyDataText({0x250F, 0, nullptr}));
}

QTEST_GUILESS_MAIN(TestKeyTranslation)
#include "tst_keytranslation.moc"
