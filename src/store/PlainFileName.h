// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>

// A name that the stores turn into a file name inside their own folder: not
// empty, not "." or "..", and without a path separator or a NUL.
inline bool isPlainFileName(const QString &name)
{
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..") &&
           !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\')) &&
           !name.contains(QChar(0));
}
