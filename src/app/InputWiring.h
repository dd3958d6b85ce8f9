#pragma once

class Widget;

// Registers the host window's callbacks with the hook manager: key and button
// events go to QML (queued), copy-data warnings to a message box.
void wireInputCallbacks(Widget *widget);
