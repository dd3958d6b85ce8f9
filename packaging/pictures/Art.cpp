// SPDX-License-Identifier: GPL-2.0-or-later
#include "Art.h"

#include <QFont>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QtMath>

namespace art {

QImage transparentCanvas(int w, int h)
{
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    return img;
}

QImage render(const Picture &picture, int scale)
{
    if (picture.raster)
        return picture.raster(scale);
    QImage img = transparentCanvas(picture.size.width() * scale, picture.size.height() * scale);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.scale(scale, scale);
    picture.paint(p);
    p.end();
    return img;
}

QString resourcePrefix(const QString &group)
{
    return QLatin1Char('/') + group;
}

QString resourceAlias(const QString &group, const QString &file)
{
    if (group.isEmpty())
        return QStringLiteral("modules/img/") + file;
    return QStringLiteral("modules/img/skin1/%1/%2").arg(group, file);
}

QFont font(qreal pixelSize, bool bold)
{
    // A fixed family: the pictures must come out the same on every build host.
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(qRound(pixelSize));
    f.setBold(bold);
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

void text(QPainter &p, const QRectF &box, const QString &s, qreal pixelSize, const QColor &c,
          bool bold, Qt::Alignment align)
{
    // Drawn as a path so that the 2x picture is the 1x one scaled, not
    // re-hinted at another size.
    QFont f = font(pixelSize, bold);
    f.setPixelSize(100);
    const QFontMetricsF m(f);
    const qreal k = pixelSize / 100.0;
    const qreal w = m.horizontalAdvance(s) * k;
    const qreal cap = m.capHeight() * k;
    qreal x = box.left();
    if (align & Qt::AlignHCenter)
        x = box.center().x() - w / 2;
    else if (align & Qt::AlignRight)
        x = box.right() - w;
    const qreal y = box.center().y() + cap / 2;
    QPainterPath path;
    path.addText(0, 0, f, s);
    p.save();
    p.translate(x, y);
    p.scale(k, k);
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawPath(path);
    p.restore();
}

QPen stroke(const QColor &c, qreal width)
{
    return QPen(c, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

QColor glyphColor(Look look)
{
    switch (look) {
    case Look::Normal:
        return kGray3;
    case Look::Hover:
        return Qt::white;
    case Look::Pressed:
        return kOrange;
    case Look::Selected:
        return Qt::white;
    case Look::Disabled:
        return QColor(0x5a, 0x5d, 0x63);
    }
    return kGray3;
}

void buttonPlate(QPainter &p, const QRectF &r, Look look, qreal radius)
{
    p.save();
    const QRectF inner = r.adjusted(0.5, 0.5, -0.5, -0.5);
    switch (look) {
    case Look::Normal:
    case Look::Disabled:
        break;
    case Look::Hover: {
        QLinearGradient g(r.topLeft(), r.bottomLeft());
        g.setColorAt(0, QColor(255, 255, 255, 52));
        g.setColorAt(1, QColor(255, 255, 255, 26));
        p.setBrush(g);
        p.setPen(QPen(kOrangeDeep, 1));
        p.drawRoundedRect(inner, radius, radius);
        break;
    }
    case Look::Pressed: {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 150));
        p.drawRoundedRect(inner, radius, radius);
        // Inset: a shadow along the top edge, a faint light along the bottom.
        p.setClipRect(r);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(0, 0, 0, 200), 1.5));
        p.drawRoundedRect(inner.adjusted(0, 0.5, 0, 2), radius, radius);
        p.setPen(QPen(QColor(255, 122, 26, 110), 1));
        p.drawRoundedRect(inner, radius, radius);
        break;
    }
    case Look::Selected: {
        QLinearGradient g(r.topLeft(), r.bottomLeft());
        g.setColorAt(0, QColor(0xe8, 0x55, 0x0c));
        g.setColorAt(1, kOrangeDeep);
        p.setBrush(g);
        p.setPen(QPen(kOrange, 1));
        p.drawRoundedRect(inner, radius, radius);
        break;
    }
    }
    p.restore();
}

std::function<void(QPainter &)> iconButton(Glyph glyph, Look look)
{
    return [glyph, look](QPainter &p) {
        buttonPlate(p, QRectF(0, 0, 24, 24), look);
        if (look == Look::Pressed)
            p.translate(0, 1); // the face sinks
        glyph(p, glyphColor(look));
    };
}

void checkBox(QPainter &p, bool checked)
{
    const QRectF r(1.5, 1.5, 13, 13);
    if (checked) {
        QLinearGradient g(r.topLeft(), r.bottomLeft());
        g.setColorAt(0, QColor(0xe8, 0x55, 0x0c));
        g.setColorAt(1, kOrangeDeep);
        p.setBrush(g);
        p.setPen(QPen(kOrange, 1));
    } else {
        p.setBrush(QColor(0x14, 0x15, 0x19));
        p.setPen(QPen(QColor(0x6a, 0x6e, 0x77), 1));
    }
    p.drawRoundedRect(r, 2.5, 2.5);
    if (checked) {
        p.setPen(stroke(Qt::white, 1.8));
        p.setBrush(Qt::NoBrush);
        QPolygonF t;
        t << QPointF(4.5, 8.2) << QPointF(7, 10.8) << QPointF(11.8, 5.4);
        p.drawPolyline(t);
    }
}

void wideButton(QPainter &p, const QRectF &r, Look look)
{
    p.save();
    const QRectF inner = r.adjusted(0.5, 0.5, -0.5, -0.5);
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    QColor border = QColor(0x2a, 0x5a, 0xb0);
    switch (look) {
    case Look::Normal:
    case Look::Disabled:
        g.setColorAt(0, QColor(0x0f, 0x44, 0x9e));
        g.setColorAt(1, kBlue);
        break;
    case Look::Hover:
        g.setColorAt(0, QColor(0x1d, 0x5c, 0xc4));
        g.setColorAt(1, QColor(0x12, 0x47, 0xa3));
        border = kOrange;
        break;
    case Look::Pressed:
        g.setColorAt(0, QColor(0x04, 0x1c, 0x48));
        g.setColorAt(1, QColor(0x07, 0x28, 0x62));
        border = kOrangeDeep;
        break;
    case Look::Selected:
        g.setColorAt(0, QColor(0xe8, 0x55, 0x0c));
        g.setColorAt(1, kOrangeDeep);
        border = kOrange;
        break;
    }
    p.setBrush(g);
    p.setPen(QPen(border, 1));
    p.drawRoundedRect(inner, 3, 3);
    if (look == Look::Pressed) {
        p.setClipRect(r);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(0, 0, 0, 170), 2));
        p.drawLine(QPointF(r.left() + 2, r.top() + 2), QPointF(r.right() - 2, r.top() + 2));
    } else {
        // A thin light line just below the top edge reads as a raised face.
        p.setPen(QPen(QColor(255, 255, 255, look == Look::Hover ? 70 : 40), 1));
        p.drawLine(QPointF(r.left() + 3, r.top() + 1.5), QPointF(r.right() - 3, r.top() + 1.5));
    }
    p.restore();
}

void panelBackground(QPainter &p, const QRectF &r, qreal titleHeight)
{
    p.save();
    QPainterPath shape;
    shape.addRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), 6, 6);
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, QColor(0x20, 0x22, 0x27));
    g.setColorAt(1, kPanel);
    p.fillPath(shape, g);
    p.setClipPath(shape);
    if (titleHeight > 0) {
        QLinearGradient t(r.topLeft(), QPointF(r.left(), r.top() + titleHeight));
        t.setColorAt(0, QColor(0x2c, 0x30, 0x38));
        t.setColorAt(1, QColor(0x1f, 0x22, 0x28));
        p.fillRect(QRectF(r.left(), r.top(), r.width(), titleHeight), t);
        p.fillRect(QRectF(r.left(), r.top() + titleHeight - 1, r.width(), 1), QColor(0, 0, 0));
        // The accent: an orange bar at the title's left edge.
        p.fillRect(QRectF(r.left(), r.top() + 7, 3, titleHeight - 14), kOrangeDeep);
    }
    // Fine diagonal lines, as on the window background.
    p.setPen(QPen(QColor(255, 255, 255, 6), 1));
    const qreal top = r.top() + titleHeight;
    for (qreal x = r.left() - r.height(); x < r.right(); x += 14)
        p.drawLine(QPointF(x, r.bottom()), QPointF(x + r.height(), top - 0));
    p.setClipping(false);
    p.setPen(QPen(kBorder, 1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(shape);
    p.restore();
}

void tickScale(QPainter &p, const QRectF &r, int ticks, int majorEvery)
{
    p.save();
    const qreal step = (r.width() - 1) / (ticks - 1);
    for (int i = 0; i < ticks; ++i) {
        const bool major = i % majorEvery == 0 || i == ticks - 1;
        const qreal x = r.left() + 0.5 + i * step;
        p.setPen(QPen(major ? kGray2 : QColor(0x5c, 0x5f, 0x66), 1));
        p.drawLine(QPointF(x, r.top() + (major ? 0 : r.height() * 0.375)), QPointF(x, r.bottom()));
    }
    p.restore();
}

void chevron(QPainter &p, const QRectF &r, bool up, const QColor &c, qreal width)
{
    p.save();
    p.setPen(stroke(c, width));
    p.setBrush(Qt::NoBrush);
    const QPointF m = r.center();
    const qreal dx = r.width() * 0.3, dy = r.height() * 0.16;
    const qreal s = up ? -1 : 1;
    QPolygonF line;
    line << QPointF(m.x() - dx, m.y() - s * dy) << QPointF(m.x(), m.y() + s * dy)
         << QPointF(m.x() + dx, m.y() - s * dy);
    p.drawPolyline(line);
    p.restore();
}

void gear(QPainter &p, QPointF c, qreal r, const QColor &color)
{
    p.save();
    QPainterPath teeth;
    const int n = 8;
    for (int i = 0; i < n; ++i) {
        const qreal a = i * 360.0 / n;
        QTransform t;
        t.translate(c.x(), c.y());
        t.rotate(a);
        QPainterPath tooth;
        tooth.addRoundedRect(QRectF(-r * 0.2, -r, r * 0.4, r * 0.5), r * 0.08, r * 0.08);
        teeth.addPath(t.map(tooth));
    }
    QPainterPath body;
    body.addEllipse(c, r * 0.72, r * 0.72);
    QPainterPath hole;
    hole.addEllipse(c, r * 0.3, r * 0.3);
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    p.drawPath(body.united(teeth).subtracted(hole));
    p.restore();
}

} // namespace art
