// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "CaptureBackend.h"

#include <QObject>

class QSocketNotifier;
typedef struct _XDisplay Display;

// Global key and button capture on X11: XInput 2 raw events from the root
// window on a connection of our own, read on the GUI thread. Events are only
// observed, never grabbed.
class X11Capture : public QObject, public CaptureBackend
{
    Q_OBJECT

public:
    X11Capture() = default;
    ~X11Capture() override;

    bool install() override;
    void remove() override;

private:
    void readEvents();

    Display *display = nullptr;
    int xinputOpcode = 0;
    QSocketNotifier *notifier = nullptr;
};
