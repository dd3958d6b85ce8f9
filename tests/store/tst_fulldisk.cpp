// SPDX-License-Identifier: GPL-2.0-or-later
// A full file system, at every write, fsync and truncation a store makes:
// each store, talonctl and the program leave either the whole new file or the
// old one untouched, and say which. Runs with the full-disk shim preloaded
// (it preloads itself); as root also on a real 64 KiB tmpfs.
#include "app/ShellFixture.h"
#include "store/AppConfigStore.h"
#include "store/AppProfileStore.h"
#include "store/GunDataStore.h"
#include "store/MacroLibrary.h"
#include "store/NameListStore.h"
#include "store/ProfileStore.h"
#include "store/StoreFile.h"
#include "store/UserData.h"

#include <QDirIterator>
#include <QProcess>
#include <QQuickItem>
#include <QTest>
#include <dlfcn.h>
#include <unistd.h>

namespace {

using FullDisk = void (*)(const char *, long);
FullDisk fullDisk = nullptr;

// The whole tree, file by file: what a failed write must leave as it was.
QMap<QString, QByteArray> snapshot(const QString &root)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString f = it.next();
        if (!f.endsWith(QLatin1String("/.lock")))
            files.insert(QDir(root).relativeFilePath(f), ModulesCopy::read(f));
    }
    return files;
}

struct Full
{
    Full(const QString &root, long after) { fullDisk(QFile::encodeName(root).constData(), after); }
    ~Full() { fullDisk("", 0); }
};

struct Reports
{
    Reports()
    {
        storeFile::setFailureReporter([this](const QString &m) { messages << m; });
    }
    ~Reports() { storeFile::setFailureReporter({}); }
    QStringList messages;
};

int runTalonctl(const QStringList &args, const QString &root, long fullAfter, QString *err)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LD_PRELOAD"), QStringLiteral(TALON_FULLDISK_SHIM));
    env.insert(QStringLiteral("TALON_FULL_DIR"), root);
    env.insert(QStringLiteral("TALON_FULL_AFTER"), QString::number(fullAfter));
    env.insert(QStringLiteral("ASAN_OPTIONS"), QStringLiteral("verify_asan_link_order=0"));
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(TALON_TALONCTL),
            args + QStringList{"--config", root + QStringLiteral("/setting/apConfig.bin")});
    p.waitForFinished(30000);
    *err = QString::fromUtf8(p.readAllStandardError());
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

} // namespace

class TestFullDisk : public QObject
{
    Q_OBJECT

private slots:
    void talonctlSaysItStoredNothing();
    void everyStoreKeepsTheOldFileAndSaysSo();
    void theProgramSaysASaveWasNotStored();
    void aFirstStartOnAFullDiskIsCompletedLater();
    void aRealSmallFileSystem();
};

// `talonctl app-profile add newcls 5` with the disk full at each of its
// calls in turn, until one run has room for all of them.
void TestFullDisk::talonctlSaysItStoredNothing()
{
    ModulesCopy m;
    QVERIFY(AppProfileStore(m.root()).bind(QStringLiteral("old"), 2) ==
            AppProfileStore::Result::Stored);
    const auto before = snapshot(m.root());
    int failures = 0;
    for (long n = 1; n < 50; ++n) {
        QString err;
        const int status = runTalonctl({"app-profile", "add", "newcls", "5"}, m.root(), n, &err);
        if (status == 0) {
            QCOMPARE(AppProfileStore(m.root()).rules(),
                     (AppProfileStore::Rules{{"old", 2}, {"newcls", 4}}));
            break;
        }
        ++failures;
        QCOMPARE(status, 4);
        QVERIFY2(err.contains(QStringLiteral("not stored")) &&
                     err.contains(QStringLiteral("No space left on device")),
                 qPrintable(err));
        QCOMPARE(snapshot(m.root()), before);
    }
    // The write and the fsync of the new file at least.
    QVERIFY2(failures >= 2, qPrintable(QString::number(failures)));
}

void TestFullDisk::everyStoreKeepsTheOldFileAndSaysSo()
{
    ModulesCopy m;
    const QString outside = m.path(QStringLiteral("../mine.pf"));
    ModulesCopy::write(outside, "the user's own export\n");
    ModulesCopy::write(m.path(QStringLiteral("gun/gunData.bin")), "[gunData]\n");
    ProfileStore profiles(m.root());
    MacroLibrary macros(profiles, m.root());
    QVERIFY(macros.createMacroIni(QStringLiteral("m"), 0).toBool());
    AppConfigStore config(m.root());
    const auto before = snapshot(m.root());
    const QByteArray exported = ModulesCopy::read(outside);

    // Each operation fails at its first, second ... call on the full disk.
    using Operation = std::function<bool()>;
    const QList<QPair<const char *, Operation>> operations = {
        {"profile change",
         [&] {
             profiles.setData("mouse/reportRate", 1);
             return profiles.sync();
         }},
        {"reset", [&] { return profiles.resetProfile(1); }},
        {"copy", [&] { return profiles.copyProfile(2, 0); }},
        {"import", [&] { return profiles.importProfile(3, outside); }},
        {"name list",
         [&] {
             return NameListStore(m.root()).updataNameList(0, {"a", "b"}).toBool();
         }},
        {"macro save",
         [&] {
             return macros.saveMacroIni("m", {"1,A", "2,A"}, 2).toBool();
         }},
        {"new macro", [&] { return macros.createMacroIni("n", 0).toBool(); }},
        {"gun",
         [&] {
             return GunDataStore(profiles, m.root()).mouseSaveGundata("0", {"g", "L", 1, 2, 3, 4});
         }},
        {"configuration",
         [&] {
             config.setGlobalData("mouse/profileNo", 3);
             return config.sync();
         }},
        {"rule",
         [&] { return AppProfileStore(m.root()).bind("x", 1) == AppProfileStore::Result::Stored; }},
    };
    for (const auto &[name, operation] : operations) {
        for (long n = 1; n <= 2; ++n) {
            Reports reports;
            {
                Full full(m.root(), n);
                QVERIFY2(!operation(), name);
            }
            QVERIFY2(snapshot(m.root()) == before, name);
            QVERIFY2(reports.messages.size() == 1 &&
                         reports.messages[0].contains(QStringLiteral("No space left on device")),
                     qPrintable(name + QStringLiteral(": ") + reports.messages.join('|')));
        }
    }
    // With room again the changes that waited are stored: nothing was lost.
    QVERIFY(profiles.sync());
    QVERIFY(config.sync());
    QVERIFY(ModulesCopy::read(profiles.profilePath(0)).contains("reportRate=1"));
    QVERIFY(ModulesCopy::read(config.filePath()).contains("profileNo=3"));

    // An export over the person's own file, to a full disk elsewhere.
    QTemporaryDir elsewhere;
    const QString target = elsewhere.filePath(QStringLiteral("mine.pf"));
    ModulesCopy::write(target, exported);
    for (long n = 1; n <= 2; ++n) {
        Reports reports;
        Full full(elsewhere.path(), n);
        QVERIFY(!profiles.exportProfile(0, target));
        QCOMPARE(ModulesCopy::read(target), exported);
        QCOMPARE(reports.messages.size(), 1);
    }
}

// The program's Save on a full disk: the tray notice and the scene's notice
// say it was not stored, p1.bin is as it was, and the change is written once
// there is room.
void TestFullDisk::theProgramSaysASaveWasNotStored()
{
    Shell shell(Ui_Controler::defaultScene());
    Widget &w = shell.start();
    QStringList notices;
    w.observeNotices([&](const QString &title, const QString &text, QSystemTrayIcon::MessageIcon,
                         int) { notices << title + QLatin1Char('|') + text; });
    const QString p1 = shell.modules.path(QStringLiteral("setting/p1.bin"));
    const QByteArray before = ModulesCopy::read(p1);
    {
        Full full(shell.modules.root(), 1);
        // What the report-rate list does when a rate is chosen.
        QMetaObject::invokeMethod(w.view(), "setData", Q_ARG(QVariant, "mouse/reportRate"),
                                  Q_ARG(QVariant, 1));
        QTRY_COMPARE(notices.size(), 1);
    }
    QVERIFY2(notices[0].startsWith(QStringLiteral("Not saved|")) &&
                 notices[0].contains(QStringLiteral("p1.bin: No space left on device")),
             qPrintable(notices[0]));
    QCOMPARE(ModulesCopy::read(p1), before);
    QQuickItem *scene = w.view()->rootObject();
    scene->setVisible(true); // as a connected mouse makes it
    QQuickItem *storeNotice = nullptr;
    for (QQuickItem *child : scene->childItems())
        if (child->property("message").toString().contains(QStringLiteral("No space left")))
            storeNotice = child;
    QVERIFY(storeNotice);
    QVERIFY(storeNotice->isVisible());

    QMetaObject::invokeMethod(w.view(), "setData", Q_ARG(QVariant, "mouse/scrollRate"),
                              Q_ARG(QVariant, 7));
    QTRY_VERIFY(ModulesCopy::read(p1).contains("scrollRate=7"));
    QVERIFY2(ModulesCopy::read(p1).contains("reportRate=1"), ModulesCopy::read(p1).constData());
    QCOMPARE(notices.size(), 1);
}

// A per-user copy made on a full disk has no stamp and no half file; the
// next start with room completes it and keeps what the user changed.
void TestFullDisk::aFirstStartOnAFullDiskIsCompletedLater()
{
    const QString shipped = QStringLiteral(TALON_BUILD_MODULES);
    for (long n = 1; n < 40; n += 3) {
        QTemporaryDir home;
        const QString user = home.filePath(QStringLiteral("modules"));
        {
            Full full(home.path(), n);
            userData::prepareCopy(shipped, user, QStringLiteral("zh_CN"));
        }
        QVERIFY(!QFile::exists(user + QStringLiteral("/.stamp")));
        for (const auto &[file, content] : snapshot(user).asKeyValueRange())
            QVERIFY2(!content.isEmpty() || ModulesCopy::read(shipped + '/' + file).isEmpty(),
                     qPrintable(file));
        const bool hadProfile = QFile::exists(user + QStringLiteral("/setting/p2.bin"));
        if (hadProfile)
            ModulesCopy::write(user + QStringLiteral("/setting/p2.bin"), "[mouse]\nmine=1\n");

        QVERIFY(userData::prepareCopy(shipped, user, QStringLiteral("zh_CN")) !=
                userData::Outcome::Current);
        for (const auto &[file, content] : snapshot(shipped).asKeyValueRange()) {
            // A run from the build tree may have left a stamp of its own there.
            if (file == QLatin1String("VERSION") || file == QLatin1String(".stamp") ||
                file == QLatin1String("setting/apConfig.bin") ||
                (hadProfile && file == QLatin1String("setting/p2.bin")))
                continue;
            QCOMPARE(ModulesCopy::read(user + '/' + file), content);
        }
        if (hadProfile)
            QCOMPARE(ModulesCopy::read(user + QStringLiteral("/setting/p2.bin")),
                     QByteArray("[mouse]\nmine=1\n"));
        QCOMPARE(AppConfigStore(user).getGlobalData("common/language").toString(),
                 QStringLiteral("ChineseSimplified"));
        QCOMPARE(userData::prepareCopy(shipped, user, QStringLiteral("zh_CN")),
                 userData::Outcome::Current);
    }
}

void TestFullDisk::aRealSmallFileSystem()
{
    if (geteuid() != 0)
        QSKIP("mounting a small file system needs root");
    QTemporaryDir dir;
    const QString small = dir.filePath(QStringLiteral("small"));
    QDir().mkpath(small);
    if (QProcess::execute("mount", {"-t", "tmpfs", "-o", "size=64k", "tmpfs", small}) != 0)
        QSKIP("no tmpfs here");
    const auto unmount = qScopeGuard([&] { QProcess::execute("umount", {small}); });

    // The first start does not fit: no stamp, no empty file.
    const QString user = small + QStringLiteral("/modules");
    userData::prepareCopy(QStringLiteral(TALON_BUILD_MODULES), user, QStringLiteral("C"));
    QVERIFY(!QFile::exists(user + QStringLiteral("/.stamp")));
    for (const auto &[file, content] : snapshot(user).asKeyValueRange())
        QVERIFY2(!content.isEmpty() || file == QLatin1String("macro/.keep"), qPrintable(file));

    // With room it is completed; then the disk is filled to the last byte.
    QCOMPARE(QProcess::execute("mount", {"-o", "remount,size=4m", small}), 0);
    userData::prepareCopy(QStringLiteral(TALON_BUILD_MODULES), user, QStringLiteral("C"));
    QVERIFY(QFile::exists(user + QStringLiteral("/.stamp")));
    QVERIFY(AppProfileStore(user).bind(QStringLiteral("old"), 2) ==
            AppProfileStore::Result::Stored);
    // Shrinking below what the copy holds fails: fill what is left instead.
    QFile filler(small + QStringLiteral("/filler"));
    QVERIFY(filler.open(QIODevice::WriteOnly));
    const QByteArray block(4096, 'x');
    while (filler.write(block) == block.size() && filler.flush())
        ;
    filler.close();
    const auto before = snapshot(user);

    QString err;
    QCOMPARE(runTalonctl({"app-profile", "add", "newcls", "5"}, user, 0, &err), 4);
    QVERIFY2(err.contains(QStringLiteral("No space left on device")), qPrintable(err));
    ProfileStore profiles(user);
    profiles.setData(QStringLiteral("mouse/reportRate"), 0);
    QVERIFY(!profiles.sync());
    QVERIFY(!NameListStore(user).updataNameList(0, {"a", "b", "c"}).toBool());
    QCOMPARE(snapshot(user), before);
    profiles.current()->discardChanges();
}

int main(int argc, char *argv[])
{
    // The shim must be there before the C library is bound: start again
    // with it preloaded.
    fullDisk = reinterpret_cast<FullDisk>(dlsym(RTLD_DEFAULT, "talonFullDisk"));
    if (!fullDisk) {
        setenv("LD_PRELOAD", TALON_FULLDISK_SHIM, 1);
        execv("/proc/self/exe", argv);
        return 1;
    }
    QApplication app(argc, argv);
    TestFullDisk test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_fulldisk.moc"
