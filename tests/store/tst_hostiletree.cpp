// SPDX-License-Identifier: GPL-2.0-or-later
// A data tree someone has prepared: links out of it, files that are not
// files, and what killed writes and runs left behind. No store writes
// outside the tree, each refusal is told, and leftovers are swept.
#include "StoreFixture.h"
#include "store/AppConfigStore.h"
#include "store/AppProfileStore.h"
#include "store/GunDataStore.h"
#include "store/MacroLibrary.h"
#include "store/NameListStore.h"
#include "store/ProfileStore.h"
#include "store/StoreFile.h"

#include <QProcess>
#include <QTest>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

int talonctl(const QStringList &args, const QString &root, QString *err,
             const QString &tmp = QString())
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (!tmp.isEmpty())
        env.insert(QStringLiteral("TMPDIR"), tmp);
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(TALON_TALONCTL),
            args + QStringList{"--config", root + QStringLiteral("/setting/apConfig.bin")});
    p.waitForFinished(30000);
    *err = QString::fromUtf8(p.readAllStandardError());
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

struct Reports
{
    Reports()
    {
        storeFile::setFailureReporter([this](const QString &m) { messages << m; });
    }
    ~Reports() { storeFile::setFailureReporter({}); }
    QStringList messages;
};

} // namespace

class TestHostileTree : public QObject
{
    Q_OBJECT

private slots:
    void noWriteFollowsALinkOutOfTheTree();
    void whatIsNotAFileIsRefused();
    void rootKeepsAnotherUsersTreeTheirs();
    void leftoversAreSweptAndNoneAreMade();
};

void TestHostileTree::noWriteFollowsALinkOutOfTheTree()
{
    ModulesCopy m;
    QTemporaryDir elsewhere;
    const QString victim = elsewhere.filePath(QStringLiteral("victim"));
    const QByteArray precious = "[apps]\nsomeone=1\nprecious data\n";
    ModulesCopy::write(victim, precious);
    const auto linkTo = [&](const QString &relative) {
        QFile::remove(m.path(relative));
        QVERIFY(QFile::link(victim, m.path(relative)));
    };

    // The reported case: talonctl replaced the file the link led to.
    linkTo(QStringLiteral("setting/appProfile.bin"));
    QString err;
    QVERIFY(talonctl({"app-profile", "add", "newcls", "5"}, m.root(), &err) != 0);
    QVERIFY2(err.contains(QStringLiteral("symbolic link")), qPrintable(err));

    // Every store, through a link at the file and through a linked folder.
    ProfileStore profiles(m.root());
    MacroLibrary macros(profiles, m.root());
    QVERIFY(macros.createMacroIni(QStringLiteral("m"), 0).toBool());
    linkTo(QStringLiteral("setting/p1.bin"));
    linkTo(QStringLiteral("setting/name.bin"));
    linkTo(QStringLiteral("macro/m.bin"));
    Reports reports;
    profiles.setData(QStringLiteral("mouse/reportRate"), 0);
    QVERIFY(!profiles.sync());
    QVERIFY(!profiles.resetProfile(0));
    QVERIFY(!NameListStore(m.root()).updataNameList(0, {"a", "b"}).toBool());
    QVERIFY(!macros.saveMacroIni(QStringLiteral("m"), {"1,A"}, 1).toBool());
    QVERIFY(AppProfileStore(m.root()).bind(QStringLiteral("x"), 1) !=
            AppProfileStore::Result::Stored);
    QVERIFY(QDir(m.path(QStringLiteral("gun"))).removeRecursively());
    QVERIFY(QFile::link(elsewhere.path(), m.path(QStringLiteral("gun"))));
    ModulesCopy::write(elsewhere.filePath(QStringLiteral("gunData.bin")), precious);
    QVERIFY(!GunDataStore(profiles, m.root()).mouseSaveGundata("0", {"g", "L", 1, 2, 3, 4}));
    QVERIFY(!GunDataStore(profiles, m.root()).fileExists());

    QCOMPARE(ModulesCopy::read(victim), precious);
    QCOMPARE(ModulesCopy::read(elsewhere.filePath(QStringLiteral("gunData.bin"))), precious);
    QVERIFY(QFileInfo(m.path(QStringLiteral("setting/p1.bin"))).isSymLink());
    // One notice at least for each refused change, each naming the link.
    QVERIFY2(reports.messages.size() >= 5, qPrintable(reports.messages.join('|')));
    for (const QString &message : reports.messages)
        QVERIFY2(message.contains(QStringLiteral("symbolic link")), qPrintable(message));
    profiles.current()->discardChanges();
}

void TestHostileTree::whatIsNotAFileIsRefused()
{
    ModulesCopy m;
    QFile::remove(m.path(QStringLiteral("setting/p2.bin")));
    QCOMPARE(
        ::mkfifo(QFile::encodeName(m.path(QStringLiteral("setting/p2.bin"))).constData(), 0600), 0);
    QFile::remove(m.path(QStringLiteral("setting/p3.bin")));
    QVERIFY(QDir().mkpath(m.path(QStringLiteral("setting/p3.bin"))));
    ProfileStore profiles(m.root());
    for (int p : {1, 2}) {
        profiles.currentProfile = p;
        QVERIFY(!profiles.getData(QStringLiteral("mouse/dpiCount"), false).isValid());
        QVERIFY(profiles.current()->readError().contains(QStringLiteral("not a regular file")));
        profiles.setData(QStringLiteral("mouse/dpiCount"), 4);
        QVERIFY(!profiles.current()->sync());
        QVERIFY2(profiles.current()->error().contains(QStringLiteral("regular file")),
                 qPrintable(profiles.current()->error()));
        profiles.current()->discardChanges();
    }
    QVERIFY(QFileInfo(m.path(QStringLiteral("setting/p3.bin"))).isDir());
}

// root working in a tree another user owns: what it writes stays that
// user's, so it can neither be locked out nor handed a file of root's.
void TestHostileTree::rootKeepsAnotherUsersTreeTheirs()
{
    if (geteuid() != 0)
        QSKIP("needs root");
    ModulesCopy m;
    const uid_t user = 65534;
    QVERIFY(QProcess::execute("chown", {"-R", "65534:65534", QFileInfo(m.root()).path()}) == 0);
    QString err;
    QCOMPARE(talonctl({"app-profile", "add", "newcls", "5"}, m.root(), &err), 0);
    for (const char *file : {"setting/appProfile.bin", ".lock"}) {
        struct stat st;
        QCOMPARE(::stat(QFile::encodeName(m.path(QLatin1String(file))).constData(), &st), 0);
        QVERIFY2(st.st_uid == user, file);
    }
    ProfileStore profiles(m.root());
    profiles.setData(QStringLiteral("mouse/reportRate"), 2);
    QVERIFY(profiles.sync());
    struct stat st;
    QCOMPARE(::stat(QFile::encodeName(profiles.profilePath(0)).constData(), &st), 0);
    QCOMPARE(st.st_uid, user);
}

void TestHostileTree::leftoversAreSweptAndNoneAreMade()
{
    ModulesCopy m;
    QTemporaryDir tmp;
    const QDateTime old = QDateTime::currentDateTime().addSecs(-3600);
    for (const char *dir : {"talonctl-Ab3dE9", "talonctl-zz99zz"}) {
        QDir().mkpath(tmp.filePath(QLatin1String(dir) + QStringLiteral("/setting")));
        const struct timespec times[2] = {{old.toSecsSinceEpoch(), 0}, {old.toSecsSinceEpoch(), 0}};
        QCOMPARE(::utimensat(AT_FDCWD,
                             QFile::encodeName(tmp.filePath(QLatin1String(dir))).constData(), times,
                             0),
                 0);
    }
    QDir().mkpath(tmp.filePath(QStringLiteral("talonctl-Fresh1")));  // another run's, now
    QDir().mkpath(tmp.filePath(QStringLiteral("talonctl-notmine"))); // not the pattern
    const QStringList leftovers = {"setting/appProfile.bin.Ab3dE9", "setting/p1.bin.x1Y2z3",
                                   "macro/m.bin.QWERTY", ".stamp.a1b2c3"};
    for (const QString &f : leftovers)
        ModulesCopy::write(m.path(f), "half");
    ModulesCopy::write(m.path(QStringLiteral("macro/keep.bin")), "[config]\ntotal=0\n");

    QString err;
    QCOMPARE(talonctl({"app-profile", "list"}, m.root(), &err, tmp.path()), 0);
    for (const QString &f : leftovers)
        QVERIFY2(!QFile::exists(m.path(f)), qPrintable(f));
    QVERIFY(QFile::exists(m.path(QStringLiteral("macro/keep.bin"))));
    QCOMPARE(QDir(tmp.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot),
             QStringList({"talonctl-Fresh1", "talonctl-notmine"}));
}

QTEST_GUILESS_MAIN(TestHostileTree)
#include "tst_hostiletree.moc"
