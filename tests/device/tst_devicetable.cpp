// SPDX-License-Identifier: GPL-2.0-or-later
// Reading the device table and matching it against the attached interfaces.
#include "LinkFixture.h"
#include "StoreFixture.h"
#include "device/DeviceTable.h"

#include <QTemporaryDir>
#include <QTest>

using fixture::bus;

class TestDeviceTable : public QObject
{
    Q_OBJECT

private slots:
    void init() { fixture::resetBus(); }
    void readsHexadecimalAndDecimalFieldsWithDefaults();
    void noCountMeansNoRows();
    void aDamagedCountOrReportLengthIsBounded_data();
    void aDamagedCountOrReportLengthIsBounded();
    void parseHex_data();
    void parseHex();
    void theLastMatchingInterfaceWins();
    void anEntryWithoutMatchingUsagesGetsNoPaths();
    void vendorAndProductZeroMatchAnyDevice();

private:
    QString write(const QByteArray &ini)
    {
        const QString path = dir.filePath(QStringLiteral("apConfig.bin"));
        ModulesCopy::write(path, ini);
        return path;
    }
    QTemporaryDir dir;
};

void TestDeviceTable::readsHexadecimalAndDecimalFieldsWithDefaults()
{
    const QString path = write("[common]\ndeviceCount=2\n"
                               "[0]\ntype=1\nvid=04d9\npid=A1EE\nusagePage=ff00\nusage=0001\n"
                               "usagePage2=ff01\nusage2=ff02\nreportLength=64\nisEncode=true\n"
                               "sCode=Ab3dE6\n"
                               "[1]\nvid=zz12\n");
    const QList<DeviceEntry> rows = deviceTable::read(path);
    QCOMPARE(rows.size(), 2);
    const DeviceEntry &a = rows[0];
    QCOMPARE(a.type, 1);
    QCOMPARE(a.vid, std::uint16_t(0x04d9));
    QCOMPARE(a.pid, std::uint16_t(0xa1ee));
    QCOMPARE(a.usagePage, std::uint16_t(0xff00));
    QCOMPARE(a.usage, std::uint16_t(0x0001));
    QCOMPARE(a.usagePage2, std::uint16_t(0xff01));
    QCOMPARE(a.usage2, std::uint16_t(0xff02));
    QCOMPARE(a.reportLength, 64); // decimal, not 0x64
    QVERIFY(a.isEncode);
    QCOMPARE(a.sCode, QStringLiteral("Ab3dE6"));
    QVERIFY(a.commandPath.isEmpty() && a.eventPath.isEmpty());

    const DeviceEntry &b = rows[1];
    QCOMPARE(b.type, -1);
    QCOMPARE(b.vid, std::uint16_t(0)); // does not parse
    QCOMPARE(b.pid, std::uint16_t(0));
    QCOMPARE(b.reportLength, 32);
    QVERIFY(!b.isEncode);
    QCOMPARE(b.sCode, QStringLiteral("417093"));
}

void TestDeviceTable::noCountMeansNoRows()
{
    QVERIFY(deviceTable::read(write("[0]\nvid=04d9\n")).isEmpty());
    QVERIFY(deviceTable::read(dir.filePath(QStringLiteral("absent.bin"))).isEmpty());
}

void TestDeviceTable::aDamagedCountOrReportLengthIsBounded_data()
{
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<int>("rows");
    QTest::addColumn<bool>("located"); // the row of the plugged mouse gets its paths
    const QByteArray row0 = "[0]\nvid=04d9\npid=a1ee\nusagePage=ff00\nusage=ff00\n";
    QTest::newRow("two thousand million rows")
        << "[common]\ndeviceCount=2000000000\n" + row0 << 0 << false;
    QTest::newRow("a few hundred rows too many")
        << "[common]\ndeviceCount=257\n" + row0 << 0 << false;
    QTest::newRow("negative") << "[common]\ndeviceCount=-1\n" + row0 << 0 << false;
    QTest::newRow("the largest table") << "[common]\ndeviceCount=256\n" + row0 << 256 << true;
    QTest::newRow("report length 0") << "[common]\ndeviceCount=1\n" + row0 + "reportLength=0\n"
                                     << 1 << false;
    QTest::newRow("report length -1") << "[common]\ndeviceCount=1\n" + row0 + "reportLength=-1\n"
                                      << 1 << false;
    QTest::newRow("report length 2^31")
        << "[common]\ndeviceCount=1\n" + row0 + "reportLength=2147483648\n"
        << 1 << false;
    QTest::newRow("report length 1025")
        << "[common]\ndeviceCount=1\n" + row0 + "reportLength=1025\n"
        << 1 << false;
    QTest::newRow("report length 1") << "[common]\ndeviceCount=1\n" + row0 + "reportLength=1\n"
                                     << 1 << true;
    QTest::newRow("report length 1024")
        << "[common]\ndeviceCount=1\n" + row0 + "reportLength=1024\n"
        << 1 << true;
}

void TestDeviceTable::aDamagedCountOrReportLengthIsBounded()
{
    QFETCH(QByteArray, ini);
    QFETCH(int, rows);
    QFETCH(bool, located);
    bus().plug(fixture::mouse(sim::Family::F553));
    QList<DeviceEntry> table = deviceTable::read(write(ini));
    QCOMPARE(table.size(), rows);
    if (table.isEmpty())
        return;
    deviceTable::locateInterfaces(table[0]);
    QCOMPARE(!table[0].commandPath.isEmpty(), located);
}

void TestDeviceTable::parseHex_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<unsigned>("value");
    QTest::newRow("lower") << "04d9" << 0x04d9u;
    QTest::newRow("upper") << "FF01" << 0xff01u;
    QTest::newRow("empty") << "" << 0u;
    QTest::newRow("garbage") << "xyz" << 0u;
    QTest::newRow("trailing garbage") << "12g" << 0u;
}

void TestDeviceTable::parseHex()
{
    QFETCH(QString, text);
    QFETCH(unsigned, value);
    QCOMPARE(deviceTable::parseHex(text), value);
}

void TestDeviceTable::theLastMatchingInterfaceWins()
{
    // Two identical mice: the second one's interfaces come later.
    bus().plug(fixture::mouse(sim::Family::F553));
    const int second = bus().plug(fixture::mouse(sim::Family::F553));
    DeviceEntry e = fixture::entryFor(0);
    deviceTable::locateInterfaces(e);
    QCOMPARE(e.commandPath, QString::fromStdString(bus().path(second, sim::kCommand)));
    QCOMPARE(e.eventPath, QString::fromStdString(bus().path(second, sim::kEvent)));
}

void TestDeviceTable::anEntryWithoutMatchingUsagesGetsNoPaths()
{
    bus().plug(fixture::mouse(sim::Family::F553));
    DeviceEntry e = fixture::entryFor(0);
    e.usagePage = 0xff42;
    e.usagePage2 = 0xff43;
    deviceTable::locateInterfaces(e);
    QVERIFY(e.commandPath.isEmpty());
    QVERIFY(e.eventPath.isEmpty());
}

void TestDeviceTable::vendorAndProductZeroMatchAnyDevice()
{
    sim::MouseConfig other = fixture::mouse(sim::Family::F560);
    other.vid = 0x1234;
    other.pid = 0x5678;
    const int device = bus().plug(other);
    DeviceEntry e = fixture::entryFor(device);
    e.vid = 0;
    e.pid = 0;
    deviceTable::locateInterfaces(e);
    QCOMPARE(e.commandPath, QString::fromStdString(bus().path(device, sim::kCommand)));
}

QTEST_GUILESS_MAIN(TestDeviceTable)
#include "tst_devicetable.moc"
