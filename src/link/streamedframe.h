#ifndef KVSTREAMEDFRAME_H
#define KVSTREAMEDFRAME_H

#include <QByteArray>
#include <QString>
#include <QStringEncoder>

// A frame whose payload is a long text, such as a plot: byte for byte the frame that
// KVDeviceProperty::pack builds, produced a piece at a time so that the whole frame never exists
// in memory.
//
//     0x02 | N | ';' | word ';' | payload (local 8-bit) | 0x03
//
// N counts the payload's bytes in the local 8-bit encoding, so a counting pass over the text
// (measure) runs before the first byte can go; next() then encodes the frame piece by piece into
// a buffer the caller reuses. The text is read where it is: the frame holds the caller's QString
// (shared, not converted).
class KVStreamedFrame
{
public:
    KVStreamedFrame(const QString &word, const QString &payload);

    qsizetype characters() const { return m_text.size(); }

    // Counts at most `characters` more characters of the payload; true once the count is
    // complete, which it also is as soon as a frame delimiter turns up.
    bool measure(qsizetype characters);
    bool measured() const { return m_counted == m_text.size() || m_delimiterAt >= 0; }
    // Once measured: where in the body the first 0x02 or 0x03 is (-1 when there is none, and
    // only then can the frame be sent), and which of the two it is.
    qsizetype delimiterAt() const { return m_delimiterAt; }
    char delimiter() const { return m_delimiter; }
    // Once measured without a delimiter: the frame's length in bytes.
    qsizetype size() const;

    // Fills `buffer` with the next bytes of the frame, at most `characters` characters of the
    // payload (the header comes with the first piece, 0x03 with the last). The buffer's memory is
    // reused when it is not shared.
    void next(QByteArray &buffer, qsizetype characters);
    bool atEnd() const { return m_atEnd; }
    qsizetype bytesProduced() const { return m_produced; }

private:
    qsizetype boundaryAt(qsizetype position) const;
    template<typename Plain, typename Other>
    void walk(qsizetype from, qsizetype to, Plain &&plain, Other &&other) const;

    QString m_text;
    QByteArray m_bodyHead; // word and ';', encoded
    QStringEncoder m_encoder;
    QByteArray m_scratch;  // the count's encoding of the runs that are not plain ASCII
    qsizetype m_counted = 0;
    qsizetype m_bodyBytes = 0;
    qsizetype m_delimiterAt = -1;
    char m_delimiter = 0;
    qsizetype m_encoded = 0;
    qsizetype m_produced = 0;
    bool m_atEnd = false;
};

#endif // KVSTREAMEDFRAME_H
