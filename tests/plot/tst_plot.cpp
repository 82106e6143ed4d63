// Plot files in, figures out: every instruction family of HP-GL/2 and its wrappers, SVG shapes of
// known length, files refused with their reason and offset, and the real plots of other programs.
// Every plot read here is also written as a device plot and read back to the same figures. Then
// what the plot library hands on: the file's own text only when the link carries it unchanged,
// and the preview pictures.
#include "deviceplotwriter.h"
#include "geometry.h"
#include "plotreader.h"
#include "preview.h"
#include "rawtext.h"
#include "realplots.h"

#include <QLineF>
#include <QRegularExpression>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

using namespace KvPlot;

class TestPlot : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void figures_data();
    void figures();
    void refused_data();
    void refused();
    void labelsOutlined();
    void realPlots_data() { RealPlots::addRows(); }
    void realPlots();
    void rawText_data();
    void rawText();
    void previewShowsProgress();
    void cloudPreview_data();
    void cloudPreview();
};

namespace {

constexpr double Sq2 = 1.41421356237;

// A PE number: sign in the lowest bit, base 64 (or 32), least significant digit first, the last
// digit from the upper range.
QByteArray pe(qint64 value, bool sevenBit = false)
{
    quint64 n = value < 0 ? quint64(-value) * 2 + 1 : quint64(value) * 2;
    const int base = sevenBit ? 32 : 64;
    QByteArray out;
    while (n >= quint64(base)) {
        out.append(char(63 + n % base));
        n /= base;
    }
    out.append(char((sevenBit ? 95 : 191) + n));
    return out;
}

QByteArray utf16(const char *text, bool bom)
{
    return QStringEncoder(QStringConverter::Utf16LE, bom ? QStringConverter::Flag::WriteBom : QStringConverter::Flag::Default)(QString::fromLatin1(text));
}

// Figures of `bytes` read whole, then in pieces of one and seven bytes, then again from the device
// plot written from them (plain absolute PU and PD): all must agree.
void readChecked(const QByteArray &bytes, Figures *figures, LabelMode labels = LabelMode::Skip)
{
    QByteArray device;
    {
        DevicePlotWriter writer(&device);
        const ReadResult whole = readPlot(bytes, { labels }, &writer);
        QVERIFY2(whole.ok(), qPrintable(whole.error.text()));
        *figures = whole.figures;
    }
    for (const int piece : { 1, 7 }) {
        PlotReader reader(nullptr, { labels });
        for (qsizetype at = 0; at < bytes.size(); at += piece)
            reader.feed(QByteArrayView(bytes).sliced(at, std::min<qsizetype>(piece, bytes.size() - at)));
        reader.finish();
        QCOMPARE(reader.figures().travel, figures->travel);
        QCOMPARE(reader.figures().cutLength, figures->cutLength);
    }
    static const QRegularExpression plain(QStringLiteral("^IN;((PU|PD)(-?\\d+,-?\\d+)(,-?\\d+,-?\\d+)*;)*PU;$"));
    QVERIFY2(plain.match(QString::fromLatin1(device)).hasMatch(), device.left(200).constData());
    const Figures back = readPlot(device).figures;
    QVERIFY(std::abs(back.travel - figures->travel) < 1e-6 && std::abs(back.cutLength - figures->cutLength) < 1e-6);
    QVERIFY(!figures->cutsAnything() || back.bounds == figures->bounds);
}

// What a plot reads to: lengths and bounds in mm (a cut of 0: a curve of no closed-form length;
// a travel of -1 or null bounds: not checked), labels, and a warning said.
struct Expected { QByteArray plot; double cutMm, travelMm; QRectF boundsMm; int labels; QString warning; };

} // namespace

Q_DECLARE_METATYPE(Expected)

void TestPlot::figures_data()
{
    QTest::addColumn<Expected>("expected");

    const auto hpgl = [](const char *name, const QByteArray &plot, double cut, double travel, int labels = 0, const char *warning = "") {
        QTest::newRow(name) << Expected{ plot, cut, travel, QRectF(), labels, QString::fromLatin1(warning) };
    };
    hpgl("PU PD", "IN;PU400,0;PD800,0,800,400;PU;", 20.0, 30.0);
    hpgl("PA, bare PD, no ;", "PA400,0PDPA800,0", 10.0, 20.0);
    hpgl("PR, blanks, lower case", "pu 400 0 pr pd 400 0 0 400", 20.0, 30.0);
    hpgl("number forms", "PU+400.0,-0;PD800.,.0,+800.4,400;", 20.0, 30.0);
    hpgl("trailing comma, lone coordinate", "PU0,0;PD400,0,,800;", 10.0, 10.0, 0, "without their pair");
    hpgl("SC with IP", "IP0,0,4000,4000;SC0,100,0,100;PU0,0;PD100,0;", 100.0, 100.0);
    hpgl("SC isotropic", "IP0,0,8000,4000;SC0,100,0,100,1;PU0,0;PD100,100;", 100 * Sq2, 50 + 100 * Sq2);
    hpgl("SC point factor, IP P1 only", "IP400,400;SC0,2,0,2,2;PU0,0;PD100,0;", 5.0, 5 + 10 * Sq2);
    hpgl("SC default P1 P2, PR in user units", "SC0,100,0,72;PA0,0;PR;PD10,0;", 25.0, 25 + std::hypot(6.25, 14.9));
    hpgl("PS IR", "PS8000,4000;IR0,0,50,50;SC0,10,0,10;PU0,0;PD10,10;", 50 * std::hypot(1, 0.5) * 2, 50 * std::hypot(1, 0.5) * 2);
    hpgl("DF ends SC", "SC0,1,0,1;DF;PU0,0;PD400,0;", 10.0, 10.0);
    hpgl("IW clips the cut, not the travel", "IW0,0,400,400;PU0,200;PD800,200;", 10.0, 25.0);
    hpgl("RO 90", "PS4000,2000;RO90;PU0,0;PD400,0;", 10.0, 110.0);
    hpgl("CI", "PU4000,4000;CI400,90;", 40 * Sq2, 100 * Sq2 + 20 + 40 * Sq2);
    hpgl("CI default chord", "CI400;", 800 * 72 * std::sin(M_PI / 72) / 40, 20 + 800 * 72 * std::sin(M_PI / 72) / 40);
    hpgl("AA", "PU400,0;PD;AA0,0,90,90;", 10 * Sq2, 10 + 10 * Sq2);
    hpgl("AR, pen up arc", "PU400,0;AR-400,0,180,90;PD0,0", 10.0, 10 + 20 * Sq2 + 10);
    hpgl("AT", "PU0,0;PD;AT400,400,800,0,90;", 20 * Sq2, 20 * Sq2);
    hpgl("EA ER", "PU400,400;EA800,800;ER-400,-400;", 80.0, 10 * Sq2 + 80);
    hpgl("RA RR WG FP left out", "PU400,400;RA800,800;RR400,400;WG400,0,90;PM0;PR0,0;PM2;FP;PA;PD800,400;", 10.0, 10 * Sq2 + 10, 0, "Left out 4 filled shapes");
    hpgl("PM EP", "PU400,400;PM0;PD800,400,800,800;PM2;EP;", 20 + 10 * Sq2, 10 * Sq2 + 20 + 20 * Sq2);
    hpgl("PM EP with CI, EW", "PU400,0;PM0;CI400,90;PM2;EP;EW400,0,90,90;", 40 * Sq2 + 20 + 10 * Sq2, 30 + 40 * Sq2 + 20 + 10 * Sq2);
    hpgl("PE 8-bit", "PE<=" + pe(400) + pe(0) + pe(400) + pe(0) + pe(0) + pe(400) + ";", 20.0, 30.0);
    hpgl("PE 7-bit, pen, fraction", "PE7:" + pe(2, true) + ">" + pe(1, true) + "<=" + pe(800, true) + pe(0, true) + pe(800, true) + pe(0, true) + ";", 10.0, 20.0);
    hpgl("PE ignores blanks and controls", "PE<= " + pe(400) + "\r\n" + pe(0) + "\x85" + pe(400) + pe(0) + ";", 10.0, 20.0);
    hpgl("LB ETX, head moves past it", "PU400,400;LBAB\x03PR;PD100,0;", 2.5, 10 * Sq2 + 5.61 + 2.5, 1, "Left out 1 labels");
    hpgl("DT, printed terminator, SI", "DT#,0;SI1,1;PU0,0;LBAB#PR;PD0,400;", 10.0, 55.0, 1);
    hpgl("DI, LO centred, CP", "DI0,1;LO5;LBABC\x03" "CP1,0;PD0,0;", 3 * 2.805 + 2.805, 2 * (3 * 2.805 + 2.805), 1);
    hpgl("DR relative to P1 P2", "IP0,0,1000,1000;DR0,1;LBAB\x03PD0,0;", 5.61, 11.22, 1);
    hpgl("SR, ES", "IP0,0,4000,4000;SR1,2;ES1;LBAB\x03PD0,0;", 6.0, 12.0, 1);
    hpgl("LB empty, BL, WD skipped", "LB\x03" "BLtext\x03WDPD9999\x03PU0,0;PD400,0;", 10.0, 10.0);
    hpgl("PCL and PJL around HP-GL/2, raster skipped", "\x1b%-12345X@PJL JOB\n@PJL ENTER LANGUAGE=PCL\n\x1b" "E\x1b*r1A\x1b*b5W\x02PD\x03\xff\x1b*rB"
         "\x1b%0BIN;PU0,0;PD400,0;\x1b%0A\r\n\x0cPD4000,0\x1b" "E\x1b%-12345X", 10.0, 10.0);
    hpgl("ESC . device control", "\x1b.(\x1b.I81;;17:\x1b.N;19:\x1b.@:IN;PU0,0;PD400,0;\x1b.)", 10.0, 10.0);
    hpgl("NUL padding, ETX first, CR LF", QByteArray("\x03\0\0IN;\r\nPU0,0\r\nPD400,0\r\n\0\0", 26), 10.0, 10.0);
    hpgl("unknown skipped, stray text", "IN;ZZ1,2;X0=0;PU0,0;QQ;PD400,0;CO\"PD4000,0\";LT1;", 10.0, 10.0, 0, "instructions the reader does not know");
    hpgl("UTF-16 with BOM", utf16("IN;PU400,0;PD800,0;", true), 10.0, 20.0, 0, "UTF-16");
    hpgl("UTF-16 without BOM", utf16("IN;PU400,0;PD800,0;", false), 10.0, 20.0, 0, "UTF-16");
    hpgl("UTF-8 BOM keeps the first move", "\xEF\xBB\xBFPU400,0;PD800,0;", 10.0, 20.0);
    hpgl("BZ", "PU0,0;PD;BZ0,0,400,0,400,0;", 10.0, 10.0);
    hpgl("beyond the range", "SC0,1,0,1;PD100000000,0;PD999999999999999999999,0;", 1073741823 / 40.0, 1073741823 / 40.0, 0, "beyond the plotter's range");

    const auto svg = [](const char *name, const char *size, const char *shapes, double cut, const QRectF &bounds) {
        const QByteArray svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" " + QByteArray(size) + ">" + shapes + "</svg>";
        QTest::newRow(name) << Expected{ svg, cut, -1, bounds, 0, QString() };
    };
    const char *mm100 = "width=\"100mm\" height=\"100mm\" viewBox=\"0 0 100 100\"";
    svg("rect, viewBox in mm", mm100, "<rect x=\"10\" y=\"10\" width=\"10\" height=\"20\" fill=\"none\" stroke=\"black\"/>", 60.0, QRectF(10, 70, 10, 20));
    svg("circle, cm", "width=\"10cm\" height=\"10cm\" viewBox=\"0 0 100 100\"", "<circle cx=\"50\" cy=\"50\" r=\"10\"/>", 2 * M_PI * 10, QRectF(40, 40, 20, 20));
    svg("transforms", mm100, "<g transform=\"translate(10,90) scale(2)\"><line x1=\"0\" y1=\"0\" x2=\"10\" y2=\"0\" stroke=\"black\"/></g>", 20.0, QRectF(10, 10, 20, 0));
    svg("inches, no viewBox: 96 px", "width=\"1in\" height=\"1in\"", "<polyline points=\"0,96 96,96 96,0\" fill=\"none\" stroke=\"black\"/>", 50.8, QRectF(0, 0, 25.4, 25.4));
    svg("path with curve and ellipse, px", "width=\"378\" height=\"378\"",
        "<path d=\"M 0 378 C 0 178 200 0 378 0\" fill=\"none\" stroke=\"black\"/><ellipse cx=\"189\" cy=\"189\" rx=\"37.8\" ry=\"18.9\"/>", 0.0, QRectF(0, 0, 100, 100));
}

void TestPlot::figures()
{
    QFETCH(Expected, expected);
    const auto &[plot, cutMm, travelMm, boundsMm, labels, warning] = expected;
    Figures figures;
    readChecked(plot, &figures);
    if (QTest::currentTestFailed())
        return;
    const QRectF bounds = figures.boundsMm();
    const QString got = QStringLiteral("cut %1 mm, travel %2 mm, bounds %3 %4 %5 %6").arg(figures.cutLengthMm()).arg(figures.travelMm())
                            .arg(bounds.left()).arg(bounds.top()).arg(bounds.right()).arg(bounds.bottom());
    // The cubic's length is unknown in closed form; its flattening must come close to it.
    QVERIFY2(cutMm > 0 ? std::abs(figures.cutLengthMm() - cutMm) < 0.05 : figures.cutLengthMm() > 100 * M_PI / 2 * 0.9, qPrintable(got));
    QVERIFY2(travelMm < 0 || std::abs(figures.travelMm() - travelMm) < 0.05, qPrintable(got));
    QVERIFY2(boundsMm.isNull() || (QLineF(bounds.topLeft(), boundsMm.topLeft()).length() < 0.05
                                   && QLineF(bounds.bottomRight(), boundsMm.bottomRight()).length() < 0.05), qPrintable(got));
    QCOMPARE(figures.labelCount, labels);
    QVERIFY2(figures.warnings.join(QLatin1Char('\n')).contains(warning), qPrintable(figures.warnings.join(QLatin1Char('\n'))));
}

void TestPlot::refused_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<qint64>("offset");
    QTest::addColumn<QString>("reason");

    QByteArray binary;
    for (int i = 0; i < 200; ++i)
        binary.append(char((i * 37) % 256));
    QTest::newRow("empty") << QByteArray() << qint64(0) << "empty";
    QTest::newRow("nothing drawn") << QByteArray("IN;SP1;PU100,100;") << qint64(17) << "Nothing in this file can be cut";
    QTest::newRow("binary") << QByteArray("PD100,100;PD200,200;") + binary << qint64(24) << "not text";
    QTest::newRow("SVG that is not") << QByteArray("<?xml version=\"1.0\"?><html></html>") << qint64(34) << "not an SVG drawing";
    QTest::newRow("broken XML") << QByteArray("<svg xmlns=\"http://www.w3.org/2000/svg\"><rect") << qint64(45) << "not an SVG drawing";
}

void TestPlot::refused()
{
    QFETCH(QByteArray, bytes);
    QFETCH(qint64, offset);
    QFETCH(QString, reason);
    const ReadResult result = readPlot(bytes);
    QVERIFY(!result.ok());
    QVERIFY2(result.error.reason.contains(reason), qPrintable(result.error.reason));
    QCOMPARE(result.error.offset, offset);
}

// Labels cut in a system font: their outlines lie in the label's cells, and the pen ends after
// the label as when they are left out.
void TestPlot::labelsOutlined()
{
    const QByteArray plot("SI1,1;PU400,400;LBHi\x03PR;PD400,0;");
    Figures outlined, skipped;
    readChecked(plot, &outlined, LabelMode::Outline);
    readChecked(plot, &skipped);
    QCOMPARE(outlined.labelCount, 1);
    QVERIFY2(outlined.cutLengthMm() > skipped.cutLengthMm() + 50, qPrintable(QString::number(outlined.cutLengthMm())));
    QVERIFY(QRectF(390, 390, 1700, 450).contains(outlined.bounds));
    QCOMPARE(skipped.bounds, QRect(QPoint(1600, 400), QPoint(2000, 400)));
    QVERIFY(outlined.warnings.join(QLatin1Char(' ')).contains(QLatin1String("outlines of the font")));
}

void TestPlot::realPlots()
{
    const RealPlots::Row row = RealPlots::Row::current();
    if (!row.isHere())
        QSKIP("the real plot files are not here");
    QFile plot(row.path());
    QVERIFY(plot.open(QIODevice::ReadOnly));
    Figures figures;
    readChecked(plot.readAll(), &figures);
    QVERIFY2(row.matches(figures.cutLengthMm(), figures.travelMm()),
             qPrintable(QStringLiteral("cut %1 m, travel %2 m").arg(figures.cutLengthMm() / 1000).arg(figures.travelMm() / 1000)));
}

void TestPlot::rawText_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<qint64>("offset"); // -1: carried unchanged

    QTest::newRow("ASCII") << QByteArray("IN;PU0,0;PD40,0;") << qint64(-1);
    QTest::newRow("UTF-8 with BOM, CJK, 4-byte, noncharacter")
        << QByteArray("\xEF\xBB\xBFLB\xE6\xA0\x87\xF0\x9F\x98\x80\xEF\xBF\xBF;") << qint64(-1);
    QTest::newRow("label terminator ETX") << QByteArray("PU0,0;LBA\x03;") << qint64(9);
    QTest::newRow("STX") << QByteArray("\x02IN;") << qint64(0);
    QTest::newRow("8-bit PE bytes") << QByteArray("IN;PE<=\xBF\xCC;") << qint64(7);
    QTest::newRow("overlong") << QByteArray("IN;\xC0\xAF") << qint64(3);
    QTest::newRow("surrogate") << QByteArray("IN;\xED\xA0\x80") << qint64(3);
    QTest::newRow("beyond U+10FFFF") << QByteArray("IN;\xF4\x90\x80\x80") << qint64(3);
    QTest::newRow("cut off at the end") << QByteArray("IN;\xE6\xA0") << qint64(3);
    QTest::newRow("UTF-16") << QByteArray("\xFF\xFEI\0N\0;\0", 8) << qint64(0);
    QTest::newRow("empty") << QByteArray() << qint64(0);
}

// Checked whole and in chunks that split every sequence; what passes survives Qt's UTF-8 round
// trip (the plug-in's local 8-bit frame, the USB path's decoding) byte for byte.
void TestPlot::rawText()
{
    QFETCH(QByteArray, bytes);
    QFETCH(qint64, offset);
    RawTextCheck pieces;
    for (const char c : bytes)
        pieces.feed(QByteArrayView(&c, 1));
    const ReadError chunked = pieces.finish();
    const ReadError whole = checkRawText(bytes);
    QCOMPARE(chunked.offset, whole.offset);
    QCOMPARE(whole.offset, offset);

    QTemporaryDir folder;
    QFile file(folder.filePath(QStringLiteral("raw.plt")));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    file.close();
    QString text;
    QCOMPARE(readRawText(file.fileName(), &text).offset, offset);
    if (offset < 0)
        QCOMPARE(text.toUtf8(), bytes);
}

// A square cut from the origin round: half of the job's travel done shows the first two sides in
// the colour of what is cut and the other two in the colour of what is to come.
void TestPlot::previewShowsProgress()
{
    Geometry square;
    readPlot("PU0,0;PD4000,0,4000,4000,0,4000,0,0;", {}, &square);
    PreviewOptions options;
    options.size = QSize(216, 216);
    options.sheetMm = QSizeF(200, 200);
    options.cutShare = 0.5;
    const QImage image = renderPreview(square, options);
    QCOMPARE(image.size(), options.size);
    // Lines are smoothed into the sheet: what is cut stays green, what is to come blue.
    const auto isCut = [&](int x, int y) { return image.pixelColor(x, y).green() > image.pixelColor(x, y).blue(); };
    // 200 px for 200 mm, 8 px margin, y upwards: the square spans x 8..108, y 108..208.
    QVERIFY(isCut(60, 207) && isCut(107, 150));   // bottom and right sides: cut
    QVERIFY(!isCut(60, 107) && !isCut(7, 150));   // top and left sides: to come
    QCOMPARE(image.pixelColor(150, 60), options.sheet);    // the rest of the sheet
    QCOMPARE(image.pixelColor(2, 2), options.background);
}

void TestPlot::cloudPreview_data()
{
    QTest::addColumn<QByteArray>("plot");
    QTest::addColumn<QSize>("size");
    QTest::newRow("only labels") << QByteArray("SI2,4;LBTall\x03") << QSize();
    QTest::newRow("empty plot") << QByteArray("IN;") << QSize(256, 256);
    QByteArray dense = "IN;";
    for (qint64 i = 0; i < 20000; ++i)
        dense += "PU" + QByteArray::number(i * 7919 % 10000) + ',' + QByteArray::number(i * 104729 % 10000) + ";PD"
                 + QByteArray::number(i * 15485863 % 10000) + ',' + QByteArray::number(i * 32452843 % 10000) + ';';
    QTest::newRow("dense noise") << dense << QSize();
}

void TestPlot::cloudPreview()
{
    QFETCH(QByteArray, plot);
    QFETCH(QSize, size);
    Geometry geometry;
    readPlot(plot, {}, &geometry);
    const QByteArray png = cloudPreviewPng(geometry);
    const QImage image = QImage::fromData(png, "PNG");
    QVERIFY(!image.isNull());
    QVERIFY(png.size() <= 32 * 1024);
    QVERIFY(std::max(image.width(), image.height()) <= 256);
    if (size.isValid())
        QCOMPARE(image.size(), size);
}

QTEST_MAIN(TestPlot)
#include "tst_plot.moc"
