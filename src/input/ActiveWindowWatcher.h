// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QObject>
#include <QString>

class QSocketNotifier;
struct xcb_connection_t;

// Follows the window in front on X11: property changes of the root window's
// _NET_ACTIVE_WINDOW on a connection of our own, read on the GUI thread when
// the connection has something to read (no polling). Each new active window
// is reported with the class of its WM_CLASS.
//
// X errors (a window gone before we read it) come back as replies on this
// connection, so they cannot reach Xlib's process-wide error handler.
class ActiveWindowWatcher : public QObject
{
    Q_OBJECT

public:
    explicit ActiveWindowWatcher(QObject *parent = nullptr);
    ~ActiveWindowWatcher() override;

    // False without an X server. Reports the window in front at once.
    bool start();
    void stop();
    bool isRunning() const { return connection != nullptr; }

    // The window manager publishes the active window: the root window holds
    // _NET_ACTIVE_WINDOW or lists it in _NET_SUPPORTED.
    bool isSupported() const { return supported; }
    quint32 activeWindow() const { return active; }
    QString activeClass() const { return activeWindowClass; }

    // The class of a window's WM_CLASS (UTF-8 when it is valid UTF-8, else
    // Latin-1); empty when the window has none or is gone.
    QString windowClass(quint32 window) const;

signals:
    // window 0: no window is active.
    void activeWindowChanged(quint32 window, const QString &windowClass);
    void supportChanged(bool supported);

private:
    void readEvents();
    void readActiveWindow();
    bool readSupport() const;

    xcb_connection_t *connection = nullptr;
    QSocketNotifier *notifier = nullptr;
    quint32 root = 0;
    quint32 atomActive = 0;
    quint32 atomSupported = 0;
    quint32 active = 0;
    bool announced = false;
    QString activeWindowClass;
    bool supported = false;
};
