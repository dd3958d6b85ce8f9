// SPDX-License-Identifier: GPL-2.0-or-later
// The macro editor: its background, buttons, action icons and menu.
#include "Art.h"

#include <QLinearGradient>

namespace art {

namespace {

const QString kMacros = QStringLiteral("macros");

void recordDot(QPainter &p, const QColor &c)
{
    p.setPen(stroke(c, 1.4));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(12, 12), 6.5, 6.5);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xff, 0x4a, 0x3a));
    p.drawEllipse(QPointF(12, 12), 3.8, 3.8);
}

void plusGlyph(QPainter &p, const QColor &c)
{
    p.setPen(stroke(c, 2));
    p.drawLine(QPointF(12, 6.5), QPointF(12, 17.5));
    p.drawLine(QPointF(6.5, 12), QPointF(17.5, 12));
}

// A 96 x 28 editor button: background of the state, icon in the left 28 px.
std::function<void(QPainter &)> editorButton(Glyph glyph, Look look)
{
    return [glyph, look](QPainter &p) {
        wideButton(p, QRectF(0, 0, 96, 28), look);
        p.translate(3, look == Look::Pressed ? 3 : 2);
        glyph(p, look == Look::Normal ? kGray3 : Qt::white);
    };
}

// A small key or mouse with an arrow: pressed (down, orange) or released
// (up, grey).
void keyAction(QPainter &p, bool mouse, bool press)
{
    p.setPen(QPen(kGray3, 1.2));
    p.setBrush(Qt::NoBrush);
    if (mouse) {
        p.drawRoundedRect(QRectF(1.5, 3.5, 7, 10.5), 3.5, 3.5);
        p.drawLine(QPointF(5, 3.5), QPointF(5, 7));
    } else {
        p.drawRoundedRect(QRectF(1.5, 5.5, 9, 8.5), 1.8, 1.8);
    }
    const QColor c = press ? kOrange : QColor(0x8a, 0xc4, 0xff);
    p.setPen(stroke(c, 1.5));
    const qreal x = 13;
    p.drawLine(QPointF(x, 2.5), QPointF(x, 12));
    QPolygonF head;
    if (press)
        head << QPointF(x - 2.6, 9.5) << QPointF(x, 12.5) << QPointF(x + 2.6, 9.5);
    else
        head << QPointF(x - 2.6, 5) << QPointF(x, 2) << QPointF(x + 2.6, 5);
    p.drawPolyline(head);
}

void delay(QPainter &p)
{
    p.setPen(QPen(kGray3, 1.3));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(8, 8.5), 6, 6);
    p.setPen(stroke(kOrange, 1.4));
    p.drawLine(QPointF(8, 8.5), QPointF(8, 5));
    p.drawLine(QPointF(8, 8.5), QPointF(10.6, 10));
    p.setPen(stroke(kGray3, 1.3));
    p.drawLine(QPointF(6.5, 1.2), QPointF(9.5, 1.2));
}

void menuBackground(QPainter &p)
{
    // Stretched as nine patches with 8 px borders: the middle stays flat.
    const QRectF r(0.5, 0.5, 139, 159);
    p.setBrush(kPanel);
    p.setPen(QPen(kBorder, 1));
    p.drawRoundedRect(r, 4, 4);
    p.setPen(QPen(QColor(255, 255, 255, 18), 1));
    p.drawLine(QPointF(5, 1.5), QPointF(135, 1.5));
}

} // namespace

void addMacros(Pictures &out)
{
    auto add = [&out](const QString &file, QSize size, std::function<void(QPainter &)> paint) {
        out.push_back({kMacros, file, size, std::move(paint), {}});
    };
    const QSize wide(96, 28), small(16, 16);
    struct Button
    {
        const char *name;
        Glyph glyph;
    };
    const Button buttons[] = {{"MacroStartBtn", recordDot},
                              {"macroNewBtn", plusGlyph},
                              {"macroRecordBtn", recordDot},
                              {"macroSaveBtn", saveGlyph}};
    for (const Button &b : buttons) {
        const QString name = QLatin1String(b.name);
        add(name + QStringLiteral(".png"), wide, editorButton(b.glyph, Look::Normal));
        add(name + QStringLiteral("H.png"), wide, editorButton(b.glyph, Look::Hover));
        add(name + QStringLiteral("P.png"), wide, editorButton(b.glyph, Look::Pressed));
    }
    add(QStringLiteral("macroBg.png"), {720, 480},
        [](QPainter &p) { panelBackground(p, QRectF(0, 0, 720, 480), 40); });
    add(QStringLiteral("macroCheck0.png"), small, [](QPainter &p) { checkBox(p, false); });
    add(QStringLiteral("macroCheck1.png"), small, [](QPainter &p) { checkBox(p, true); });
    add(QStringLiteral("macroKeyDelay.png"), small, delay);
    add(QStringLiteral("macroKeyPress.png"), small, [](QPainter &p) { keyAction(p, false, true); });
    add(QStringLiteral("macroKeyRelease.png"), small,
        [](QPainter &p) { keyAction(p, false, false); });
    add(QStringLiteral("macroMousePress.png"), small,
        [](QPainter &p) { keyAction(p, true, true); });
    add(QStringLiteral("macroMouseRelease.png"), small,
        [](QPainter &p) { keyAction(p, true, false); });
    add(QStringLiteral("macroMenuBG.png"), {140, 160}, menuBackground);
}

} // namespace art
