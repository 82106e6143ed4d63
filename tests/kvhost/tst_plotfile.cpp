// A plot file's bytes as kvhost takes them: the text handed to the device, whole, and the path
// length it reports with the job.
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
    QTest::newRow("UTF-8") << QByteArray("IN;LB标签;PU0,0;PD40,0;") << QStringLiteral("IN;LB标签;PU0,0;PD40,0;") << 1.0;
    QTest::newRow("not UTF-8, last letter kept")
        << QByteArray("PU0,0;PD40,0;LBCaf\xE9") << QStringLiteral("PU0,0;PD40,0;LBCaf\uFFFD") << 1.0;
    QTest::newRow("lone lead byte") << QByteArray("\xDA") << QStringLiteral("\uFFFD") << 0.0;
}

void TestPlotFile::decodesText()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QFETCH(double, millimetres);
    PlotFile plot;
    QString error;
    QVERIFY2(plot.decode(bytes, QStringLiteral("job.plt"), &error), qPrintable(error));
    QCOMPARE(plot.text, text);
    QCOMPARE(plot.pathLengthMm, millimetres);
}

QTEST_GUILESS_MAIN(TestPlotFile)
#include "tst_plotfile.moc"
