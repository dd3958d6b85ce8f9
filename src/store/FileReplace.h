// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>

// Whole-file replacement that never leaves the destination half-written or
// missing: the source is read first, the destination is written beside itself
// and renamed over the old file in one step.
namespace fileReplace {

// False (and the destination untouched) when the source cannot be read or the
// destination cannot be written.
bool copyOver(const QString &source, const QString &destination);

// False when the file names no readable file or cannot be written.
bool writeOver(const QString &destination, const QByteArray &content);

} // namespace fileReplace
