// SPDX-License-Identifier: GPL-2.0-or-later
// The pictures as the build produced them: the hue strip's exact colours,
// the mouse hotspots against the overlays they belong to, state variants
// that differ visibly, the icons, and a second drawing run that must give
// the same bytes.
#include "view/SceneResources.h"

#include <QDirIterator>
#include <QFile>
#include <QImageReader>
#include <QJSEngine>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

class TestArtwork : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void hueStripColours_data();
    void hueStripColours();
    void everyPictureHasItsDoubleSizeVariant();
    void stateVariantsDifferVisibly();
    void hotspotsLieOnTheirButtons_data();
    void hotspotsLieOnTheirButtons();
    void hotspotTableMatchesTheDrawing();
    void iconsAtEverySize();
    void drawingIsReproducible();

private:
    QJSValue geometry(const QString &view);
    QJSEngine engine;
};

namespace {

const QString kMouseDir = QStringLiteral(":/mouse/modules/img/skin1/mouse/");

QImage resource(const QString &path)
{
    QImage img(path);
    return img.convertToFormat(QImage::Format_ARGB32);
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QStringList resourcePictures()
{
    QStringList files;
    QDirIterator it(QStringLiteral(":/"), QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString f = it.next();
        if (f.endsWith(QLatin1String(".png")) && f.contains(QLatin1String("/modules/img/")))
            files << f;
    }
    files.sort();
    return files;
}

// Share of the drawn pixels (of either picture) whose premultiplied
// channels differ by more than a faint shade in total.
double differingShare(const QImage &a, const QImage &b)
{
    const QImage x = a.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QImage y = b.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    int differing = 0, drawn = 0;
    for (int row = 0; row < x.height(); ++row)
        for (int col = 0; col < x.width(); ++col) {
            const QRgb p = x.pixel(col, row), q = y.pixel(col, row);
            if (qAlpha(p) == 0 && qAlpha(q) == 0)
                continue;
            ++drawn;
            const int d = qAbs(qRed(p) - qRed(q)) + qAbs(qGreen(p) - qGreen(q)) +
                          qAbs(qBlue(p) - qBlue(q)) + qAbs(qAlpha(p) - qAlpha(q));
            differing += d > 60;
        }
    return drawn ? double(differing) / drawn : 0;
}

} // namespace

void TestArtwork::initTestCase()
{
    registerSceneResources();
    QByteArray script = readAll(QStringLiteral(":/modules/qml/panels/MouseGeometry.js"));
    const qsizetype pragma = script.indexOf(".pragma library\n");
    QVERIFY(pragma >= 0);
    script.remove(pragma, int(qstrlen(".pragma library"))); // a QML-only directive
    const QJSValue result = engine.evaluate(QString::fromUtf8(script));
    QVERIFY2(!result.isError(), qPrintable(result.toString()));
}

QJSValue TestArtwork::geometry(const QString &view)
{
    return engine.globalObject().property(view);
}

void TestArtwork::hueStripColours_data()
{
    QTest::addColumn<int>("x");
    QTest::addColumn<QColor>("colour");
    // Strip 206 wide: sections of w = 34 columns.
    QTest::newRow("0: red") << 0 << QColor(255, 0, 0);
    QTest::newRow("w-1: end of red to yellow") << 33 << QColor(255, 247, 0);
    QTest::newRow("w: yellow") << 34 << QColor(255, 255, 0);
    QTest::newRow("2w: green") << 68 << QColor(0, 255, 0);
    QTest::newRow("3w+17: green to cyan, half way") << 119 << QColor(0, 255 - 127, 255);
    QTest::newRow("5w+3: magenta back to red") << 173 << QColor(255, 0, 233);
    QTest::newRow("W-2: white") << 204 << QColor(255, 255, 255);
    QTest::newRow("W-1: white") << 205 << QColor(255, 255, 255);
}

void TestArtwork::hueStripColours()
{
    QFETCH(int, x);
    QFETCH(QColor, colour);
    const QString one =
        QStringLiteral(":/lightControl/modules/img/skin1/lightControl/ColorBar.png");
    const QString two =
        QStringLiteral(":/lightControl/modules/img/skin1/lightControl/ColorBar@2x.png");
    const QImage strip = resource(one);
    QCOMPARE(strip.size(), QSize(206, 12));
    for (int y = 0; y < strip.height(); ++y)
        QCOMPARE(QColor(strip.pixel(x, y)), colour);
    // At 2x both device columns of position x carry its colour.
    const QImage sharp = resource(two);
    QCOMPARE(sharp.size(), QSize(412, 24));
    for (int col : {2 * x, 2 * x + 1})
        for (int y = 0; y < sharp.height(); ++y)
            QCOMPARE(QColor(sharp.pixel(col, y)), colour);
}

void TestArtwork::everyPictureHasItsDoubleSizeVariant()
{
    const QStringList files = resourcePictures();
    QVERIFY(files.size() > 300);
    int pairs = 0;
    for (const QString &f : files) {
        if (f.endsWith(QLatin1String("@2x.png")))
            continue;
        QString sharp = f;
        sharp.insert(f.size() - 4, QLatin1String("@2x"));
        QVERIFY2(files.contains(sharp), qPrintable(f));
        QCOMPARE(QImageReader(sharp).size(), QImageReader(f).size() * 2);
        ++pairs;
    }
    QCOMPARE(pairs * 2, files.size());
    QVERIFY(!QFile::exists(
        QStringLiteral(":/lightControl/modules/img/skin1/lightControl/lightControlBtn.png")));
}

// A hover, pressed or selected picture must not pass for its normal one.
void TestArtwork::stateVariantsDifferVisibly()
{
    const QStringList files = resourcePictures();
    static const QRegularExpression state(QStringLiteral("^(.*?)(N?)([HPS])\\.png$"));
    int compared = 0;
    for (const QString &f : files) {
        const QRegularExpressionMatch m = state.match(f);
        if (!m.hasMatch())
            continue;
        for (const QString &suffix : {QStringLiteral(""), QStringLiteral("N")}) {
            const QString normal = m.captured(1) + suffix + QStringLiteral(".png");
            if (normal == f || !files.contains(normal))
                continue;
            const double share = differingShare(resource(normal), resource(f));
            QVERIFY2(share > 0.1,
                     qPrintable(QStringLiteral("%1 vs %2: %3").arg(f, normal).arg(share)));
            ++compared;
        }
    }
    QVERIFY(compared > 40);
    // Hover and pressed apart as well.
    for (const char *stem : {"index/restBtn", "index/saveBtn"}) {
        const QString base = QStringLiteral(":/index/modules/img/skin1/") + QLatin1String(stem);
        QVERIFY(differingShare(resource(base + QStringLiteral("H.png")),
                               resource(base + QStringLiteral("P.png"))) > 0.1);
    }
}

void TestArtwork::hotspotsLieOnTheirButtons_data()
{
    QTest::addColumn<QString>("view");
    QTest::addColumn<QString>("picture");
    QTest::addColumn<int>("button");
    for (int b = 0; b < 8; ++b) {
        QTest::addRow("front %d", b) << QStringLiteral("front") << QStringLiteral("mouse") << b;
        QTest::addRow("side %d", b) << QStringLiteral("side") << QStringLiteral("mouseSide") << b;
    }
}

void TestArtwork::hotspotsLieOnTheirButtons()
{
    QFETCH(QString, view);
    QFETCH(QString, picture);
    QFETCH(int, button);
    const QJSValue rects = geometry(view);
    QCOMPARE(rects.property(QStringLiteral("length")).toInt(), 8);
    auto rectOf = [&rects](int i) {
        const QJSValue r = rects.property(quint32(i));
        return QRect(
            r.property(QStringLiteral("x")).toInt(), r.property(QStringLiteral("y")).toInt(),
            r.property(QStringLiteral("w")).toInt(), r.property(QStringLiteral("h")).toInt());
    };
    const QRect r = rectOf(button);
    QVERIFY2(QRect(0, 0, 440, 500).contains(r), qPrintable(view));
    QVERIFY(r.width() >= 5 && r.height() >= 5);

    const QPoint centre = r.center();
    const QPoint corners[] = {r.topLeft(), r.topRight(), r.bottomLeft(), r.bottomRight()};
    const QImage base =
        resource(kMouseDir + (view == QLatin1String("front") ? QStringLiteral("mouseFront.png")
                                                             : QStringLiteral("mouseSide.png")));
    QCOMPARE(qAlpha(base.pixel(centre)), 255); // the button is part of the drawn mouse
    for (const QString &suffix : {QString(), QStringLiteral("S")}) {
        const QImage own =
            resource(kMouseDir + QStringLiteral("%1%2%3.png").arg(picture).arg(button).arg(suffix));
        QVERIFY(qAlpha(own.pixel(centre)) >= 64);
        for (const QPoint &c : corners)
            QVERIFY(qAlpha(own.pixel(c)) > 0);
        // No other button lights up here.
        for (int other = 0; other < 8; ++other) {
            if (other == button)
                continue;
            const QImage theirs = resource(
                kMouseDir + QStringLiteral("%1%2%3.png").arg(picture).arg(other).arg(suffix));
            QCOMPARE(qAlpha(theirs.pixel(centre)), 0);
            QVERIFY(!rectOf(other).intersects(r));
        }
    }
    const QJSValue at = engine.globalObject().property(QStringLiteral("buttonAt"));
    QCOMPARE(at.call({rects, centre.x(), centre.y()}).toInt(), button);
    QCOMPARE(at.call({rects, 0, 0}).toInt(), -1);
}

// The table in the sources is the one the drawing program derives from the
// shapes it draws.
void TestArtwork::hotspotTableMatchesTheDrawing()
{
    const QByteArray drawn = readAll(QStringLiteral(TALON_PICTURES_DIR "/MouseGeometry.js"));
    QVERIFY(!drawn.isEmpty());
    QCOMPARE(readAll(QStringLiteral(":/modules/qml/panels/MouseGeometry.js")), drawn);
}

void TestArtwork::iconsAtEverySize()
{
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString path =
            QStringLiteral(TALON_ICON_DIR "/hicolor/%1x%1/apps/kestrel-talon.png").arg(size);
        const QImage icon(path);
        QCOMPARE(icon.size(), QSize(size, size));
        QCOMPARE(qAlpha(icon.pixel(size / 2, size / 2)), 255);
        QCOMPARE(qAlpha(icon.pixel(0, 0)), 0); // rounded tile
    }
    QImageReader svg(QStringLiteral(TALON_ICON_DIR "/hicolor/scalable/apps/kestrel-talon.svg"));
    svg.setScaledSize(QSize(64, 64));
    const QImage fromSvg = svg.read();
    QVERIFY2(!fromSvg.isNull(), qPrintable(svg.errorString()));
    QCOMPARE(qAlpha(fromSvg.pixel(32, 32)), 255);

    // The tray's icon file holds every size a panel may ask for.
    QImageReader ico(QStringLiteral(TALON_TRAY_ICON), "ico");
    QList<int> sizes;
    for (int i = 0; i < ico.imageCount(); ++i) {
        QVERIFY(ico.jumpToImage(i));
        const QImage img = ico.read();
        QVERIFY2(!img.isNull(), qPrintable(ico.errorString()));
        QCOMPARE(img.width(), img.height());
        QCOMPARE(qAlpha(img.pixel(img.width() / 2, img.height() / 2)), 255);
        sizes << img.width();
    }
    std::sort(sizes.begin(), sizes.end());
    QCOMPARE(sizes, QList<int>({16, 24, 32, 48, 64, 256}));
}

// Drawing again gives the same bytes: nothing random, no time stamps. The
// run also lays out contact sheets of all pictures in the build tree to look
// at.
void TestArtwork::drawingIsReproducible()
{
    QTemporaryDir dir;
    QProcess tool;
    tool.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    tool.start(QStringLiteral(TALON_PICTURES_TOOL),
               {QStringLiteral("--out"), dir.path(), QStringLiteral("--icons"),
                dir.path() + QStringLiteral("/icons"), QStringLiteral("--ico"),
                dir.path() + QStringLiteral("/logo.ico"), QStringLiteral("--sheets"),
                QStringLiteral(TALON_PICTURES_DIR "/sheets")});
    QVERIFY(tool.waitForFinished(120000));
    QCOMPARE(tool.exitCode(), 0);
    int files = 0;
    QDirIterator it(dir.path() + QStringLiteral("/img"), QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString again = it.next();
        const QString built = QStringLiteral(TALON_PICTURES_DIR) + again.mid(dir.path().size());
        QVERIFY2(readAll(again) == readAll(built), qPrintable(again));
        ++files;
    }
    QVERIFY(files > 300);
    QCOMPARE(readAll(dir.path() + QStringLiteral("/pictures.qrc")),
             readAll(QStringLiteral(TALON_PICTURES_DIR "/pictures.qrc")));
    QCOMPARE(readAll(dir.path() + QStringLiteral("/logo.ico")),
             readAll(QStringLiteral(TALON_TRAY_ICON)));
    QCOMPARE(readAll(dir.path() + QStringLiteral("/icons/hicolor/scalable/apps/kestrel-talon.svg")),
             readAll(QStringLiteral(TALON_ICON_DIR "/hicolor/scalable/apps/kestrel-talon.svg")));
}

QTEST_MAIN(TestArtwork)
#include "tst_artwork.moc"
