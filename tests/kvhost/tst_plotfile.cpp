// A plot file's bytes as kvhost takes them: the text handed to the device, whole and unchanged,
// or refused with the place that would not reach the plotter; and its travel.
#include "plotfile.h"

#include <QTest>

class TestPlotFile : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void decodesText_data();
    void decodesText();
};

void TestPlotFile::decodesText_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("millimetres");
    QTest::newRow("UTF-8") << QByteArray("IN;CO\"标签\";PU0,0;PD40,0;") << QStringLiteral("IN;CO\"标签\";PU0,0;PD40,0;") << 1.0;
    QTest::newRow("byte-order mark kept") << QByteArray("\xEF\xBB\xBFPU40,0;PD80,0;") << QStringLiteral("\uFEFFPU40,0;PD80,0;") << 2.0;
    QTest::newRow("not UTF-8 refused") << QByteArray("PU0,0;PD40,0;LBCaf\xE9") << QStringLiteral("at byte 18") << -1.0;
    QTest::newRow("label terminator refused") << QByteArray("PU0,0;LBA\x03") << QStringLiteral("0x02/0x03 (at byte 9)") << -1.0;
}

void TestPlotFile::decodesText()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QFETCH(double, millimetres);
    PlotFile plot;
    QString error;
    QCOMPARE(plot.decode(bytes, QStringLiteral("job.plt"), &error), millimetres >= 0);
    if (millimetres < 0) {
        QVERIFY2(error.contains(text), qPrintable(error));
        return;
    }
    QCOMPARE(plot.text, text);
    QCOMPARE(plot.pathLengthMm, millimetres);
}

QTEST_GUILESS_MAIN(TestPlotFile)
#include "tst_plotfile.moc"
