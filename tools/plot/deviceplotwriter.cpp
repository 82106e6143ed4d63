#include "deviceplotwriter.h"

#include <QIODevice>

#include <cstring>

namespace KvPlot {

namespace {
// Long point lists are split so that no instruction outgrows a plotter's input buffer.
constexpr int PairsPerInstruction = 128;
}

DevicePlotWriter::DevicePlotWriter(QString *text) : m_text(text) { append("IN;", 3); }
DevicePlotWriter::DevicePlotWriter(QByteArray *bytes) : m_bytes(bytes) { append("IN;", 3); }
DevicePlotWriter::DevicePlotWriter(QIODevice *device) : m_device(device) { append("IN;", 3); }

DevicePlotWriter::~DevicePlotWriter()
{
    finish();
}

void DevicePlotWriter::move(QPoint to, bool penDown, int)
{
    if (m_open && (penDown != m_down || m_pairs == PairsPerInstruction)) {
        append(";", 1);
        m_open = false;
    }
    if (!m_open) {
        append(penDown ? "PD" : "PU", 2);
        m_open = true;
        m_down = penDown;
        m_pairs = 0;
    } else {
        append(",", 1);
    }
    appendNumber(to.x());
    append(",", 1);
    appendNumber(to.y());
    ++m_pairs;
}

void DevicePlotWriter::finish()
{
    if (m_finished)
        return;
    m_finished = true;
    if (m_open)
        append(";", 1);
    append("PU;", 3);
    flush();
}

void DevicePlotWriter::append(const char *text, qsizetype size)
{
    if (m_used + size > qsizetype(sizeof m_buffer))
        flush();
    std::memcpy(m_buffer + m_used, text, size_t(size));
    m_used += size;
}

void DevicePlotWriter::appendNumber(int value)
{
    char digits[12];
    char *end = digits + sizeof digits;
    char *p = end;
    unsigned magnitude = value < 0 ? 0u - unsigned(value) : unsigned(value);
    do {
        *--p = char('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude);
    if (value < 0)
        *--p = '-';
    append(p, end - p);
}

void DevicePlotWriter::flush()
{
    if (m_text) {
        // ASCII widens to UTF-16 unit by unit.
        const qsizetype at = m_text->size();
        m_text->resize(at + m_used);
        char16_t *out = reinterpret_cast<char16_t *>(m_text->data()) + at;
        for (qsizetype i = 0; i < m_used; ++i)
            out[i] = char16_t(uchar(m_buffer[i]));
    } else if (m_bytes) {
        m_bytes->append(m_buffer, m_used);
    } else if (m_device) {
        m_device->write(m_buffer, m_used);
    }
    m_used = 0;
}

} // namespace KvPlot
