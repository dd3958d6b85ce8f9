// SPDX-License-Identifier: GPL-2.0-or-later
// The tray and the window as a user meets them on a real X server, driven
// with xdotool through the tray icon's own window: clicks that restore, the
// tray menu, "Start at login", what the user is told when the mouse is
// missing or may not be opened. Run twice: with a system tray (trayer) and
// without one (TALON_NO_TRAY=1), where the window is the only way in.
#include "ShellFixture.h"
#include "app/ApplicationId.h"
#include "app/Autostart.h"

#include <QApplication>
#include <QMenu>
#include <QProcess>
#include <QQmlContext>
#include <QRegularExpression>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

using fixture::bus;

namespace {

int run(const QString &program, const QStringList &args, QString *output = nullptr)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, args);
    if (!p.waitForFinished(10000))
        return -1;
    if (output)
        *output = QString::fromLocal8Bit(p.readAll());
    return p.exitCode();
}

// Where the tray icon's window sits on the screen: it lives inside the
// tray's window, so ask the X server rather than Qt.
QPoint trayIconPlace()
{
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (qstrcmp(w->metaObject()->className(), "QSystemTrayIconSys") != 0 || !w->isVisible())
            continue;
        QString info;
        run(QStringLiteral("xwininfo"), {"-tree", "-id", QString::number(w->winId())}, &info);
        if (QRegularExpression(QStringLiteral("Parent window id: \\S+ \\(the root window\\)"))
                .match(info)
                .hasMatch()) // not embedded yet
            continue;
        run(QStringLiteral("xwininfo"), {"-id", QString::number(w->winId())}, &info);
        if (!info.contains(QLatin1String("Map State: IsViewable")))
            continue;
        const auto x =
            QRegularExpression(QStringLiteral("Absolute upper-left X:\\s+(\\d+)")).match(info);
        const auto y =
            QRegularExpression(QStringLiteral("Absolute upper-left Y:\\s+(\\d+)")).match(info);
        if (x.hasMatch() && y.hasMatch())
            return QPoint(x.captured(1).toInt() + w->width() / 2,
                          y.captured(1).toInt() + w->height() / 2);
    }
    return QPoint(-1, -1);
}

// Where the icon rests: the tray lays its icons out again while one comes
// or goes, so a place counts once two readings a moment apart agree.
QPoint trayIconCentre()
{
    QPoint last = trayIconPlace();
    for (int i = 0; i < 30; ++i) {
        QTest::qWait(150);
        const QPoint now = trayIconPlace();
        if (now.x() >= 0 && now == last)
            return now;
        last = now;
    }
    return QPoint(-1, -1);
}

void clickAt(QPoint at, const QStringList &click = {"click", "1"})
{
    QVERIFY(at.x() >= 0);
    QCOMPARE(
        run(QStringLiteral("xdotool"),
            QStringList{"mousemove", QString::number(at.x()), QString::number(at.y())} + click),
        0);
}

QString screenshotPath(const QString &name)
{
    const QString dir = QCoreApplication::applicationDirPath() + QStringLiteral("/screenshots");
    QDir().mkpath(dir);
    return dir + QLatin1Char('/') + name;
}

QStringList menuTexts(const QMenu *menu)
{
    QStringList out;
    for (const QAction *a : menu->actions())
        if (a->isVisible())
            out << (a->isSeparator() ? QStringLiteral("--") : a->text());
    return out;
}

QAction *actionNamed(QMenu *menu, const QString &text)
{
    for (QAction *a : menu->actions())
        if (a->text() == text)
            return a;
    return nullptr;
}

QPoint centreOf(QMenu *menu, QAction *action)
{
    return menu->mapToGlobal(menu->actionGeometry(action).center());
}

QStringList noticesIn(const QStringList &calls)
{
    QStringList out;
    for (const QString &c : calls)
        if (c.startsWith(QLatin1String("showDeviceNotice")))
            out << c;
    return out;
}

struct CloseWatcher : QObject
{
    int count = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        count += event->type() == QEvent::Close;
        return false;
    }
};

} // namespace

class TestTray : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void aSingleClickOnTheIconRestoresOnlyWhileConnected();
    void theMenuShowsTheProfilesAndSwitches();
    void startAtLoginWritesAndRemovesTheEntry();
    void theIconComesFromTheIconTheme();
    void aMouseThatMayNotBeOpenedIsExplained();
    void noMouseIsToldOnce();

    void withoutATrayAStartWithoutAMouseKeepsTheWindow();
    void withoutATrayTheWindowSaysWhatIsWrong();
    void withoutATrayClosingQuits();

private:
    bool tray = false;
    QTemporaryDir config;
};

void TestTray::init()
{
    tray = Widget::trayAvailable();
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    const bool wantsTray = !QByteArray(QTest::currentTestFunction()).startsWith("withoutATray");
    if (wantsTray && !tray)
        QSKIP("runs with a system tray");
    if (!wantsTray && tray)
        QSKIP("runs without a system tray");
}

void TestTray::aSingleClickOnTheIconRestoresOnlyWhileConnected()
{
    Shell shell;
    Widget &w = shell.start();
    w.showNormal();
    w.checkDevice();
    QVERIFY(!w.isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(trayIconCentre().x() >= 0, 15000);
    clickAt(trayIconCentre());
    clickAt(trayIconCentre(), {"click", "--repeat", "2", "1"});
    QTest::qWait(300);
    QVERIFY(!w.isVisible()); // no device: the window stays where it is

    bus().plug(sim::MouseConfig{});
    w.checkDevice();
    QVERIFY(Widget::deviceConnected);
    clickAt(trayIconCentre());
    QTRY_VERIFY(w.isVisible());
    w.setVisible(false); // the scene's close button
    clickAt(trayIconCentre(), {"click", "--repeat", "2", "1"});
    QTRY_VERIFY(w.isVisible());
}

void TestTray::theMenuShowsTheProfilesAndSwitches()
{
    Shell shell;
    Widget &w = shell.start();
    w.view()->updataNameList(QVariant(2), {"Standard0", "Office1", "Games4"});
    w.view()->setGlobalData(QStringLiteral("mouse/profileNo"), 1);
    bus().plug(sim::MouseConfig{});
    w.checkDevice();
    w.setVisible(false);
    QTRY_VERIFY_WITH_TIMEOUT(trayIconCentre().x() >= 0, 15000);

    QMenu *menu = w.tray()->contextMenu();
    clickAt(trayIconCentre(), {"click", "3"});
    QTRY_VERIFY(menu->isVisible());
    QTest::qWait(200);
    QCOMPARE(menuTexts(menu), (QStringList{"Show", "--", "Standard", "Office", "Games", "--",
                                           "Start at login", "--", "Quit (&Q)"}));
    QVERIFY(actionNamed(menu, "Office")->isChecked());
    QVERIFY(!actionNamed(menu, "Standard")->isChecked());
    QRect shot = menu->geometry().adjusted(-24, -24, 24, 24);
    shot |= QRect(trayIconCentre() - QPoint(24, 24), QSize(48, 48));
    QVERIFY(QGuiApplication::primaryScreen()
                ->grabWindow(0, shot.x(), shot.y(), shot.width(), shot.height())
                .save(screenshotPath(QStringLiteral("tray-menu.png"))));

    // The row's stored digit names the profile, not its position; nothing
    // holds the switch, so it takes the path of a desktop shortcut.
    clickAt(centreOf(menu, actionNamed(menu, "Games")));
    QTRY_VERIFY(shell.calls().contains(QStringLiteral("changeProfile 4")));
    QTRY_VERIFY(!menu->isVisible());

    clickAt(trayIconCentre(), {"click", "3"});
    QTRY_VERIFY(menu->isVisible());
    QTest::qWait(200);
    clickAt(centreOf(menu, actionNamed(menu, "Show")));
    QTRY_VERIFY(w.isVisible());

    // Without a connected mouse neither the window nor a profile can be chosen.
    Widget::deviceConnected = false;
    clickAt(trayIconCentre(), {"click", "3"});
    QTRY_VERIFY(menu->isVisible());
    QVERIFY(!actionNamed(menu, "Show")->isEnabled());
    QVERIFY(!actionNamed(menu, "Office")->isEnabled());
    QVERIFY(actionNamed(menu, "Quit (&Q)")->isEnabled());
    menu->hide();
}

void TestTray::startAtLoginWritesAndRemovesTheEntry()
{
    Shell shell;
    Widget &w = shell.start();
    QTRY_VERIFY_WITH_TIMEOUT(trayIconCentre().x() >= 0, 15000);
    QMenu *menu = w.tray()->contextMenu();
    const QString entry = config.path() + QStringLiteral("/autostart/kestrel-talon.desktop");
    QCOMPARE(autostart::entryPath(), entry);

    clickAt(trayIconCentre(), {"click", "3"});
    QTRY_VERIFY(menu->isVisible());
    QTest::qWait(200);
    QAction *toggle = actionNamed(menu, "Start at login");
    QVERIFY(!toggle->isChecked());
    clickAt(centreOf(menu, toggle));
    QTRY_VERIFY(QFile::exists(entry));
    QFile file(entry);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().contains("\nExec=" + QCoreApplication::applicationFilePath().toUtf8() +
                                    " --hidden\n"));
    QString report;
    QCOMPARE(run(QStringLiteral("desktop-file-validate"), {entry}, &report), 0);
    QCOMPARE(report.trimmed(), QString());

    clickAt(trayIconCentre(), {"click", "3"});
    QTRY_VERIFY(menu->isVisible());
    QTest::qWait(200);
    QVERIFY(toggle->isChecked());
    clickAt(centreOf(menu, toggle));
    QTRY_VERIFY(!QFile::exists(entry));

    // A path with spaces and quotes is one quoted argument.
    file.close();
    QVERIFY(autostart::setEnabled(true, QStringLiteral("/opt/my \"talon\"/kestrel-talon")));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(
        file.readAll().contains("\nExec=\"/opt/my \\\\\"talon\\\\\"/kestrel-talon\" --hidden\n"));
    QCOMPARE(run(QStringLiteral("desktop-file-validate"), {entry}, &report), 0);

    // An earlier version's entry is brought up to date (start-hidden.sh) only
    // for its own executable: another program's stays as it is.
    file.close();
    const QByteArray other = "[Desktop Entry]\nType=Application\nName=Kestrel Talon\n"
                             "Exec=/opt/talon/kestrel-talon\nIcon=kestrel-talon\n";
    QVERIFY(QFile::remove(entry));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(other);
    file.close();
    QVERIFY(autostart::refresh(QStringLiteral("/usr/bin/kestrel-talon")));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), other);
    QVERIFY(autostart::setEnabled(false, QString()));
    QVERIFY(!autostart::enabled());
}

void TestTray::theIconComesFromTheIconTheme()
{
    QTemporaryDir themes;
    const QString apps = themes.path() + QStringLiteral("/hicolor/48x48/apps");
    QDir().mkpath(apps);
    QFile index(themes.path() + QStringLiteral("/hicolor/index.theme"));
    QVERIFY(index.open(QIODevice::WriteOnly));
    index.write(
        "[Icon "
        "Theme]\nName=Hicolor\nDirectories=48x48/apps\n\n[48x48/apps]\nSize=48\nType=Fixed\n");
    index.close();
    QImage picture(48, 48, QImage::Format_ARGB32);
    picture.fill(Qt::red);
    QVERIFY(picture.save(apps + QLatin1Char('/') + QLatin1String(kApplicationId) +
                         QStringLiteral(".png")));

    const QStringList before = QIcon::themeSearchPaths();
    {
        Shell shell;
        QVERIFY(shell.start().tray()->icon().name().isEmpty()); // the shipped picture
        QVERIFY(!shell.widget->tray()->icon().isNull());
    }
    QIcon::setThemeSearchPaths({themes.path()});
    QIcon::setThemeName(QStringLiteral("hicolor"));
    {
        Shell shell;
        const QIcon icon = shell.start().tray()->icon();
        QCOMPARE(icon.name(), QLatin1String(kApplicationId));
        QCOMPARE(icon.pixmap(48).toImage().pixelColor(24, 24), QColor(Qt::red));
    }
    QIcon::setThemeSearchPaths(before);
}

void TestTray::aMouseThatMayNotBeOpenedIsExplained()
{
    Shell shell;
    const int device = bus().plug(sim::MouseConfig{});
    bus().faults(device).denyAccess = true;
    Widget &w = shell.start();
    fixture::MessageLog log;
    w.showNormal();
    w.checkDevice();
    QVERIFY(!Widget::deviceConnected);
    QVERIFY(!w.isVisible()); // with a tray, as without any mouse
    QCOMPARE(log.lines.filter(QStringLiteral("notice:")).size(), 1);
    const QString notice = log.lines.filter(QStringLiteral("notice:")).first();
    QVERIFY(notice.startsWith(
        QLatin1String("notice: Mouse not accessible | The mouse is plugged in, but this "
                      "user may not open it (permission denied).")));
    QVERIFY(notice.contains(
        QLatin1String("printf '%s\\n' 'KERNEL==\"hidraw*\", ATTRS{idVendor}==\"04d9\", "
                      "ATTRS{idProduct}==\"a1ee\", "
                      "TAG+=\"uaccess\"' | sudo tee /etc/udev/rules.d/70-kestrel-talon.rules\n")));
    QVERIFY(
        notice.endsWith(QLatin1String("\nsudo udevadm control --reload && sudo udevadm trigger")));
    QTRY_COMPARE(noticesIn(shell.calls()).size(), 1);
    QVERIFY(noticesIn(shell.calls())
                .first()
                .startsWith(QLatin1String("showDeviceNotice denied | The mouse")));

    // The same again: the scene keeps saying it, the tray does not repeat itself.
    w.checkDevice();
    QCOMPARE(log.lines.filter(QStringLiteral("notice:")).size(), 1);

    // The rule is installed: the next check connects and the scene is told.
    bus().faults(device).denyAccess = false;
    w.checkDevice();
    QVERIFY(Widget::deviceConnected);
    QTRY_COMPARE(noticesIn(shell.calls()).last(), QStringLiteral("showDeviceNotice "));
}

void TestTray::noMouseIsToldOnce()
{
    Shell shell;
    Widget &w = shell.start();
    fixture::MessageLog log;
    w.checkDevice();
    w.checkDevice();
    QCOMPARE(
        log.lines.filter(QStringLiteral("notice:")),
        QStringList{
            "notice: Info | No Kestrel Talon mouse was found. Plug it in: the program connects by "
            "itself."});
    QTRY_COMPARE(noticesIn(shell.calls()).size(), 2);
    QVERIFY(noticesIn(shell.calls())
                .first()
                .startsWith(QLatin1String("showDeviceNotice noMouse | No Kestrel")));

    // A mouse that is present but does not answer is not "no mouse".
    const int device = bus().plug(sim::MouseConfig{});
    bus().faults(device).silent = true;
    w.checkDevice();
    QTRY_COMPARE(noticesIn(shell.calls()).last(), QStringLiteral("showDeviceNotice "));
    QCOMPARE(log.lines.filter(QStringLiteral("notice:")).size(), 1);
}

void TestTray::withoutATrayAStartWithoutAMouseKeepsTheWindow()
{
    Shell shell;
    Widget &w = shell.start();
    w.showNormal();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.checkDevice();
    QVERIFY(!Widget::deviceConnected);
    QVERIFY(w.isVisible());
    QTRY_COMPARE(noticesIn(shell.calls()).size(), 1);
    QVERIFY(noticesIn(shell.calls()).first().startsWith(QLatin1String("showDeviceNotice noMouse")));

    // Still there after a mouse came and went.
    const int device = bus().plug(sim::MouseConfig{});
    w.checkDevice();
    bus().unplug(device);
    QTRY_VERIFY(!w.deviceLink().isListening);
    w.checkDevice();
    QVERIFY(w.isVisible());
}

// The real scene: its notice, looked at in the screenshots.
void TestTray::withoutATrayTheWindowSaysWhatIsWrong()
{
    Shell shell(Ui_Controler::defaultScene());
    Widget &w = shell.start();
    w.move(40, 40);
    w.showNormal();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.checkDevice();
    QQuickItem *root = w.view()->rootObject();
    QObject *notice = root->findChild<QObject *>(QString(), Qt::FindChildrenRecursively);
    for (QQuickItem *child : root->childItems())
        if (child->property("kind").isValid() && child->property("copied").isValid())
            notice = child;
    QVERIFY(notice);
    QTRY_COMPARE(notice->property("kind").toString(), QStringLiteral("noMouse"));
    QVERIFY(root->isVisible());
    QTest::qWait(300);
    QVERIFY(w.grab().save(screenshotPath(QStringLiteral("no-mouse.png"))));

    const int device = bus().plug(sim::MouseConfig{});
    bus().faults(device).denyAccess = true;
    w.checkDevice();
    QTRY_COMPARE(notice->property("kind").toString(), QStringLiteral("denied"));
    QTest::qWait(300);
    QVERIFY(w.grab().save(screenshotPath(QStringLiteral("permission-notice.png"))));

    bus().faults(device).denyAccess = false;
    w.checkDevice();
    QVERIFY(Widget::deviceConnected);
    QTRY_COMPARE(notice->property("kind").toString(), QString());
    QTRY_VERIFY(!notice->property("visible").toBool());
}

void TestTray::withoutATrayClosingQuits()
{
    Shell shell;
    bus().plug(sim::MouseConfig{});
    Widget &w = shell.start();
    w.showNormal();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.checkDevice();
    CloseWatcher closes;
    w.installEventFilter(&closes);
    auto *controller =
        w.view()->rootContext()->contextProperty(QStringLiteral("ui_Ctl")).value<QObject *>();
    QMetaObject::invokeMethod(controller, "onClose"); // the scene's close button
    QVERIFY(!w.isVisible());
    // A close of the last window: the event loop ends with it.
    QCOMPARE(closes.count, 1);
    QVERIFY(qApp->quitOnLastWindowClosed());
}

QTEST_MAIN(TestTray)
#include "tst_tray.moc"
