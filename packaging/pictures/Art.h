// SPDX-License-Identifier: GPL-2.0-or-later
// Shared palette, the picture registry and the drawing helpers every group
// uses, so that all pictures share one look: dark graphite, crisp 1 px
// borders, orange for hover, current and selected.
#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRectF>
#include <QSize>
#include <QString>

#include <functional>
#include <vector>

namespace art {

// The interface's colours.
inline const QColor kOrange(0xff, 0x7a, 0x1a);     // light accent (logo, glows)
inline const QColor kOrangeDeep(0xcf, 0x3e, 0x00); // hover, current, selected
inline const QColor kInk(0x12, 0x14, 0x18);
inline const QColor kGraphite(0x23, 0x26, 0x2d);
inline const QColor kPanel(0x1a, 0x1a, 0x1a);
inline const QColor kBorder(0x3c, 0x3c, 0x3c);
inline const QColor kGray2(0x96, 0x96, 0x96);
inline const QColor kGray3(0xd1, 0xd1, 0xd1);
inline const QColor kBlue(0x09, 0x34, 0x7f);

// The state a control picture shows.
enum class Look { Normal, Hover, Pressed, Selected, Disabled };

struct Picture
{
    QString group; // empty for the window frame
    QString file;
    QSize size;                              // at 1x
    std::function<void(QPainter &)> paint;   // vector drawing in 1x coordinates
    std::function<QImage(int scale)> raster; // for pictures defined pixel by pixel
};
using Pictures = std::vector<Picture>;

void addFrame(Pictures &out);
void addIndex(Pictures &out);
void addMouse(Pictures &out);
void addSettings(Pictures &out);
void addMacros(Pictures &out);
void addGuns(Pictures &out);

// The application icon at a given edge length (simplified for small sizes).
void paintAppIcon(QPainter &p, qreal size);
// The talon mark inside `box`.
void paintMark(QPainter &p, const QRectF &box, qreal alpha = 1.0);

QImage render(const Picture &picture, int scale);
// The colour of column x of the hue strip of the given width.
QColor hueStripColor(int x, int width);
QImage transparentCanvas(int w, int h);

// Resource locations: the prefix of the group's qresource and the alias of
// a file in it.
QString resourcePrefix(const QString &group);
QString resourceAlias(const QString &group, const QString &file);

// Helpers.
QFont font(qreal pixelSize, bool bold = false);
void text(QPainter &p, const QRectF &box, const QString &s, qreal pixelSize, const QColor &c,
          bool bold = true, Qt::Alignment align = Qt::AlignCenter);
QPen stroke(const QColor &c, qreal width = 1.6);
// A glyph drawn in the given colour, in 24 x 24 coordinates.
using Glyph = std::function<void(QPainter &, const QColor &)>;
// A 24 x 24 icon button: the glyph on the plate of its state.
std::function<void(QPainter &)> iconButton(Glyph glyph, Look look);
// Glyphs more than one group uses.
void closeGlyph(QPainter &p, const QColor &c);
void saveGlyph(QPainter &p, const QColor &c);
// A 16 x 16 check box.
void checkBox(QPainter &p, bool checked);
// A rounded plate behind a small icon button, in the state's look.
void buttonPlate(QPainter &p, const QRectF &r, Look look, qreal radius = 5);
// The colour an icon glyph takes on a plate in the given state.
QColor glyphColor(Look look);
// A wide button background (icon at the left, the text comes from QML).
void wideButton(QPainter &p, const QRectF &r, Look look);
// A dialog or panel background with a title band of `titleHeight`.
void panelBackground(QPainter &p, const QRectF &r, qreal titleHeight);
// A horizontal scale of `ticks` marks.
void tickScale(QPainter &p, const QRectF &r, int ticks, int majorEvery);
// Bottom-pointing or top-pointing chevron centred in r.
void chevron(QPainter &p, const QRectF &r, bool up, const QColor &c, qreal width = 1.6);
// A gear of outer radius r centred at c.
void gear(QPainter &p, QPointF c, qreal r, const QColor &color);

} // namespace art
