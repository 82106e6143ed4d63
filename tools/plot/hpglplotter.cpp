#include "hpglplotter.h"

#include "readreport.h"

#include <algorithm>
#include <cmath>

namespace KvPlot {

namespace {

// The sheet and scaling points a plotter starts with when the plot does not set them (an A-size
// sheet in landscape, as HP-GL plotters default to).
const QRectF DefaultSheet(0, 0, 10365, 7962);
const QPointF DefaultP1(250, 596);
const QPointF DefaultP2(10250, 7796);
constexpr double DefaultChordDegrees = 5;
constexpr size_t PolygonBufferPoints = 8192;
constexpr double Pi = 3.14159265358979323846;

double radians(double degrees) { return degrees * Pi / 180.0; }

QPointF pointAt(QPointF centre, double radius, double angle)
{
    return centre + QPointF(radius * std::cos(angle), radius * std::sin(angle));
}

// The part [t0, t1] of the segment from a to b inside `window` (Liang-Barsky); false when none.
bool clip(QPointF a, QPointF b, const QRectF &window, double *t0, double *t1)
{
    const double dx = b.x() - a.x(), dy = b.y() - a.y();
    const double p[4] = { -dx, dx, -dy, dy };
    const double q[4] = { a.x() - window.left(), window.right() - a.x(), a.y() - window.top(), window.bottom() - a.y() };
    *t0 = 0;
    *t1 = 1;
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0)
                return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0)
            *t0 = std::max(*t0, t);
        else
            *t1 = std::min(*t1, t);
    }
    return *t0 <= *t1;
}

} // namespace

HpglPlotter::HpglPlotter(PlotSink &sink, ReadReport &report) : m_sink(sink), m_report(report)
{
    m_sheet = DefaultSheet;
    initialize();
}

void HpglPlotter::initialize()
{
    m_rotation = 0;
    m_sheet = QRectF(QPointF(), m_sheet.size());
    setDefaults();
    resetInputPoints();
    m_penDown = false;
    m_position = QPointF();
}

void HpglPlotter::setDefaults()
{
    m_absolute = true;
    m_scaled = false;
    m_scaleCount = 0;
    m_window.reset();
    m_chordIsDeviation = false;
    m_polygonMode = false;
    m_polygon.clear();
}

void HpglPlotter::resetInputPoints()
{
    if (m_sheet.size() == DefaultSheet.size() && m_rotation == 0) {
        m_p1 = DefaultP1;
        m_p2 = DefaultP2;
    } else {
        const QRectF clipArea = logicalHardClip();
        m_p1 = clipArea.topLeft();
        m_p2 = clipArea.bottomRight();
    }
    applyScaling();
}

QRectF HpglPlotter::logicalHardClip() const
{
    const bool turned = m_rotation == 90 || m_rotation == 270;
    return QRectF(0, 0, turned ? m_sheet.height() : m_sheet.width(), turned ? m_sheet.width() : m_sheet.height());
}

QPointF HpglPlotter::toLogical(double x, double y) const
{
    if (!m_scaled)
        return QPointF(x, y);
    return QPointF(x * m_sx + m_ox, y * m_sy + m_oy);
}

QPointF HpglPlotter::relativeToLogical(double dx, double dy) const
{
    return m_position + (m_scaled ? QPointF(dx * m_sx, dy * m_sy) : QPointF(dx, dy));
}

void HpglPlotter::plotTo(double x, double y)
{
    moveTo(m_absolute ? toLogical(x, y) : relativeToLogical(x, y), m_penDown);
}

void HpglPlotter::encodedMove(double x, double y, bool absolute, bool penUp, int fractionBits)
{
    const double unit = std::ldexp(1.0, -fractionBits);
    m_penDown = !penUp;
    moveTo(absolute ? toLogical(x * unit, y * unit) : relativeToLogical(x * unit, y * unit), m_penDown);
}

// SC: off; xmin,xmax,ymin,ymax[,0] anisotropic; ...,1[,left,bottom] isotropic; xo,xfactor,yo,yfactor,2.
void HpglPlotter::setScaling(const double *values, int count)
{
    m_scaleCount = std::min(count, 7);
    std::copy(values, values + m_scaleCount, m_scaleValues);
    applyScaling();
}

void HpglPlotter::applyScaling()
{
    m_scaled = false;
    if (m_scaleCount < 4)
        return;
    const double *v = m_scaleValues;
    const int type = m_scaleCount >= 5 ? int(v[4]) : 0;
    const QPointF span = m_p2 - m_p1;
    if (type == 2) {
        m_sx = v[1];
        m_sy = v[3];
        m_ox = m_p1.x() - v[0] * m_sx;
        m_oy = m_p1.y() - v[2] * m_sy;
    } else {
        if (v[1] == v[0] || v[3] == v[2])
            return;
        m_sx = span.x() / (v[1] - v[0]);
        m_sy = span.y() / (v[3] - v[2]);
        double shiftX = 0, shiftY = 0;
        if (type == 1) {
            const double scale = std::min(std::abs(m_sx), std::abs(m_sy));
            const double left = m_scaleCount >= 6 ? v[5] : 50, bottom = m_scaleCount >= 7 ? v[6] : 50;
            shiftX = std::copysign(std::abs(span.x()) - scale * std::abs(v[1] - v[0]), span.x()) * left / 100;
            shiftY = std::copysign(std::abs(span.y()) - scale * std::abs(v[3] - v[2]), span.y()) * bottom / 100;
            m_sx = std::copysign(scale, m_sx);
            m_sy = std::copysign(scale, m_sy);
        }
        m_ox = m_p1.x() + shiftX - v[0] * m_sx;
        m_oy = m_p1.y() + shiftY - v[2] * m_sy;
    }
    m_scaled = std::isfinite(m_sx) && std::isfinite(m_sy) && std::isfinite(m_ox) && std::isfinite(m_oy);
}

// IP: defaults; P1 (P2 follows at the same offset); P1 and P2. Plotter units.
void HpglPlotter::setInputPoints(const double *values, int count)
{
    if (count < 2) {
        resetInputPoints();
        return;
    }
    const QPointF offset = m_p2 - m_p1;
    m_p1 = QPointF(values[0], values[1]);
    m_p2 = count >= 4 ? QPointF(values[2], values[3]) : m_p1 + offset;
    applyScaling();
}

// IR: as IP, in percent of the hard-clip limits.
void HpglPlotter::setInputRelative(const double *values, int count)
{
    const QRectF area = logicalHardClip();
    double points[4];
    for (int i = 0; i < std::min(count, 4); ++i)
        points[i] = i % 2 ? area.top() + area.height() * values[i] / 100 : area.left() + area.width() * values[i] / 100;
    setInputPoints(points, std::min(count, 4));
}

void HpglPlotter::setWindow(const double *values, int count)
{
    if (count < 4) {
        m_window.reset();
        return;
    }
    m_window = QRectF(toLogical(values[0], values[1]), toLogical(values[2], values[3])).normalized();
}

void HpglPlotter::rotate(double degrees)
{
    const int rotation = ((int(std::lround(degrees / 90)) % 4) + 4) % 4 * 90;
    if (rotation == m_rotation)
        return;
    m_rotation = rotation;
    resetInputPoints();
}

// PS length[,width]: a new sheet, with P1 and P2 at its corners.
void HpglPlotter::setPlotSize(const double *values, int count)
{
    if (count >= 1 && values[0] > 0)
        m_sheet = QRectF(0, 0, values[0], count >= 2 && values[1] > 0 ? values[1] : values[0] * DefaultSheet.height() / DefaultSheet.width());
    else
        m_sheet = DefaultSheet;
    resetInputPoints();
}

int HpglPlotter::chordCount(double radius, double sweepDegrees, double chord) const
{
    double degrees = chord > 0 ? chord : DefaultChordDegrees;
    if (m_chordIsDeviation && chord > 0) {
        const double deviation = chord * scaleX();
        degrees = deviation >= radius ? 180 : 2 * std::acos(1 - deviation / radius) * 180 / Pi;
    }
    if (std::isnan(degrees)) // a deviation the arc's radius cannot give
        degrees = DefaultChordDegrees;
    degrees = std::clamp(degrees, 0.5, 180.0);
    return std::max(1, int(std::ceil(std::abs(sweepDegrees) / degrees - 1e-9)));
}

// Chords along the arc around `centre` from the current position, `sweep` degrees anticlockwise.
void HpglPlotter::drawArc(QPointF centre, double sweepDegrees, double chord, bool down)
{
    const QPointF start = m_position - centre;
    const double radius = std::hypot(start.x(), start.y());
    if (!std::isfinite(radius) || radius == 0 || std::isnan(sweepDegrees))
        return;
    sweepDegrees = std::clamp(sweepDegrees, -360.0, 360.0);
    if (m_scaled && m_sx * m_sy < 0)
        sweepDegrees = -sweepDegrees;
    const double startAngle = std::atan2(start.y(), start.x());
    const int chords = chordCount(radius, sweepDegrees, chord);
    for (int i = 1; i <= chords; ++i)
        moveTo(pointAt(centre, radius, startAngle + radians(sweepDegrees) * i / chords), down);
}

void HpglPlotter::arc(const double *values, int count, bool relative)
{
    if (count < 3)
        return;
    const QPointF centre = relative ? relativeToLogical(values[0], values[1]) : toLogical(values[0], values[1]);
    drawArc(centre, values[2], count >= 4 ? values[3] : 0, m_penDown);
}

void HpglPlotter::threePointArc(const double *values, int count, bool relative)
{
    if (count < 4)
        return;
    const QPointF a = m_position;
    const QPointF b = relative ? relativeToLogical(values[0], values[1]) : toLogical(values[0], values[1]);
    const QPointF c = relative ? relativeToLogical(values[2], values[3]) : toLogical(values[2], values[3]);
    const double d = 2 * (a.x() * (b.y() - c.y()) + b.x() * (c.y() - a.y()) + c.x() * (a.y() - b.y()));
    if (std::abs(d) < 1e-9) { // the three points on one line: a straight move
        moveTo(c, m_penDown);
        return;
    }
    const double aa = a.x() * a.x() + a.y() * a.y(), bb = b.x() * b.x() + b.y() * b.y(), cc = c.x() * c.x() + c.y() * c.y();
    const QPointF centre((aa * (b.y() - c.y()) + bb * (c.y() - a.y()) + cc * (a.y() - b.y())) / d,
                         (aa * (c.x() - b.x()) + bb * (a.x() - c.x()) + cc * (b.x() - a.x())) / d);
    const auto angle = [&](QPointF p) { return std::atan2(p.y() - centre.y(), p.x() - centre.x()); };
    const auto anticlockwise = [](double from, double to) { return std::fmod(to - from + 4 * Pi, 2 * Pi); };
    const double toEnd = anticlockwise(angle(a), angle(c));
    const bool throughB = anticlockwise(angle(a), angle(b)) < toEnd;
    const double sweep = throughB ? toEnd : toEnd - 2 * Pi;
    const bool scaledMirror = m_scaled && m_sx * m_sy < 0;
    drawArc(centre, (scaledMirror ? -sweep : sweep) * 180 / Pi, count >= 5 ? values[4] : 0, m_penDown);
    m_position = c;
}

void HpglPlotter::bezier(const double *values, int count, bool relative)
{
    constexpr int Steps = 32;
    for (int at = 0; at + 6 <= count; at += 6) {
        const QPointF p0 = m_position;
        QPointF p[3];
        for (int i = 0; i < 3; ++i)
            p[i] = relative ? p0 + (toLogical(values[at + 2 * i], values[at + 2 * i + 1]) - toLogical(0, 0))
                            : toLogical(values[at + 2 * i], values[at + 2 * i + 1]);
        for (int step = 1; step <= Steps; ++step) {
            const double t = double(step) / Steps, u = 1 - t;
            moveTo(p0 * (u * u * u) + p[0] * (3 * u * u * t) + p[1] * (3 * u * t * t) + p[2] * (t * t * t), m_penDown);
        }
    }
}

void HpglPlotter::circle(const double *values, int count)
{
    if (count < 1)
        return;
    const QPointF centre = m_position;
    const double radius = values[0] * scaleX();
    const bool down = m_penDown;
    if (m_polygonMode)
        closeSubpolygon();
    moveTo(centre + QPointF(radius, 0), false);
    drawArc(centre, 360, count >= 2 ? values[1] : 0, true);
    if (m_polygonMode)
        closeSubpolygon();
    moveTo(centre, false);
    m_penDown = down;
}

// EA/ER cut the rectangle's edge and leave the pen where it was. RA/RR fill it, which a cutter
// cannot do: left out, as plotter drivers' previews of cutting jobs leave fills out.
void HpglPlotter::rectangle(const double *values, int count, bool relative, bool fill)
{
    if (count < 2)
        return;
    if (fill) {
        m_report.note(ReadReport::FillLeftOut);
        return;
    }
    const QPointF a = m_position;
    const QPointF c = relative ? relativeToLogical(values[0], values[1]) : toLogical(values[0], values[1]);
    for (const QPointF &corner : { QPointF(c.x(), a.y()), c, QPointF(a.x(), c.y()), a })
        moveTo(corner, true);
}

void HpglPlotter::wedge(const double *values, int count, bool fill)
{
    if (count < 3)
        return;
    if (fill) {
        m_report.note(ReadReport::FillLeftOut);
        return;
    }
    const QPointF centre = m_position;
    const double radius = values[0] * scaleX();
    moveTo(pointAt(centre, radius, radians(values[1])), true);
    drawArc(centre, values[2], count >= 4 ? values[3] : 0, true);
    moveTo(centre, true);
}

void HpglPlotter::polygonMode(int mode)
{
    if (mode == 0) {
        m_polygon.clear();
        m_polygon.push_back({ m_position, false });
        m_subpolygonStart = 0;
        m_polygonMode = true;
        return;
    }
    if (!m_polygonMode)
        return;
    closeSubpolygon();
    if (mode == 2)
        m_polygonMode = false;
}

void HpglPlotter::closeSubpolygon()
{
    if (m_subpolygonStart >= m_polygon.size())
        return;
    const QPointF first = m_polygon[m_subpolygonStart].at;
    const bool drawn = std::any_of(m_polygon.begin() + qsizetype(m_subpolygonStart), m_polygon.end(), [](const Vertex &v) { return v.down; });
    if (drawn && m_polygon.back().at != first && m_polygon.size() < PolygonBufferPoints)
        m_polygon.push_back({ first, true });
    m_subpolygonStart = m_polygon.size();
}

void HpglPlotter::edgePolygon(bool fill)
{
    if (fill) {
        m_report.note(ReadReport::FillLeftOut);
        return;
    }
    if (m_polygon.empty())
        return;
    const QPointF at = m_position;
    const bool polygonMode = m_polygonMode;
    m_polygonMode = false;
    for (const Vertex &vertex : m_polygon)
        moveTo(vertex.at, vertex.down);
    moveTo(at, false);
    m_polygonMode = polygonMode;
}

void HpglPlotter::moveTo(QPointF to, bool down)
{
    if (m_polygonMode) {
        if (m_polygon.size() < PolygonBufferPoints)
            m_polygon.push_back({ to, down });
        else
            m_report.note(ReadReport::PolygonBufferFull);
        m_position = to;
        return;
    }
    if (down && m_position != m_emitted)
        emitMove(m_position, false); // labels and CP moved the pen without the head
    if (down && m_window && !(m_window->contains(m_position) && m_window->contains(to))) {
        // Outside the window the head moves on with the knife up.
        const QPointF from = m_position, along = to - from;
        double t0, t1;
        const bool inside = clip(from, to, *m_window, &t0, &t1);
        if (inside) {
            if (t0 > 0)
                emitMove(from + along * t0, false);
            emitMove(from + along * t1, true);
        }
        if (!inside || t1 < 1)
            emitMove(to, false);
    } else {
        emitMove(to, down);
    }
    m_position = to;
}

void HpglPlotter::emitMove(QPointF logical, bool down)
{
    m_emitted = logical;
    const double w = m_sheet.width(), h = m_sheet.height();
    QPointF sheet;
    switch (m_rotation) {
    case 90: sheet = QPointF(w - logical.y(), logical.x()); break;
    case 180: sheet = QPointF(w - logical.x(), h - logical.y()); break;
    case 270: sheet = QPointF(logical.y(), h - logical.x()); break;
    default: sheet = logical;
    }
    const auto unit = [this](double value) {
        if (!(std::abs(value) <= CoordinateLimit)) { // also NaN
            m_report.note(ReadReport::CoordinateClamped);
            return std::isnan(value) ? 0 : value < 0 ? -CoordinateLimit : CoordinateLimit;
        }
        return int(std::lround(value));
    };
    m_sink.move(QPoint(unit(sheet.x()), unit(sheet.y())), down, m_pen);
}

} // namespace KvPlot
