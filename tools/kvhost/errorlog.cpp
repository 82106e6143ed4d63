#include "errorlog.h"

#include <cstdio>

namespace {
constexpr qsizetype MaxLine = 4096; // a longer complaint is kept cut short
}

ErrorLog::ErrorLog()
{
    open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

qint64 ErrorLog::writeData(const char *data, qint64 size)
{
    std::fwrite(data, 1, size_t(size), stderr);
    std::fflush(stderr);
    static const QByteArray prefix = QByteArrayLiteral("kvhost: ");
    for (qint64 i = 0; i < size; ++i) {
        if (data[i] != '\n') {
            if (m_line.size() < MaxLine)
                m_line.append(data[i]);
            continue;
        }
        if (m_line.startsWith(prefix))
            m_complaints << QString::fromUtf8(m_line.mid(prefix.size()));
        m_line.clear();
    }
    return size;
}
