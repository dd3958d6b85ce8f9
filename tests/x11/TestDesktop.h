// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

// Windows of given classes on the test's X server, and the root window's
// _NET_ACTIVE_WINDOW set as a window manager sets it.
#include <QByteArray>
#include <QList>
#include <cstdlib>
#include <xcb/xcb.h>

class TestDesktop
{
public:
    TestDesktop()
    {
        int screen = 0;
        c = xcb_connect(nullptr, &screen);
        xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(c));
        for (int i = 0; i < screen; ++i)
            xcb_screen_next(&it);
        root = it.data->root;
        activeAtom = atom("_NET_ACTIVE_WINDOW");
        supportedAtom = atom("_NET_SUPPORTED");
    }
    ~TestDesktop()
    {
        clearActive();
        xcb_delete_property(c, root, supportedAtom);
        xcb_disconnect(c);
    }

    bool ok() const { return !xcb_connection_has_error(c); }

    // WM_CLASS is "instance\0class\0".
    xcb_window_t window(const QByteArray &instance, const QByteArray &windowClass)
    {
        QByteArray value = instance + '\0' + windowClass + '\0';
        return windowWithClassProperty(value);
    }
    xcb_window_t windowWithClassProperty(const QByteArray &value)
    {
        const xcb_window_t w = xcb_generate_id(c);
        xcb_create_window(c, XCB_COPY_FROM_PARENT, w, root, 0, 0, 100, 100, 0,
                          XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT, 0, nullptr);
        if (!value.isNull())
            xcb_change_property(c, XCB_PROP_MODE_REPLACE, w, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 8,
                                uint32_t(value.size()), value.constData());
        xcb_map_window(c, w);
        xcb_flush(c);
        return w;
    }
    void destroy(xcb_window_t w)
    {
        xcb_destroy_window(c, w);
        xcb_flush(c);
    }

    void activate(xcb_window_t w)
    {
        xcb_change_property(c, XCB_PROP_MODE_REPLACE, root, activeAtom, XCB_ATOM_WINDOW, 32, 1, &w);
        xcb_flush(c);
    }
    void clearActive()
    {
        xcb_delete_property(c, root, activeAtom);
        xcb_flush(c);
    }
    void announceSupport(bool withActiveWindow)
    {
        const xcb_atom_t list[] = {atom("_NET_WM_NAME"), activeAtom};
        xcb_change_property(c, XCB_PROP_MODE_REPLACE, root, supportedAtom, XCB_ATOM_ATOM, 32,
                            withActiveWindow ? 2 : 1, list);
        xcb_flush(c);
    }

    xcb_atom_t atom(const char *name)
    {
        auto *reply =
            xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, uint16_t(strlen(name)), name), nullptr);
        const xcb_atom_t a = reply ? reply->atom : 0;
        std::free(reply);
        return a;
    }

private:
    xcb_connection_t *c = nullptr;
    xcb_window_t root = 0;
    xcb_atom_t activeAtom = 0;
    xcb_atom_t supportedAtom = 0;
};
