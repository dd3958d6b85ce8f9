// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QVariantList>

// Values from QML as device bytes. A missing element or one that is not a
// number reads as 0, so malformed lists can never pull bytes from elsewhere.
namespace variantBytes {

inline int intAt(const QVariantList &list, int index)
{
    return index >= 0 && index < list.size() ? list[index].toInt() : 0;
}

inline unsigned char byteAt(const QVariantList &list, int index)
{
    return static_cast<unsigned char>(intAt(list, index) & 0xFF);
}

} // namespace variantBytes
