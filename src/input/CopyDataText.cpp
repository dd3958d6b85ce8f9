// SPDX-License-Identifier: GPL-2.0-or-later
#include "CopyDataText.h"

#include <cstring>

std::optional<QString> copyDataText(const hooks::CopyData &data)
{
    if (data.dwData != kWarningCopyDataId || !data.lpData)
        return std::nullopt;
    // The sender's buffer is zero-terminated after cbData bytes; never read
    // past what it declared plus that terminator.
    const char *bytes = static_cast<const char *>(data.lpData);
    const std::size_t length = strnlen(bytes, std::size_t(data.cbData) + 1);
    const QString text = QString::fromUtf8(bytes, int(length));
    if (text.toUtf8().size() != int(data.cbData))
        return std::nullopt;
    return text;
}
