// SPDX-License-Identifier: GPL-2.0-or-later
// talonctl app-profile: the rules edited from the command line, with no
// mouse attached, as the utility reads them.
#include "LinkFixture.h"
#include "StoreFixture.h"
#include "ctl/Cli.h"
#include "store/AppProfileStore.h"

#include <QTest>

using fixture::bus;

class TestAppProfileCli : public QObject
{
    Q_OBJECT

private slots:
    void init() { fixture::resetBus(); }
    void addListRemove();
    void badArgumentsExitWithTwo_data();
    void badArgumentsExitWithTwo();
    void itsOwnHelp();

private:
    int run(QStringList args)
    {
        args << QStringLiteral("--config") << modules.path(QStringLiteral("setting/apConfig.bin"));
        out.clear();
        err.clear();
        QTextStream o(&out), e(&err);
        const int status = ctl::run(args, o, e);
        o.flush();
        e.flush();
        return status;
    }
    ModulesCopy modules;
    QString out, err;
};

void TestAppProfileCli::addListRemove()
{
    AppProfileStore store(modules.root());
    QFile::remove(store.filePath());
    QCOMPARE(run({"app-profile", "list"}), 0);
    QCOMPARE(out, QString());

    // Profiles are numbered 1 .. 10 as everywhere in talonctl.
    QCOMPARE(run({"app-profile", "add", "Steam_App_730", "2"}), 0);
    QCOMPARE(run({"app-profile", "add", "firefox", "10"}), 0);
    QCOMPARE(run({"app-profile", "add", "my game", "1"}), 0);
    QCOMPARE(store.rules(),
             (AppProfileStore::Rules{{"steam_app_730", 1}, {"firefox", 9}, {"my game", 0}}));
    QCOMPARE(run({"app-profile", "list"}), 0);
    QCOMPARE(out, QStringLiteral("firefox 10\nmy game 1\nsteam_app_730 2\n"));

    QCOMPARE(run({"app-profile", "add", "STEAM_APP_730", "3"}), 0);
    QCOMPARE(run({"app-profile", "remove", "Firefox"}), 0);
    QCOMPARE(store.rules(), (AppProfileStore::Rules{{"steam_app_730", 2}, {"my game", 0}}));

    // Nothing was said to a mouse.
    QVERIFY(bus().trace(true).empty());
}

void TestAppProfileCli::badArgumentsExitWithTwo_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("message");
    QTest::newRow("no action") << QStringList{"app-profile"} << "takes list, add or remove";
    QTest::newRow("unknown action")
        << QStringList{"app-profile", "bind", "x", "1"} << "unknown action";
    QTest::newRow("add without profile")
        << QStringList{"app-profile", "add", "x"} << "a class and a profile";
    QTest::newRow("profile 0") << QStringList{"app-profile", "add", "x", "0"} << "1 to 10";
    QTest::newRow("profile 11") << QStringList{"app-profile", "add", "x", "11"} << "1 to 10";
    QTest::newRow("profile word") << QStringList{"app-profile", "add", "x", "two"} << "1 to 10";
    QTest::newRow("blank class") << QStringList{"app-profile", "add", " ", "2"}
                                 << "not a window class";
    QTest::newRow("control in class")
        << QStringList{"app-profile", "add", "a\tb", "2"} << "not a window class";
    QTest::newRow("remove nothing")
        << QStringList{"app-profile", "remove", "nobody"} << "no rule for nobody";
    QTest::newRow("list with more")
        << QStringList{"app-profile", "list", "all"} << "takes nothing more";
    QTest::newRow("an option it does not take")
        << QStringList{"app-profile", "add", "x", "2", "--profile", "3"} << "takes no --profile";
}

void TestAppProfileCli::badArgumentsExitWithTwo()
{
    QFETCH(QStringList, args);
    QFETCH(QString, message);
    AppProfileStore store(modules.root());
    QCOMPARE(store.bind(QStringLiteral("keep"), 4), AppProfileStore::Result::Stored);
    const QByteArray before = ModulesCopy::read(store.filePath());
    QCOMPARE(run(args), 2);
    QVERIFY2(err.startsWith(QStringLiteral("talonctl: ")), qPrintable(err));
    QVERIFY2(err.contains(message), qPrintable(err));
    QCOMPARE(ModulesCopy::read(store.filePath()), before);
}

void TestAppProfileCli::itsOwnHelp()
{
    QCOMPARE(run({"app-profile", "--help"}), 0);
    QVERIFY2(out.startsWith(
                 QStringLiteral("Usage: talonctl app-profile list | add CLASS N | remove CLASS")),
             qPrintable(out));
    QVERIFY(out.contains(QStringLiteral("Example: talonctl app-profile add steam_app_730 2")));
    QCOMPARE(run({"--help"}), 0);
    QVERIFY(out.contains(QStringLiteral("app-profile list | add CLASS N | remove CLASS")));
}

QTEST_GUILESS_MAIN(TestAppProfileCli)
#include "tst_appprofilecli.moc"
