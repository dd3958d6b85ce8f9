// SPDX-License-Identifier: GPL-2.0-or-later
// The gun editor: six weapon silhouettes (muzzle to the right) and the
// recoil target.
#include "Art.h"

#include <QLinearGradient>
#include <QRadialGradient>

#include <initializer_list>

namespace art {

namespace {

const QString kGun = QStringLiteral("gun");

QPainterPath poly(std::initializer_list<QPointF> points)
{
    QPainterPath p;
    p.addPolygon(QPolygonF(QVector<QPointF>(points)));
    p.closeSubpath();
    return p;
}

QPainterPath box(qreal x0, qreal y0, qreal x1, qreal y1, qreal radius = 0.8)
{
    QPainterPath p;
    p.addRoundedRect(QRectF(x0, y0, x1 - x0, y1 - y0), radius, radius);
    return p;
}

// A magazine curving forward: a band from (x, y) down, `w` wide, bending
// by `bend` at the bottom.
QPainterPath magazine(qreal x, qreal y, qreal w, qreal length, qreal bend)
{
    QPainterPath p;
    p.moveTo(x, y);
    p.lineTo(x + w, y);
    p.quadTo(x + w + bend * 0.35, y + length * 0.55, x + w + bend, y + length);
    p.lineTo(x + bend, y + length + 1.5);
    p.quadTo(x + bend * 0.3, y + length * 0.55, x, y);
    p.closeSubpath();
    return p;
}

QPainterPath grip(qreal x, qreal y, qreal w, qreal length, qreal rake)
{
    return poly({{x, y}, {x + w, y}, {x + w - rake, y + length}, {x - rake, y + length}});
}

QPainterPath triggerGuard(qreal x0, qreal x1, qreal y)
{
    QPainterPath outer;
    outer.addRoundedRect(QRectF(x0, y - 4, x1 - x0, 11), 4, 4);
    QPainterPath inner;
    inner.addRoundedRect(QRectF(x0 + 1.8, y - 4, x1 - x0 - 3.6, 9.2), 3, 3);
    return outer.subtracted(inner);
}

struct Gun
{
    QPainterPath shape;
    std::vector<QLineF> details; // dark lines across the silhouette
    QPointF accent;              // where the small orange mark sits
    std::vector<QRectF> rings;   // round details (a drum's face)
};

void railTeeth(Gun &g, qreal x0, qreal x1, qreal y0, qreal y1, qreal step = 3.2)
{
    for (qreal x = x0; x < x1; x += step)
        g.details.push_back(QLineF(x, y0, x, y1));
}

Gun m416()
{
    Gun g;
    g.shape =
        poly(
            {{4, 21}, {28, 22}, {33, 26}, {44, 26}, {44, 34}, {33, 34}, {28, 39}, {5, 44}, {3, 36}})
            .united(box(30, 26.5, 62, 32.5))
            .united(box(58, 19, 120, 33))
            .united(box(62, 33, 106, 41))
            .united(box(118, 20, 160, 35, 1.5))
            .united(box(62, 15.5, 158, 19.5, 0.5))
            .united(box(64, 11, 71, 16))
            .united(box(158, 25.5, 186, 29.5))
            .united(box(184, 23.5, 197, 31.5, 1.2))
            .united(grip(84, 40, 10, 21, 5))
            .united(triggerGuard(76, 98, 42))
            .united(magazine(100, 40, 12, 24, 5))
            .united(box(136, 35, 143, 50, 2));
    railTeeth(g, 64, 157, 16, 19);
    railTeeth(g, 121, 158, 22, 33, 5);
    g.details.push_back(QLineF(80, 24, 104, 24));
    g.accent = QPointF(72, 37);
    return g;
}

Gun akm()
{
    Gun g;
    QPainterPath receiver;
    receiver.moveTo(58, 24);
    receiver.quadTo(60, 19, 70, 19);
    receiver.lineTo(118, 21);
    receiver.lineTo(120, 37);
    receiver.lineTo(58, 38);
    receiver.closeSubpath();
    QPainterPath banana;
    banana.moveTo(96, 37);
    banana.lineTo(109, 37);
    banana.cubicTo(111, 50, 118, 60, 128, 66);
    banana.lineTo(118, 70);
    banana.cubicTo(106, 63, 98, 52, 96, 37);
    banana.closeSubpath();
    g.shape = poly({{3, 27}, {44, 28}, {60, 30}, {60, 37}, {44, 41}, {8, 50}, {3, 49}})
                  .united(receiver)
                  .united(box(118, 20.5, 152, 25, 1.5))
                  .united(box(118, 26, 150, 37, 3))
                  .united(box(150, 28.5, 186, 31.5))
                  .united(poly({{171, 29}, {172, 20}, {175, 20}, {176, 29}}))
                  .united(poly({{184, 27}, {195, 28.5}, {195, 32}, {184, 32.5}}))
                  .united(box(114, 16.5, 120, 21))
                  .united(grip(78, 37, 9, 20, 5))
                  .united(triggerGuard(72, 94, 40))
                  .united(banana);
    g.details.push_back(QLineF(62, 29, 116, 29));
    g.details.push_back(QLineF(128, 28, 128, 35));
    g.details.push_back(QLineF(138, 28, 138, 35));
    g.accent = QPointF(66, 34);
    return g;
}

Gun m16a4()
{
    Gun g;
    g.shape = poly({{3, 20}, {50, 25}, {50, 34}, {3, 47}})
                  .united(box(48, 19, 108, 32))
                  .united(box(52, 32, 96, 40))
                  .united(box(50, 15.5, 106, 19.5, 0.5))
                  .united(poly({{106, 20}, {150, 23}, {150, 33}, {106, 35}}))
                  .united(box(148, 26, 194, 29.5))
                  .united(poly({{154, 26}, {159, 10}, {162, 10}, {166, 26}}))
                  .united(box(190, 24.5, 198, 30.5, 1))
                  .united(grip(72, 39, 10, 20, 5))
                  .united(triggerGuard(66, 88, 41))
                  .united(magazine(88, 39, 11, 22, 4));
    railTeeth(g, 52, 105, 16, 19);
    for (qreal y = 24; y < 33; y += 2.6)
        g.details.push_back(QLineF(110, y, 146, y));
    g.accent = QPointF(60, 36);
    return g;
}

Gun scarL()
{
    Gun g;
    g.shape = poly({{3, 19}, {38, 16}, {46, 20}, {46, 36}, {32, 36}, {12, 46}, {3, 46}})
                  .united(box(44, 17, 152, 32, 1.5))
                  .united(box(44, 13, 150, 17, 0.5))
                  .united(box(58, 32, 102, 40))
                  .united(box(116, 32, 150, 38, 2))
                  .united(box(150, 24, 180, 28.5))
                  .united(box(176, 21.5, 192, 31, 1.5))
                  .united(grip(76, 39, 10, 20, 5))
                  .united(triggerGuard(70, 92, 41))
                  .united(magazine(94, 39, 12, 22, 1.5));
    railTeeth(g, 46, 149, 14, 17);
    g.details.push_back(QLineF(46, 24, 150, 24));
    g.details.push_back(QLineF(18, 28, 40, 28));
    g.details.push_back(QLineF(88, 19, 100, 19));
    g.accent = QPointF(66, 36);
    return g;
}

Gun thomson()
{
    Gun g;
    QPainterPath drum;
    drum.addEllipse(QPointF(100, 50), 15, 15);
    g.shape = poly({{3, 30}, {48, 27}, {56, 31}, {56, 39}, {10, 53}, {3, 53}})
                  .united(box(54, 25, 112, 38, 3))
                  .united(box(58, 22, 106, 25, 0.8))
                  .united(box(110, 28.5, 168, 33))
                  .united(box(166, 26.5, 180, 34.5, 1.2))
                  .united(grip(68, 37, 11, 20, 5))
                  .united(triggerGuard(62, 86, 40))
                  .united(poly({{118, 33}, {128, 33}, {130, 56}, {124, 58}, {118, 56}}))
                  .united(drum);
    g.rings.push_back(QRectF(91, 41, 18, 18));
    g.rings.push_back(QRectF(97, 47, 6, 6));
    for (qreal x = 112; x < 136; x += 3)
        g.details.push_back(QLineF(x, 28.5, x, 33));
    g.accent = QPointF(62, 31);
    return g;
}

Gun unp9()
{
    Gun g;
    // A short gun with a skeleton stock: the stock is a frame, not a block.
    QPainterPath stock = poly({{18, 20}, {52, 22}, {52, 36}, {22, 42}, {18, 40}});
    stock = stock.subtracted(poly({{24, 25}, {46, 26}, {46, 32}, {26, 36}}));
    g.shape = stock.united(box(50, 19, 122, 36, 3))
                  .united(box(56, 15.5, 120, 19.5, 0.5))
                  .united(box(122, 24.5, 150, 29))
                  .united(box(146, 22.5, 156, 31, 1.5))
                  .united(box(112, 11, 118, 16))
                  .united(grip(72, 35, 11, 21, 5))
                  .united(triggerGuard(66, 90, 38))
                  .united(magazine(96, 35, 11, 26, 3))
                  .united(box(126, 29, 134, 42, 2));
    railTeeth(g, 58, 119, 16, 19);
    g.details.push_back(QLineF(54, 27, 118, 27));
    g.accent = QPointF(62, 32);
    return g;
}

void paintGun(QPainter &p, const Gun &g)
{
    // Centre the silhouette in the 200 x 72 frame.
    const QRectF b = g.shape.boundingRect();
    p.translate(qRound(100 - b.center().x()), qRound(36 - b.center().y()));
    QLinearGradient fill(0, b.top(), 0, b.bottom());
    fill.setColorAt(0, QColor(0xe4, 0xe6, 0xea));
    fill.setColorAt(0.5, QColor(0xb4, 0xb8, 0xc0));
    fill.setColorAt(1, QColor(0x7c, 0x81, 0x8b));
    p.fillPath(g.shape, fill);
    p.save();
    p.setClipPath(g.shape);
    p.setPen(QPen(QColor(0x3a, 0x3d, 0x44, 200), 0.9));
    for (const QLineF &l : g.details)
        p.drawLine(l);
    p.restore();
    p.setPen(QPen(QColor(0x4a, 0x4e, 0x56), 0.8));
    p.setBrush(Qt::NoBrush);
    p.drawPath(g.shape);
    for (const QRectF &ring : g.rings)
        p.drawEllipse(ring);
    p.setPen(Qt::NoPen);
    p.setBrush(kOrangeDeep);
    p.drawEllipse(g.accent, 1.6, 1.6);
}

void target(QPainter &p)
{
    const QPointF c(100, 100);
    QRadialGradient face(c, 96);
    face.setColorAt(0, QColor(0x2a, 0x2d, 0x34));
    face.setColorAt(1, QColor(0x16, 0x18, 0x1c));
    p.setPen(QPen(kBorder, 1));
    p.setBrush(face);
    p.drawEllipse(c, 96, 96);
    p.setBrush(Qt::NoBrush);
    for (qreal r : {74.0, 52.0, 30.0}) {
        p.setPen(QPen(QColor(255, 255, 255, 40), 1));
        p.drawEllipse(c, r, r);
    }
    // Cross hair with a gap around the centre.
    p.setPen(QPen(QColor(255, 255, 255, 70), 1));
    p.drawLine(QPointF(8, 100.5), QPointF(84, 100.5));
    p.drawLine(QPointF(116, 100.5), QPointF(192, 100.5));
    p.drawLine(QPointF(100.5, 8), QPointF(100.5, 50));
    p.drawLine(QPointF(100.5, 150), QPointF(100.5, 192));
    // The vertical pull track, 94 px from y 53 to 147, with a tick every
    // tenth of its length.
    p.setPen(QPen(kBorder, 1));
    p.setBrush(QColor(0x0c, 0x0d, 0x10));
    p.drawRoundedRect(QRectF(97.5, 52.5, 6, 95), 3, 3);
    p.setPen(QPen(kGray2, 1));
    for (int i = 0; i <= 10; ++i) {
        const qreal y = 53 + 9.4 * i;
        const qreal len = i % 5 == 0 ? 6 : 3;
        p.drawLine(QPointF(96 - len, y), QPointF(95, y));
        p.drawLine(QPointF(106, y), QPointF(105 + len, y));
    }
    // Bull's eye.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 122, 26, 60));
    p.drawEllipse(c, 12, 12);
    p.setBrush(kOrange);
    p.drawEllipse(QPointF(100.5, 100.5), 3.5, 3.5);
}

} // namespace

void addGuns(Pictures &out)
{
    struct Entry
    {
        const char *file;
        Gun (*make)();
    };
    const Entry guns[] = {{"M416.png", m416},    {"AKM.png", akm},         {"M16A4.png", m16a4},
                          {"SCAR-L.png", scarL}, {"Thomson.png", thomson}, {"UNP9.png", unp9}};
    for (const Entry &e : guns) {
        const auto make = e.make;
        out.push_back({kGun,
                       QLatin1String(e.file),
                       {200, 72},
                       [make](QPainter &p) { paintGun(p, make()); },
                       {}});
    }
    out.push_back({kGun, QStringLiteral("target.png"), {200, 200}, target, {}});
}

} // namespace art
