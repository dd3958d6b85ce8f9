// SPDX-License-Identifier: GPL-2.0-or-later
// The frame and its checksum, and the command tables as data.
#include "device/CommandTable.h"
#include "device/Frame.h"
#include "device/Hid_Thread.h"

#include <QSet>
#include <QTest>

class TestFrame : public QObject
{
    Q_OBJECT

private slots:
    void checksumExamples_data();
    void checksumExamples();
    void everyBuiltFrameSumsToFF();
    void tablesNameEachSlotAndCodeOnce();
    void lengthsInFramesMatchTheBlocks();
};

void TestFrame::checksumExamples_data()
{
    QTest::addColumn<QByteArray>("frame");
    QTest::addColumn<int>("checksum");
    QTest::newRow("01 02") << QByteArray::fromHex("01020000000000") << 0xFC;
    QTest::newRow("0B 03") << QByteArray::fromHex("0b030000000000") << 0xF1;
    QTest::newRow("zero") << QByteArray::fromHex("00000000000000") << 0xFF;
    // The sum wraps: 7 * 0xFF = 0x6F9, low byte F9, complement 06.
    QTest::newRow("wraps") << QByteArray::fromHex("ffffffffffffff") << 0x06;
}

void TestFrame::checksumExamples()
{
    QFETCH(QByteArray, frame);
    QFETCH(int, checksum);
    frame.append('\x55'); // byte 7 takes no part in its own checksum
    Hid_Thread link;
    QCOMPARE(int(link.hidCS(reinterpret_cast<uchar *>(frame.data()))), checksum);
}

void TestFrame::everyBuiltFrameSumsToFF()
{
    for (int code = 0; code < 256; code += 7) {
        for (int p = 0; p < 256; p += 13) {
            const auto f = frame::build(static_cast<uchar>(code),
                                        {uchar(p), uchar(255 - p), uchar(p * 3), 0, 1, uchar(p)});
            unsigned sum = 0;
            for (uchar b : f)
                sum += b;
            QCOMPARE(sum & 0xFF, 0xFFu);
            QVERIFY(frame::checksumHolds(f.data()));
        }
    }
}

void TestFrame::tablesNameEachSlotAndCodeOnce()
{
    QSet<int> codes;
    QSet<QByteArray> slotNames;
    for (const command::Row &r : command::table553()) {
        QVERIFY2(!codes.contains(r.code), r.slot);
        codes.insert(r.code);
        slotNames.insert(r.slot);
        QVERIFY(QByteArray(r.slot).startsWith("hid553_"));
    }
    codes.clear();
    for (const command::Row &r : command::table560()) {
        QVERIFY2(!codes.contains(r.code), r.slot);
        codes.insert(r.code);
        slotNames.insert(r.slot);
        QVERIFY(QByteArray(r.slot).startsWith("hid560_"));
    }
    QCOMPARE(slotNames.size(), int(command::kCount553 + command::kCount560));

    // Every slot in the tables is a slot of the device link that QML can find.
    const QMetaObject &mo = Hid_Thread::staticMetaObject;
    QSet<QByteArray> declared;
    for (int i = mo.methodOffset(); i < mo.methodCount(); ++i)
        declared.insert(mo.method(i).name());
    for (const QByteArray &s : slotNames)
        QVERIFY2(declared.contains(s), s.constData());
}

void TestFrame::lengthsInFramesMatchTheBlocks()
{
    // Where a frame announces its block length in byte 2, it is the row's.
    using command::row;
    for (auto c :
         {command::C553::SetKeyMatrix, command::C553::SetMacroKey, command::C553::SetDPISet}) {
        const auto f = command::build(row(c), {1});
        QCOMPARE(int(f[2]), row(c).dataLength);
    }
    for (auto c :
         {command::C560::SetKeyMatrix, command::C560::SetProfile, command::C560::SetMacroKey}) {
        const auto f = command::build(row(c), {1});
        QCOMPARE(int(f[2]), row(c).dataLength);
    }
    QCOMPARE(command::ledColorBlockLength(2), 4);
    QCOMPARE(command::ledColorBlockLength(0), 36);
    QCOMPARE(command::ledColorBlockLength(1), 36);
}

QTEST_GUILESS_MAIN(TestFrame)
#include "tst_frame.moc"
