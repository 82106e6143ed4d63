// A plot file made ready for a job as both hosts make it: the plot drawn from the file's geometry
// or, with --raw, the file's own text whole and unchanged or refused with the place that would
// not reach the plotter; the same text and preview whether the geometry is kept or the file read
// twice. (What the device is told of it for the cloud: the cloud runs of tst_kvhost.)
#include "plotfile.h"

#include <QImage>
#include <QTemporaryDir>
#include <QTest>


class TestPlotFile : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void readsForAJob_data();
    void readsForAJob();

private:
    QString write(const QByteArray &bytes);
    QTemporaryDir m_folder;
};

QString TestPlotFile::write(const QByteArray &bytes)
{
    QFile file(m_folder.filePath(QStringLiteral("job.plt")));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return {};
    return file.fileName();
}

// `text`: what the device is sent (its start, for outlined labels), or part of the refusal.
void TestPlotFile::readsForAJob_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("raw");
    QTest::addColumn<bool>("taken");
    QTest::addColumn<QString>("text");
    QTest::newRow("device plot") << QByteArray("IN;SP1;PA0,0;PD40,0 40,40;") << false << true << QStringLiteral("IN;PU0,0;PD40,0,40,40;PU;");
    QTest::newRow("label terminators need no --raw") << QByteArray("PU0,0;PD40,0;LBA\x03") << false << true << QStringLiteral("IN;PU0,0;PD40,0;PU");
    QTest::newRow("nothing to cut") << QByteArray("IN;SP1;") << false << false << QStringLiteral("Nothing in this file can be cut");
    QTest::newRow("raw UTF-8") << QByteArray("IN;CO\"标签\";PU0,0;PD40,0;") << true << true << QStringLiteral("IN;CO\"标签\";PU0,0;PD40,0;");
    QTest::newRow("raw, byte-order mark kept") << QByteArray("\xEF\xBB\xBFPU40,0;PD80,0;") << true << true << QStringLiteral("\uFEFFPU40,0;PD80,0;");
    QTest::newRow("raw, not UTF-8") << QByteArray("PU0,0;PD40,0;LBCaf\xE9") << true << false << QStringLiteral("(at byte 18)");
    QTest::newRow("raw, label terminator") << QByteArray("PU0,0;LBA\x03") << true << false << QStringLiteral("0x03, which ends the device's frames (at byte 9)");
}

void TestPlotFile::readsForAJob()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, raw);
    QFETCH(bool, taken);
    QFETCH(QString, text);
    const QString path = write(bytes);
    PlotFile streamed, kept;
    QString error;
    QCOMPARE(streamed.read(path, {KvPlot::LabelMode::Outline, raw, false}, &error), taken);
    if (!taken) {
        QVERIFY2(error.contains(text), qPrintable(error));
        return;
    }
    QVERIFY2(streamed.text.startsWith(text), qPrintable(streamed.text));
    QVERIFY(kept.read(path, {KvPlot::LabelMode::Outline, raw, true}, &error));
    QCOMPARE(kept.text, streamed.text);
    QCOMPARE(kept.previewPng, streamed.previewPng);
    QCOMPARE(kept.figures.cutLength, streamed.figures.cutLength);
    QVERIFY(!QImage::fromData(streamed.previewPng, "PNG").isNull());
}

QTEST_MAIN(TestPlotFile)
#include "tst_plotfile.moc"
