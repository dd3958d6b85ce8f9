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
