// Draws the window's pictures (frame, title logo, power-on logo, title-bar
// buttons) into src/qml/img. Run by hand when the artwork changes:
//   g++ -std=c++17 -fPIC draw-pictures.cpp $(pkg-config --cflags --libs Qt6Gui) -o /tmp/draw
//   QT_QPA_PLATFORM=offscreen /tmp/draw src/qml/img packaging/kestrel-talon.png
//   convert packaging/kestrel-talon.png -define icon:auto-resize=256,48,32,16 modules/img/logo.ico
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace {

const QColor kOrange(0xff, 0x7a, 0x1a);
const QColor kOrangeDeep(0xcf, 0x3e, 0x00);
const QColor kInk(0x12, 0x14, 0x18);
const QColor kGraphite(0x23, 0x26, 0x2d);

QImage canvas(int w, int h)
{
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    return img;
}

// The talon mark: three claws fanning from a common heel.
void drawMark(QPainter &p, const QRectF &box, qreal alpha = 1.0)
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
    p.setOpacity(alpha);
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

void wordmark(QPainter &p, const QRectF &box, int pixelSize, Qt::Alignment align)
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(pixelSize);
    f.setBold(true);
    f.setLetterSpacing(QFont::AbsoluteSpacing, pixelSize * 0.18);
    p.setFont(f);
    const QString first = QStringLiteral("KESTREL ");
    const QString second = QStringLiteral("TALON");
    const QFontMetricsF m(f);
    const qreal total = m.horizontalAdvance(first + second);
    qreal x = align & Qt::AlignHCenter ? box.center().x() - total / 2 : box.left();
    const qreal y = box.center().y() + m.capHeight() / 2;
    p.setPen(QColor(0xf2, 0xf2, 0xf2));
    p.drawText(QPointF(x, y), first);
    p.setPen(kOrange);
    p.drawText(QPointF(x + m.horizontalAdvance(first), y), second);
}

QImage background()
{
    QImage img = canvas(1024, 640);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
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
    drawMark(p, QRectF(700, 300, 420, 420), 0.05);
    p.setPen(QPen(QColor(255, 255, 255, 28), 1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(frame);
    return img;
}

QImage titleBar()
{
    QImage img = canvas(1024, 48);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath bar;
    bar.addRoundedRect(QRectF(0.5, 0.5, 1023, 60), 10, 10);
    QLinearGradient g(0, 0, 0, 48);
    g.setColorAt(0, QColor(0x30, 0x34, 0x3d));
    g.setColorAt(1, QColor(0x1c, 0x1f, 0x25));
    p.setClipRect(0, 0, 1024, 47);
    p.fillPath(bar, g);
    p.setClipping(false);
    QLinearGradient line(0, 0, 1024, 0);
    line.setColorAt(0, QColor(255, 122, 26, 0));
    line.setColorAt(0.5, kOrange);
    line.setColorAt(1, QColor(255, 122, 26, 0));
    p.fillRect(QRectF(0, 46, 1024, 2), line);
    return img;
}

QImage titleLogo()
{
    QImage img = canvas(260, 28);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    drawMark(p, QRectF(0, 0, 28, 28));
    wordmark(p, QRectF(36, 0, 224, 28), 15, Qt::AlignLeft);
    return img;
}

// A dark card, legible on any desktop, with the centre left free for the
// busy indicator that sits on top of it while the program starts.
QImage powerOn()
{
    QImage img = canvas(460, 330);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
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
    drawMark(p, QRectF(170, 22, 120, 120));
    wordmark(p, QRectF(0, 200, 460, 40), 30, Qt::AlignHCenter);
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(13);
    f.setLetterSpacing(QFont::AbsoluteSpacing, 6);
    p.setFont(f);
    p.setPen(QColor(0x96, 0x96, 0x96));
    p.drawText(QRectF(0, 248, 460, 30), Qt::AlignCenter, QStringLiteral("MOUSE  X420"));
    return img;
}

enum Glyph { Minimise, Close, Help };

QImage button(Glyph glyph, bool hover)
{
    QImage img = canvas(24, 24);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    if (hover) {
        p.setPen(Qt::NoPen);
        p.setBrush(glyph == Close ? QColor(0xcf, 0x3e, 0x00) : QColor(255, 255, 255, 36));
        p.drawRoundedRect(QRectF(0, 0, 24, 24), 5, 5);
    }
    p.setPen(QPen(hover ? QColor(Qt::white) : QColor(0xd1, 0xd1, 0xd1), 1.8, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    switch (glyph) {
    case Minimise:
        p.drawLine(QPointF(7, 12.5), QPointF(17, 12.5));
        break;
    case Close:
        p.drawLine(QPointF(7.5, 7.5), QPointF(16.5, 16.5));
        p.drawLine(QPointF(16.5, 7.5), QPointF(7.5, 16.5));
        break;
    case Help: {
        QFont f(QStringLiteral("DejaVu Sans"));
        f.setPixelSize(15);
        f.setBold(true);
        p.setFont(f);
        p.drawText(QRectF(0, 0, 24, 24), Qt::AlignCenter, QStringLiteral("?"));
        break;
    }
    }
    return img;
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("img");
    const QString index = out + QStringLiteral("/skin1/index");
    QDir().mkpath(index);
    background().save(out + QStringLiteral("/background.png"));
    titleBar().save(out + QStringLiteral("/titleBar.png"));
    titleLogo().save(out + QStringLiteral("/titleLogo.png"));
    powerOn().save(index + QStringLiteral("/powerOn.png"));
    powerOn().scaled(230, 165, Qt::KeepAspectRatio, Qt::SmoothTransformation)
        .save(index + QStringLiteral("/mainLogo.png"));
    button(Minimise, false).save(index + QStringLiteral("/minBtn.png"));
    button(Minimise, true).save(index + QStringLiteral("/minBtnH.png"));
    button(Close, false).save(index + QStringLiteral("/closeBtn.png"));
    button(Close, true).save(index + QStringLiteral("/closeBtnH.png"));
    button(Help, false).save(index + QStringLiteral("/ask.png"));
    button(Help, true).save(index + QStringLiteral("/askH.png"));
    if (argc > 2) {
        QImage icon = canvas(256, 256);
        QPainter p(&icon);
        p.setRenderHint(QPainter::Antialiasing);
        QPainterPath tile;
        tile.addRoundedRect(QRectF(8, 8, 240, 240), 48, 48);
        QLinearGradient g(0, 0, 0, 256);
        g.setColorAt(0, kGraphite);
        g.setColorAt(1, kInk);
        p.fillPath(tile, g);
        drawMark(p, QRectF(38, 30, 180, 180));
        p.end();
        icon.save(QString::fromLocal8Bit(argv[2]));
    }
    return 0;
}
