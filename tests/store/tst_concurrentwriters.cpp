// SPDX-License-Identifier: GPL-2.0-or-later
// Fifty writers at once, in as many processes, beside stores kept open as the
// program keeps them: every change a writer was told it stored is in the
// files, and the kept stores see the others' changes.
#include "StoreFixture.h"
#include "store/AppConfigStore.h"
#include "store/AppProfileStore.h"
#include "store/GunDataStore.h"
#include "store/MacroLibrary.h"
#include "store/ProfileStore.h"

#include <QProcess>
#include <QTest>
#include <memory>

namespace {

constexpr int kWriters = 50;

// One writer process: its own key in every store two processes can write.
int writer(const QString &root, int i)
{
    const QString key = QStringLiteral("writers/k%1").arg(i);
    ProfileStore profiles(root);
    profiles.setData(key, i);
    AppConfigStore config(root);
    config.setGlobalData(key, i);
    GunDataStore guns(profiles, root);
    MacroLibrary macros(profiles, root);
    AppProfileStore rules(root);
    const bool ok =
        profiles.sync() && config.sync() &&
        guns.mouseSaveGundata(QString::number(100 + i), {"g", "L", 1, 2, 3, i}) &&
        macros.createMacroIni(QStringLiteral("m%1").arg(i), 0).toBool() &&
        rules.bind(QStringLiteral("app%1").arg(i), i % 10) == AppProfileStore::Result::Stored;
    if (!ok)
        qWarning().noquote() << "writer" << i << "failed:" << profiles.error()
                             << config.settings().error() << rules.error();
    return ok ? 0 : 1;
}

std::vector<std::unique_ptr<QProcess>> startAll(const QString &program,
                                                const std::function<QStringList(int)> &args)
{
    std::vector<std::unique_ptr<QProcess>> all;
    for (int i = 0; i < kWriters; ++i) {
        all.push_back(std::make_unique<QProcess>());
        all.back()->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        all.back()->start(program, args(i));
    }
    return all;
}

bool allSucceeded(std::vector<std::unique_ptr<QProcess>> &all)
{
    bool ok = true;
    for (auto &p : all) {
        // A process that ended while the event loop ran is finished already.
        const bool done = (p->state() == QProcess::NotRunning || p->waitForFinished(120000)) &&
                          p->exitStatus() == QProcess::NormalExit && p->exitCode() == 0;
        if (!done)
            qWarning() << p->arguments() << p->exitStatus() << p->exitCode() << p->errorString();
        ok = done && ok;
    }
    return ok;
}

} // namespace

class TestConcurrentWriters : public QObject
{
    Q_OBJECT

private slots:
    void fiftyTalonctlAddsKeepEveryRule();
    void fiftyWritersBesideTheProgramsStores();
};

void TestConcurrentWriters::fiftyTalonctlAddsKeepEveryRule()
{
    ModulesCopy m;
    const QString config = m.path(QStringLiteral("setting/apConfig.bin"));
    AppProfileStore::Rules expected;
    for (int round = 0; round < 3; ++round) {
        auto all = startAll(QStringLiteral(TALON_TALONCTL), [&](int i) {
            const int n = round * kWriters + i;
            expected.insert(QStringLiteral("cls%1").arg(n), n % 10);
            return QStringList{
                "app-profile", "add", QStringLiteral("cls%1").arg(n), QString::number(n % 10 + 1),
                "--config",    config};
        });
        QVERIFY(allSucceeded(all));
        QCOMPARE(AppProfileStore(m.root()).rules(), expected);
    }
}

void TestConcurrentWriters::fiftyWritersBesideTheProgramsStores()
{
    ModulesCopy m;
    ModulesCopy::write(m.path(QStringLiteral("gun/gunData.bin")), "[gunData]\n");
    // Kept open and changed all along, as the program's are.
    ProfileStore kept(m.root());
    AppConfigStore keptConfig(m.root());
    QVERIFY(kept.getData(QStringLiteral("mouse/dpiCount"), false).isValid());

    auto all = startAll(QCoreApplication::applicationFilePath(), [&](int i) {
        return QStringList{"--writer", m.root(), QString::number(i)};
    });
    for (int j = 0; j < 20; ++j) {
        kept.setData(QStringLiteral("kept/k%1").arg(j), j);
        keptConfig.setGlobalData(QStringLiteral("kept/k%1").arg(j), j);
        QVERIFY(kept.sync());
        QVERIFY(keptConfig.sync());
        QTest::qWait(20);
    }
    QVERIFY(allSucceeded(all));

    const ProfileStore fresh(m.root());
    const AppConfigStore freshConfig(m.root());
    ProfileStore profiles(m.root());
    const GunDataStore guns(profiles, m.root());
    for (int i = 0; i < kWriters; ++i) {
        const QString key = QStringLiteral("writers/k%1").arg(i);
        QCOMPARE(fresh.getData(key, false).toInt(), i);
        QCOMPARE(kept.getData(key, false).toInt(), i); // read afresh
        QCOMPARE(freshConfig.getGlobalData(key).toInt(), i);
        QCOMPARE(keptConfig.getGlobalData(key).toInt(), i);
        QCOMPARE(guns.getGunData(QString::number(100 + i)).value(5).toInt(), i);
        QVERIFY(QFile::exists(m.path(QStringLiteral("macro/m%1.bin").arg(i))));
    }
    for (int j = 0; j < 20; ++j) {
        QCOMPARE(fresh.getData(QStringLiteral("kept/k%1").arg(j), false).toInt(), j);
        QCOMPARE(freshConfig.getGlobalData(QStringLiteral("kept/k%1").arg(j)).toInt(), j);
    }
    QCOMPARE(AppProfileStore(m.root()).rules().size(), kWriters);
    // The shipped keys are all still there.
    QCOMPARE(fresh.getData(QStringLiteral("mouse/dpiCount"), false).toInt(), 8);
}

int main(int argc, char *argv[])
{
    if (argc == 4 && QByteArray(argv[1]) == "--writer") {
        QCoreApplication app(argc, argv);
        return writer(QString::fromLocal8Bit(argv[2]), QByteArray(argv[3]).toInt());
    }
    QCoreApplication app(argc, argv);
    TestConcurrentWriters test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_concurrentwriters.moc"
