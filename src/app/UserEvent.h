// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QEvent>

// A posted event carrying one code; the host window runs QML `run` on
// kStartUI, after the queued `initUI` has run.
class UserEvent : public QEvent
{
public:
    static constexpr int kStartUI = 0x881;

    explicit UserEvent(int code) : QEvent(QEvent::User), eventCode(code) {}
    int code() const { return eventCode; }

private:
    int eventCode;
};
