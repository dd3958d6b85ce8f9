// SPDX-License-Identifier: GPL-2.0-or-later
// The real scene: start-up sequence, input protection, the power-on logo then
// the frame, stage selection, hook events, window dragging. Screenshots of
// both start-up phases are written beside the test for a look.
#include "ShellFixture.h"
#include "app/InputWiring.h"
#include "input/HookManager.h"
#include "input/X11Capture.h"

#include <QDesktopServices>
#include <QProcess>
#include <QQmlContext>
#include <QQuickWidget>
#include <QSignalSpy>
#include <QTest>

using fixture::bus;

class TestScene : public QObject
{
    Q_OBJECT

private slots:
    void startUpShowsTheLogoThenTheFrame();
    void laterStartsOnlyRefreshTheStage();
    void stageSelection();
    void hookEventsBecomeSignals();
    void capturedKeysAndClicksReachTheScene();
    void protectionBlocksInputForItsInterval();
    void draggingMovesTheWindow();
    void typedKeysReachATextField();
    void theHelpEntryOpensOnlyWebPages();
};

namespace {

// An item of the scene by its id.
QQuickItem *child(QQuickItem *root, const char *id)
{
    QQmlContext *context = qmlContext(root);
    for (QQuickItem *item : root->findChildren<QQuickItem *>())
        if (context && context->nameForObject(item) == QLatin1String(id))
            return item;
    return nullptr;
}

QString screenshotPath(const char *name)
{
    return QStringLiteral("%1/%2.png")
        .arg(QCoreApplication::applicationDirPath(), QLatin1String(name));
}

} // namespace

void TestScene::startUpShowsTheLogoThenTheFrame()
{
    Shell shell(Ui_Controler::defaultScene());
    const int device = bus().plug(sim::MouseConfig{});
    bus().state(device).currentStage = 2;
    Widget &w = shell.start();
    QQuickItem *root = w.view()->rootObject();
    QVERIFY(root);
    QVERIFY(!root->isVisible());
    QCOMPARE(root->width(), 1024.0);
    QCOMPARE(root->height(), 640.0);

    w.showNormal();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.checkDevice();
    QTRY_VERIFY(root->property("isPownOn").toBool());
    QVERIFY(root->isVisible());
    QVERIFY(!w.view()->isEnabled()); // protected for a second
    QCOMPARE(root->property("currentDPI").toInt(), 1);
    QCOMPARE(root->property("language").toString(), QStringLiteral("English"));
    QCOMPARE(root->property("icType").toString(), QStringLiteral("553"));
    QQuickItem *logo = child(root, "powerOnLogo");
    QQuickItem *frame = child(root, "envItem");
    QVERIFY(logo && frame);
    QVERIFY(logo->isVisible());
    QVERIFY(!frame->isVisible());
    QTest::qWait(300);
    w.grab().save(screenshotPath("startup-logo"));

    QTRY_VERIFY_WITH_TIMEOUT(w.view()->isEnabled(), 3000);
    QVERIFY(!logo->isVisible());
    QVERIFY(frame->isVisible());
    QTest::qWait(200);
    const QImage shot = w.grab().toImage();
    shot.save(screenshotPath("startup-frame"));
    // The frame is drawn: the title bar is dark, its accent line orange.
    const QColor title = shot.pixelColor(500, 20);
    QVERIFY(title.lightness() < 90);
    const QColor accent = shot.pixelColor(512, 46);
    QVERIFY2(accent.red() > 150 && accent.blue() < 120, qPrintable(accent.name()));
}

void TestScene::laterStartsOnlyRefreshTheStage()
{
    Shell shell(Ui_Controler::defaultScene());
    const int device = bus().plug(sim::MouseConfig{});
    Widget &w = shell.start();
    w.checkDevice();
    QQuickItem *root = w.view()->rootObject();
    QTRY_VERIFY_WITH_TIMEOUT(w.view()->isEnabled() && root->property("isPownOn").toBool(), 3000);
    root->setProperty("language", QStringLiteral("changed"));
    bus().state(device).currentStage = 4;
    w.view()->initUI();
    QTRY_COMPARE(root->property("currentDPI").toInt(), 3);
    QCOMPARE(root->property("language").toString(), QStringLiteral("changed"));
    QVERIFY(!child(root, "powerOnLogo")->isVisible());

    bus().state(device).currentStage = 0;
    w.view()->initUI();
    QTRY_COMPARE(root->property("currentDPI").toInt(), -1);
}

void TestScene::stageSelection()
{
    Shell shell(Ui_Controler::defaultScene());
    Widget &w = shell.start();
    QQuickItem *root = w.view()->rootObject();
    w.view()->setCurrentDPI(3);
    QCOMPARE(root->property("currentDPI").toInt(), 2);
    w.view()->setCurrentDPI(0);
    QCOMPARE(root->property("currentDPI").toInt(), 2);
}

void TestScene::hookEventsBecomeSignals()
{
    Shell shell(Ui_Controler::defaultScene());
    Widget &w = shell.start();
    QQuickItem *root = w.view()->rootObject();
    QSignalSpy keys(root, SIGNAL(msg_KB(bool, int)));
    QSignalSpy buttons(root, SIGNAL(msg_MS(bool, int, int, int)));
    w.view()->detectKeyboard(true, 0x04);
    w.view()->detectMouse(false, 0xF1, 640, 400);
    QVERIFY(keys.isEmpty()); // queued: after the caller returns
    QTRY_COMPARE(keys.size(), 1);
    QCOMPARE(keys[0], (QVariantList{true, 4}));
    QTRY_COMPARE(buttons.size(), 1);
    QCOMPARE(buttons[0], (QVariantList{false, 0xF1, 640, 400}));
}

void TestScene::capturedKeysAndClicksReachTheScene()
{
    Shell shell(Ui_Controler::defaultScene());
    Widget &w = shell.start();
    hooks::setBackend(std::make_unique<X11Capture>());
    wireInputCallbacks(&w);
    w.move(200, 150); // away from the click below
    w.showNormal();
    w.view()->requestKeyCapture(QStringLiteral("macroRecord"), true); // as the macro editor does
    QVERIFY(hooks::hooksInstalled());
    QQuickItem *root = w.view()->rootObject();
    QSignalSpy keys(root, SIGNAL(msg_KB(bool, int)));
    QSignalSpy buttons(root, SIGNAL(msg_MS(bool, int, int, int)));

    QProcess::execute(QStringLiteral("xdotool"),
                      {"mousemove", "30", "40", "key", "z", "click", "3"});
    QTRY_COMPARE(keys.size(), 2);
    QCOMPARE(keys[0], (QVariantList{true, 0x1D}));
    QCOMPARE(keys[1], (QVariantList{false, 0x1D}));
    QTRY_COMPARE(buttons.size(), 2);
    QCOMPARE(buttons[0], (QVariantList{true, 0xF1, 30, 40}));

    hooks::removeHooks();
    hooks::setKeyboardCallback(nullptr, nullptr);
    hooks::setMouseCallback(nullptr, nullptr);
    hooks::setCopyDataCallback(nullptr, nullptr);
}

void TestScene::protectionBlocksInputForItsInterval()
{
    Shell shell(Ui_Controler::defaultScene());
    Widget &w = shell.start();
    w.view()->setBusy(300);
    QVERIFY(!w.view()->isEnabled());
    // The scene's controls are insensitive too: their accessible actions,
    // which bypass the view, do nothing meanwhile.
    QVERIFY(!w.view()->rootObject()->isEnabled());
    QQuickItem *busy = child(w.view()->rootObject(), "protectUIItem");
    QVERIFY(busy && busy->property("isBusy").toBool());
    QTRY_VERIFY(w.view()->isEnabled());
    QVERIFY(w.view()->rootObject()->isEnabled());
    QVERIFY(!busy->property("isBusy").toBool());
    w.view()->setBusy(0);
    QVERIFY(!w.view()->isEnabled());
    QTRY_VERIFY(w.view()->isEnabled());
}

void TestScene::draggingMovesTheWindow()
{
    Shell shell(Ui_Controler::defaultScene());
    Widget &w = shell.start();
    w.move(100, 100);
    w.showNormal();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.view()->rootObject()->setVisible(true);
    const QPoint before = w.pos();
    QTest::mousePress(w.view(), Qt::LeftButton, {}, QPoint(300, 300));
    QTest::mouseMove(w.view(), QPoint(340, 310));
    QTest::mouseRelease(w.view(), Qt::LeftButton, {}, QPoint(340, 310));
    QTRY_COMPARE(w.pos(), before + QPoint(40, 10));
}

// Typing into a text field of the scene, also after another window had the
// focus (the scene loses its focus then): when the window gets the focus
// back, the view hands it on to the scene and the field takes keys again.
void TestScene::typedKeysReachATextField()
{
    Shell shell(QUrl::fromLocalFile(QStringLiteral(TALON_SOURCE_DIR "/tests/app/TextEntry.qml")));
    Widget &w = shell.start();
    w.move(0, 0);
    w.showNormal();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.activateWindow();
    QTRY_VERIFY(w.isActiveWindow());
    QQuickItem *root = w.view()->rootObject();
    const QPoint field = w.view()->mapToGlobal(QPoint(150, 115));
    QProcess::execute(QStringLiteral("xdotool"),
                      {"mousemove", QString::number(field.x()), QString::number(field.y()), "click",
                       "1", "type", "--delay", "20", "kes"});
    QTRY_COMPARE(root->property("typed").toString(), QStringLiteral("kes"));

    QWidget other;
    other.setGeometry(1100, 600, 100, 100);
    other.show();
    QVERIFY(QTest::qWaitForWindowExposed(&other));
    other.activateWindow();
    QTRY_VERIFY(other.isActiveWindow());
    w.activateWindow();
    QTRY_VERIFY(w.isActiveWindow());
    QProcess::execute(QStringLiteral("xdotool"), {"type", "--delay", "20", "trel"});
    QTRY_COMPARE(root->property("typed").toString(), QStringLiteral("kestrel"));
}

namespace {
class Opened : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl &url) { urls << url; }
};
} // namespace

// The first entry of the help menu opens "common/url": a web page, never a
// file, a program or another scheme the desktop would hand on.
void TestScene::theHelpEntryOpensOnlyWebPages()
{
    Shell shell(Ui_Controler::defaultScene());
    Widget &w = shell.start();
    QQuickItem *root = w.view()->rootObject();
    Opened opened;
    const QStringList schemes = {"http", "https", "file", "ftp", "javascript", "smb", "ssh"};
    for (const QString &scheme : schemes)
        QDesktopServices::setUrlHandler(scheme, &opened, "open");
    const QStringList web = {"https://kestrel-talon.example/help", "HTTP://example.org/a?b=c"};
    const QStringList refused = {"file:///etc/passwd", "/usr/bin/xterm", "javascript:alert(1)",
                                 "smb://host/share",   "ssh://host",     "https://two words",
                                 "ftp://example.org/x"};
    for (const QString &address : web + refused) {
        root->setProperty("url", address);
        QMetaObject::invokeMethod(root, "askMenuCmd", Q_ARG(QVariant, 0));
    }
    for (const QString &scheme : schemes)
        QDesktopServices::unsetUrlHandler(scheme);
    QCOMPARE(opened.urls, (QList<QUrl>{QUrl(web[0]), QUrl(web[1])}));
}

QTEST_MAIN(TestScene)
#include "tst_scene.moc"
