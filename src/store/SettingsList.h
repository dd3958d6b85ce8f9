// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QVariant>

// A stored value as a list: only a real list counts. A plain value (which is
// how the settings class writes a one-element list) or an absent key gives an
// empty list, so that every store reads lists the same way.
inline QVariantList settingsList(const QVariant &value)
{
    const int type = value.metaType().id();
    if (type == QMetaType::QVariantList || type == QMetaType::QStringList)
        return value.toList();
    return {};
}
