// SPDX-License-Identifier: GPL-2.0-or-later
#include "DpiSwitchText.h"

#include <QMutex>
#include <QMutexLocker>
#include <array>

namespace dpiSwitchText {

namespace {

QMutex lock;

std::array<QString, kStageCount> &texts()
{
    static std::array<QString, kStageCount> t = [] {
        std::array<QString, kStageCount> initial;
        initial.fill(QStringLiteral("DPI Switch to"));
        return initial;
    }();
    return t;
}

} // namespace

QString text(int index)
{
    QMutexLocker guard(&lock);
    return index >= 0 && index < kStageCount ? texts()[std::size_t(index)] : QString();
}

void replace(const QStringList &newTexts)
{
    QMutexLocker guard(&lock);
    for (int i = 0; i < kStageCount && i < newTexts.size(); ++i)
        texts()[std::size_t(i)] = newTexts[i];
}

void reset()
{
    QMutexLocker guard(&lock);
    texts().fill(QStringLiteral("DPI Switch to"));
}

} // namespace dpiSwitchText
