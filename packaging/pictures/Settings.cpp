// SPDX-License-Identifier: GPL-2.0-or-later
// The settings screens: sensitivity levels, profiles, lighting, DPI stages,
// report rate, pointer speed and scroll speed.
#include "Art.h"

#include <QLinearGradient>
#include <QRadialGradient>
#include <QtMath>

namespace art {

namespace {

void add(Pictures &out, const char *group, const QString &file, QSize size,
         std::function<void(QPainter &)> paint)
{
    out.push_back({QLatin1String(group), file, size, std::move(paint), {}});
}

QString numbered(const char *stem, int i)
{
    return QStringLiteral("%1%2.png").arg(QLatin1String(stem)).arg(i);
}

// A dark square tile for the level pictures.
void levelTile(QPainter &p, qreal size)
{
    const QRectF r(0.5, 0.5, size - 1, size - 1);
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, QColor(0x2a, 0x2d, 0x34));
    g.setColorAt(1, QColor(0x1a, 0x1c, 0x21));
    p.setBrush(g);
    p.setPen(QPen(kBorder, 1));
    p.drawRoundedRect(r, 5, 5);
}

// A row of `count` segments, the first `lit` orange.
void segments(QPainter &p, const QRectF &r, int count, int lit, bool vertical = false)
{
    const qreal gap = 1;
    const qreal len = ((vertical ? r.height() : r.width()) - gap * (count - 1)) / count;
    p.setPen(Qt::NoPen);
    for (int i = 0; i < count; ++i) {
        p.setBrush(i < lit ? kOrange : QColor(0x44, 0x47, 0x4e));
        if (vertical)
            p.drawRect(QRectF(r.left(), r.bottom() - (i + 1) * len - i * gap, r.width(), len));
        else
            p.drawRect(QRectF(r.left() + i * (len + gap), r.top(), len, r.height()));
    }
}

// A ring gauge: grey track over `sweep` degrees, orange for `fraction`.
void gauge(QPainter &p, const QPointF &c, qreal radius, qreal width, qreal sweep, qreal fraction)
{
    const QRectF box(c.x() - radius, c.y() - radius, 2 * radius, 2 * radius);
    const qreal start = 90 + sweep / 2; // gap at the bottom
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0x44, 0x47, 0x4e), width, Qt::SolidLine, Qt::FlatCap));
    p.drawArc(box, qRound(start * 16), qRound(-sweep * 16));
    if (fraction > 0) {
        p.setPen(QPen(kOrange, width, Qt::SolidLine, Qt::FlatCap));
        p.drawArc(box, qRound(start * 16), qRound(-sweep * fraction * 16));
    }
}

// ---- xySetting -----------------------------------------------------------

void xyLevel(QPainter &p, int level)
{
    levelTile(p, 32);
    // Faint axes behind the figure.
    p.setPen(QPen(QColor(255, 255, 255, 22), 1));
    p.drawLine(QPointF(16, 4), QPointF(16, 22));
    p.drawLine(QPointF(6, 13), QPointF(26, 13));
    text(p, QRectF(0, 3, 32, 20), QString::number(level), level == 10 ? 12 : 14, Qt::white);
    segments(p, QRectF(5, 25, 22, 3), 10, level);
}

void xyKnob(QPainter &p)
{
    QRadialGradient g(QPointF(7, 6.5), 7);
    g.setColorAt(0, QColor(0xff, 0x9a, 0x4a));
    g.setColorAt(1, kOrangeDeep);
    p.setBrush(g);
    p.setPen(QPen(Qt::white, 1.4));
    p.drawEllipse(QPointF(8, 8), 6.3, 6.3);
}

void xyBadge(QPainter &p)
{
    QPainterPath badge;
    badge.addRoundedRect(QRectF(0.5, 0.5, 23, 12), 3, 3);
    QPainterPath pointer;
    pointer.moveTo(9, 12);
    pointer.lineTo(12, 15.5);
    pointer.lineTo(15, 12);
    pointer.closeSubpath();
    const QPainterPath shape = badge.united(pointer);
    p.fillPath(shape, kOrangeDeep);
    p.setPen(QPen(kOrange, 1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(shape);
}

// ---- profile -------------------------------------------------------------

void startGlyph(QPainter &p, const QColor &c)
{
    p.setPen(stroke(c, 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(12, 12), 7.5, 7.5);
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    QPolygonF play;
    play << QPointF(10, 8.5) << QPointF(16, 12) << QPointF(10, 15.5);
    p.drawPolygon(play);
}

void copyGlyph(QPainter &p, const QColor &c)
{
    p.setPen(stroke(c, 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(6, 5, 9, 11), 1.5, 1.5);
    p.drawRoundedRect(QRectF(9.5, 8.5, 9, 11), 1.5, 1.5);
}

void deleteGlyph(QPainter &p, const QColor &c)
{
    p.setPen(stroke(c, 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawLine(QPointF(6, 7.5), QPointF(18, 7.5));
    p.drawLine(QPointF(10, 7.5), QPointF(10.5, 5.5));
    p.drawLine(QPointF(10.5, 5.5), QPointF(13.5, 5.5));
    p.drawLine(QPointF(13.5, 5.5), QPointF(14, 7.5));
    QPolygonF bin;
    bin << QPointF(7.5, 9.5) << QPointF(8.5, 18.5) << QPointF(15.5, 18.5) << QPointF(16.5, 9.5);
    p.drawPolyline(bin);
    p.drawLine(QPointF(10.5, 11.5), QPointF(10.8, 16));
    p.drawLine(QPointF(13.5, 11.5), QPointF(13.2, 16));
}

void editGlyph(QPainter &p, const QColor &c)
{
    p.save();
    p.translate(12, 12);
    p.rotate(45);
    p.setPen(stroke(c, 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(-2.5, -8, 5, 12));
    QPolygonF tip;
    tip << QPointF(-2.5, 4) << QPointF(0, 8) << QPointF(2.5, 4);
    p.drawPolyline(tip);
    p.drawLine(QPointF(-2.5, -5), QPointF(2.5, -5));
    p.restore();
}

void newGlyph(QPainter &p, const QColor &c)
{
    p.setPen(stroke(c, 2));
    p.drawLine(QPointF(12, 6), QPointF(12, 18));
    p.drawLine(QPointF(6, 12), QPointF(18, 12));
}

void settingGlyph(QPainter &p, const QColor &c)
{
    // Three sliders.
    p.setPen(stroke(c, 1.5));
    for (int i = 0; i < 3; ++i) {
        const qreal y = 7 + i * 5;
        p.drawLine(QPointF(5.5, y), QPointF(18.5, y));
    }
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    const qreal knobs[] = {9, 15, 11};
    for (int i = 0; i < 3; ++i)
        p.drawEllipse(QPointF(knobs[i], 7 + i * 5), 2.3, 2.3);
}

// ---- lightControl --------------------------------------------------------

QColor hueColor(qreal h)
{
    return QColor::fromHsvF(h - qFloor(h), 0.85, 1.0);
}

void effectStatic(QPainter &p)
{
    QRadialGradient g(QPointF(10.5, 10.5), 8);
    g.setColorAt(0, QColor(0xff, 0xb0, 0x70));
    g.setColorAt(1, kOrangeDeep);
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(QPointF(12, 12), 7, 7);
}

void effectBreath(QPainter &p)
{
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 122, 26, 90), 1.5));
    p.drawEllipse(QPointF(12, 12), 9.5, 9.5);
    p.setPen(QPen(QColor(255, 122, 26, 170), 1.5));
    p.drawEllipse(QPointF(12, 12), 6.5, 6.5);
    p.setPen(Qt::NoPen);
    p.setBrush(kOrange);
    p.drawEllipse(QPointF(12, 12), 3.5, 3.5);
}

void effectNeon(QPainter &p)
{
    QPainterPath wave;
    wave.moveTo(3, 12);
    for (int i = 0; i < 2; ++i) {
        const qreal x = 3 + i * 9;
        wave.cubicTo(x + 2.25, 4, x + 2.25, 4, x + 4.5, 12);
        wave.cubicTo(x + 6.75, 20, x + 6.75, 20, x + 9, 12);
    }
    QLinearGradient g(3, 0, 21, 0);
    g.setColorAt(0, QColor(0xff, 0x40, 0x40));
    g.setColorAt(0.35, QColor(0xff, 0xc0, 0x20));
    g.setColorAt(0.65, QColor(0x30, 0xe0, 0x90));
    g.setColorAt(1, QColor(0x40, 0x80, 0xff));
    p.setPen(QPen(QBrush(g), 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(wave);
}

void effectOff(QPainter &p)
{
    p.setBrush(Qt::NoBrush);
    p.setPen(stroke(kGray2, 1.6));
    p.drawEllipse(QPointF(12, 12), 7.5, 7.5);
    p.drawLine(QPointF(6.7, 17.3), QPointF(17.3, 6.7));
}

void effectCycle(QPainter &p)
{
    const QRectF ring(4.5, 4.5, 15, 15);
    for (int i = 0; i < 6; ++i) {
        p.setPen(QPen(hueColor(i / 6.0), 3, Qt::SolidLine, Qt::FlatCap));
        p.drawArc(ring, 90 * 16 - i * 60 * 16, -56 * 16);
    }
}

void toggle(QPainter &p, bool on)
{
    const QRectF track(1, 6, 22, 12);
    p.setPen(QPen(on ? kOrange : QColor(0x5a, 0x5d, 0x63), 1));
    p.setBrush(on ? kOrangeDeep : QColor(0x24, 0x26, 0x2b));
    p.drawRoundedRect(track, 6, 6);
    p.setPen(Qt::NoPen);
    p.setBrush(on ? Qt::white : kGray2);
    p.drawEllipse(QPointF(on ? 17 : 7, 12), 4, 4);
}

void speedGlyph(QPainter &p)
{
    p.setBrush(Qt::NoBrush);
    p.setPen(stroke(kGray3, 1.6));
    p.drawArc(QRectF(4, 6, 16, 16), 0, 180 * 16);
    p.drawLine(QPointF(4, 14), QPointF(5.5, 14));
    p.drawLine(QPointF(18.5, 14), QPointF(20, 14));
    p.setPen(stroke(kOrange, 1.8));
    p.drawLine(QPointF(12, 14), QPointF(16.5, 9));
    p.setPen(Qt::NoPen);
    p.setBrush(kGray3);
    p.drawEllipse(QPointF(12, 14), 1.8, 1.8);
}

void colourGlyph(QPainter &p)
{
    // A drop, filled with the hues.
    QPainterPath drop;
    drop.moveTo(12, 3.5);
    drop.cubicTo(12, 3.5, 5.5, 11, 5.5, 14.5);
    drop.cubicTo(5.5, 18.5, 8.5, 20.5, 12, 20.5);
    drop.cubicTo(15.5, 20.5, 18.5, 18.5, 18.5, 14.5);
    drop.cubicTo(18.5, 11, 12, 3.5, 12, 3.5);
    QLinearGradient g(5, 6, 19, 20);
    g.setColorAt(0, QColor(0xff, 0x40, 0x40));
    g.setColorAt(0.4, QColor(0xff, 0xc0, 0x20));
    g.setColorAt(0.7, QColor(0x30, 0xd0, 0x90));
    g.setColorAt(1, QColor(0x40, 0x80, 0xff));
    p.fillPath(drop, g);
    p.setPen(QPen(kGray3, 1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(drop);
}

void brightnessGlyph(QPainter &p)
{
    const QPointF c(12, 12);
    p.setPen(stroke(kGray3, 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, 4.5, 4.5);
    p.setPen(Qt::NoPen);
    p.setBrush(kGray3);
    p.drawPie(QRectF(7.5, 7.5, 9, 9), 90 * 16, 180 * 16);
    p.setPen(stroke(kGray3, 1.5));
    for (int a = 0; a < 360; a += 45) {
        const qreal r = qDegreesToRadians(qreal(a));
        const QPointF d(qCos(r), qSin(r));
        p.drawLine(c + d * 7, c + d * 9.5);
    }
}

} // namespace

// The colour of hue strip column x of a strip `width` wide: six sections
// blending red, yellow, green, cyan, blue, magenta back towards red, and
// white at the right end.
QColor hueStripColor(int x, int width)
{
    const int w = (width - 2) / 6;
    const int s = x / w;
    const int t = (x - s * w) * 255 / w;
    switch (s) {
    case 0:
        return QColor(255, t, 0);
    case 1:
        return QColor(255 - t, 255, 0);
    case 2:
        return QColor(0, 255, t);
    case 3:
        return QColor(0, 255 - t, 255);
    case 4:
        return QColor(t, 0, 255);
    case 5:
        return QColor(255, 0, 255 - t);
    default:
        return x > width - 3 ? QColor(255, 255, 255) : QColor(255, 0, 0);
    }
}

namespace {

// Pixel-exact: column X of the strip at scale k has the colour of position
// X / k, so a knob at x sits on exactly the colour it picks.
QImage colorBar(int scale)
{
    const int width = 206, height = 12;
    QImage img(width * scale, height * scale, QImage::Format_ARGB32);
    for (int x = 0; x < img.width(); ++x) {
        const QRgb c = hueStripColor(x / scale, width).rgb();
        for (int y = 0; y < img.height(); ++y)
            img.setPixel(x, y, c);
    }
    return img;
}

// ---- dpiSetting ----------------------------------------------------------

void stageKnob(QPainter &p, bool current)
{
    const QRectF r(0.5, 0.5, 19, 11);
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    if (current) {
        g.setColorAt(0, QColor(0xf0, 0x62, 0x16));
        g.setColorAt(1, kOrangeDeep);
    } else {
        g.setColorAt(0, QColor(0x1d, 0x55, 0xb8));
        g.setColorAt(1, kBlue);
    }
    p.setBrush(g);
    p.setPen(QPen(current ? kOrange : QColor(0x3a, 0x6c, 0xc8), 1));
    p.drawRoundedRect(r, 3, 3);
    p.setPen(QPen(QColor(255, 255, 255, 150), 1));
    for (qreal x : {7.5, 10.0, 12.5})
        p.drawLine(QPointF(x, 3.5), QPointF(x, 8.5));
}

// ---- reportRate, mouseRate, scrollRate ----------------------------------

void reportRate(QPainter &p, int index)
{
    static const char *const labels[] = {"125", "250", "500", "1K"};
    gauge(p, QPointF(12, 12), 10, 2, 300, (index + 1) / 4.0);
    text(p, QRectF(0, 6, 24, 12), QLatin1String(labels[index]), index == 3 ? 9 : 7.5, Qt::white);
}

void pointerSpeed(QPainter &p, int step)
{
    levelTile(p, 32);
    gauge(p, QPointF(16, 16), 11, 2.5, 270, step / 10.0);
    text(p, QRectF(0, 10, 32, 12), QString::number(step), step == 10 ? 10 : 11, Qt::white);
    // A small pointer in the gauge's gap.
    QPolygonF arrow;
    arrow << QPointF(14.5, 23) << QPointF(14.5, 29.5) << QPointF(16.2, 28) << QPointF(18.6, 29);
    p.setPen(QPen(kGray2, 0.8));
    p.setBrush(kGray3);
    p.drawPolygon(arrow);
}

void scrollSpeed(QPainter &p, int level)
{
    levelTile(p, 32);
    // The wheel with its scroll arrows on the left, the level meter on the right.
    p.setPen(stroke(kGray3, 1.3));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(7, 10, 7, 12), 3.5, 3.5);
    p.drawLine(QPointF(10.5, 13), QPointF(10.5, 16));
    chevron(p, QRectF(6, 2.5, 9, 9), true, kGray2, 1.2);
    chevron(p, QRectF(6, 20.5, 9, 9), false, kGray2, 1.2);
    segments(p, QRectF(19, 5, 7, 22), 6, level, true);
}

} // namespace

void addSettings(Pictures &out)
{
    const QSize level(32, 32), tool(24, 24);
    for (int i = 0; i < 10; ++i)
        add(out, "xySetting", numbered("xy", i), level, [i](QPainter &p) { xyLevel(p, i + 1); });
    add(out, "xySetting", QStringLiteral("xyBtn.png"), {16, 16}, xyKnob);
    add(out, "xySetting", QStringLiteral("xyNumber.png"), {24, 16}, xyBadge);

    const char *profile = "profile";
    add(out, profile, QStringLiteral("profileStartBtn.png"), tool,
        iconButton(startGlyph, Look::Normal));
    add(out, profile, QStringLiteral("profileStartBtnH.png"), tool,
        iconButton(startGlyph, Look::Hover));
    add(out, profile, QStringLiteral("profileStartBtnS.png"), tool,
        iconButton(startGlyph, Look::Selected));
    add(out, profile, QStringLiteral("ProfileBG.png"), {480, 360},
        [](QPainter &p) { panelBackground(p, QRectF(0, 0, 480, 360), 36); });
    add(out, profile, QStringLiteral("ProfileCopyBtn.png"), tool,
        iconButton(copyGlyph, Look::Normal));
    add(out, profile, QStringLiteral("ProfileCopyBtnS.png"), tool,
        iconButton(copyGlyph, Look::Selected));
    add(out, profile, QStringLiteral("ProfileDeleteBtn.png"), tool,
        iconButton(deleteGlyph, Look::Normal));
    add(out, profile, QStringLiteral("ProfileDeleteBtnS.png"), tool,
        iconButton(deleteGlyph, Look::Selected));
    add(out, profile, QStringLiteral("ProfileDeleteBtn0.png"), tool,
        iconButton(deleteGlyph, Look::Disabled));
    add(out, profile, QStringLiteral("ProfileEditBtn.png"), tool,
        iconButton(editGlyph, Look::Normal));
    add(out, profile, QStringLiteral("ProfileEditBtnS.png"), tool,
        iconButton(editGlyph, Look::Selected));
    add(out, profile, QStringLiteral("ProfileNewBtn.png"), tool,
        iconButton(newGlyph, Look::Normal));
    add(out, profile, QStringLiteral("ProfileSettingBtn.png"), tool,
        iconButton(settingGlyph, Look::Normal));
    add(out, profile, QStringLiteral("profileCloseBtn.png"), tool,
        iconButton(closeGlyph, Look::Normal));

    const char *light = "lightControl";
    const std::function<void(QPainter &)> effects[] = {effectStatic, effectBreath, effectNeon,
                                                       effectOff, effectCycle};
    for (int i = 0; i < 5; ++i)
        add(out, light, numbered("LightControl", i), tool, effects[i]);
    add(out, light, QStringLiteral("LightControlBtn0.png"), tool,
        [](QPainter &p) { toggle(p, false); });
    add(out, light, QStringLiteral("LightControlBtn1.png"), tool,
        [](QPainter &p) { toggle(p, true); });
    const std::function<void(QPainter &)> labels[] = {speedGlyph, colourGlyph, brightnessGlyph};
    for (int i = 0; i < 3; ++i)
        add(out, light, numbered("LightControlTxt", i), tool, labels[i]);
    out.push_back({QLatin1String(light), QStringLiteral("ColorBar.png"), {206, 12}, {}, colorBar});
    add(out, light, QStringLiteral("SpeedScale.png"), {200, 8},
        [](QPainter &p) { tickScale(p, QRectF(0, 0, 200, 8), 5, 1); });

    const char *dpi = "dpiSetting";
    add(out, dpi, QStringLiteral("dpiSettingBG.png"), {232, 240},
        [](QPainter &p) { panelBackground(p, QRectF(0, 0, 232, 240), 28); });
    add(out, dpi, QStringLiteral("dpiSetting0.png"), {20, 12},
        [](QPainter &p) { stageKnob(p, false); });
    add(out, dpi, QStringLiteral("dpiSetting1.png"), {20, 12},
        [](QPainter &p) { stageKnob(p, true); });

    for (int i = 0; i < 4; ++i)
        add(out, "reportRate", numbered("reportRate", i), tool,
            [i](QPainter &p) { reportRate(p, i); });
    for (int i = 0; i <= 10; ++i)
        add(out, "mouseRate", numbered("mouseRate", i), level,
            [i](QPainter &p) { pointerSpeed(p, i); });
    for (int i = 0; i <= 6; ++i)
        add(out, "scrollRate", numbered("scrollRate", i), level,
            [i](QPainter &p) { scrollSpeed(p, i); });
}

} // namespace art
