// SPDX-License-Identifier: GPL-2.0-or-later
#include "ActiveWindowWatcher.h"

#include <QByteArray>
#include <QLoggingCategory>
#include <QSocketNotifier>
#include <QStringDecoder>

#include <cstdlib>
#include <xcb/xcb.h>

Q_LOGGING_CATEGORY(lcActiveWindow, "talon.input")

namespace {

// WM_CLASS is two short names; anything longer is cut here.
constexpr uint32_t kClassWords = 256;
// _NET_SUPPORTED lists a few hundred atoms at most.
constexpr uint32_t kSupportedWords = 1024;

struct Reply
{
    xcb_get_property_reply_t *reply = nullptr;
    ~Reply() { std::free(reply); }
};

xcb_atom_t internAtom(xcb_connection_t *c, const char *name)
{
    xcb_intern_atom_reply_t *reply =
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, uint16_t(qstrlen(name)), name), nullptr);
    const xcb_atom_t atom = reply ? reply->atom : XCB_ATOM_NONE;
    std::free(reply);
    return atom;
}

// The property's value; null reply when the window is gone.
void getProperty(Reply &r, xcb_connection_t *c, xcb_window_t window, xcb_atom_t property,
                 uint32_t words)
{
    r.reply = xcb_get_property_reply(
        c, xcb_get_property(c, 0, window, property, XCB_GET_PROPERTY_TYPE_ANY, 0, words), nullptr);
}

QString decodeName(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(bytes);
    return utf8.hasError() ? QString::fromLatin1(bytes) : text;
}

} // namespace

ActiveWindowWatcher::ActiveWindowWatcher(QObject *parent) : QObject(parent) {}

ActiveWindowWatcher::~ActiveWindowWatcher()
{
    stop();
}

bool ActiveWindowWatcher::start()
{
    stop();
    int screenNumber = 0;
    connection = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(connection)) {
        xcb_disconnect(connection);
        connection = nullptr;
        return false;
    }
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int i = 0; i < screenNumber && it.rem; ++i)
        xcb_screen_next(&it);
    root = it.data->root;
    atomActive = internAtom(connection, "_NET_ACTIVE_WINDOW");
    atomSupported = internAtom(connection, "_NET_SUPPORTED");

    const uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_change_window_attributes(connection, root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(connection);

    notifier =
        new QSocketNotifier(xcb_get_file_descriptor(connection), QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, &ActiveWindowWatcher::readEvents);

    announced = false;
    supported = readSupport();
    readActiveWindow();
    // Replies read above may have queued events that the socket will not
    // announce again.
    readEvents();
    return true;
}

void ActiveWindowWatcher::stop()
{
    // stop() may run inside the notifier's own signal.
    if (notifier) {
        notifier->setEnabled(false);
        notifier->deleteLater();
        notifier = nullptr;
    }
    if (connection) {
        xcb_disconnect(connection);
        connection = nullptr;
    }
}

bool ActiveWindowWatcher::readSupport() const
{
    Reply active;
    getProperty(active, connection, root, atomActive, 1);
    if (active.reply && active.reply->type != XCB_ATOM_NONE)
        return true;
    Reply list;
    getProperty(list, connection, root, atomSupported, kSupportedWords);
    if (!list.reply || list.reply->format != 32)
        return false;
    const auto *atoms = static_cast<const xcb_atom_t *>(xcb_get_property_value(list.reply));
    const int count = xcb_get_property_value_length(list.reply) / 4;
    for (int i = 0; i < count; ++i)
        if (atoms[i] == atomActive)
            return true;
    return false;
}

QString ActiveWindowWatcher::windowClass(quint32 window) const
{
    if (!connection || window == 0)
        return {};
    Reply r;
    getProperty(r, connection, window, XCB_ATOM_WM_CLASS, kClassWords);
    if (!r.reply || r.reply->format != 8)
        return {};
    const QByteArray value(static_cast<const char *>(xcb_get_property_value(r.reply)),
                           xcb_get_property_value_length(r.reply));
    // "instance\0class\0"; a lone name serves as the class.
    const QList<QByteArray> parts = value.split('\0');
    const QByteArray name = parts.size() > 1 && !parts[1].isEmpty() ? parts[1] : parts.value(0);
    return decodeName(name);
}

void ActiveWindowWatcher::readActiveWindow()
{
    Reply r;
    getProperty(r, connection, root, atomActive, 1);
    quint32 window = 0;
    if (r.reply && r.reply->format == 32 && xcb_get_property_value_length(r.reply) >= 4)
        window = *static_cast<const uint32_t *>(xcb_get_property_value(r.reply));
    // Window managers set the property again for the same window.
    if (announced && window == active)
        return;
    announced = true;
    active = window;
    activeWindowClass = windowClass(window);
    qCDebug(lcActiveWindow, "active window 0x%x class \"%s\"", window,
            qPrintable(activeWindowClass));
    emit activeWindowChanged(active, activeWindowClass);
}

void ActiveWindowWatcher::readEvents()
{
    if (!connection)
        return;
    if (xcb_connection_has_error(connection)) {
        // The X server went away: nothing more will come.
        qCWarning(lcActiveWindow, "X connection lost");
        stop();
        if (supported) {
            supported = false;
            emit supportChanged(false);
        }
        return;
    }
    // Reading the new value fetches replies, which may queue further events:
    // go on until the queue is empty, as the socket will not announce them.
    for (;;) {
        bool any = false;
        bool activeChanged = false;
        bool supportListChanged = false;
        while (xcb_generic_event_t *event = xcb_poll_for_event(connection)) {
            any = true;
            if ((event->response_type & 0x7f) == XCB_PROPERTY_NOTIFY) {
                const auto *p = reinterpret_cast<const xcb_property_notify_event_t *>(event);
                activeChanged |= p->window == root && p->atom == atomActive;
                supportListChanged |= p->window == root && p->atom == atomSupported;
            }
            std::free(event);
        }
        if (!any)
            return;
        if (activeChanged || supportListChanged) {
            const bool now = readSupport();
            if (now != supported) {
                supported = now;
                emit supportChanged(supported);
            }
        }
        // Several changes read at once: the last one is what counts.
        if (activeChanged)
            readActiveWindow();
        if (!connection)
            return;
    }
}
