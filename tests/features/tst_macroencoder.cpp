// SPDX-License-Identifier: GPL-2.0-or-later
// The macro block: records, delays short and long, and the slot rules of the
// transfer.
#include "FeatureRig.h"
#include "features/KeyNameTable.h"
#include "features/MacroEncoder.h"

#include <QQmlComponent>
#include <QQmlEngine>
#include <QTest>

namespace {

QByteArray encode(const QStringList &entries, int repeat)
{
    return macroEncoder::encode(macroEncoder::parse(entries, keyNames::englishNames()), repeat);
}

} // namespace

class TestMacroEncoder : public QObject
{
    Q_OBJECT

private slots:
    void examples_data();
    void examples();
    void longDelaysChooseTheirUnit_data();
    void longDelaysChooseTheirUnit();
    void theBlockNeverExceeds128Bytes();
    void namesLookUpTheFirstEntry();
    void theSceneHoldsTheSameKeyTable();
    void transferToTheSlotsOfEachFamily();
};

void TestMacroEncoder::examples_data()
{
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<int>("repeat");
    QTest::addColumn<QByteArray>("block");
    QTest::newRow("press, 50 ms, release")
        << QStringList{"1,A", "0,50", "2,A"} << 1 << QByteArray::fromHex("0001 0504 8104 0000");
    QTest::newRow("2000 ms in 20 ms units") << QStringList{"1,A", "0,2000", "2,A"} << 1
                                            << QByteArray::fromHex("0001 0004 0001 0064 8104 0000");
    QTest::newRow("0 ms is one unit")
        << QStringList{"1,A", "0,0", "2,A"} << 1 << QByteArray::fromHex("0001 0104 8104 0000");
    QTest::newRow("no delay is one unit")
        << QStringList{"3,MS-L", "4,MS-L"} << 2 << QByteArray::fromHex("0002 01f0 81f0 0000");
    QTest::newRow("leading delays are dropped")
        << QStringList{"0,500", "0,20", "1,B", "0,30", "2,B"} << 1
        << QByteArray::fromHex("0001 0305 8105 0000");
    QTest::newRow("only delays") << QStringList{"0,50", "0,60"} << 7 << QByteArray::fromHex("0007");
    QTest::newRow("one action alone")
        << QStringList{"0,50", "1,A"} << 1 << QByteArray::fromHex("0001");
    QTest::newRow("delays add up") << QStringList{"1,A", "0,60", "0,70", "2,A"} << 1
                                   << QByteArray::fromHex("0001 0d04 8104 0000");
    QTest::newRow("repeat 300") << QStringList{"1,A", "2,A"} << 300
                                << QByteArray::fromHex("012c 0104 8104 0000");
    QTest::newRow("126 units stay short")
        << QStringList{"1,A", "0,1260", "2,A"} << 1 << QByteArray::fromHex("0001 7e04 8104 0000");
    QTest::newRow("release then press") << QStringList{"2,LCtrl", "0,100", "1,Z"} << 1
                                        << QByteArray::fromHex("0001 8ae0 011d 0000");
    QTest::newRow("unknown names send 0")
        << QStringList{"1,Nope", "2,Nope"} << 1 << QByteArray::fromHex("0001 0100 8100 0000");
}

void TestMacroEncoder::examples()
{
    QFETCH(QStringList, entries);
    QFETCH(int, repeat);
    QFETCH(QByteArray, block);
    QCOMPARE(encode(entries, repeat).toHex(' '), block.toHex(' '));
}

void TestMacroEncoder::longDelaysChooseTheirUnit_data()
{
    QTest::addColumn<int>("units");
    QTest::addColumn<QByteArray>("extension");
    QTest::newRow("127 units") << 127 << QByteArray::fromHex("0001 003f");
    QTest::newRow("99999 units") << 99999 << QByteArray::fromHex("0001 c34f");
    QTest::newRow("100000 units") << 100000 << QByteArray::fromHex("0002 4e20");
    QTest::newRow("299999 units") << 299999 << QByteArray::fromHex("0002 ea5f");
    QTest::newRow("300000 units") << 300000 << QByteArray::fromHex("0003 7530");
    QTest::newRow("599999 units") << 599999 << QByteArray::fromHex("0003 ea5f");
    // Beyond what the records express: the longest delay they can carry.
    QTest::newRow("600000 units, clamped") << 600000 << QByteArray::fromHex("0003 ea5f");
    QTest::newRow("900000 units, clamped") << 900000 << QByteArray::fromHex("0003 ea5f");
}

void TestMacroEncoder::longDelaysChooseTheirUnit()
{
    QFETCH(int, units);
    QFETCH(QByteArray, extension);
    QVector<macroEncoder::Action> actions = {{macroEncoder::KeyPress, 0x04}};
    // A delay entry holds at most 65535 ms, so long delays come in several.
    for (int left = units; left > 0; left -= 6553)
        actions.append({macroEncoder::Delay, std::min(left, 6553) * 10});
    actions.append({macroEncoder::KeyRelease, 0x04});
    const QByteArray expected =
        QByteArray::fromHex("0001 0004") + extension + QByteArray::fromHex("8104 0000");
    QCOMPARE(macroEncoder::encode(actions, 1).toHex(' '), expected.toHex(' '));
}

void TestMacroEncoder::theBlockNeverExceeds128Bytes()
{
    QStringList entries;
    for (int i = 0; i < 200; ++i)
        entries << QStringLiteral("1,A") << QStringLiteral("0,5000") << QStringLiteral("2,A");
    const QByteArray block = encode(entries, 1);
    QVERIFY(block.size() <= macroEncoder::kBlockLength);
    QVERIFY(block.endsWith(QByteArray(2, '\0')));
}

void TestMacroEncoder::namesLookUpTheFirstEntry()
{
    const QStringList en = keyNames::englishNames();
    QCOMPARE(en.size(), keyNames::kCount);
    QCOMPARE(int(keyNames::codeForName(en, QStringLiteral("MS-M"))), 0xF2);
    QCOMPARE(keyNames::nameForCode(en, 0xE3), QStringLiteral("LWin"));
    // Every key keeps its own name: no two decode alike.
    for (int i = 0; i < keyNames::kCount; ++i)
        QCOMPARE(int(keyNames::codeForName(en, en[i])), int(keyNames::codeAt(i)));
    QCOMPARE(keyNames::nameForCode(en, 0x74), QString());
    QCOMPARE(int(keyNames::codeForName(en, QString())), 0);
}

void TestMacroEncoder::theSceneHoldsTheSameKeyTable()
{
    QQmlEngine engine;
    QQmlComponent component(&engine, QUrl::fromLocalFile(QStringLiteral(
                                         TALON_SOURCE_DIR "/src/qml/basic/KeyCodeString.qml")));
    std::unique_ptr<QObject> table(component.create());
    QVERIFY2(table, qPrintable(component.errorString()));
    const QVariantList codes = table->property("keyCode").toList();
    const QStringList names = table->property("keyCodeStr").toStringList();
    QCOMPARE(codes.size(), keyNames::kCount);
    QCOMPARE(names, keyNames::englishNames());
    for (int i = 0; i < keyNames::kCount; ++i)
        QCOMPARE(codes[i].toInt(), int(keyNames::codeAt(i)));
    QVariant code;
    QMetaObject::invokeMethod(table.get(), "strTokeycode", Q_RETURN_ARG(QVariant, code),
                              Q_ARG(QVariant, "Intl2"));
    QCOMPARE(code.toInt(), 0x88);
}

void TestMacroEncoder::transferToTheSlotsOfEachFamily()
{
    const QByteArray block = encode({"1,A", "0,50", "2,A"}, 1);
    QVariantList data;
    for (char b : block)
        data << int(uchar(b));
    for (auto family : {sim::Family::F553, sim::Family::F560}) {
        FeatureRig rig(family);
        QCOMPARE(rig.settings->mouseSendMacroData(data, 11), QVariant(true));
        QCOMPARE(rig.frames(), QStringList{family == sim::Family::F553 ? "13 0c 80 00 00 00 00"
                                                                       : "0f 0c 80 00 00 00 00"});
        QCOMPARE(FeatureRig::bytes(rig.mouse().macro[11]).left(8), block);
        QCOMPARE(FeatureRig::bytes(rig.mouse().macro[11]).mid(8), QByteArray(120, '\0'));
        fixture::bus().clearRecords();
        QCOMPARE(rig.settings->mouseSendMacroData(data, 12), QVariant(true));
        QCOMPARE(rig.settings->mouseSendMacroData(data, 268),
                 QVariant(true)); // 268 cut to a byte is 12
        QVERIFY(rig.frames().isEmpty());
    }
}

QTEST_MAIN(TestMacroEncoder)
#include "tst_macroencoder.moc"
