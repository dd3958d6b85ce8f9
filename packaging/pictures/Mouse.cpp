// SPDX-License-Identifier: GPL-2.0-or-later
// The mouse seen from above (front at the top) and from its left side
// (front at the left, seen slightly from above so that the top buttons
// show), with one hover and one selected overlay per button.
#include "Mouse.h"

#include "Art.h"

#include <QLinearGradient>
#include <QRadialGradient>
#include <QtMath>

#include <vector>

namespace art {

namespace {

enum Button { Left, Right, Wheel, Forward, Back, DpiUp, DpiDown, Fire };

const QString kMouse = QStringLiteral("mouse");
const char *const kButtonNames[kMouseButtons] = {"left", "right", "wheel", "forward",
                                                 "back", "DPI+",  "DPI-",  "fire"};

QPainterPath roundedRect(const QRectF &r, qreal radius)
{
    QPainterPath p;
    p.addRoundedRect(r, radius, radius);
    return p;
}

QPainterPath rect(const QRectF &r)
{
    QPainterPath p;
    p.addRect(r);
    return p;
}

// ---- front view ----------------------------------------------------------

struct Front
{
    QPainterPath body, shell, palm, channel;
};

Front frontShapes()
{
    Front f;
    QPainterPath &b = f.body;
    b.moveTo(220, 34);
    b.cubicTo(272, 33, 316, 50, 323, 98);
    b.cubicTo(329, 142, 326, 196, 318, 240);
    b.cubicTo(313, 272, 336, 318, 335, 372);
    b.cubicTo(334, 432, 286, 470, 220, 471);
    b.cubicTo(154, 470, 106, 432, 105, 372);
    b.cubicTo(104, 326, 116, 300, 113, 262);
    b.cubicTo(110, 220, 110, 150, 117, 98);
    b.cubicTo(124, 50, 168, 33, 220, 34);
    b.closeSubpath();

    // The main buttons end at a seam curving back towards the palm.
    QPainterPath above;
    above.moveTo(0, 0);
    above.lineTo(440, 0);
    above.lineTo(440, 236);
    above.lineTo(340, 236);
    above.cubicTo(270, 264, 170, 264, 100, 236);
    above.lineTo(0, 236);
    above.closeSubpath();
    f.shell = b.intersected(above);
    f.palm = b.subtracted(above);
    f.channel = f.shell.intersected(rect(QRectF(207, 0, 26, 500)));
    return f;
}

MouseView buildFront()
{
    const Front f = frontShapes();
    MouseView v;
    v.body = f.body;
    const QPainterPath fire = roundedRect(QRectF(121, 84, 16, 86), 8);
    const QPainterPath fireGap = roundedRect(QRectF(118, 81, 22, 92), 11);
    v.buttons[Left] = f.shell.intersected(rect(QRectF(0, 0, 207, 500))).subtracted(fireGap);
    v.buttons[Right] = f.shell.intersected(rect(QRectF(233, 0, 207, 500)));
    v.buttons[Wheel] = roundedRect(QRectF(210, 60, 20, 82), 9);
    v.buttons[Forward] = roundedRect(QRectF(98, 238, 19, 50), 8.5);
    v.buttons[Back] = roundedRect(QRectF(97, 294, 19, 50), 8.5);
    v.buttons[DpiUp] = roundedRect(QRectF(211, 152, 18, 22), 5);
    v.buttons[DpiDown] = roundedRect(QRectF(211, 180, 18, 22), 5);
    v.buttons[Fire] = fire;
    return v;
}

// ---- side view -----------------------------------------------------------

// The side silhouette, front at the left.
QPainterPath sideBody()
{
    QPainterPath b;
    b.moveTo(40, 330);
    b.cubicTo(26, 330, 18, 312, 20, 294);
    b.cubicTo(22, 276, 30, 262, 46, 256);
    b.cubicTo(110, 232, 190, 196, 262, 182);
    b.cubicTo(310, 173, 352, 176, 384, 196);
    b.cubicTo(414, 216, 424, 262, 418, 294);
    b.cubicTo(414, 318, 400, 330, 380, 330);
    b.closeSubpath();
    return b;
}

// The top edge of the silhouette: the smallest y of the outline at x.
qreal top(qreal x)
{
    static const std::vector<qreal> edge = [] {
        std::vector<qreal> e(kMouseCanvasWidth + 1, 1e9);
        const QPainterPath b = sideBody();
        for (int i = 0; i <= 20000; ++i) {
            const QPointF pt = b.pointAtPercent(i / 20000.0);
            const int x = qRound(pt.x());
            if (x >= 0 && x <= kMouseCanvasWidth)
                e[x] = qMin(e[x], pt.y());
        }
        return e;
    }();
    const int i = qBound(0, int(x), kMouseCanvasWidth - 1);
    const qreal f = x - i;
    return edge[i] * (1 - f) + edge[i + 1] * f;
}

qreal smoothstep(qreal a, qreal b, qreal x)
{
    const qreal t = qBound<qreal>(0, (x - a) / (b - a), 1);
    return t * t * (3 - 2 * t);
}

// How much of the top surface shows below the top edge at x: seen slightly
// from above, it narrows where the shell rounds down at the front and rear.
qreal depth(qreal x)
{
    return 38 * smoothstep(24, 72, x) * (1 - smoothstep(300, 422, x));
}

qreal slopeDegrees(qreal x)
{
    return qRadiansToDegrees(qAtan((top(x + 2) - top(x - 2)) / 4));
}

// The strip between top + from * depth and top + to * depth over [x0, x1].
QPainterPath band(qreal x0, qreal x1, qreal from, qreal to, qreal extraAbove = 0)
{
    QPolygonF poly;
    for (qreal x = x0; x < x1; x += 1)
        poly << QPointF(x, top(x) + from * depth(x) - extraAbove);
    poly << QPointF(x1, top(x1) + from * depth(x1) - extraAbove);
    for (qreal x = x1; x > x0; x -= 1)
        poly << QPointF(x, top(x) + to * depth(x));
    poly << QPointF(x0, top(x0) + to * depth(x0));
    QPainterPath p;
    p.addPolygon(poly);
    p.closeSubpath();
    return p;
}

// The near edge of the top surface, where the flank begins.
qreal nearEdge(qreal x)
{
    return top(x) + depth(x);
}

// A rounded key lying along the near edge, centred at x, `offset` below it.
QPainterPath keyAlongEdge(qreal x, qreal offset, qreal w, qreal h, qreal radius)
{
    QTransform t;
    t.translate(x, nearEdge(x) + offset);
    t.rotate(slopeDegrees(x));
    return t.map(roundedRect(QRectF(-w / 2, -h / 2, w, h), radius));
}

// A key sitting in the channel between the main buttons, at x.
QPainterPath keyInChannel(qreal x, qreal w, qreal h)
{
    QTransform t;
    t.translate(x, top(x) + 0.36 * depth(x));
    t.rotate(slopeDegrees(x));
    return t.map(roundedRect(QRectF(-w / 2, -h / 2, w, h), 4));
}

// Fractions of the visible depth: right button, channel, left button, lip.
constexpr qreal kFarTo = 0.3;
constexpr qreal kNearFrom = 0.42;
constexpr qreal kNearTo = 0.94;
constexpr qreal kSeamX = 262; // the main buttons end here
const QPointF kWheelHub(92, 0);
constexpr qreal kWheelRadius = 17;

QPointF wheelHub()
{
    return QPointF(kWheelHub.x(), top(kWheelHub.x()) + 0.2 * depth(kWheelHub.x()));
}

struct Side
{
    QPainterPath body, topSurface, flank, far, channel, near, wheelDisc;
};

Side sideShapes()
{
    Side s;
    s.body = sideBody();
    s.topSurface = band(18, 424, -40, 1).intersected(s.body);
    s.flank = s.body.subtracted(s.topSurface);
    s.far = band(24, kSeamX, -40, kFarTo).intersected(s.body);
    s.channel = band(24, kSeamX, kFarTo, kNearFrom).intersected(s.body);
    s.near = band(24, kSeamX, kNearFrom, kNearTo).intersected(s.body);
    s.wheelDisc.addEllipse(wheelHub(), kWheelRadius, kWheelRadius);
    return s;
}

MouseView buildSide()
{
    const Side s = sideShapes();
    MouseView v;
    v.body = s.body;
    v.buttons[Left] = s.near;
    const QPainterPath hidden = s.near.united(s.flank);
    v.buttons[Wheel] = s.wheelDisc.subtracted(hidden);
    v.buttons[DpiUp] = keyInChannel(142, 20, 16).subtracted(hidden);
    v.buttons[DpiDown] = keyInChannel(168, 20, 16).subtracted(hidden);
    v.buttons[Right] =
        s.far.subtracted(s.wheelDisc.united(v.buttons[DpiUp]).united(v.buttons[DpiDown]));
    v.buttons[Fire] = keyAlongEdge(86, 9, 50, 11, 5.5);
    v.buttons[Forward] = keyAlongEdge(150, 12, 56, 15, 7.5);
    v.buttons[Back] = keyAlongEdge(214, 12, 56, 15, 7.5);
    return v;
}

// ---- painting ------------------------------------------------------------

void softShadow(QPainter &p, const QPointF &c, qreal rx, qreal ry, int alpha)
{
    p.save();
    p.translate(c);
    p.scale(1, ry / rx);
    QRadialGradient g(QPointF(0, 0), rx);
    g.setColorAt(0, QColor(0, 0, 0, alpha));
    g.setColorAt(0.7, QColor(0, 0, 0, alpha / 3));
    g.setColorAt(1, QColor(0, 0, 0, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(QPointF(0, 0), rx, rx);
    p.restore();
}

// A shell part lit from the upper left: a gradient fill and a light rim.
void shell(QPainter &p, const QPainterPath &shape, const QColor &light, const QColor &dark,
           const QPointF &from, const QPointF &to)
{
    QLinearGradient g(from, to);
    g.setColorAt(0, light);
    g.setColorAt(1, dark);
    p.fillPath(shape, g);
    p.save();
    p.setClipPath(shape);
    p.setPen(QPen(QColor(255, 255, 255, 28), 2));
    p.setBrush(Qt::NoBrush);
    p.drawPath(shape.translated(0.8, 0.8));
    p.restore();
}

void seam(QPainter &p, const QPainterPath &shape)
{
    p.save();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0x08, 0x09, 0x0b), 1.4));
    p.drawPath(shape);
    p.restore();
}

void wheelRidges(QPainter &p, const QRectF &r)
{
    QLinearGradient g(r.topLeft(), r.topRight());
    g.setColorAt(0, QColor(0x24, 0x26, 0x2b));
    g.setColorAt(0.5, QColor(0x5c, 0x60, 0x6a));
    g.setColorAt(1, QColor(0x24, 0x26, 0x2b));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRoundedRect(r, r.width() / 2 - 1, r.width() / 2 - 1);
    p.save();
    p.setClipPath(roundedRect(r, r.width() / 2 - 1));
    p.setPen(QPen(QColor(0x15, 0x16, 0x19), 1.2));
    for (qreal y = r.top() + 3; y < r.bottom(); y += 4)
        p.drawLine(QPointF(r.left(), y), QPointF(r.right(), y));
    p.restore();
}

void paintFront(QPainter &p)
{
    const Front f = frontShapes();
    const MouseView &v = mouseFrontView();
    softShadow(p, QPointF(226, 268), 190, 250, 150);

    // Body and palm.
    shell(p, f.body, QColor(0x3a, 0x3e, 0x47), QColor(0x17, 0x19, 0x1d), QPointF(130, 120),
          QPointF(330, 470));
    QRadialGradient palmLight(QPointF(200, 320), 130);
    palmLight.setColorAt(0, QColor(255, 255, 255, 22));
    palmLight.setColorAt(1, QColor(255, 255, 255, 0));
    p.fillPath(f.palm, palmLight);
    // A fine hatch on the palm, like a soft-touch coating.
    p.save();
    p.setClipPath(f.palm);
    p.setPen(QPen(QColor(255, 255, 255, 8), 1));
    for (int x = -300; x < 440; x += 6)
        p.drawLine(QPointF(x, 470), QPointF(x + 240, 230));
    p.restore();
    paintMark(p, QRectF(190, 330, 60, 60), 0.85);

    // The rear light strip.
    p.save();
    p.setClipPath(f.body);
    QPainterPath rim = f.body.subtracted(f.body.translated(0, -7));
    p.fillPath(rim.intersected(rect(QRectF(0, 400, 440, 100))), QColor(255, 122, 26, 200));
    p.restore();

    // Main buttons, channel, wheel, DPI buttons.
    shell(p, v.buttons[Left], QColor(0x4a, 0x4f, 0x5a), QColor(0x2a, 0x2d, 0x34), QPointF(150, 40),
          QPointF(200, 250));
    shell(p, v.buttons[Right], QColor(0x44, 0x49, 0x53), QColor(0x26, 0x29, 0x2f), QPointF(250, 40),
          QPointF(300, 250));
    p.fillPath(f.channel, QColor(0x10, 0x11, 0x14));
    wheelRidges(p, v.buttons[Wheel].boundingRect());
    for (int b : {DpiUp, DpiDown}) {
        shell(p, v.buttons[b], QColor(0x3c, 0x40, 0x49), QColor(0x22, 0x24, 0x29),
              v.buttons[b].boundingRect().topLeft(), v.buttons[b].boundingRect().bottomLeft());
        const QPointF c = v.buttons[b].boundingRect().center();
        p.setPen(stroke(kGray2, 1.4));
        p.drawLine(c - QPointF(3.5, 0), c + QPointF(3.5, 0));
        if (b == DpiUp)
            p.drawLine(c - QPointF(0, 3.5), c + QPointF(0, 3.5));
    }
    // The DPI indicator light between the buttons.
    p.setPen(Qt::NoPen);
    p.setBrush(kOrange);
    p.drawRoundedRect(QRectF(214, 176, 12, 2), 1, 1);

    // Fire button with its accent and the side buttons.
    shell(p, v.buttons[Fire], QColor(0x5a, 0x3a, 0x2c), QColor(0x2e, 0x22, 0x1d), QPointF(121, 84),
          QPointF(137, 170));
    p.setPen(stroke(kOrangeDeep, 1.6));
    p.drawLine(QPointF(129, 96), QPointF(129, 116));
    for (int b : {Forward, Back})
        shell(p, v.buttons[b], QColor(0x55, 0x5a, 0x65), QColor(0x2a, 0x2d, 0x33),
              v.buttons[b].boundingRect().topLeft(), v.buttons[b].boundingRect().topRight());

    // Seams and the outline.
    for (int b = 0; b < kMouseButtons; ++b)
        if (b != Wheel)
            seam(p, v.buttons[b]);
    p.setPen(QPen(QColor(0x07, 0x08, 0x0a), 1.6));
    p.setBrush(Qt::NoBrush);
    p.drawPath(f.body);
}

void paintSide(QPainter &p)
{
    const Side s = sideShapes();
    const MouseView &v = mouseSideView();
    softShadow(p, QPointF(222, 334), 214, 20, 190);

    // Skates.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x0b, 0x0c, 0x0e));
    p.drawRoundedRect(QRectF(52, 326, 340, 9), 4, 4);

    // Flank, darker towards the desk, with a rubber thumb rest.
    shell(p, s.flank, QColor(0x34, 0x37, 0x3f), QColor(0x15, 0x16, 0x19), QPointF(0, 220),
          QPointF(0, 330));
    QPolygonF restEdge;
    for (qreal x = 104; x <= 292; x += 2)
        restEdge << QPointF(x, nearEdge(x) + 28 + 10 * smoothstep(200, 292, x));
    restEdge << QPointF(292, 312) << QPointF(104, 312);
    QPainterPath rest;
    rest.addPolygon(restEdge);
    rest.closeSubpath();
    rest = rest.intersected(roundedRect(QRectF(104, 150, 188, 162), 30));
    p.fillPath(rest, QColor(0x18, 0x19, 0x1c));
    p.save();
    p.setClipPath(rest);
    p.setPen(QPen(QColor(255, 255, 255, 13), 1));
    for (int x = 40; x < 360; x += 5)
        p.drawLine(QPointF(x, 320), QPointF(x + 40, 200));
    p.restore();
    p.setPen(QPen(QColor(0x09, 0x0a, 0x0c), 1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(rest);
    p.save();
    p.setClipPath(s.flank);
    paintMark(p, QRectF(338, 246, 30, 30), 0.75);
    p.restore();

    // The light strip along the lower flank.
    QPainterPath strip;
    strip.moveTo(50, 320);
    strip.cubicTo(150, 322, 300, 322, 398, 316);
    p.setPen(QPen(QColor(255, 122, 26, 60), 5, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(strip);
    p.setPen(QPen(kOrange, 1.6, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(strip);

    // The top surface and the buttons on it, from far to near.
    shell(p, s.topSurface, QColor(0x4a, 0x4e, 0x58), QColor(0x30, 0x33, 0x3a), QPointF(0, 175),
          QPointF(0, 280));
    shell(p, v.buttons[Right], QColor(0x3f, 0x43, 0x4c), QColor(0x2e, 0x31, 0x38), QPointF(0, 180),
          QPointF(0, 270));
    p.fillPath(s.channel, QColor(0x0e, 0x0f, 0x12));
    // Wheel: seen along its axle, a ribbed disc.
    const QPointF hub = wheelHub();
    p.save();
    p.setClipPath(v.buttons[Wheel]);
    QRadialGradient tyre(hub, kWheelRadius);
    tyre.setColorAt(0, QColor(0x55, 0x59, 0x62));
    tyre.setColorAt(0.7, QColor(0x38, 0x3b, 0x42));
    tyre.setColorAt(1, QColor(0x1c, 0x1d, 0x21));
    p.setPen(Qt::NoPen);
    p.setBrush(tyre);
    p.drawEllipse(hub, kWheelRadius, kWheelRadius);
    p.setPen(QPen(QColor(0x12, 0x13, 0x16), 1.3));
    for (int a = 0; a < 360; a += 15) {
        const qreal r = qDegreesToRadians(qreal(a));
        const QPointF d(qCos(r), qSin(r));
        p.drawLine(hub + d * (kWheelRadius - 4), hub + d * kWheelRadius);
    }
    p.setPen(QPen(QColor(255, 255, 255, 34), 1));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(hub, 7, 7);
    p.restore();
    for (int b : {DpiUp, DpiDown})
        shell(p, v.buttons[b], QColor(0x50, 0x54, 0x5e), QColor(0x28, 0x2a, 0x30),
              v.buttons[b].boundingRect().topLeft(), v.buttons[b].boundingRect().bottomLeft());
    shell(p, v.buttons[Left], QColor(0x5a, 0x5f, 0x6a), QColor(0x3a, 0x3e, 0x46), QPointF(0, 190),
          QPointF(0, 290));
    // A light catches the near edge of the top.
    QPolygonF edge;
    for (qreal x = 30; x <= 416; x += 2)
        edge << QPointF(x, nearEdge(x) + 0.5);
    p.save();
    p.setClipPath(s.body);
    p.setPen(QPen(QColor(255, 255, 255, 40), 1));
    p.drawPolyline(edge);
    p.restore();

    // Keys on the flank: fire (warm), forward and back with their arrows.
    shell(p, v.buttons[Fire], QColor(0x5a, 0x3a, 0x2c), QColor(0x2e, 0x22, 0x1d),
          v.buttons[Fire].boundingRect().topLeft(), v.buttons[Fire].boundingRect().bottomLeft());
    p.save();
    p.translate(86, nearEdge(86) + 9);
    p.rotate(slopeDegrees(86));
    p.setPen(stroke(kOrangeDeep, 1.6));
    p.drawLine(QPointF(-14, 0), QPointF(4, 0));
    p.restore();
    for (int b : {Forward, Back}) {
        shell(p, v.buttons[b], QColor(0x5e, 0x63, 0x6e), QColor(0x2c, 0x2f, 0x35),
              v.buttons[b].boundingRect().topLeft(), v.buttons[b].boundingRect().bottomLeft());
        const qreal x = b == Forward ? 150 : 214;
        p.save();
        p.translate(x, nearEdge(x) + 12);
        p.rotate(slopeDegrees(x));
        const qreal d = b == Forward ? -1 : 1;
        p.setPen(stroke(kGray2, 1.3));
        p.setBrush(Qt::NoBrush);
        QPolygonF arrow;
        arrow << QPointF(-d * 2, -3) << QPointF(d * 2, 0) << QPointF(-d * 2, 3);
        p.drawPolyline(arrow);
        p.restore();
    }

    for (int b = 0; b < kMouseButtons; ++b)
        if (b != Wheel)
            seam(p, v.buttons[b]);
    p.setPen(QPen(QColor(0x08, 0x09, 0x0b), 1.4));
    p.drawLine(QPointF(kSeamX, top(kSeamX)), QPointF(kSeamX + 6, nearEdge(kSeamX + 6)));
    p.setPen(QPen(QColor(0x07, 0x08, 0x0a), 1.6));
    p.setBrush(Qt::NoBrush);
    p.drawPath(s.body);
}

// The highlight of one button: lighter with a thin orange outline under the
// mouse, filled orange when selected.
void paintOverlay(QPainter &p, const QPainterPath &shape, bool selected)
{
    p.save();
    const QRectF r = shape.boundingRect();
    if (selected) {
        QLinearGradient g(r.topLeft(), r.bottomRight());
        g.setColorAt(0, QColor(0xff, 0x8a, 0x30, 235));
        g.setColorAt(1, QColor(0xcf, 0x3e, 0x00, 235));
        p.fillPath(shape, g);
    } else {
        QLinearGradient g(r.topLeft(), r.bottomLeft());
        g.setColorAt(0, QColor(255, 255, 255, 100));
        g.setColorAt(1, QColor(255, 255, 255, 52));
        p.fillPath(shape, g);
    }
    p.setClipPath(shape);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(selected ? QColor(0xff, 0xc2, 0x8a) : kOrange, selected ? 3 : 2.4));
    p.drawPath(shape);
    p.restore();
}

void addOverlays(Pictures &out, const QString &prefix, const MouseView &(*view)())
{
    for (int b = 0; b < kMouseButtons; ++b) {
        for (bool selected : {false, true}) {
            const QString file =
                QStringLiteral("%1%2%3.png").arg(prefix).arg(b).arg(selected ? "S" : "");
            out.push_back(
                {kMouse,
                 file,
                 {kMouseCanvasWidth, kMouseCanvasHeight},
                 [view, b, selected](QPainter &p) { paintOverlay(p, view().buttons[b], selected); },
                 {}});
        }
    }
}

// The view switch: a small mouse with a flat arrow turning round it.
void viewSwitch(QPainter &p, Look look)
{
    buttonPlate(p, QRectF(0, 0, 32, 32), look, 6);
    const QColor c = glyphColor(look);
    p.setPen(stroke(c, 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(11.5, 5.5, 9, 14), 4.5, 4.5);
    p.drawLine(QPointF(16, 6), QPointF(16, 10));
    // The turning arrow: the near half of a flat ellipse round the mouse.
    p.drawArc(QRectF(4.5, 13, 23, 11), 190 * 16, 150 * 16);
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    QPolygonF head;
    head << QPointF(28.5, 17) << QPointF(27.6, 22.6) << QPointF(23.2, 19.6);
    p.drawPolygon(head);
}

// The lighting button: a light with rays; lit (orange, glowing) when on.
void lightButton(QPainter &p, bool on)
{
    buttonPlate(p, QRectF(0, 0, 32, 32), on ? Look::Selected : Look::Normal, 6);
    const QPointF c(16, 15);
    const QColor ink = on ? Qt::white : kGray3;
    p.setPen(Qt::NoPen);
    if (on) {
        QRadialGradient glow(c, 10);
        glow.setColorAt(0, QColor(255, 230, 200, 200));
        glow.setColorAt(1, QColor(255, 230, 200, 0));
        p.setBrush(glow);
        p.drawEllipse(c, 10, 10);
    }
    p.setPen(stroke(ink, 1.6));
    p.setBrush(on ? QBrush(ink) : Qt::NoBrush);
    p.drawEllipse(c, 4.5, 4.5);
    for (int a = 0; a < 360; a += 45) {
        const qreal r = qDegreesToRadians(qreal(a));
        const QPointF d(qCos(r), qSin(r));
        p.drawLine(c + d * 7.5, c + d * 10.5);
    }
    p.setPen(stroke(ink, 1.4));
    p.drawLine(QPointF(11, 27), QPointF(21, 27));
}

} // namespace

const MouseView &mouseFrontView()
{
    static const MouseView v = buildFront();
    return v;
}

const MouseView &mouseSideView()
{
    static const MouseView v = buildSide();
    return v;
}

QRect hotspot(const QPainterPath &shape)
{
    QImage mask(kMouseCanvasWidth, kMouseCanvasHeight, QImage::Format_Grayscale8);
    mask.fill(0);
    {
        QPainter p(&mask);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawPath(shape);
    }
    // Largest rectangle under a histogram, row by row.
    std::vector<int> height(kMouseCanvasWidth + 1, 0);
    QRect best;
    for (int y = 0; y < kMouseCanvasHeight; ++y) {
        const uchar *row = mask.constScanLine(y);
        for (int x = 0; x < kMouseCanvasWidth; ++x)
            height[x] = row[x] ? height[x] + 1 : 0;
        std::vector<int> stack;
        for (int x = 0; x <= kMouseCanvasWidth; ++x) {
            const int h = x < kMouseCanvasWidth ? height[x] : 0;
            while (!stack.empty() && height[stack.back()] >= h) {
                const int top = height[stack.back()];
                stack.pop_back();
                const int left = stack.empty() ? 0 : stack.back() + 1;
                const int w = x - left;
                if (qint64(w) * top > qint64(best.width()) * best.height())
                    best = QRect(left, y - top + 1, w, top);
            }
            if (x < kMouseCanvasWidth)
                stack.push_back(x);
        }
    }
    return best;
}

QString mouseGeometryScript()
{
    QString js = QStringLiteral(
        "// SPDX-License-Identifier: GPL-2.0-or-later\n"
        ".pragma library\n"
        "// Where each button of the mouse lies on the mouse pictures, in pixels of the\n"
        "// 440 x 500 canvas that the views and their overlays share.\n"
        "//   front[i], side[i]: { x, y, w, h } of button i on the view from above and\n"
        "//   on the view from the left side; i: 0 left, 1 right, 2 wheel, 3 forward,\n"
        "//   4 back, 5 DPI+, 6 DPI-, 7 fire.\n"
        "// Each rectangle lies wholly on the button's highlighted shape, so they never\n"
        "// overlap. Written by the pictures' drawing program from the shapes it draws.\n\n"
        "var canvasWidth = 440\n"
        "var canvasHeight = 500\n");
    auto table = [](const char *name, const MouseView &view) {
        QString s = QStringLiteral("\nvar %1 = [\n").arg(QLatin1String(name));
        for (int b = 0; b < kMouseButtons; ++b) {
            const QRect r = hotspot(view.buttons[b]);
            s += QStringLiteral("    { x: %1, y: %2, w: %3, h: %4 }%5 // %6\n")
                     .arg(r.x())
                     .arg(r.y())
                     .arg(r.width())
                     .arg(r.height())
                     .arg(b + 1 < kMouseButtons ? "," : "")
                     .arg(QLatin1String(kButtonNames[b]));
        }
        return s + QStringLiteral("]\n");
    };
    js += table("front", mouseFrontView());
    js += table("side", mouseSideView());
    js += QStringLiteral(
        "\n// The button whose rectangle in `rects` (front or side) holds (x, y), or -1.\n"
        "function buttonAt(rects, x, y) {\n"
        "    for (var i = 0; i < rects.length; ++i) {\n"
        "        var r = rects[i]\n"
        "        if (x >= r.x && x < r.x + r.w && y >= r.y && y < r.y + r.h)\n"
        "            return i\n"
        "    }\n"
        "    return -1\n"
        "}\n");
    return js;
}

void addMouse(Pictures &out)
{
    const QSize canvas(kMouseCanvasWidth, kMouseCanvasHeight);
    out.push_back({kMouse, QStringLiteral("mouseFront.png"), canvas, paintFront, {}});
    out.push_back({kMouse, QStringLiteral("mouseSide.png"), canvas, paintSide, {}});
    addOverlays(out, QStringLiteral("mouse"), mouseFrontView);
    addOverlays(out, QStringLiteral("mouseSide"), mouseSideView);
    const QSize button(32, 32);
    out.push_back({kMouse,
                   QStringLiteral("MouseSidebtnN.png"),
                   button,
                   [](QPainter &p) { viewSwitch(p, Look::Normal); },
                   {}});
    out.push_back({kMouse,
                   QStringLiteral("MouseSidebtnH.png"),
                   button,
                   [](QPainter &p) { viewSwitch(p, Look::Hover); },
                   {}});
    out.push_back({kMouse,
                   QStringLiteral("MouseSidebtnS.png"),
                   button,
                   [](QPainter &p) { viewSwitch(p, Look::Selected); },
                   {}});
    out.push_back({kMouse,
                   QStringLiteral("lightBtn.png"),
                   button,
                   [](QPainter &p) { lightButton(p, false); },
                   {}});
    out.push_back({kMouse,
                   QStringLiteral("lightBtnS.png"),
                   button,
                   [](QPainter &p) { lightButton(p, true); },
                   {}});
}

} // namespace art
