// SPDX-License-Identifier: GPL-2.0-or-later
// The mouse's two views and where each of its buttons lies on them. The
// pictures and the hotspot table come from the same shapes.
#pragma once

#include <QPainterPath>
#include <QRect>
#include <QString>

#include <array>

namespace art {

inline constexpr int kMouseButtons = 8;
inline constexpr int kMouseCanvasWidth = 440;
inline constexpr int kMouseCanvasHeight = 500;

struct MouseView
{
    QPainterPath body;
    // The visible part of each button (0 left, 1 right, 2 wheel, 3 forward,
    // 4 back, 5 DPI+, 6 DPI-, 7 fire), in canvas coordinates.
    std::array<QPainterPath, kMouseButtons> buttons;
};

const MouseView &mouseFrontView();
const MouseView &mouseSideView();

// The largest axis-aligned rectangle of whole canvas pixels that lies
// entirely on the shape.
QRect hotspot(const QPainterPath &shape);

// The QML library that tells the panels where the buttons lie.
QString mouseGeometryScript();

} // namespace art
