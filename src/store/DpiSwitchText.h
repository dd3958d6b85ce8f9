// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// The eight tray notices shown when the mouse switches DPI stage, one per
// stage. Written by the GUI thread when a language loads, read by the device
// listener on its own thread, hence guarded.
namespace dpiSwitchText {

constexpr int kStageCount = 8;

// Stage index 0 .. 7.
QString text(int index);
// Replaces the first texts with the given ones; stages beyond the list keep
// their previous text.
void replace(const QStringList &texts);
// Back to "DPI Switch to" for every stage.
void reset();

} // namespace dpiSwitchText
