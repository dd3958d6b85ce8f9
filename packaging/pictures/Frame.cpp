// SPDX-License-Identifier: GPL-2.0-or-later
// The window frame, the start-up logo and the application icon: the talon
// mark and the word mark are drawn here once and reused.
#include "Art.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QRadialGradient>

namespace art {

// Three claws fanning from a common heel.
void paintMark(QPainter &p, const QRectF &box, qreal alpha)
{
    p.save();
    p.translate(box.center());
    const qreal s = qMin(box.width(), box.height()) / 100.0;
    p.scale(s, s);
    QLinearGradient g(QPointF(0, 40), QPointF(0, -45));
    g.setColorAt(0, kOrangeDeep);
    g.setColorAt(1, kOrange);
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.setOpacity(p.opacity() * alpha);
    for (int angle : {-32, 0, 32}) {
        p.save();
        p.translate(0, 34);
        p.rotate(angle);
        const qreal len = angle == 0 ? 1.0 : 0.86;
        QPainterPath claw;
        claw.moveTo(-9, 0);
        claw.cubicTo(-14, -30 * len, -6 * len, -62 * len, 16 * len, -76 * len);
        claw.cubicTo(2 * len, -58 * len, 2, -30 * len, 9, 0);
        claw.closeSubpath();
        p.drawPath(claw);
        p.restore();
    }
    p.drawEllipse(QPointF(0, 36), 13, 9);
    p.restore();
}

namespace {

void wordmark(QPainter &p, const QRectF &box, qreal pixelSize, bool centred)
{
    QFont f = font(pixelSize, true);
    f.setLetterSpacing(QFont::AbsoluteSpacing, pixelSize * 0.18);
    const QString first = QStringLiteral("KESTREL ");
    const QString second = QStringLiteral("TALON");
    const QFontMetricsF m(f);
    const qreal total = m.horizontalAdvance(first + second);
    const qreal x = centred ? box.center().x() - total / 2 : box.left();
    const qreal y = box.center().y() + m.capHeight() / 2;
    QPainterPath a, b;
    a.addText(x, y, f, first);
    b.addText(x + m.horizontalAdvance(first), y, f, second);
    p.save();
    p.setPen(Qt::NoPen);
    p.fillPath(a, QColor(0xf2, 0xf2, 0xf2));
    p.fillPath(b, kOrange);
    p.restore();
}

void background(QPainter &p)
{
    QPainterPath frame;
    frame.addRoundedRect(QRectF(0.5, 0.5, 1023, 639), 10, 10);
    QLinearGradient g(0, 0, 0, 640);
    g.setColorAt(0, kGraphite);
    g.setColorAt(1, kInk);
    p.fillPath(frame, g);
    // A soft light behind where the mouse picture sits.
    QRadialGradient glow(QPointF(512, 330), 360);
    glow.setColorAt(0, QColor(255, 122, 26, 34));
    glow.setColorAt(1, QColor(255, 122, 26, 0));
    p.fillPath(frame, glow);
    // Fine diagonal lines, barely visible.
    p.setClipPath(frame);
    p.setPen(QPen(QColor(255, 255, 255, 7), 1));
    for (int x = -640; x < 1024; x += 14)
        p.drawLine(x, 640, x + 640, 0);
    p.setClipping(false);
    paintMark(p, QRectF(700, 300, 420, 420), 0.05);
    p.setPen(QPen(QColor(255, 255, 255, 28), 1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(frame);
}

void titleBar(QPainter &p)
{
    QPainterPath bar;
    bar.addRoundedRect(QRectF(0.5, 0.5, 1023, 60), 10, 10);
    QLinearGradient g(0, 0, 0, 48);
    g.setColorAt(0, QColor(0x30, 0x34, 0x3d));
    g.setColorAt(1, QColor(0x1c, 0x1f, 0x25));
    p.save();
    p.setClipRect(0, 0, 1024, 47);
    p.fillPath(bar, g);
    p.restore();
    QLinearGradient line(0, 0, 1024, 0);
    line.setColorAt(0, QColor(255, 122, 26, 0));
    line.setColorAt(0.5, kOrange);
    line.setColorAt(1, QColor(255, 122, 26, 0));
    p.fillRect(QRectF(0, 46, 1024, 2), line);
}

void titleLogo(QPainter &p)
{
    paintMark(p, QRectF(0, 0, 28, 28));
    wordmark(p, QRectF(36, 0, 224, 28), 15, false);
}

// A dark card, legible on any desktop, with the centre left free for the
// busy indicator that sits on top of it while the program starts.
void powerOn(QPainter &p)
{
    QPainterPath card;
    card.addRoundedRect(QRectF(0.5, 0.5, 459, 329), 14, 14);
    QLinearGradient g(0, 0, 0, 330);
    g.setColorAt(0, kGraphite);
    g.setColorAt(1, kInk);
    p.fillPath(card, g);
    QRadialGradient halo(QPointF(230, 80), 110);
    halo.setColorAt(0, QColor(255, 122, 26, 70));
    halo.setColorAt(1, QColor(255, 122, 26, 0));
    p.fillPath(card, halo);
    p.setPen(QPen(QColor(255, 255, 255, 30), 1));
    p.drawPath(card);
    paintMark(p, QRectF(170, 22, 120, 120));
    wordmark(p, QRectF(0, 200, 460, 40), 30, true);
    QFont f = font(13);
    f.setLetterSpacing(QFont::AbsoluteSpacing, 6);
    QPainterPath model;
    const QString name = QStringLiteral("MOUSE  X420");
    const QFontMetricsF m(f);
    model.addText(230 - m.horizontalAdvance(name) / 2, 263 + m.capHeight() / 2, f, name);
    p.fillPath(model, kGray2);
}

} // namespace

void paintAppIcon(QPainter &p, qreal size)
{
    // Small icons get a fuller tile and a bigger mark so the claws stay
    // apart at 16 px.
    const bool small = size < 40;
    const qreal margin = small ? size / 32.0 : size / 32.0 * 1;
    const qreal radius = size * (small ? 0.2 : 0.19);
    const QRectF tileRect(margin, margin, size - 2 * margin, size - 2 * margin);
    QPainterPath tile;
    tile.addRoundedRect(tileRect, radius, radius);
    QLinearGradient g(0, 0, 0, size);
    g.setColorAt(0, QColor(0x33, 0x37, 0x41));
    g.setColorAt(1, kInk);
    p.fillPath(tile, g);
    QRadialGradient halo(QPointF(size / 2, size * 0.42), size * 0.45);
    halo.setColorAt(0, QColor(255, 122, 26, small ? 40 : 60));
    halo.setColorAt(1, QColor(255, 122, 26, 0));
    p.fillPath(tile, halo);
    if (!small) {
        p.setPen(QPen(QColor(255, 255, 255, 36), size / 128.0));
        p.setBrush(Qt::NoBrush);
        p.drawPath(tile);
    }
    const qreal markSize = size * (small ? 0.86 : 0.72);
    paintMark(
        p, QRectF((size - markSize) / 2, (size - markSize) / 2 - size * 0.02, markSize, markSize));
}

void addFrame(Pictures &out)
{
    out.push_back({{}, QStringLiteral("background.png"), {1024, 640}, background, {}});
    out.push_back({{}, QStringLiteral("titleBar.png"), {1024, 48}, titleBar, {}});
    out.push_back({{}, QStringLiteral("titleLogo.png"), {260, 28}, titleLogo, {}});
    const QString index = QStringLiteral("index");
    out.push_back({index, QStringLiteral("powerOn.png"), {460, 330}, powerOn, {}});
    out.push_back({index,
                   QStringLiteral("mainLogo.png"),
                   {230, 165},
                   [](QPainter &p) {
                       p.scale(0.5, 0.5);
                       powerOn(p);
                   },
                   {}});
}

} // namespace art
