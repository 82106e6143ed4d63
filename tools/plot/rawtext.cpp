#include "rawtext.h"

#include "textencoding.h"

#include <QCoreApplication>
#include <QFile>
#include <QStringDecoder>

namespace KvPlot {

namespace {
// The texts of the plot library, in the catalogues' context "KvPlot".
struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(KvPlot)
};
}

void RawTextCheck::refuse(const QString &reason, qint64 offset)
{
    if (!m_error.isError())
        m_error = { reason, offset };
}

void RawTextCheck::feed(QByteArrayView chunk)
{
    if (m_head.size() < 64)
        m_head.append(chunk.first(std::min<qsizetype>(chunk.size(), 64 - m_head.size())).toByteArray());
    for (qsizetype i = 0; i < chunk.size() && !m_error.isError(); ++i, ++m_offset) {
        const uchar byte = uchar(chunk[i]);
        if (m_continuations > 0) {
            if (byte < m_low || byte > m_high) {
                refuse(Texts::tr("The text is not UTF-8: its bytes would change on the way to the plotter."), m_sequenceStart);
                break;
            }
            --m_continuations;
            m_low = 0x80;
            m_high = 0xBF;
            continue;
        }
        m_sequenceStart = m_offset;
        if (byte == 0x02 || byte == 0x03) {
            refuse(Texts::tr("The text holds the byte 0x%1, which ends the device's frames.").arg(byte, 2, 16, QLatin1Char('0')), m_offset);
        } else if (byte >= 0xC2 && byte <= 0xDF) {
            m_continuations = 1;
        } else if (byte >= 0xE0 && byte <= 0xEF) {
            m_continuations = 2;
            m_low = byte == 0xE0 ? 0xA0 : 0x80;  // no overlong forms
            m_high = byte == 0xED ? 0x9F : 0xBF; // no surrogates
        } else if (byte >= 0xF0 && byte <= 0xF4) {
            m_continuations = 3;
            m_low = byte == 0xF0 ? 0x90 : 0x80;
            m_high = byte == 0xF4 ? 0x8F : 0xBF; // nothing beyond U+10FFFF
        } else if (byte >= 0x80) {
            refuse(Texts::tr("The text is not UTF-8: its bytes would change on the way to the plotter."), m_offset);
        }
    }
}

ReadError RawTextCheck::finish()
{
    if (utf16Encoding(m_head))
        return { Texts::tr("The text is UTF-16, which the plotter does not read."), 0 };
    if (m_continuations > 0)
        refuse(Texts::tr("The text is not UTF-8: its bytes would change on the way to the plotter."), m_sequenceStart);
    if (m_offset == 0)
        refuse(Texts::tr("The file is empty."), 0);
    return m_error;
}

ReadError checkRawText(QByteArrayView bytes)
{
    RawTextCheck check;
    check.feed(bytes);
    return check.finish();
}

ReadError readRawText(const QString &path, QString *text)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return { Texts::tr("Cannot read the plot file %1: %2").arg(path, file.errorString()), -1 };
    text->clear();
    text->reserve(qsizetype(std::min<qint64>(file.size(), qint64(1) << 30)));
    RawTextCheck check;
    // A byte-order mark stays: it is part of the file's own text.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    QByteArray chunk(1 << 20, Qt::Uninitialized);
    qint64 got;
    while ((got = file.read(chunk.data(), chunk.size())) > 0) {
        const QByteArrayView bytes(chunk.constData(), got);
        check.feed(bytes);
        text->append(utf8(bytes));
    }
    const ReadError error = check.finish();
    if (error.isError())
        text->clear();
    return error;
}

} // namespace KvPlot
