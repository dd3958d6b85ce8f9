// SPDX-License-Identifier: GPL-2.0-or-later
// Draws every picture of the scene at 1x and 2x with the resource file that
// lists them, the application icon (PNG sizes, SVG, the tray's ICO), the
// mouse hotspot table, and, on request, contact sheets to look at them.
//   talon-pictures --out DIR [--icons DIR] [--ico FILE] [--geometry FILE] [--sheets DIR]
// Run on the offscreen platform; the output depends on nothing but the code
// and the DejaVu fonts.
#include "Art.h"
#include "Mouse.h"

#include <QBuffer>
#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QSaveFile>
#include <QSvgGenerator>
#include <QtEndian>
#include <QtMath>

#include <cstdio>
#include <map>

using namespace art;

namespace {

Pictures allPictures()
{
    Pictures all;
    addFrame(all);
    addIndex(all);
    addMouse(all);
    addSettings(all);
    addMacros(all);
    addGuns(all);
    return all;
}

QString folderOf(const Picture &p)
{
    return p.group.isEmpty() ? QStringLiteral("frame") : p.group;
}

QString at2x(const QString &file)
{
    return QString(file).insert(file.lastIndexOf(QLatin1Char('.')), QStringLiteral("@2x"));
}

bool writeFile(const QString &path, const QByteArray &data)
{
    QDir().mkpath(QFileInfo(path).path());
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    f.write(data);
    return f.commit();
}

QByteArray png(const QImage &img)
{
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    img.save(&buffer, "PNG");
    return data;
}

bool writePictures(const Pictures &all, const QString &out)
{
    // One qresource per prefix; files keep the order they were drawn in.
    std::map<QString, QStringList> entries;
    for (const Picture &p : all) {
        for (int scale : {1, 2}) {
            const QImage img = render(p, scale);
            if (img.size() != p.size * scale) {
                std::fprintf(stderr, "%s: drawn at the wrong size\n", qPrintable(p.file));
                return false;
            }
            const QString file = scale == 1 ? p.file : at2x(p.file);
            const QString relative = QStringLiteral("img/%1/%2").arg(folderOf(p), file);
            if (!writeFile(out + QLatin1Char('/') + relative, png(img)))
                return false;
            entries[resourcePrefix(p.group)]
                << QStringLiteral("        <file alias=\"%1\">%2</file>\n")
                       .arg(resourceAlias(p.group, file), relative);
        }
    }
    QString qrc = QStringLiteral("<RCC>\n");
    for (const auto &[prefix, files] : entries)
        qrc += QStringLiteral("    <qresource prefix=\"%1\">\n%2    </qresource>\n")
                   .arg(prefix, files.join(QString()));
    qrc += QStringLiteral("</RCC>\n");
    return writeFile(out + QStringLiteral("/pictures.qrc"), qrc.toUtf8());
}

QImage iconImage(int size)
{
    QImage img = transparentCanvas(size, size);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    paintAppIcon(p, size);
    return img;
}

// A Windows icon file: small sizes as 32-bit bitmaps, which every reader
// takes, 256 as PNG, as is usual.
QByteArray icoFile(const QList<int> &sizes)
{
    QList<QByteArray> images;
    for (int size : sizes) {
        const QImage img = iconImage(size).convertToFormat(QImage::Format_ARGB32);
        if (size >= 256) {
            images << png(img);
            continue;
        }
        QByteArray dib(40, '\0');
        qToLittleEndian<quint32>(40, dib.data());
        qToLittleEndian<qint32>(size, dib.data() + 4);
        qToLittleEndian<qint32>(size * 2, dib.data() + 8); // colour plus mask rows
        qToLittleEndian<quint16>(1, dib.data() + 12);
        qToLittleEndian<quint16>(32, dib.data() + 14);
        for (int y = size - 1; y >= 0; --y)
            dib.append(reinterpret_cast<const char *>(img.constScanLine(y)), size * 4);
        const int maskStride = ((size + 31) / 32) * 4;
        dib.append(QByteArray(maskStride * size, '\0')); // alpha decides, mask all opaque
        images << dib;
    }
    QByteArray ico(6 + 16 * images.size(), '\0');
    qToLittleEndian<quint16>(1, ico.data() + 2);
    qToLittleEndian<quint16>(images.size(), ico.data() + 4);
    quint32 offset = ico.size();
    for (int i = 0; i < images.size(); ++i) {
        char *e = ico.data() + 6 + 16 * i;
        e[0] = char(sizes[i] >= 256 ? 0 : sizes[i]);
        e[1] = char(sizes[i] >= 256 ? 0 : sizes[i]);
        qToLittleEndian<quint16>(1, e + 4);
        qToLittleEndian<quint16>(32, e + 6);
        qToLittleEndian<quint32>(images[i].size(), e + 8);
        qToLittleEndian<quint32>(offset, e + 12);
        offset += images[i].size();
    }
    for (const QByteArray &img : images)
        ico += img;
    return ico;
}

bool writeIcons(const QString &dir)
{
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString path =
            QStringLiteral("%1/hicolor/%2x%2/apps/kestrel-talon.png").arg(dir).arg(size);
        if (!writeFile(path, png(iconImage(size))))
            return false;
    }
    const QString svgPath = dir + QStringLiteral("/hicolor/scalable/apps/kestrel-talon.svg");
    QDir().mkpath(QFileInfo(svgPath).path());
    QBuffer svg;
    svg.open(QIODevice::WriteOnly);
    {
        QSvgGenerator generator;
        generator.setOutputDevice(&svg);
        generator.setSize(QSize(256, 256));
        generator.setViewBox(QRect(0, 0, 256, 256));
        generator.setTitle(QStringLiteral("Kestrel Talon"));
        QPainter p(&generator);
        p.setRenderHint(QPainter::Antialiasing);
        paintAppIcon(p, 256);
    }
    return writeFile(svgPath, svg.data());
}

// ---- contact sheets --------------------------------------------------------

struct Cell
{
    QString label;
    QList<QImage> images;
};

// Lays the cells out in rows on a dark ground with their labels.
QImage sheet(const QString &title, const QList<Cell> &cells, int maxWidth)
{
    const int pad = 16, labelHeight = 18, titleHeight = 40;
    struct Placed
    {
        QPoint at;
        const Cell *cell;
    };
    QList<Placed> placed;
    int x = pad, y = titleHeight, rowHeight = 0, width = 0;
    for (const Cell &c : cells) {
        int w = 0, h = 0;
        for (const QImage &img : c.images) {
            w += img.width() + (w ? 8 : 0);
            h = qMax(h, img.height());
        }
        w = qMax(w, qCeil(QFontMetricsF(font(11)).horizontalAdvance(c.label)));
        if (x + w > maxWidth && x > pad) {
            x = pad;
            y += rowHeight + pad;
            rowHeight = 0;
        }
        placed.push_back({QPoint(x, y), &c});
        x += w + pad;
        width = qMax(width, x);
        rowHeight = qMax(rowHeight, h + labelHeight);
    }
    QImage img(qMax(width, 400), y + rowHeight + pad, QImage::Format_ARGB32_Premultiplied);
    img.fill(QColor(0x0e, 0x0f, 0x12));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(kOrange);
    p.setFont(font(18, true));
    p.drawText(QPointF(pad, 27), title);
    p.setFont(font(11));
    for (const Placed &pl : placed) {
        p.setPen(kGray2);
        p.drawText(QPointF(pl.at.x(), pl.at.y() + 12), pl.cell->label);
        int cx = pl.at.x();
        for (const QImage &part : pl.cell->images) {
            // A faint frame shows each picture's extent.
            p.setPen(QPen(QColor(255, 255, 255, 24), 1));
            p.setBrush(Qt::NoBrush);
            p.drawRect(QRectF(cx - 0.5, pl.at.y() + labelHeight - 0.5, part.width() + 1,
                              part.height() + 1));
            p.drawImage(cx, pl.at.y() + labelHeight, part);
            cx += part.width() + 8;
        }
    }
    return img;
}

QImage composite(const QImage &base, const QImage &overlay)
{
    QImage out = base;
    QPainter p(&out);
    p.drawImage(0, 0, overlay);
    return out;
}

bool writeSheets(const Pictures &all, const QString &dir)
{
    std::map<QString, QList<Cell>> groups;
    std::map<QString, QImage> mouse;
    for (const Picture &p : all) {
        const QImage one = render(p, 1);
        if (p.group == QLatin1String("mouse"))
            mouse[p.file] = one;
        if (p.group == QLatin1String("mouse") && p.size.width() == kMouseCanvasWidth)
            continue; // shown composited below
        Cell c{QStringLiteral("%1 %2x%3").arg(p.file).arg(p.size.width()).arg(p.size.height()),
               {one}};
        if (p.size.width() <= 240)
            c.images << render(p, 2);
        groups[folderOf(p)] << c;
    }
    for (const QString &view : {QStringLiteral("mouse"), QStringLiteral("mouseSide")}) {
        const QImage base = mouse[view == QLatin1String("mouse") ? QStringLiteral("mouseFront.png")
                                                                 : QStringLiteral("mouseSide.png")];
        QList<Cell> cells{{QStringLiteral("base"), {base}}};
        for (int b = 0; b < kMouseButtons; ++b)
            for (const char *suffix : {"", "S"}) {
                const QString name = QStringLiteral("%1%2%3.png").arg(view).arg(b).arg(suffix);
                cells << Cell{name, {composite(base, mouse[name])}};
            }
        const QImage img = sheet(view + QStringLiteral(" overlays on the base view"), cells, 2000);
        if (!img.save(QStringLiteral("%1/sheet-%2-overlays.png").arg(dir, view)))
            return false;
    }
    // The pictures where the window puts them, to judge them together.
    {
        std::map<QString, QImage> byName;
        for (const Picture &p : all)
            byName[p.file] = render(p, 1);
        QImage window = byName[QStringLiteral("background.png")];
        QPainter p(&window);
        const std::pair<const char *, QPoint> placed[] = {
            {"titleBar.png", {0, 0}},       {"titleLogo.png", {24, 12}},
            {"ask.png", {920, 16}},         {"minBtnH.png", {960, 16}},
            {"closeBtn.png", {1000, 16}},   {"dpiSettingBG.png", {768, 56}},
            {"mouseFront.png", {292, 64}},  {"mouse0.png", {292, 64}},
            {"mouse2S.png", {292, 64}},     {"MouseSidebtnN.png", {476, 572}},
            {"lightBtnS.png", {532, 572}},  {"macroKeyBg.png", {24, 500}},
            {"reportRate3.png", {24, 540}}, {"slide.png", {800, 120}},
            {"scale.png", {784, 140}}};
        for (const auto &[name, at] : placed)
            p.drawImage(at, byName[QLatin1String(name)]);
        p.end();
        if (!window.save(dir + QStringLiteral("/sheet-window.png")))
            return false;
    }
    for (const auto &[group, cells] : groups) {
        const QImage img = sheet(group + QStringLiteral(" (1x and 2x)"), cells, 1600);
        if (!img.save(QStringLiteral("%1/sheet-%2.png").arg(dir, group)))
            return false;
    }
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    QCommandLineParser parser;
    const QCommandLineOption out(QStringLiteral("out"), QStringLiteral("Pictures and .qrc"),
                                 QStringLiteral("dir"));
    const QCommandLineOption icons(QStringLiteral("icons"), QStringLiteral("Icon theme folder"),
                                   QStringLiteral("dir"));
    const QCommandLineOption ico(QStringLiteral("ico"), QStringLiteral("Tray icon file"),
                                 QStringLiteral("file"));
    const QCommandLineOption geometry(
        QStringLiteral("geometry"), QStringLiteral("Mouse hotspot script"), QStringLiteral("file"));
    const QCommandLineOption sheets(QStringLiteral("sheets"), QStringLiteral("Contact sheets"),
                                    QStringLiteral("dir"));
    parser.addOptions({out, icons, ico, geometry, sheets});
    parser.process(app);

    const Pictures all = allPictures();
    bool ok = true;
    if (parser.isSet(out))
        ok = ok && writePictures(all, parser.value(out));
    if (parser.isSet(icons))
        ok = ok && writeIcons(parser.value(icons));
    if (parser.isSet(ico))
        ok = ok && writeFile(parser.value(ico), icoFile({16, 24, 32, 48, 64, 256}));
    if (parser.isSet(geometry))
        ok = ok && writeFile(parser.value(geometry), mouseGeometryScript().toUtf8());
    if (parser.isSet(sheets)) {
        QDir().mkpath(parser.value(sheets));
        ok = ok && writeSheets(all, parser.value(sheets));
    }
    if (!ok)
        std::fprintf(stderr, "talon-pictures: could not write the output\n");
    return ok ? 0 : 1;
}
