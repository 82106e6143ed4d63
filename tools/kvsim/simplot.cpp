#include "simplot.h"

#include <QList>

#include <cctype>
#include <cmath>

namespace KvSimPlot {

namespace {

// HP-GL coordinates span -2^30 .. 2^30 - 1 plotter units. Anything beyond (and "inf" or "nan",
// which the number parser accepts) is no coordinate: one such value would make the path length
// infinite or not a number, and with it the job's cutting time.
constexpr double CoordinateLimit = 1073741824.0;

bool isSeparator(char c)
{
    return c == ',' || c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// The numbers of one instruction's parameters.
QList<double> numbers(const char *begin, const char *end)
{
    QList<double> values;
    const char *p = begin;
    while (p < end) {
        while (p < end && isSeparator(*p))
            ++p;
        const char *start = p;
        while (p < end && !isSeparator(*p))
            ++p;
        if (p > start) {
            bool ok = false;
            const double value = QByteArray::fromRawData(start, p - start).toDouble(&ok);
            if (ok && std::abs(value) <= CoordinateLimit)
                values.append(value);
        }
    }
    return values;
}

bool isMove(const char *p, const char *end)
{
    return end - p >= 2 && std::toupper(static_cast<unsigned char>(p[0])) == 'P'
           && (std::toupper(static_cast<unsigned char>(p[1])) == 'U' || std::toupper(static_cast<unsigned char>(p[1])) == 'D');
}

} // namespace

double pathLengthMm(const QByteArray &plot)
{
    double x = 0;
    double y = 0;
    double units = 0;
    const char *p = plot.constData();
    const char *end = p + plot.size();
    while (p < end) {
        while (p < end && (*p == ';' || *p == '\n' || *p == '\r' || *p == ' '))
            ++p;
        const char *instruction = p;
        while (p < end && *p != ';' && *p != '\n')
            ++p;
        if (!isMove(instruction, p))
            continue;
        const QList<double> coordinates = numbers(instruction + 2, p);
        for (qsizetype i = 0; i + 1 < coordinates.size(); i += 2) {
            units += std::hypot(coordinates[i] - x, coordinates[i + 1] - y);
            x = coordinates[i];
            y = coordinates[i + 1];
        }
    }
    return units / UnitsPerMm;
}

} // namespace KvSimPlot
