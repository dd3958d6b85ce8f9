// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QMetaObject>
#include <QQuickItem>
#include <QVariant>

// Calls a function of the QML root item by name with variant arguments. A
// function the root item lacks makes the call fail silently.
template <typename... Args>
bool callQml(QObject *root, const char *function, Qt::ConnectionType type, const Args &...args)
{
    if (!root)
        return false;
    return QMetaObject::invokeMethod(root, function, type, Q_ARG(QVariant, QVariant(args))...);
}
