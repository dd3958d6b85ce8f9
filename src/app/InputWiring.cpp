// SPDX-License-Identifier: GPL-2.0-or-later
#include "InputWiring.h"

#include "Widget.h"
#include "input/CopyDataText.h"
#include "input/HookManager.h"
#include "view/myQQuickView.h"

#include <QEvent>
#include <QGuiApplication>
#include <QMessageBox>

namespace {

void onKeyboard(unsigned char code, bool down, void *context)
{
    if (context)
        static_cast<Widget *>(context)->view()->detectKeyboard(down, code);
}

void onMouse(unsigned char code, bool down, int x, int y, void *context)
{
    if (context)
        static_cast<Widget *>(context)->view()->detectMouse(down, code, unsigned(x), unsigned(y));
}

void onCopyData(const hooks::CopyData *data, void *context)
{
    if (!context || !data)
        return;
    if (const auto text = copyDataText(*data))
        QMessageBox::warning(nullptr, static_cast<Widget *>(context)->windowTitle(), *text);
}

// Follows whether a screen wants keys and whether the window is shown, and
// subscribes the capture for exactly that time.
class CaptureGate : public QObject
{
public:
    CaptureGate(Widget *widget, bool global) : QObject(widget), widget(widget), global(global)
    {
        setObjectName(QStringLiteral("captureGate"));
        widget->installEventFilter(this);
        widget->view()->setGlobalCapture(global);
        connect(widget->view(), &myQQuickView::keyCaptureWanted, this, [this](bool on) {
            wanted = on;
            update();
        });
        update();
    }

    ~CaptureGate() override
    {
        if (global && hooks::hooksInstalled())
            hooks::removeHooks();
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == widget && (event->type() == QEvent::Show || event->type() == QEvent::Hide))
            update();
        return false;
    }

private:
    void update()
    {
        const bool on = wanted && widget->isVisible();
        if (global && on != hooks::hooksInstalled()) {
            if (on) {
                // Keys pressed or released while unsubscribed were not seen.
                hooks::resetKeyState();
                hooks::installHooks();
            } else {
                hooks::removeHooks();
            }
        }
        if (!global && on != widget->view()->windowCaptureOn()) {
            hooks::resetKeyState();
            widget->view()->setWindowCapture(on);
        }
    }

    Widget *widget;
    bool global;
    bool wanted = false;
};

} // namespace

bool globalCaptureSupported()
{
    // A Wayland session's X server sees only the keys typed into X windows.
    if (!QGuiApplication::platformName().startsWith(QLatin1String("xcb")) ||
        qEnvironmentVariable("XDG_SESSION_TYPE") == QLatin1String("wayland") ||
        !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return false;
    const bool works = hooks::installHooks();
    hooks::removeHooks();
    return works;
}

void wireInputCallbacks(Widget *widget)
{
    wireInputCallbacks(widget, globalCaptureSupported());
}

void wireInputCallbacks(Widget *widget, bool globalCapture)
{
    hooks::setKeyboardCallback(&onKeyboard, widget);
    hooks::setMouseCallback(&onMouse, widget);
    hooks::setCopyDataCallback(&onCopyData, widget);
    new CaptureGate(widget, globalCapture);
}

void unwireInputCallbacks(Widget *widget)
{
    hooks::setKeyboardCallback(nullptr, nullptr);
    hooks::setMouseCallback(nullptr, nullptr);
    hooks::setCopyDataCallback(nullptr, nullptr);
    delete widget->findChild<QObject *>(QStringLiteral("captureGate"), Qt::FindDirectChildrenOnly);
}
