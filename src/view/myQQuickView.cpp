#include "myQQuickView.h"

#include "QmlCall.h"
#include "device/Hid_Thread.h"
#include "input/HookManager.h"

#include <QFileDialog>
#include <QFocusEvent>
#include <QLoggingCategory>
#include <QStandardPaths>

Q_LOGGING_CATEGORY(lcStartup, "talon.startup", QtWarningMsg)

myQQuickView::myQQuickView(QWidget *parent, Hid_Thread &link, const QString &modulesRoot)
    : QQuickWidget(parent), hid(&link), config(modulesRoot), profiles(modulesRoot),
      names(modulesRoot), macros(profiles, modulesRoot), guns(profiles, modulesRoot),
      languages(modulesRoot), board(link),
      family(DeviceFamily::create(link, board, readModelFlags(config))), buttons(*family, profiles),
      settings(*family), pointer(createPointerSettingsBackend()), appRules(modulesRoot)
{
    const ModelFlags &m = family->model();
    isColorful = m.isColorful;
    isGun = m.isGun;
    icType = m.icType;
    is55328 = m.is55328;
    is571 = m.is571;
}

myQQuickView::~myQQuickView() = default;

// Start-up diagnostics ("talon.startup"): when the first frame is drawn.
void myQQuickView::paintEvent(QPaintEvent *event)
{
    QQuickWidget::paintEvent(event);
    if (!firstFramePainted) {
        firstFramePainted = true;
        qCDebug(lcStartup, "first frame");
    }
}

// Repaint at once, then let QQuickWidget hand the focus on to the scene:
// without that no text field of the scene ever receives a key.
void myQQuickView::focusInEvent(QFocusEvent *event)
{
    repaint();
    QQuickWidget::focusInEvent(event);
}

// While the view takes no input, the scene's controls are insensitive too,
// so that their accessible actions do nothing either.
void myQQuickView::changeEvent(QEvent *event)
{
    QQuickWidget::changeEvent(event);
    if (event->type() == QEvent::EnabledChange && rootObject())
        rootObject()->setEnabled(isEnabled());
}

void myQQuickView::detectKeyboard(bool isDown, unsigned char usbCode)
{
    callQml(rootObject(), "detectKeyboard", Qt::QueuedConnection, isDown, int(usbCode));
}

void myQQuickView::detectMouse(bool isDown, unsigned char zarnCode, unsigned x, unsigned y)
{
    callQml(rootObject(), "detectMouse", Qt::QueuedConnection, isDown, unsigned(zarnCode), x, y);
}

void myQQuickView::clearHidBusy()
{
    hid->hidIdle = true;
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
    return hooks::hooksInstalled();
}
