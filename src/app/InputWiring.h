// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

class Widget;

// Registers the host window's callbacks with the hook manager: key and button
// events go to QML (queued), copy-data warnings to a message box.
//
// Keys are taken only while a screen asks for them (the view's
// keyCaptureWanted) and the window is shown: the global capture is
// subscribed then and released afterwards. Where global capture is
// impossible (no X server, a Wayland session), the keys typed into the
// window itself take the same path instead.
void wireInputCallbacks(Widget *widget);
void wireInputCallbacks(Widget *widget, bool globalCapture);
// Undoes the wiring while the window is still whole: the window closes as it
// is destroyed, and nothing may reach its callbacks from then on.
void unwireInputCallbacks(Widget *widget);

// Whether the hook manager's backend can see the whole desktop here.
bool globalCaptureSupported();
