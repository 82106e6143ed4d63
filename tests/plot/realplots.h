#ifndef KVTEST_REALPLOTS_H
#define KVTEST_REALPLOTS_H

#include <QDir>
#include <QFileInfo>
#include <QTest>

#include <cmath>

// The real plot files of other programs in ../shared/real-plots (KV_REAL_PLOTS), with the
// figures of an independent reader (labels not stroked): within 2%, or 25% where the figure
// depends on the plotter's default P1 and P2.
namespace RealPlots {

inline void addRows()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<double>("cutM");
    QTest::addColumn<double>("travelM");
    QTest::addColumn<double>("tolerance");
    QTest::newRow("inter") << "hp2xx-inter.hp" << 8.265 << 15.158 << 0.02;
    QTest::newRow("pages") << "hp2xx-pages.hpgl" << 0.920 << 1.323 << 0.02;
    QTest::newRow("arcs") << "hp2xx-arcs.hp" << 1.571 << 2.055 << 0.25;
    QTest::newRow("at") << "hp2xx-at.hpg" << 0.195 << 0.332 << 0.02;
    QTest::newRow("win_1") << "hp2xx-win_1.hp" << 3.228 << 5.939 << 0.02;
    QTest::newRow("spectrum") << "hp2xx-spectrum.plt" << 5.726 << 12.088 << 0.02;
    QTest::newRow("RS-analyzer") << "vk2bea-RS-analyzer.hpgl" << 7.886 << 14.791 << 0.02;
    QTest::newRow("space-shuttle") << "vk2bea-space-shuttle.hpgl" << 6.135 << 10.272 << 0.25;
    QTest::newRow("AutoCAD PE") << "jemgreen-test2a-Layout1.PLT" << 0.854 << 1.536 << 0.25;
}

// The row of the running test.
struct Row
{
    QString file;
    double cutM, travelM, tolerance;

    static Row current()
    {
        QFETCH(QString, file);
        QFETCH(double, cutM);
        QFETCH(double, travelM);
        QFETCH(double, tolerance);
        return { file, cutM, travelM, tolerance };
    }
    QString path() const { return QDir(qEnvironmentVariable("KV_REAL_PLOTS")).filePath(file); }
    bool isHere() const { return QFileInfo::exists(path()); }
    bool matches(double cutMm, double travelMm) const
    {
        return std::abs(cutMm / 1000 - cutM) <= cutM * tolerance && std::abs(travelMm / 1000 - travelM) <= travelM * tolerance;
    }
};

} // namespace RealPlots

#endif // KVTEST_REALPLOTS_H
