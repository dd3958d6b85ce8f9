// SPDX-License-Identifier: GPL-2.0-or-later
#include "X11Capture.h"

#include "HookManager.h"
#include "KeyTranslation.h"
#include "LinuxKeyMap.h"

#include <QSocketNotifier>

#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>

namespace {

// X key codes are Linux input codes plus 8.
constexpr unsigned kXKeyCodeOffset = 8;

// X buttons 1, 2, 3 are left, middle, right.
struct ButtonRow
{
    int button;
    unsigned down;
    unsigned up;
};
constexpr ButtonRow kButtons[] = {
    {1, hooks::kLeftDown, hooks::kLeftUp},
    {2, hooks::kMiddleDown, hooks::kMiddleUp},
    {3, hooks::kRightDown, hooks::kRightUp},
};

} // namespace

X11Capture::~X11Capture()
{
    remove();
}

bool X11Capture::install()
{
    remove();
    display = XOpenDisplay(nullptr);
    if (!display)
        return false;
    int event = 0, error = 0;
    // From 2.2 on the server keeps sending raw events while another client
    // holds a grab (every button press on another window makes one); at 2.0
    // releases would be lost.
    int major = 2, minor = 2;
    if (!XQueryExtension(display, "XInputExtension", &xinputOpcode, &event, &error) ||
        XIQueryVersion(display, &major, &minor) != Success) {
        remove();
        return false;
    }

    unsigned char bits[XIMaskLen(XI_LASTEVENT)] = {};
    XISetMask(bits, XI_RawKeyPress);
    XISetMask(bits, XI_RawKeyRelease);
    XISetMask(bits, XI_RawButtonPress);
    XISetMask(bits, XI_RawButtonRelease);
    XIEventMask mask;
    mask.deviceid = XIAllMasterDevices;
    mask.mask_len = sizeof bits;
    mask.mask = bits;
    XISelectEvents(display, DefaultRootWindow(display), &mask, 1);
    XFlush(display);

    notifier = new QSocketNotifier(ConnectionNumber(display), QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, &X11Capture::readEvents);
    return true;
}

void X11Capture::remove()
{
    delete notifier;
    notifier = nullptr;
    if (display) {
        XCloseDisplay(display);
        display = nullptr;
    }
}

void X11Capture::readEvents()
{
    while (display && XPending(display)) {
        XEvent event;
        XNextEvent(display, &event);
        XGenericEventCookie *cookie = &event.xcookie;
        if (cookie->type != GenericEvent || cookie->extension != xinputOpcode ||
            !XGetEventData(display, cookie))
            continue;
        const auto *raw = static_cast<const XIRawEvent *>(cookie->data);
        switch (cookie->evtype) {
        case XI_RawKeyPress:
        case XI_RawKeyRelease: {
            const linuxKeys::ScanCode key =
                linuxKeys::toScanCode(unsigned(raw->detail) - kXKeyCodeOffset);
            if (key.valid())
                hooks::keyboardEvent(cookie->evtype == XI_RawKeyPress ? hooks::kKeyDown
                                                                      : hooks::kKeyUp,
                                     key.scan, key.extended ? keys::kExtendedFlag : 0);
            break;
        }
        case XI_RawButtonPress:
        case XI_RawButtonRelease:
            for (const ButtonRow &b : kButtons) {
                if (b.button != raw->detail)
                    continue;
                Window root = 0, child = 0;
                int x = 0, y = 0, wx = 0, wy = 0;
                unsigned state = 0;
                XQueryPointer(display, DefaultRootWindow(display), &root, &child, &x, &y, &wx, &wy,
                              &state);
                hooks::mouseEvent(cookie->evtype == XI_RawButtonPress ? b.down : b.up, x, y);
            }
            break;
        default:
            break;
        }
        XFreeEventData(display, cookie);
    }
}
