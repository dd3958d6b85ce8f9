// SPDX-License-Identifier: GPL-2.0-or-later
// The shared controls: title-bar and tool buttons, check marks, sliders,
// scales, chips and the scroll bar.
#include "Art.h"

#include <QLinearGradient>
#include <QRadialGradient>

namespace art {

void closeGlyph(QPainter &p, const QColor &c)
{
    p.setPen(stroke(c, 1.8));
    p.drawLine(QPointF(7.5, 7.5), QPointF(16.5, 16.5));
    p.drawLine(QPointF(16.5, 7.5), QPointF(7.5, 16.5));
}

void saveGlyph(QPainter &p, const QColor &c)
{
    // A disc: body, shutter and label.
    QPainterPath body;
    body.moveTo(6, 6);
    body.lineTo(15.5, 6);
    body.lineTo(18, 8.5);
    body.lineTo(18, 18);
    body.lineTo(6, 18);
    body.closeSubpath();
    p.setPen(stroke(c, 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawPath(body);
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawRect(QRectF(8.5, 6, 6, 3.5));
    p.drawRoundedRect(QRectF(8.5, 12.5, 7, 4), 0.8, 0.8);
}

namespace {

const QString kIndex = QStringLiteral("index");

void minimiseGlyph(QPainter &p, const QColor &c)
{
    p.setPen(stroke(c, 1.8));
    p.drawLine(QPointF(7, 12.5), QPointF(17, 12.5));
}

void helpGlyph(QPainter &p, const QColor &c)
{
    p.setPen(stroke(c, 1.9));
    p.setBrush(Qt::NoBrush);
    QPainterPath q;
    q.moveTo(8.6, 9.2);
    q.cubicTo(8.6, 5.6, 15.6, 5.2, 15.6, 9.2);
    q.cubicTo(15.6, 11.6, 12, 11.8, 12, 14.4);
    p.drawPath(q);
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawEllipse(QPointF(12, 17.6), 1.25, 1.25);
}

void tickGlyph(QPainter &p, const QColor &c)
{
    p.setPen(stroke(c, 2));
    p.setBrush(Qt::NoBrush);
    QPolygonF t;
    t << QPointF(6.5, 12.5) << QPointF(10.5, 16.5) << QPointF(17.5, 8);
    p.drawPolyline(t);
}

void restoreGlyph(QPainter &p, const QColor &c)
{
    // A circular arrow turning back (anticlockwise).
    p.setPen(stroke(c, 1.8));
    p.setBrush(Qt::NoBrush);
    const QRectF ring(6, 6, 12, 12);
    p.drawArc(ring, 110 * 16, 290 * 16);
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    QPolygonF head;
    head << QPointF(4.2, 6.8) << QPointF(10.2, 5.2) << QPointF(8.2, 10.8);
    p.drawPolygon(head);
}

void backGlyph(QPainter &p, const QColor &c)
{
    p.setPen(stroke(c, 1.9));
    p.setBrush(Qt::NoBrush);
    p.drawLine(QPointF(7, 12), QPointF(17.5, 12));
    QPolygonF head;
    head << QPointF(11.5, 7.5) << QPointF(7, 12) << QPointF(11.5, 16.5);
    p.drawPolyline(head);
}

void configButton(QPainter &p)
{
    gear(p, QPointF(12, 12), 8.5, kGray3);
}

void radio16(QPainter &p, bool on)
{
    p.setBrush(QColor(0x14, 0x15, 0x19));
    p.setPen(QPen(on ? kOrange : QColor(0x6a, 0x6e, 0x77), 1.2));
    p.drawEllipse(QPointF(8, 8), 6.4, 6.4);
    if (on) {
        QRadialGradient g(QPointF(7.2, 7.2), 4);
        g.setColorAt(0, QColor(0xff, 0x9a, 0x4a));
        g.setColorAt(1, kOrangeDeep);
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        p.drawEllipse(QPointF(8, 8), 3.6, 3.6);
    }
}

// The run-mode choice: a rounded square with a filled inner square when
// chosen, set apart from the round radio buttons.
void runMode16(QPainter &p, bool chosen)
{
    p.setBrush(QColor(0x14, 0x15, 0x19));
    p.setPen(QPen(chosen ? kOrange : QColor(0x6a, 0x6e, 0x77), 1.2));
    p.drawRoundedRect(QRectF(1.6, 1.6, 12.8, 12.8), 3.5, 3.5);
    if (chosen) {
        p.setPen(Qt::NoPen);
        p.setBrush(kOrangeDeep);
        p.drawRoundedRect(QRectF(4.5, 4.5, 7, 7), 1.5, 1.5);
    }
}

void dropButton(QPainter &p, bool open)
{
    chevron(p, QRectF(0, 0, 16, 16), open, open ? kOrange : kGray3, 1.7);
}

void page16(QPainter &p, bool up)
{
    // A double chevron: scroll by a whole page.
    chevron(p, QRectF(0, up ? 1.5 : -1.5, 16, 16), up, kGray3, 1.5);
    chevron(p, QRectF(0, up ? 6 : -6, 16, 16), up, kGray3, 1.5);
}

void slideKnob(QPainter &p)
{
    QRadialGradient g(QPointF(7, 6.5), 7.5);
    g.setColorAt(0, QColor(0x4a, 0x4e, 0x57));
    g.setColorAt(1, QColor(0x1c, 0x1e, 0x23));
    p.setBrush(g);
    p.setPen(QPen(kOrange, 1.6));
    p.drawEllipse(QPointF(8, 8), 6.6, 6.6);
    p.setPen(Qt::NoPen);
    p.setBrush(kOrange);
    p.drawEllipse(QPointF(8, 8), 2, 2);
}

void keyChip(QPainter &p)
{
    const QRectF r(0.5, 0.5, 63, 23);
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, QColor(0x33, 0x37, 0x40));
    g.setColorAt(1, QColor(0x22, 0x25, 0x2b));
    p.setBrush(g);
    p.setPen(QPen(QColor(0x4d, 0x52, 0x5c), 1));
    p.drawRoundedRect(r, 4, 4);
    p.setPen(QPen(QColor(255, 255, 255, 30), 1));
    p.drawLine(QPointF(4, 1.5), QPointF(60, 1.5));
    p.setPen(QPen(kOrangeDeep, 1));
    p.drawLine(QPointF(6, 22.5), QPointF(58, 22.5));
}

void keyCap(QPainter &p)
{
    // A key seen from above: a darker skirt and a lighter dished top.
    const QRectF skirt(0.5, 0.5, 31, 31);
    p.setBrush(QColor(0x17, 0x19, 0x1d));
    p.setPen(QPen(QColor(0x4d, 0x52, 0x5c), 1));
    p.drawRoundedRect(skirt, 5, 5);
    const QRectF top(3.5, 2.5, 25, 24);
    QLinearGradient g(top.topLeft(), top.bottomLeft());
    g.setColorAt(0, QColor(0x3b, 0x40, 0x4a));
    g.setColorAt(1, QColor(0x2a, 0x2e, 0x36));
    p.setBrush(g);
    p.setPen(QPen(QColor(255, 255, 255, 26), 1));
    p.drawRoundedRect(top, 4, 4);
}

void scrollThumb(QPainter &p)
{
    QLinearGradient g(0, 0, 6, 0);
    g.setColorAt(0, QColor(0x8a, 0x8f, 0x99));
    g.setColorAt(1, QColor(0x5f, 0x63, 0x6c));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRoundedRect(QRectF(0.5, 0.5, 5, 39), 2.5, 2.5);
}

} // namespace

void addIndex(Pictures &out)
{
    auto add = [&out](const QString &file, QSize size, std::function<void(QPainter &)> paint) {
        out.push_back({kIndex, file, size, std::move(paint), {}});
    };
    const QSize tool(24, 24), small(16, 16);
    struct Button
    {
        const char *name;
        Glyph glyph;
        bool pressed;
    };
    const Button buttons[] = {
        {"minBtn", minimiseGlyph, false}, {"sureBtn", tickGlyph, false}, {"ask", helpGlyph, false},
        {"restBtn", restoreGlyph, true},  {"saveBtn", saveGlyph, true},  {"back", backGlyph, false},
    };
    for (const Button &b : buttons) {
        const QString name = QLatin1String(b.name);
        add(name + QStringLiteral(".png"), tool, iconButton(b.glyph, Look::Normal));
        add(name + QStringLiteral("H.png"), tool, iconButton(b.glyph, Look::Hover));
        if (b.pressed)
            add(name + QStringLiteral("P.png"), tool, iconButton(b.glyph, Look::Pressed));
    }
    // Close turns the warning orange under the mouse, as window managers do.
    add(QStringLiteral("closeBtn.png"), tool, iconButton(closeGlyph, Look::Normal));
    add(QStringLiteral("closeBtnH.png"), tool, [](QPainter &p) {
        p.setPen(Qt::NoPen);
        p.setBrush(kOrangeDeep);
        p.drawRoundedRect(QRectF(0, 0, 24, 24), 5, 5);
        closeGlyph(p, Qt::white);
    });
    add(QStringLiteral("configBtn.png"), tool, configButton);
    add(QStringLiteral("macroKeyBg.png"), {64, 24}, keyChip);
    add(QStringLiteral("singleKeyBg.png"), {32, 32}, keyCap);
    add(QStringLiteral("macroTypeCheck.png"), small, [](QPainter &p) { runMode16(p, true); });
    add(QStringLiteral("macroTypeCheck0.png"), small, [](QPainter &p) { runMode16(p, false); });
    add(QStringLiteral("dropBtn.png"), small, [](QPainter &p) { dropButton(p, false); });
    add(QStringLiteral("dropBtnU.png"), small, [](QPainter &p) { dropButton(p, true); });
    add(QStringLiteral("slide.png"), small, slideKnob);
    add(QStringLiteral("scale.png"), {200, 8},
        [](QPainter &p) { tickScale(p, QRectF(0, 0, 200, 8), 21, 5); });
    add(QStringLiteral("radioBtn.png"), small, [](QPainter &p) { radio16(p, false); });
    add(QStringLiteral("radioBtnS.png"), small, [](QPainter &p) { radio16(p, true); });
    add(QStringLiteral("checkBtn.png"), small, [](QPainter &p) { checkBox(p, true); });
    add(QStringLiteral("pageUp.png"), small, [](QPainter &p) { page16(p, true); });
    add(QStringLiteral("pageDown.png"), small, [](QPainter &p) { page16(p, false); });
    add(QStringLiteral("flickableBar.png"), {6, 40}, scrollThumb);
}

} // namespace art
