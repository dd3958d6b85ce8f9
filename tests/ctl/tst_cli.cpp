// talonctl's arguments, exit statuses and the probe against the virtual mouse.
#include "LinkFixture.h"
#include "StoreFixture.h"
#include "ctl/Cli.h"

#include <QTemporaryDir>
#include <QTest>

using fixture::bus;

class TestCli : public QObject
{
    Q_OBJECT

private slots:
    void init() { fixture::resetBus(); }
    void badArgumentsExitWithTwo_data();
    void badArgumentsExitWithTwo();
    void helpDocumentsEveryCommand();
    void probeFindsTheFirstEntryThatAnswers();
    void probeReportsTheCipherAndTheFamily();
    void probeWithoutAnAnsweringDeviceExitsWithOne();

private:
    int run(const QStringList &args)
    {
        out.clear();
        err.clear();
        QTextStream o(&out), e(&err);
        const int status = ctl::run(args, o, e);
        o.flush();
        e.flush();
        return status;
    }
    QString config(const QByteArray &ini)
    {
        const QString path = dir.filePath(QStringLiteral("apConfig.bin"));
        ModulesCopy::write(path, ini);
        return path;
    }
    QTemporaryDir dir;
    QString out, err;
};

void TestCli::badArgumentsExitWithTwo_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("message");
    QTest::newRow("nothing") << QStringList{} << "no command given";
    QTest::newRow("unknown command") << QStringList{"fly"} << "unknown command fly";
    QTest::newRow("unknown option") << QStringList{"probe", "--fast"} << "unknown option --fast";
    QTest::newRow("config without file") << QStringList{"probe", "--config"} << "needs a value";
    QTest::newRow("empty config") << QStringList{"probe", "--config="} << "needs a value";
    QTest::newRow("missing file") << QStringList{"probe", "--config", "/nonexistent/apConfig.bin"}
                                  << "not found";
    QTest::newRow("two commands") << QStringList{"probe", "probe"} << "unexpected argument";
}

void TestCli::badArgumentsExitWithTwo()
{
    QFETCH(QStringList, args);
    QFETCH(QString, message);
    QCOMPARE(run(args), 2);
    QVERIFY2(err.contains(message), qPrintable(err));
}

void TestCli::helpDocumentsEveryCommand()
{
    QCOMPARE(run({"--help"}), 0);
    QVERIFY(out.contains("probe"));
    QVERIFY(out.contains("Example: talonctl probe"));
    QVERIFY(out.contains("Exit status"));
}

void TestCli::probeFindsTheFirstEntryThatAnswers()
{
    sim::MouseConfig second = fixture::mouse(sim::Family::F553);
    second.pid = 0xa1ef;
    bus().plug(second);
    const QString path = config("[common]\ndeviceCount=3\n"
                                "[0]\nvid=04d9\npid=0bad\nusagePage=ff00\nusage=ff00\n"
                                "[1]\nvid=04d9\npid=a1ef\nusagePage=ff00\nusage=ff00\n"
                                "usagePage2=ff01\nusage2=ff01\n"
                                "[2]\nvid=04d9\npid=a1ef\nusagePage=ff00\nusage=ff00\n"
                                "[mouse]\nicType=553\n");
    QCOMPARE(run({"probe", "--config", path}), 0);
    QVERIFY2(out.contains("entry 0: 04d9:0bad cipher off\n  not attached"), qPrintable(out));
    QVERIFY(out.contains("entry 1: 04d9:a1ef"));
    QVERIFY(out.contains("command sim:0:1"));
    QVERIFY(out.contains("event   sim:0:2"));
    QVERIFY(out.contains("answered: family 553, cipher off"));
    QVERIFY(!out.contains("entry 2")); // the first that answers wins
}

void TestCli::probeReportsTheCipherAndTheFamily()
{
    bus().plug(fixture::mouse(sim::Family::F560, 64, true, "Ab3dE6"));
    const QString path = config("[common]\ndeviceCount=1\n"
                                "[0]\nvid=04d9\npid=a1ee\nusagePage=ff00\nusage=ff00\n"
                                "reportLength=64\nisEncode=true\nsCode=Ab3dE6\n"
                                "[mouse]\nicType=560\n");
    QCOMPARE(run({"probe", "--config=" + path}), 0);
    QVERIFY(out.contains("family: 560"));
    QVERIFY(out.contains("answered: family 560, cipher on"));
}

void TestCli::probeWithoutAnAnsweringDeviceExitsWithOne()
{
    const int device = bus().plug(fixture::mouse(sim::Family::F553, 32, true, "Ab3dE6"));
    const QString path = config("[common]\ndeviceCount=1\n"
                                "[0]\nvid=04d9\npid=a1ee\nusagePage=ff00\nusage=ff00\n"
                                "isEncode=true\nsCode=wrong1\n");
    QCOMPARE(run({"probe", "--config", path}), 1);
    QVERIFY(out.contains("no answer to the handshake"));
    QVERIFY(out.contains("no device answered"));

    bus().unplug(device);
    QCOMPARE(run({"probe", "--config", path}), 1);
    QVERIFY(out.contains("not attached"));

    QCOMPARE(run({"probe", "--config", config("[common]\nname=x\n")}), 1);
    QVERIFY(out.contains("no device entries"));
}

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
