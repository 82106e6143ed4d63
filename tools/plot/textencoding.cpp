#include "textencoding.h"

namespace KvPlot {

std::optional<QStringConverter::Encoding> utf16Encoding(QByteArrayView head)
{
    if (head.startsWith("\xFF\xFE"))
        return QStringConverter::Utf16LE;
    if (head.startsWith("\xFE\xFF"))
        return QStringConverter::Utf16BE;
    const qsizetype pairs = std::min<qsizetype>(head.size() / 2, 32);
    int littleEndian = 0, bigEndian = 0;
    for (qsizetype i = 0; i < pairs; ++i) {
        const uchar first = uchar(head[2 * i]), second = uchar(head[2 * i + 1]);
        littleEndian += first >= 0x09 && first < 0x80 && second == 0;
        bigEndian += second >= 0x09 && second < 0x80 && first == 0;
    }
    if (pairs >= 4 && littleEndian * 4 >= pairs * 3)
        return QStringConverter::Utf16LE;
    if (pairs >= 4 && bigEndian * 4 >= pairs * 3)
        return QStringConverter::Utf16BE;
    return std::nullopt;
}

bool looksLikeSvg(QByteArrayView head)
{
    qsizetype i = 0;
    while (i < head.size() && (head[i] == ' ' || head[i] == '\t' || head[i] == '\r' || head[i] == '\n'))
        ++i;
    const QByteArrayView rest = head.sliced(i);
    return rest.startsWith("<?xml") || rest.startsWith("<svg") || rest.startsWith("<!--") || rest.startsWith("<!DOCTYPE");
}

} // namespace KvPlot
