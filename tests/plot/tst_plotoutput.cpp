// What the plot library hands on: the file's own text only when the link carries it unchanged,
// the device plot in the QString the plug-in takes, and the preview pictures.
#include "deviceplotwriter.h"
#include "geometry.h"
#include "plotreader.h"
#include "preview.h"
#include "rawtext.h"

#include <QTemporaryDir>
#include <QTest>

using namespace KvPlot;

class TestPlotOutput : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void rawText_data();
    void rawText();
    void devicePlotAsText();
    void previewShowsProgress();
    void cloudPreview_data();
    void cloudPreview();
};

void TestPlotOutput::rawText_data()
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
void TestPlotOutput::rawText()
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

void TestPlotOutput::devicePlotAsText()
{
    QString text;
    {
        DevicePlotWriter writer(&text);
        for (int i = 0; i < 300; ++i)
            writer.move(QPoint(i, -i), i % 3 != 0, 1);
    }
    QVERIFY(text.startsWith(QLatin1String("IN;PU0,0;PD1,-1,2,-2;PU3,-3;")));
    QVERIFY(text.endsWith(QLatin1String("PD298,-298,299,-299;PU;")));
    QCOMPARE(readPlot(text.toLatin1()).figures.cutLength, readPlot(text.toUtf8()).figures.cutLength);
}

// A square cut from the origin round: half of the job's travel done shows the first two sides in
// the colour of what is cut and the other two in the colour of what is to come.
void TestPlotOutput::previewShowsProgress()
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

void TestPlotOutput::cloudPreview_data()
{
    QTest::addColumn<QByteArray>("plot");
    QTest::addColumn<QSize>("size");
    QTest::newRow("wide plot") << QByteArray("PU0,0;PD8000,2000;") << QSize(256, 64);
    QTest::newRow("only labels") << QByteArray("SI2,4;LBTall\x03") << QSize();
    QTest::newRow("empty plot") << QByteArray("IN;") << QSize(256, 256);
    QByteArray dense = "IN;";
    for (qint64 i = 0; i < 20000; ++i)
        dense += "PU" + QByteArray::number(i * 7919 % 10000) + ',' + QByteArray::number(i * 104729 % 10000) + ";PD"
                 + QByteArray::number(i * 15485863 % 10000) + ',' + QByteArray::number(i * 32452843 % 10000) + ';';
    QTest::newRow("dense noise") << dense << QSize();
}

void TestPlotOutput::cloudPreview()
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

QTEST_MAIN(TestPlotOutput)
#include "tst_plotoutput.moc"
