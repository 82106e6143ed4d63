#include "streamedframe.h"

#include "framestream.h"

#include <algorithm>
#include <cstring>

namespace {

// Characters looked at together. Plot text is nearly all ASCII: a block of it is counted as 64
// bytes and narrowed to them without the encoder; the compiler turns both loops into vector code.
constexpr qsizetype Block = 64;
// At most this many characters (plus a block and a surrogate) go to the encoder in one call.
constexpr qsizetype MaxOtherRun = 4096;

// True when every character of the block is ASCII and none is 0x02 or 0x03: each is then its
// own byte in the local 8-bit encoding.
bool plainBlock(const char16_t *chars)
{
    char16_t other = 0;
    for (qsizetype i = 0; i < Block; ++i) {
        const char16_t c = chars[i];
        other |= char16_t(c & 0xFF80) | char16_t((c | 1) == 3 ? 1 : 0);
    }
    return other == 0;
}

void narrowBlock(const char16_t *chars, char *out)
{
    for (qsizetype i = 0; i < Block; ++i)
        out[i] = char(chars[i]);
}

} // namespace

KVStreamedFrame::KVStreamedFrame(const QString &word, const QString &payload)
    : m_text(payload),
      m_encoder(QStringEncoder::System, QStringEncoder::Flag::Stateless)
{
    // The same encoder and the same pieces as pack(): the word, ';', then the payload, each
    // encoded on its own.
    m_bodyHead = m_encoder.encode(word);
    m_bodyHead += m_encoder.encode(u";");
    m_bodyBytes = m_bodyHead.size();
}

bool KVStreamedFrame::measure(qsizetype characters)
{
    if (measured())
        return true;
    if (m_scratch.isEmpty())
        m_scratch.resize(m_encoder.requiredSpace(MaxOtherRun + Block + 1));
    const qsizetype to = boundaryAt(std::min(m_text.size(), m_counted + characters));
    walk(m_counted, to,
         [this](qsizetype) { m_bodyBytes += Block; },
         [this](QStringView run) {
             char *const begin = m_scratch.data();
             const qsizetype bytes = m_encoder.appendToBuffer(begin, run) - begin;
             if (const qsizetype at = KVFrameStream::firstDelimiter(begin, bytes); at >= 0) {
                 m_delimiterAt = m_bodyBytes + at;
                 m_delimiter = begin[at];
                 return false;
             }
             m_bodyBytes += bytes;
             return true;
         });
    m_counted = to;
    return measured();
}

qsizetype KVStreamedFrame::size() const
{
    return KVFrameStream::frameLength(m_bodyBytes);
}

void KVStreamedFrame::next(QByteArray &buffer, qsizetype characters)
{
    const qsizetype from = m_encoded;
    const qsizetype to = boundaryAt(std::min(m_text.size(), from + characters));
    QByteArray header;
    if (m_produced == 0)
        header = KVFrameStream::Stx + QByteArray::number(size()) + ';' + m_bodyHead;
    buffer.resize(header.size() + m_encoder.requiredSpace(to - from) + 1);
    char *out = buffer.data();
    std::memcpy(out, header.constData(), size_t(header.size()));
    out += header.size();
    walk(from, to,
         [&out, chars = m_text.utf16()](qsizetype at) {
             narrowBlock(reinterpret_cast<const char16_t *>(chars) + at, out);
             out += Block;
         },
         [&out, this](QStringView run) {
             out = m_encoder.appendToBuffer(out, run);
             return true;
         });
    m_encoded = to;
    if (to == m_text.size()) {
        *out++ = KVFrameStream::Etx;
        m_atEnd = true;
    }
    buffer.truncate(out - buffer.constData());
    m_produced += buffer.size();
}

// `position`, or the one after it when it falls between the two halves of a surrogate pair:
// pieces are encoded on their own, and a split pair would become two replacement characters.
qsizetype KVStreamedFrame::boundaryAt(qsizetype position) const
{
    if (position > 0 && position < m_text.size() && m_text.at(position - 1).isHighSurrogate()
        && m_text.at(position).isLowSurrogate())
        return position + 1;
    return position;
}

// Walks the text from `from` to `to` (a boundary): `plain(position)` for every block of plain
// ASCII, `other(QStringView run)` for the characters between them, in runs that never split a
// surrogate pair; `other` returns false to stop the walk.
template<typename Plain, typename Other>
void KVStreamedFrame::walk(qsizetype from, qsizetype to, Plain &&plain, Other &&other) const
{
    const auto *chars = reinterpret_cast<const char16_t *>(m_text.utf16());
    const auto isPlainAt = [chars, to](qsizetype at) { return to - at >= Block && plainBlock(chars + at); };
    qsizetype at = from;
    while (at < to) {
        if (isPlainAt(at)) {
            plain(at);
            at += Block;
            continue;
        }
        qsizetype end = std::min(to, at + Block);
        while (end < to && end - at < MaxOtherRun && !isPlainAt(end))
            end = std::min(to, end + Block);
        end = boundaryAt(end);
        if (!other(QStringView(chars + at, end - at)))
            return;
        at = end;
    }
}
