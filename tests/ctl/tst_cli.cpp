// SPDX-License-Identifier: GPL-2.0-or-later
// talonctl's arguments, exit statuses and the probe against the virtual mouse.
#include "LinkFixture.h"
#include "StoreFixture.h"
#include "ctl/Cli.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>

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

    void usageErrorsAreOneLineAndComeBeforeConnecting_data();
    void usageErrorsAreOneLineAndComeBeforeConnecting();
    void versionAndPerCommandHelp();
    void nothingTakenIsNoSuccess_data();
    void nothingTakenIsNoSuccess();
    void aReadCutShortPrintsNoBytes();
    void fixColourOnThe560FamilyIsRefusedBeforeConnecting();
    void unusableProfilesAreRefusedBeforeAnythingIsSent_data();
    void unusableProfilesAreRefusedBeforeAnythingIsSent();
    void hostileFilesAreRefusedBeforeAnythingIsSent_data();
    void hostileFilesAreRefusedBeforeAnythingIsSent();
    void readingNeverWrites();
    void statusTellsWhatTheMouseAndTheConfigurationSay();
    void theCommandLineSpeaksTheMousesTerms();
    void jsonOutputParses();
    void deviceChoosesTheRow();

private:
    // The shipped data tree, configured for a family, with its mouse plugged.
    QString tree(sim::Family family, int *device = nullptr)
    {
        modules = std::make_unique<ModulesCopy>();
        const QString path = modules->path(QStringLiteral("setting/apConfig.bin"));
        if (family == sim::Family::F560) {
            QSettings s(path, QSettings::IniFormat);
            s.setValue(QStringLiteral("mouse/icType"), QStringLiteral("560"));
            s.setValue(QStringLiteral("0/reportLength"), 64);
        }
        const int d = bus().plug(fixture::mouse(family, family == sim::Family::F560 ? 64 : 32));
        if (device)
            *device = d;
        return path;
    }
    // The frames the mouse took, by code.
    static QStringList codes()
    {
        QStringList out;
        for (const sim::Frame8 &f : bus().frames())
            out << QStringLiteral("%1").arg(f[0], 2, 16, QLatin1Char('0'));
        return out;
    }
    std::unique_ptr<ModulesCopy> modules;

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

void TestCli::usageErrorsAreOneLineAndComeBeforeConnecting_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("message");
    QTest::newRow("dpi letters")
        << QStringList{"dpi", "fast"}
        << "talonctl: dpi values must be numbers (see talonctl dpi --help)";
    QTest::newRow("nine dpi values")
        << QStringList{"dpi", "1,2,3,4,5,6,7,8,9"} << "at most eight values";
    QTest::newRow("stages") << QStringList{"dpi", "--stages", "9"} << "--stages takes 1 to 8";
    QTest::newRow("rate") << QStringList{"rate", "300"} << "rate takes 125, 250, 500 or 1000";
    QTest::newRow("stage") << QStringList{"current-dpi", "9"} << "stage from 1 to 8";
    QTest::newRow("keys with an argument") << QStringList{"keys", "x"} << "unexpected argument x";
    QTest::newRow("json on a command without it")
        << QStringList{"keys", "--json"} << "keys takes no --json";
    QTest::newRow("slot on dpi") << QStringList{"dpi", "--slot", "2"} << "dpi takes no --slot";
    QTest::newRow("profile read range") << QStringList{"read-profile", "7"} << "0 to 4";
    QTest::newRow("colour range") << QStringList{"colors", "256"} << "0 to 255";
    QTest::newRow("macro without slot") << QStringList{"macro", "Tap"} << "--slot 0 to 11";
    QTest::newRow("gun slot") << QStringList{"gun", "4"} << "gun slots are 1 to 3";
    QTest::newRow("device") << QStringList{"status", "--device", "x"} << "--device needs a number";
    QTest::newRow("unknown command")
        << QStringList{"fly"} << "talonctl: unknown command fly (see talonctl --help)";
    QTest::newRow("profile number")
        << QStringList{"keys", "--profile", "11"} << "--profile takes 1 to 10";
}

void TestCli::usageErrorsAreOneLineAndComeBeforeConnecting()
{
    QFETCH(QStringList, args);
    QFETCH(QString, message);
    tree(sim::Family::F553); // a mouse that would answer
    QCOMPARE(
        run(args + QStringList{"--config", modules->path(QStringLiteral("setting/apConfig.bin"))}),
        2);
    QVERIFY2(err.contains(message), qPrintable(err));
    QCOMPARE(err.count(QLatin1Char('\n')), 1);
    QVERIFY(err.startsWith(QStringLiteral("talonctl: ")));
    // With --json the error is on standard output as an object too.
    if (args.contains(QStringLiteral("--json")))
        QVERIFY(out.contains(QStringLiteral("\"error\": \"keys takes no --json")));
    else
        QVERIFY(out.isEmpty());
    QVERIFY(bus().records().empty()); // not even opened
}

void TestCli::versionAndPerCommandHelp()
{
    QCOMPARE(run({"--version"}), 0);
    QCOMPARE(out, QStringLiteral("talonctl " TALON_VERSION "\n"));
    QCOMPARE(run({"dpi", "--help"}), 0);
    QVERIFY(out.startsWith(QStringLiteral("Usage: talonctl dpi ")));
    QVERIFY(!out.contains(QStringLiteral("read-profile N")));
    // A command's help lists its own options, in lines of 80 columns.
    QVERIFY(out.contains(QStringLiteral("  --stages N ")) &&
            !out.contains(QStringLiteral("--slot")));
    QCOMPARE(run({"keys", "--help"}), 0);
    QVERIFY(out.contains(QStringLiteral("  --profile P ")) &&
            !out.contains(QStringLiteral("--sensor")) && !out.contains(QStringLiteral("--json")));
    QCOMPARE(run({"app-profile", "--help"}), 0);
    QVERIFY(!out.contains(QStringLiteral("--device")) && out.contains(QStringLiteral("--config")));
    QCOMPARE(run({"help", "status"}), 0);
    QVERIFY(out.startsWith(QStringLiteral("Usage: talonctl status")));
    QCOMPARE(run({"--help"}), 0);
    for (const char *command : {"probe", "status", "keys", "dpi", "current-dpi", "rate", "lighting",
                                "colors", "fix-color", "macro", "gun", "read-profile", "apply"})
        QVERIFY2(out.contains(QStringLiteral("  %1").arg(QLatin1String(command))), command);
    QVERIFY(out.contains(QStringLiteral("3  the mouse did not take a command")));
    for (const QString &line : out.split(QLatin1Char('\n')))
        QVERIFY2(line.size() <= 80, qPrintable(line));
}

void TestCli::nothingTakenIsNoSuccess_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("fault");
    QTest::addColumn<QString>("slot");
    enum { Unplug, FailWrite, FailFeature };
    QTest::newRow("apply, unplugged during the DPI table")
        << QStringList{"apply"} << int(Unplug) << "hid553_11H_SetDPISet";
    QTest::newRow("keys, output reports refused")
        << QStringList{"keys"} << int(FailWrite) << "hid553_12H_SetKeyMatrix";
    QTest::newRow("dpi") << QStringList{"dpi"} << int(FailWrite) << "hid553_11H_SetDPISet";
    QTest::newRow("colors") << QStringList{"colors"} << int(FailWrite)
                            << "hid553_10H_SetLED8StageColor";
    QTest::newRow("lighting, frame refused")
        << QStringList{"lighting"} << int(FailFeature) << "hid553_0DH_SetRGBLedEffect";
    QTest::newRow("rate") << QStringList{"rate", "500"} << int(FailFeature)
                          << "hid553_01H_SetReportRate";
}

void TestCli::nothingTakenIsNoSuccess()
{
    QFETCH(QStringList, args);
    QFETCH(int, fault);
    QFETCH(QString, slot);
    int device = -1;
    const QString config = tree(sim::Family::F553, &device);
    sim::Faults &f = bus().faults(device);
    // Faults strike past the handshake and the keyboard option (13 opens and
    // reports); the unplug comes at the tenth report, the DPI table's data.
    f.onset = 13;
    if (fault == 0)
        f.unplugAfter = 9;
    f.failWrite = fault == 1;
    f.failFeatureOut = fault == 2;
    QCOMPARE(run(args + QStringList{"--config", config}), 3);
    QVERIFY2(err.contains(QStringLiteral(": the mouse did not take ") + slot), qPrintable(err));
    QVERIFY(err.startsWith(QStringLiteral("talonctl: ") + args[0] + QLatin1Char(':')));
    QVERIFY2(!out.contains(QStringLiteral("sent")) || args[0] == QLatin1String("apply"),
             qPrintable(out));
    QCOMPARE(bus().openHandles(), 0);
}

void TestCli::aReadCutShortPrintsNoBytes()
{
    for (bool stall : {true, false}) {
        fixture::resetBus();
        int device = -1;
        const QString config = tree(sim::Family::F560, &device);
        // Past the handshake (5 opens and reports) and the connection's reads
        // of profiles 0 and 1 (9 each).
        bus().faults(device).onset = 23;
        bus().faults(device).stall = stall;
        bus().faults(device).shortReports = !stall;
        QCOMPARE(run({"read-profile", "3", "--config", config}), 3);
        QVERIFY(out.isEmpty());
        QVERIFY2(err.contains(
                     QStringLiteral("read-profile: the mouse did not take hid560_8CH_readProfile")),
                 qPrintable(err));
    }
}

void TestCli::fixColourOnThe560FamilyIsRefusedBeforeConnecting()
{
    const QString config = tree(sim::Family::F560);
    QCOMPARE(run({"fix-color", "1,2,3", "--config", config}), 2);
    QVERIFY(err.contains(QStringLiteral("the 560 family has no fixed colour")));
    QVERIFY(out.isEmpty());
    QVERIFY(bus().frames().empty());
}

void TestCli::unusableProfilesAreRefusedBeforeAnythingIsSent_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("message");
    QTest::newRow("empty profile")
        << QString() << QVariant() << "p1.bin: mouseKeyMatrix/0 is missing";
    QTest::newRow("key row too short") << "mouseKeyMatrix/7" << QVariant(QVariantList{1, 0})
                                       << "mouseKeyMatrix/7 holds 2 values, not 4";
    QTest::newRow("nine DPI values")
        << "mouse/dpiValueArray" << QVariant(QVariantList{1, 2, 3, 4, 5, 6, 7, 8, 9})
        << "mouse/dpiValueArray holds 9 values, not 1 to 8";
    QTest::newRow("DPI value not a number")
        << "mouse/dpiValueArray" << QVariant(QVariantList{800, "x"}) << "holds \"x\"";
    QTest::newRow("stage count") << "mouse/currentDpiCount" << QVariant(12)
                                 << "mouse/currentDpiCount holds \"12\"";
    QTest::newRow("more stages than values")
        << "mouse/dpiValueArray" << QVariant(QVariantList{800, 1600})
        << "4 stages enabled but 2 DPI values";
    QTest::newRow("rate index") << "mouse/reportRate" << QVariant(7)
                                << "mouse/reportRate holds \"7\", not a number from 0 to 3";
    QTest::newRow("lighting speed") << "mouse/lightValue" << QVariant(QVariantList{1, 9, 4})
                                    << "speed and brightness are 0 to 4";
    QTest::newRow("too many colours") << "mouse/colorValue" << QVariant(QVariantList(49, 1))
                                      << "mouse/colorValue holds 49 values";
    QTest::newRow("profile number")
        << "apConfig:mouse/profileNo" << QVariant(57) << "apConfig.bin: mouse/profileNo is \"57\"";
}

void TestCli::unusableProfilesAreRefusedBeforeAnythingIsSent()
{
    QFETCH(QString, key);
    QFETCH(QVariant, value);
    QFETCH(QString, message);
    const QString config = tree(sim::Family::F553);
    const QString profile = modules->path(QStringLiteral("setting/p1.bin"));
    if (key.isEmpty())
        ModulesCopy::write(profile, QByteArray());
    else if (key.startsWith(QLatin1String("apConfig:")))
        QSettings(config, QSettings::IniFormat).setValue(key.mid(9), value);
    else
        QSettings(profile, QSettings::IniFormat).setValue(key, value);

    QCOMPARE(run({"apply", "--config", config}), 2);
    QVERIFY2(err.contains(message), qPrintable(err));
    QVERIFY(err.startsWith(QStringLiteral("talonctl: apply: ")));
    QVERIFY(bus().frames().empty());
    QVERIFY(out.isEmpty());
}

void TestCli::hostileFilesAreRefusedBeforeAnythingIsSent_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("file"); // in the data tree
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("message");
    const QStringList macro{"macro", "m", "--slot", "1"};
    QByteArray noise(50 * 1024 * 1024, 0);
    for (char &c : noise)
        c = char(QRandomGenerator::global()->bounded(256));
    QTest::newRow("50 MB of noise")
        << macro << "macro/m.bin" << noise << "macro/m.bin: larger than 1048576 bytes";
    QTest::newRow("a huge count") << macro << "macro/m.bin"
                                  << QByteArray("[config]\ntotal=2147483647\nrepeat=1\n")
                                  << "macro/m.bin: config/total holds \"2147483647\"";
    QByteArray garbled = "[config]\ntotal=4096\nrepeat=1\n[macro]\n";
    for (int i = 0; i < 4096; ++i)
        garbled += QByteArray::number(i) + "=press A\n";
    QTest::newRow("4096 actions that do not parse")
        << macro << "macro/m.bin" << garbled
        << "macro/m.bin: macro/0 holds \"press A\": not an action";
    QTest::newRow("an unknown key") << macro << "macro/m.bin"
                                    << QByteArray("[config]\ntotal=2\nrepeat=1\n[macro]\n"
                                                  "0=\"1,A\"\n1=\"2,Nothing\"\n")
                                    << "macro/1 holds \"2,Nothing\": no key of that name";
    QTest::newRow("an empty macro")
        << macro << "macro/m.bin" << QByteArray("[config]\ntotal=0\nrepeat=1\n")
        << "macro/m.bin: no action the mouse can play";
    QByteArray tooLong = "[config]\ntotal=200\nrepeat=1\n[macro]\n";
    for (int i = 0; i < 200; ++i)
        tooLong += QByteArray::number(i) + (i % 2 ? "=\"2,A\"\n" : "=\"1,A\"\n");
    QTest::newRow("more than the mouse holds")
        << macro << "macro/m.bin" << tooLong << "200 actions do not fit";
    QTest::newRow("a key count no mouse has")
        << QStringList{"keys"} << "setting/apConfig.bin"
        << QByteArray("[mouse]\nkeyCount=100000\nprofileNo=0\n[common]\ndeviceCount=1\n")
        << "apConfig.bin: mouse/keyCount holds \"100000\", not a number from 1 to 16";
    QTest::newRow("a profile that is a folder")
        << QStringList{"apply", "--profile", "@tree"} << QString() << QByteArray()
        << "not a regular file";
    QTest::newRow("a profile that is a device")
        << QStringList{"apply", "--profile", "/dev/zero"} << QString() << QByteArray()
        << "/dev/zero: not a regular file";
    QTest::newRow("a profile that is a pipe") << QStringList{"apply", "--profile", "@fifo"}
                                              << QString() << QByteArray() << "not a regular file";
}

void TestCli::hostileFilesAreRefusedBeforeAnythingIsSent()
{
    QFETCH(QStringList, args);
    QFETCH(QString, file);
    QFETCH(QByteArray, content);
    QFETCH(QString, message);
    const QString config = tree(sim::Family::F553);
    if (!file.isEmpty())
        ModulesCopy::write(modules->path(file), content);
    const QString fifo = dir.filePath(QStringLiteral("pipe.pf"));
    QFile::remove(fifo);
    QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    args.replaceInStrings(QStringLiteral("@tree"), modules->root());
    args.replaceInStrings(QStringLiteral("@fifo"), fifo);

    QCOMPARE(run(args + QStringList{"--config", config}), 2);
    QVERIFY2(err.contains(message), qPrintable(err.left(300)));
    QVERIFY(out.isEmpty());
    QVERIFY(bus().frames().empty());
}

void TestCli::readingNeverWrites()
{
    int device = -1;
    const QString config = tree(sim::Family::F553, &device);
    bus().state(device).keyboardOption = {1, 2, 3, 4};
    QCOMPARE(run({"rate", "--config", config}), 0);
    QVERIFY2(out.contains(QStringLiteral("p1.bin: 1000 Hz")), qPrintable(out));
    QVERIFY(bus().records().empty()); // the mouse was not even opened

    for (const QStringList &args :
         {QStringList{"status"}, QStringList{"current-dpi"}, QStringList{"probe"}}) {
        bus().clearRecords();
        QCOMPARE(run(args + QStringList{"--config", config}), 0);
        for (const sim::Frame8 &f : bus().frames())
            QVERIFY2(f[0] == 0x00 || f[0] >= 0x80,
                     qPrintable(args[0] + QStringLiteral(": ") + codes().join(' ')));
    }
    const std::array<uchar, 4> option = {1, 2, 3, 4};
    QCOMPARE(bus().state(device).keyboardOption, option);

    // A write connects as the program does: the option bits are set.
    bus().clearRecords();
    QCOMPARE(run({"rate", "125", "--config", config}), 0);
    QCOMPARE(codes(), (QStringList{"00", "83", "03", "01"}));
}

void TestCli::statusTellsWhatTheMouseAndTheConfigurationSay()
{
    int device = -1;
    const QString config = tree(sim::Family::F560, &device);
    bus().state(device).keyboardOption = {0x41, 0x22, 0, 0};
    bus().state(device).currentMatrix = 3;
    bus().state(device).profileStage[3] = 2;
    QSettings(config, QSettings::IniFormat).setValue(QStringLiteral("mouse/profileNo"), 2);
    QCOMPARE(run({"status", "--config", config}), 0);
    QVERIFY2(out.contains(QStringLiteral("controller: 560 family\n")), qPrintable(out));
    QVERIFY(out.contains(QStringLiteral("mouse: row 0 of the device table, USB 04d9:a1ee, frames "
                                        "not enciphered\n")));
    QVERIFY(out.contains(QStringLiteral("lighting effects: static, breath, neon, off\n")));
    // Numbered as --profile numbers them.
    QVERIFY(out.contains(QStringLiteral("profile: 3 (p3.bin)\n")));
    QVERIFY(out.contains(QStringLiteral("on-device profile: 3\n")));
    QVERIFY(!out.contains(QStringLiteral("keyboard option")));

    fixture::resetBus();
    tree(sim::Family::F553, &device);
    bus().state(device).currentStage = 4;
    QCOMPARE(run({"status", "--config", modules->path(QStringLiteral("setting/apConfig.bin"))}), 0);
    QVERIFY2(out.contains(QStringLiteral("DPI stage: 4, 2000 DPI in profile 1\n")),
             qPrintable(out));
    QVERIFY(!out.contains(QStringLiteral("on-device")));
}

// The configuration's DPI bounds, effects by name, and a failure that is a
// JSON object when JSON is asked for.
void TestCli::theCommandLineSpeaksTheMousesTerms()
{
    const QString config = tree(sim::Family::F553);
    QCOMPARE(run({"dpi", "--stages", "2", "800,20000", "--config", config}), 2);
    QVERIFY2(err.contains(QStringLiteral("20000 DPI is outside this mouse's 200 to 6400")),
             qPrintable(err));
    QSettings(modules->path(QStringLiteral("setting/p1.bin")), QSettings::IniFormat)
        .setValue(QStringLiteral("mouse/dpiValueArray"), QVariantList{100, 800, 1600, 3200});
    QCOMPARE(run({"apply", "--config", config}), 2);
    QVERIFY2(err.contains(QStringLiteral("p1.bin: mouse/dpiValueArray: 100 DPI is outside")),
             qPrintable(err));
    QVERIFY(bus().frames().empty());

    QCOMPARE(run({"lighting", "1", "2", "4", "--config", config}), 0);
    const sim::Frame8 byNumber = bus().frames().back();
    bus().clearRecords();
    QCOMPARE(run({"lighting", "Breathing", "2", "4", "--config", config}), 0);
    QVERIFY2(out.contains(QStringLiteral("lighting effect sent: breath (1)")), qPrintable(out));
    QVERIFY(bus().frames().back() == byNumber);
    bus().clearRecords();
    QCOMPARE(run({"lighting", "sparkle", "2", "4", "--config", config}), 2);
    QVERIFY2(err.contains(QStringLiteral("it has: static, breath, neon, off")), qPrintable(err));
    QVERIFY(bus().frames().empty());

    for (const auto &[args, status] :
         {std::pair{QStringList{"status", "--json", "--config", "/nonexistent"}, 2},
          std::pair{QStringList{"rate", "33", "--json", "--config", config}, 2},
          std::pair{QStringList{"keys", "--json", "--config", config}, 2}}) {
        QCOMPARE(run(args), status);
        const QJsonObject o = QJsonDocument::fromJson(out.toUtf8()).object();
        QCOMPARE(o.value(QStringLiteral("status")).toInt(), status);
        QVERIFY2(err.contains(o.value(QStringLiteral("error")).toString()), qPrintable(out));
        QVERIFY(!o.value(QStringLiteral("error")).toString().isEmpty());
    }
    fixture::resetBus();
    QCOMPARE(run({"status", "--json", "--config", config}), 1);
    QCOMPARE(QJsonDocument::fromJson(out.toUtf8()).object().value(QStringLiteral("error")),
             QJsonValue(QStringLiteral("no device answered")));
}

void TestCli::jsonOutputParses()
{
    const QString config = tree(sim::Family::F560);
    for (const QStringList &args : {QStringList{"status"}, QStringList{"probe"},
                                    QStringList{"current-dpi"}, QStringList{"read-profile", "2"}}) {
        QCOMPARE(run(args + QStringList{"--json", "--config", config}), 0);
        QJsonParseError error;
        const QJsonDocument doc = QJsonDocument::fromJson(out.toUtf8(), &error);
        QVERIFY2(error.error == QJsonParseError::NoError, qPrintable(args[0] + out));
        QVERIFY(doc.isObject());
        if (args[0] == QLatin1String("read-profile")) {
            const QJsonArray bytes = doc.object().value(QStringLiteral("bytes")).toArray();
            QCOMPARE(bytes.size(), 128);
            QCOMPARE(bytes[5].toInt(), int(bus().state(0).profile[2][5]));
        }
        if (args[0] == QLatin1String("status"))
            QCOMPARE(doc.object().value(QStringLiteral("currentProfile")).toInt(),
                     int(bus().state(0).currentMatrix));
    }
}

void TestCli::deviceChoosesTheRow()
{
    // Two rows, both attached and answering.
    const QString config = tree(sim::Family::F553);
    sim::MouseConfig second = fixture::mouse(sim::Family::F553);
    second.pid = 0xa1ef;
    bus().plug(second);
    {
        QSettings s(config, QSettings::IniFormat);
        s.setValue(QStringLiteral("common/deviceCount"), 2);
        for (const char *key :
             {"type", "vid", "usagePage", "usage", "usagePage2", "usage2", "reportLength"})
            s.setValue(QStringLiteral("1/") + QLatin1String(key),
                       s.value(QStringLiteral("0/") + QLatin1String(key)));
        s.setValue(QStringLiteral("1/pid"), QStringLiteral("a1ef"));
    }
    QCOMPARE(run({"status", "--config", config}), 0);
    QVERIFY(out.contains(QStringLiteral("mouse: row 0 of the device table, USB 04d9:a1ee")));
    QCOMPARE(run({"status", "--device", "1", "--config", config}), 0);
    QVERIFY2(out.contains(QStringLiteral("mouse: row 1 of the device table, USB 04d9:a1ef")),
             qPrintable(out));
    bus().clearRecords();
    QCOMPARE(run({"rate", "250", "--device", "1", "--config", config}), 0);
    for (const sim::Record &r : bus().records())
        if (r.kind == sim::Record::Kind::FeatureOut)
            QCOMPARE(r.device, 1);
    QCOMPARE(run({"probe", "--device", "1", "--config", config}), 0);
    QVERIFY(out.contains(QStringLiteral("entry 1: 04d9:a1ef")));
    QVERIFY(!out.contains(QStringLiteral("entry 0")));
    QCOMPARE(run({"status", "--device", "2", "--config", config}), 2);
    QVERIFY(err.contains(QStringLiteral("has 2 device rows")));
}

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
