// SPDX-License-Identifier: GPL-2.0-or-later
#include "myQQuickView.h"

#include "QmlCall.h"
#include "WorkingSet.h"
#include "device/Hid_Thread.h"
#include "input/HookManager.h"
#include "input/KeyTranslation.h"
#include "input/LinuxKeyMap.h"
#include "store/StoreFile.h"

#include <QFileDialog>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLoggingCategory>
#include <QMouseEvent>
#include <QPixmapCache>
#include <QQmlEngine>
#include <QQuickWindow>
#include <QStandardPaths>
#include <QTimer>
#include <malloc.h>

Q_LOGGING_CATEGORY(lcStartup, "talon.startup", QtWarningMsg)
Q_LOGGING_CATEGORY(lcView, "talon.view", QtWarningMsg)

myQQuickView::myQQuickView(QWidget *parent, Hid_Thread &link, const QString &modulesRoot)
    : QQuickWidget(parent), hid(&link), config(modulesRoot), profiles(modulesRoot),
      names(modulesRoot), macros(profiles, modulesRoot), guns(profiles, modulesRoot),
      languages(modulesRoot), board(link),
      family(DeviceFamily::create(link, board, readModelFlags(config))), buttons(*family, profiles),
      settings(*family), pointer(createPointerSettingsBackend()), appRules(modulesRoot)
{
    // The scene graph (render nodes, textures) goes with the window when it
    // hides to the tray and is built again when it shows.
    quickWindow()->setPersistentSceneGraph(false);
    quickWindow()->setPersistentGraphics(false);
    storeFile::setFailureReporter(
        [this](const QString &message) { emit storeWriteFailed(message); });

    const ModelFlags &m = family->model();
    isColorful = m.isColorful;
    isGun = m.isGun;
    icType = m.icType;
    is55328 = m.is55328;
    is571 = m.is571;

    connect(hid, &Hid_Thread::busyChanged, this, &myQQuickView::applySceneEnabled);
    connect(this, &QQuickWidget::statusChanged, this, &myQQuickView::applySceneEnabled);
}

myQQuickView::~myQQuickView()
{
    storeFile::setFailureReporter({});
}

// Start-up diagnostics ("talon.startup"): when the first frame is drawn.
void myQQuickView::paintEvent(QPaintEvent *event)
{
    QQuickWidget::paintEvent(event);
    if (!firstFramePainted) {
        firstFramePainted = true;
        qCDebug(lcStartup, "first frame");
    }
}

namespace {

// On X11 and Wayland a key event's native scan code is the XKB key code: the
// Linux input code plus 8.
constexpr quint32 kXkbKeyCodeOffset = 8;

unsigned buttonMessage(Qt::MouseButton button, bool down)
{
    switch (button) {
    case Qt::LeftButton:
        return down ? hooks::kLeftDown : hooks::kLeftUp;
    case Qt::RightButton:
        return down ? hooks::kRightDown : hooks::kRightUp;
    case Qt::MiddleButton:
        return down ? hooks::kMiddleDown : hooks::kMiddleUp;
    default:
        return 0;
    }
}

} // namespace

bool myQQuickView::event(QEvent *event)
{
    // Observed before the scene sees them (Tab included), never consumed.
    if (windowCapture) {
        switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease: {
            const auto *key = static_cast<QKeyEvent *>(event);
            if (key->nativeScanCode() > kXkbKeyCodeOffset) {
                const linuxKeys::ScanCode scan =
                    linuxKeys::toScanCode(key->nativeScanCode() - kXkbKeyCodeOffset);
                if (scan.valid())
                    hooks::keyboardEvent(event->type() == QEvent::KeyPress ? hooks::kKeyDown
                                                                           : hooks::kKeyUp,
                                         scan.scan, scan.extended ? keys::kExtendedFlag : 0);
            }
            break;
        }
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease: {
            const auto *mouse = static_cast<QMouseEvent *>(event);
            const QPoint at = mouse->globalPosition().toPoint();
            if (const unsigned message =
                    buttonMessage(mouse->button(), event->type() == QEvent::MouseButtonPress))
                hooks::mouseEvent(message, at.x(), at.y());
            break;
        }
        default:
            break;
        }
    }
    return QQuickWidget::event(event);
}

// Repaint at once, then let QQuickWidget hand the focus on to the scene:
// without that no text field of the scene ever receives a key.
void myQQuickView::focusInEvent(QFocusEvent *event)
{
    repaint();
    QQuickWidget::focusInEvent(event);
}

// While the view takes no input, and while the link waits in the middle of
// an exchange (its commands let events in), the scene's controls are
// insensitive too, so that their accessible actions do nothing either.
void myQQuickView::changeEvent(QEvent *event)
{
    QQuickWidget::changeEvent(event);
    if (event->type() == QEvent::EnabledChange)
        applySceneEnabled();
}

void myQQuickView::applySceneEnabled()
{
    if (QQuickItem *root = rootObject())
        root->setEnabled(isEnabled() && !hid->busy());
}

QString myQQuickView::profileSwitchHeldReason() const
{
    if (hid->busy())
        return QStringLiteral("the mouse is busy");
    const QQuickItem *root = rootObject();
    return root ? root->property("profileSwitchHoldReason").toString() : QString();
}

QVariantMap myQQuickView::getModelFlags()
{
    const ModelFlags &m = family->model();
    return {{QStringLiteral("isColorful"), m.isColorful},
            {QStringLiteral("isGun"), m.isGun},
            {QStringLiteral("is55328"), m.is55328},
            {QStringLiteral("is571"), m.is571},
            {QStringLiteral("icType"), m.icType}};
}

// Hidden to the tray, the program may stay for days: what only the drawn
// scene needs (its textures and render nodes, the pictures the scene lets go
// while it is off screen, cached pictures, the script heap's garbage) is
// given back, freed heap returns to the system, and the code and data pages
// of the drawing libraries leave the resident set until they are used again.
// The scene is drawn again when the window shows.
void myQQuickView::hideEvent(QHideEvent *event)
{
    QQuickWidget::hideEvent(event);
    QTimer::singleShot(0, this, [this] {
        if (!isVisible())
            releaseHiddenScene();
    });
}

void myQQuickView::showEvent(QShowEvent *event)
{
    if (QQuickItem *root = rootObject())
        root->setProperty("onScreen", true);
    QQuickWidget::showEvent(event);
}

void myQQuickView::releaseHiddenScene()
{
    if (QQuickItem *root = rootObject())
        root->setProperty("onScreen", false);
    quickWindow()->releaseResources();
    engine()->collectGarbage();
    engine()->trimComponentCache();
    QPixmapCache::clear();
    const std::size_t advised = workingSet::trim();
    // Last: the heap the steps above freed (the trim's own reading included).
    malloc_trim(0);
    qCDebug(lcView, "hidden scene released, %zu kB of file mappings advised", advised / 1024);
}

void myQQuickView::detectKeyboard(bool isDown, unsigned char usbCode)
{
    callQml(rootObject(), "detectKeyboard", Qt::QueuedConnection, isDown, int(usbCode));
}

void myQQuickView::detectMouse(bool isDown, unsigned char zarnCode, unsigned x, unsigned y)
{
    callQml(rootObject(), "detectMouse", Qt::QueuedConnection, isDown, unsigned(zarnCode), x, y);
}

void myQQuickView::showDeviceNotice(const QString &kind, const QString &text)
{
    callQml(rootObject(), "showDeviceNotice", Qt::QueuedConnection, kind, text);
}

void myQQuickView::clearHidBusy()
{
    hid->releaseToken();
}

void myQQuickView::initUI()
{
    qCDebug(lcStartup, "initUI");
    callQml(rootObject(), "initUI", Qt::QueuedConnection);
}

void myQQuickView::runUI()
{
    callQml(rootObject(), "run", Qt::QueuedConnection);
}

void myQQuickView::openUpdateExe() {}

void myQQuickView::setBusy(int busyTime)
{
    callQml(rootObject(), "setProtectUI", Qt::DirectConnection, busyTime);
}

void myQQuickView::setCurrentDPI(int dpiValue)
{
    callQml(rootObject(), "setCurrentDPI", Qt::DirectConnection, dpiValue);
}

void myQQuickView::setCurrentProfile(int profile)
{
    profiles.currentProfile = profile;
    emit currentProfileSet(profile);
}

void myQQuickView::mouseSetProfile(uint profileNo)
{
    board.mouseSetProfile(profileNo);
}

void myQQuickView::mouseReadProfile(uint profileNo)
{
    board.mouseReadProfile(profileNo);
}

QVariant myQQuickView::mouseReadCurrentProfile()
{
    return board.mouseReadCurrentProfile();
}

QString myQQuickView::pickFile(bool save, const QString &filter)
{
    const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    return save ? QFileDialog::getSaveFileName(this, tr("Save File"), desktop, filter)
                : QFileDialog::getOpenFileName(this, tr("Open File"), desktop, filter);
}

void myQQuickView::requestKeyCapture(QVariant requester, bool active)
{
    const bool wasWanted = !captureRequests.isEmpty();
    if (active)
        captureRequests.insert(requester.toString());
    else
        captureRequests.remove(requester.toString());
    if (wasWanted != !captureRequests.isEmpty())
        emit keyCaptureWanted(!captureRequests.isEmpty());
    updateSwitchHeld();
}

bool myQQuickView::globalCaptureAvailable()
{
    return globalCapture;
}
