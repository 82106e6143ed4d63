// Plot files in, figures out: every instruction family of HP-GL/2 and its wrappers, SVG shapes of
// known length, files refused with their reason and offset, and the real plots of other programs.
// Every plot read here is also written as a device plot and read back to the same figures.
#include "deviceplotwriter.h"
#include "plotreader.h"
#include "realplots.h"

#include <QRegularExpression>
#include <QTest>

#include <cmath>

using namespace KvPlot;

class TestPlotReader : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void hpgl_data();
    void hpgl();
    void svg_data();
    void svg();
    void refused_data();
    void refused();
    void labelsOutlined();
    void realPlots_data();
    void realPlots();
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
    const QString s = QString::fromLatin1(text);
    QByteArray bytes = bom ? QByteArray("\xFF\xFE") : QByteArray();
    for (const QChar c : s)
        bytes.append(char(c.unicode() & 0xFF)).append('\0');
    return bytes;
}

// Figures of `bytes` read whole, then in pieces of one and seven bytes, then again from the device
// plot written from them: all must agree.
Figures checkedFigures(const QByteArray &bytes, LabelMode labels = LabelMode::Skip)
{
    QByteArray device;
    ReadResult whole;
    {
        DevicePlotWriter writer(&device);
        whole = readPlot(bytes, { labels }, &writer);
    }
    if (!whole.ok())
        qWarning() << whole.error.text();
    for (const int piece : { 1, 7 }) {
        PlotReader reader(nullptr, { labels });
        for (qsizetype at = 0; at < bytes.size(); at += piece)
            reader.feed(QByteArrayView(bytes).sliced(at, std::min<qsizetype>(piece, bytes.size() - at)));
        reader.finish();
        if (reader.figures().travel != whole.figures.travel || reader.figures().cutLength != whole.figures.cutLength)
            qWarning() << "read in pieces of" << piece << "gives other figures";
    }
    const bool plain = std::all_of(device.cbegin(), device.cend(), [](char c) { return c > 0x20 && c < 0x7F; });
    const Figures back = readPlot(device).figures;
    if (!plain || !device.startsWith("IN;") || QRegularExpression(QStringLiteral("^IN;((PU|PD)(-?\\d+,-?\\d+)(,-?\\d+,-?\\d+)*;)*PU;$"))
                                                   .match(QString::fromLatin1(device)).hasMatch() == false)
        qWarning() << "device plot not plain absolute PU/PD:" << device.left(200);
    else if (std::abs(back.travel - whole.figures.travel) > 1e-6 || std::abs(back.cutLength - whole.figures.cutLength) > 1e-6
             || (whole.figures.cutsAnything() && back.bounds != whole.figures.bounds))
        qWarning() << "device plot read back gives other figures" << back.cutLengthMm() << back.travelMm();
    else
        return whole.figures;
    return {};
}

} // namespace

void TestPlotReader::hpgl_data()
{
    QTest::addColumn<QByteArray>("plot");
    QTest::addColumn<double>("cutMm");
    QTest::addColumn<double>("travelMm");
    QTest::addColumn<int>("labels");
    QTest::addColumn<QString>("warning");

    const QString none;
    QTest::newRow("PU PD") << QByteArray("IN;PU400,0;PD800,0,800,400;PU;") << 20.0 << 30.0 << 0 << none;
    QTest::newRow("PA, bare PD, no ;") << QByteArray("PA400,0PDPA800,0") << 10.0 << 20.0 << 0 << none;
    QTest::newRow("PR, blanks, lower case") << QByteArray("pu 400 0 pr pd 400 0 0 400") << 20.0 << 30.0 << 0 << none;
    QTest::newRow("number forms") << QByteArray("PU+400.0,-0;PD800.,.0,+800.4,400;") << 20.0 << 30.0 << 0 << none;
    QTest::newRow("trailing comma, lone coordinate") << QByteArray("PU0,0;PD400,0,,800;") << 10.0 << 10.0 << 0 << "without their pair";
    QTest::newRow("SC with IP") << QByteArray("IP0,0,4000,4000;SC0,100,0,100;PU0,0;PD100,0;") << 100.0 << 100.0 << 0 << none;
    QTest::newRow("SC isotropic") << QByteArray("IP0,0,8000,4000;SC0,100,0,100,1;PU0,0;PD100,100;")
                                  << 100 * Sq2 << 50 + 100 * Sq2 << 0 << none;
    QTest::newRow("SC point factor, IP P1 only") << QByteArray("IP400,400;SC0,2,0,2,2;PU0,0;PD100,0;") << 5.0 << 5 + 10 * Sq2 << 0 << none;
    QTest::newRow("SC default P1 P2, PR in user units") << QByteArray("SC0,100,0,72;PA0,0;PR;PD10,0;") << 25.0 << 25 + std::hypot(6.25, 14.9) << 0 << none;
    QTest::newRow("PS IR") << QByteArray("PS8000,4000;IR0,0,50,50;SC0,10,0,10;PU0,0;PD10,10;") << 50 * std::hypot(1, 0.5) * 2 << 50 * std::hypot(1, 0.5) * 2 << 0 << none;
    QTest::newRow("DF ends SC") << QByteArray("SC0,1,0,1;DF;PU0,0;PD400,0;") << 10.0 << 10.0 << 0 << none;
    QTest::newRow("IW clips the cut, not the travel") << QByteArray("IW0,0,400,400;PU0,200;PD800,200;") << 10.0 << 25.0 << 0 << none;
    QTest::newRow("RO 90") << QByteArray("PS4000,2000;RO90;PU0,0;PD400,0;") << 10.0 << 110.0 << 0 << none;
    QTest::newRow("CI") << QByteArray("PU4000,4000;CI400,90;") << 40 * Sq2 << 100 * Sq2 + 20 + 40 * Sq2 << 0 << none;
    QTest::newRow("CI default chord") << QByteArray("CI400;") << 800 * 72 * std::sin(M_PI / 72) / 40 << 20 + 800 * 72 * std::sin(M_PI / 72) / 40 << 0 << none;
    QTest::newRow("AA") << QByteArray("PU400,0;PD;AA0,0,90,90;") << 10 * Sq2 << 10 + 10 * Sq2 << 0 << none;
    QTest::newRow("AR, pen up arc") << QByteArray("PU400,0;AR-400,0,180,90;PD0,0") << 10.0 << 10 + 20 * Sq2 + 10 << 0 << none;
    QTest::newRow("AT") << QByteArray("PU0,0;PD;AT400,400,800,0,90;") << 20 * Sq2 << 20 * Sq2 << 0 << none;
    QTest::newRow("EA ER") << QByteArray("PU400,400;EA800,800;ER-400,-400;") << 80.0 << 10 * Sq2 + 80 << 0 << none;
    QTest::newRow("RA RR WG FP left out") << QByteArray("PU400,400;RA800,800;RR400,400;WG400,0,90;PM0;PR0,0;PM2;FP;PA;PD800,400;")
                                          << 10.0 << 10 * Sq2 + 10 << 0 << "Left out 4 filled shapes";
    QTest::newRow("PM EP") << QByteArray("PU400,400;PM0;PD800,400,800,800;PM2;EP;") << 20 + 10 * Sq2 << 10 * Sq2 + 20 + 20 * Sq2 << 0 << none;
    QTest::newRow("PM EP with CI, EW") << QByteArray("PU400,0;PM0;CI400,90;PM2;EP;EW400,0,90,90;") << 40 * Sq2 + 20 + 10 * Sq2 << 30 + 40 * Sq2 + 20 + 10 * Sq2 << 0 << none;
    QTest::newRow("PE 8-bit") << "PE<=" + pe(400) + pe(0) + pe(400) + pe(0) + pe(0) + pe(400) + ";" << 20.0 << 30.0 << 0 << none;
    QTest::newRow("PE 7-bit, pen, fraction") << "PE7:" + pe(2, true) + ">" + pe(1, true) + "<=" + pe(800, true) + pe(0, true) + pe(800, true) + pe(0, true) + ";"
                                             << 10.0 << 20.0 << 0 << none;
    QTest::newRow("PE ignores blanks and controls") << "PE<= " + pe(400) + "\r\n" + pe(0) + "\x85" + pe(400) + pe(0) + ";" << 10.0 << 20.0 << 0 << none;
    QTest::newRow("LB ETX, head moves past it") << QByteArray("PU400,400;LBAB\x03PR;PD100,0;") << 2.5 << 10 * Sq2 + 5.61 + 2.5 << 1 << "Left out 1 labels";
    QTest::newRow("DT, printed terminator, SI") << QByteArray("DT#,0;SI1,1;PU0,0;LBAB#PR;PD0,400;") << 10.0 << 55.0 << 1 << none;
    QTest::newRow("DI, LO centred, CP") << QByteArray("DI0,1;LO5;LBABC\x03" "CP1,0;PD0,0;") << 3 * 2.805 + 2.805 << 2 * (3 * 2.805 + 2.805) << 1 << none;
    QTest::newRow("DR relative to P1 P2") << QByteArray("IP0,0,1000,1000;DR0,1;LBAB\x03PD0,0;") << 5.61 << 11.22 << 1 << none;
    QTest::newRow("SR, ES") << QByteArray("IP0,0,4000,4000;SR1,2;ES1;LBAB\x03PD0,0;") << 6.0 << 12.0 << 1 << none;
    QTest::newRow("LB empty, BL, WD skipped") << QByteArray("LB\x03" "BLtext\x03WDPD9999\x03PU0,0;PD400,0;") << 10.0 << 10.0 << 0 << none;
    QTest::newRow("PCL and PJL around HP-GL/2, raster skipped")
        << QByteArray("\x1b%-12345X@PJL JOB\n@PJL ENTER LANGUAGE=PCL\n\x1b" "E\x1b*r1A\x1b*b5W\x02PD\x03\xff\x1b*rB"
                      "\x1b%0BIN;PU0,0;PD400,0;\x1b%0A\r\n\x0cPD4000,0\x1b" "E\x1b%-12345X")
        << 10.0 << 10.0 << 0 << none;
    QTest::newRow("ESC . device control") << QByteArray("\x1b.(\x1b.I81;;17:\x1b.N;19:\x1b.@:IN;PU0,0;PD400,0;\x1b.)") << 10.0 << 10.0 << 0 << none;
    QTest::newRow("NUL padding, ETX first, CR LF") << QByteArray("\x03\0\0IN;\r\nPU0,0\r\nPD400,0\r\n\0\0", 26) << 10.0 << 10.0 << 0 << none;
    QTest::newRow("unknown skipped, stray text") << QByteArray("IN;ZZ1,2;X0=0;PU0,0;QQ;PD400,0;CO\"PD4000,0\";LT1;")
                                                 << 10.0 << 10.0 << 0 << "instructions the reader does not know";
    QTest::newRow("UTF-16 with BOM") << utf16("IN;PU400,0;PD800,0;", true) << 10.0 << 20.0 << 0 << "UTF-16";
    QTest::newRow("UTF-16 without BOM") << utf16("IN;PU400,0;PD800,0;", false) << 10.0 << 20.0 << 0 << "UTF-16";
    QTest::newRow("UTF-8 BOM keeps the first move") << QByteArray("\xEF\xBB\xBFPU400,0;PD800,0;") << 10.0 << 20.0 << 0 << none;
    QTest::newRow("BZ") << QByteArray("PU0,0;PD;BZ0,0,400,0,400,0;") << 10.0 << 10.0 << 0 << none;
    QTest::newRow("beyond the range") << QByteArray("SC0,1,0,1;PD100000000,0;PD999999999999999999999,0;")
                                      << 1073741823 / 40.0 << 1073741823 / 40.0 << 0 << "beyond the plotter's range";
}

void TestPlotReader::hpgl()
{
    QFETCH(QByteArray, plot);
    QFETCH(double, cutMm);
    QFETCH(double, travelMm);
    QFETCH(int, labels);
    QFETCH(QString, warning);
    const Figures figures = checkedFigures(plot);
    QVERIFY2(std::abs(figures.cutLengthMm() - cutMm) < 0.05, qPrintable(QString::number(figures.cutLengthMm())));
    QVERIFY2(std::abs(figures.travelMm() - travelMm) < 0.05, qPrintable(QString::number(figures.travelMm())));
    QCOMPARE(figures.labelCount, labels);
    if (!warning.isEmpty())
        QVERIFY2(figures.warnings.join(QLatin1Char('\n')).contains(warning), qPrintable(figures.warnings.join(QLatin1Char('\n'))));
}

void TestPlotReader::svg_data()
{
    QTest::addColumn<QByteArray>("svg");
    QTest::addColumn<double>("cutMm");
    QTest::addColumn<QRectF>("boundsMm");

    const QByteArray head = "<svg xmlns=\"http://www.w3.org/2000/svg\" ";
    QTest::newRow("rect, viewBox in mm") << head + "width=\"100mm\" height=\"100mm\" viewBox=\"0 0 100 100\"><rect x=\"10\" y=\"10\" width=\"10\" height=\"20\" fill=\"none\" stroke=\"black\"/></svg>"
                                        << 60.0 << QRectF(10, 70, 10, 20);
    QTest::newRow("circle, cm") << head + "width=\"10cm\" height=\"10cm\" viewBox=\"0 0 100 100\"><circle cx=\"50\" cy=\"50\" r=\"10\"/></svg>"
                                << 2 * M_PI * 10 << QRectF(40, 40, 20, 20);
    QTest::newRow("transforms") << head + "width=\"100mm\" height=\"100mm\" viewBox=\"0 0 100 100\"><g transform=\"translate(10,90) scale(2)\"><line x1=\"0\" y1=\"0\" x2=\"10\" y2=\"0\" stroke=\"black\"/></g></svg>"
                                << 20.0 << QRectF(10, 10, 20, 0);
    QTest::newRow("inches, no viewBox: 96 px") << head + "width=\"1in\" height=\"1in\"><polyline points=\"0,96 96,96 96,0\" fill=\"none\" stroke=\"black\"/></svg>"
                                               << 50.8 << QRectF(0, 0, 25.4, 25.4);
    QTest::newRow("path with curve and ellipse, px")
        << head + "width=\"378\" height=\"378\"><path d=\"M 0 378 C 0 178 200 0 378 0\" fill=\"none\" stroke=\"black\"/><ellipse cx=\"189\" cy=\"189\" rx=\"37.8\" ry=\"18.9\"/></svg>"
        << 0.0 << QRectF(0, 0, 100, 100);
}

void TestPlotReader::svg()
{
    QFETCH(QByteArray, svg);
    QFETCH(double, cutMm);
    QFETCH(QRectF, boundsMm);
    const Figures figures = checkedFigures(svg);
    if (cutMm > 0)
        QVERIFY2(std::abs(figures.cutLengthMm() - cutMm) < 0.05, qPrintable(QString::number(figures.cutLengthMm())));
    else // the cubic's length is unknown in closed form; its flattening must stay within 0.025 mm
        QVERIFY(figures.cutLengthMm() > 100 * M_PI / 2 * 0.9);
    const QRectF bounds = figures.boundsMm();
    QVERIFY2(std::abs(bounds.left() - boundsMm.left()) < 0.05 && std::abs(bounds.bottom() - boundsMm.bottom()) < 0.05
                 && std::abs(bounds.right() - boundsMm.right()) < 0.05 && std::abs(bounds.top() - boundsMm.top()) < 0.05,
             qPrintable(QStringLiteral("%1 %2 %3 %4").arg(bounds.left()).arg(bounds.top()).arg(bounds.right()).arg(bounds.bottom())));
}

void TestPlotReader::refused_data()
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

void TestPlotReader::refused()
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
void TestPlotReader::labelsOutlined()
{
    const QByteArray plot("SI1,1;PU400,400;LBHi\x03PR;PD400,0;");
    const Figures outlined = checkedFigures(plot, LabelMode::Outline);
    const Figures skipped = checkedFigures(plot, LabelMode::Skip);
    QCOMPARE(outlined.labelCount, 1);
    QVERIFY2(outlined.cutLengthMm() > skipped.cutLengthMm() + 50, qPrintable(QString::number(outlined.cutLengthMm())));
    QVERIFY(QRectF(390, 390, 1700, 450).contains(outlined.bounds));
    QCOMPARE(skipped.bounds, QRect(QPoint(1600, 400), QPoint(2000, 400)));
    QVERIFY(outlined.warnings.join(QLatin1Char(' ')).contains(QLatin1String("outlines of the font")));
}

void TestPlotReader::realPlots_data()
{
    RealPlots::addRows();
}

void TestPlotReader::realPlots()
{
    const RealPlots::Row row = RealPlots::Row::current();
    if (!row.isHere())
        QSKIP("the real plot files are not here");
    QFile plot(row.path());
    QVERIFY(plot.open(QIODevice::ReadOnly));
    const Figures figures = checkedFigures(plot.readAll());
    QVERIFY2(row.matches(figures.cutLengthMm(), figures.travelMm()),
             qPrintable(QStringLiteral("cut %1 m, travel %2 m").arg(figures.cutLengthMm() / 1000).arg(figures.travelMm() / 1000)));
}

QTEST_MAIN(TestPlotReader)
#include "tst_plotreader.moc"
