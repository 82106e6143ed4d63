#include "kvdeviceproperty.h"

#include "framestream.h"
#include "kvlogging.h"

#include <QStringEncoder>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

/*
 * Device frame, in both directions (byte offsets; d = number of digits of N, L = body bytes):
 *
 *     0      1 .. d          1+d    2+d .. 1+d+L                2+d+L
 *   +------+---------------+------+---------------------------+------+
 *   | 0x02 | N, ASCII      | ';'  | word ';' payload          | 0x03 |
 *   |      | decimal digits| 0x3B | (local 8-bit encoding)    |      |
 *   +------+---------------+------+---------------------------+------+
 *
 *   N = L + 3 + d counts every byte of the frame, its own digits included; no sign, no padding.
 *   word: "CMD", "CCMD", "PLT", "PPLT" or "QR_PLT".
 *
 *   02 31 35 3B 43 43 4D 44 3B 31 30 31 30 3B 03          "15;CCMD;1010;"      read code 1010
 *   02 31 36 3B 43 4D 44 3B 47 45 54 31 33 34 3B 03       "16;CMD;GET134;"     read register 134
 *
 * Payloads:
 *   CCMD read    <get>{,<param>};                  CCMD write   <set>,{<param>,}<value>;
 *   CCMD group   <set>{,<member value>};           CMD read     GET<get>;<get+1>;...   (len items)
 *   CMD write    SET<set>:<value>;                 (len 1)
 *                SET<set>:<w0>;<set+1>:<w1>;...    (len 2..6: 16-bit words, low half first)
 *   NUM          NUM:<value>;      (word "CMD")    PLT, PPLT, QR_PLT   the plot text as it is
 *
 * The device cuts frames at 0x03 from the last 0x02 before it, so neither byte may occur in a
 * body: such a frame is not built at all.
 */

namespace {

using KVFrameStream::Etx;
using KVFrameStream::Stx;
// Registers one multi-register write may cover: the value's two words and four zero words.
constexpr int MaxWriteRegisters = 6;

QString typeWord(KVDeviceInterface::KVDeviceCMDType type)
{
    switch (type) {
    case KVDeviceInterface::CCMD: return QStringLiteral("CCMD");
    case KVDeviceInterface::CMD:
    case KVDeviceInterface::NUM: return QStringLiteral("CMD");
    case KVDeviceInterface::PLT: return QStringLiteral("PLT");
    case KVDeviceInterface::PPLT: return QStringLiteral("PPLT");
    case KVDeviceInterface::QRPLT: return QStringLiteral("QR_PLT");
    case KVDeviceInterface::UnCMD: break;
    }
    return {};
}

// The value as the 32-bit pattern of a register pair: doubles round to the nearest integer,
// negative numbers give their two's complement. Numbers outside what 32 bits can carry saturate
// instead of wrapping into an unrelated value.
quint32 registerPattern(const QVariant &value)
{
    constexpr qint64 lowest = std::numeric_limits<qint32>::min();
    constexpr qint64 highest = std::numeric_limits<quint32>::max();
    const int type = value.typeId();
    if (type == QMetaType::Double || type == QMetaType::Float) {
        const double number = value.toDouble();
        if (std::isnan(number))
            return 0;
        return quint32(qint64(std::clamp(std::round(number), double(lowest), double(highest))));
    }
    if (type == QMetaType::ULongLong)
        return quint32(std::min<qulonglong>(value.toULongLong(), quint64(highest)));
    return quint32(std::clamp<qint64>(value.toLongLong(), lowest, highest));
}

QString commaPayload(const QStringList &fields)
{
    return fields.join(u',') + u';';
}

} // namespace

QByteArray KVDeviceProperty::pack(QString payload, QString word) const
{
    // The body is encoded once, straight into the frame behind room for the longest header; the
    // header then goes right in front of it and the room before it is dropped without a copy.
    // The encoder sizes its buffer the way QString::toLocal8Bit does.
    constexpr qsizetype headerRoom = 1 + 20 + 1; // STX, the digits of any length, ';'
    QStringEncoder encoder(QStringEncoder::System, QStringEncoder::Flag::Stateless);
    QByteArray frame(headerRoom + encoder.requiredSpace(word.size() + 1 + payload.size()) + 1,
                     Qt::Uninitialized);
    char *const body = frame.data() + headerRoom;
    char *end = encoder.appendToBuffer(body, word);
    end = encoder.appendToBuffer(end, u";");
    end = encoder.appendToBuffer(end, payload);
    const qsizetype bodyBytes = end - body;

    if (const qsizetype at = KVFrameStream::firstDelimiter(body, bodyBytes); at >= 0) {
        qCWarning(lcKvDevice) << "KVDeviceProperty::pack" << m_label << word
                              << "frame not built: its body holds the frame delimiter"
                              << QByteArray(1, body[at]).toHex() << "at byte" << at;
        return {};
    }

    const QByteArray header = Stx + QByteArray::number(KVFrameStream::frameLength(bodyBytes)) + ';';
    char *const start = body - header.size();
    std::memcpy(start, header.constData(), size_t(header.size()));
    *end++ = Etx;
    frame.truncate(end - frame.constData());
    frame.remove(0, start - frame.constData());
    return frame;
}

QByteArray KVDeviceProperty::get_cmd_bytes() const
{
    if (m_cmd_type == KVDeviceInterface::UnCMD || m_cmd_len == 0 || m_get_cmd == 0)
        return {};
    if (m_cmd_type == KVDeviceInterface::CCMD)
        return pack(commaPayload(QStringList{ QString::number(m_get_cmd) } + m_param), typeWord(m_cmd_type));
    if (m_cmd_type == KVDeviceInterface::CMD) {
        QString payload = QStringLiteral("GET");
        for (qint64 i = 0; i < m_cmd_len; ++i)
            payload += QString::number(m_get_cmd + i) + u';';
        return pack(payload, typeWord(m_cmd_type));
    }
    return {};
}

QByteArray KVDeviceProperty::set_cmd_bytes() const
{
    if (m_cmd_type == KVDeviceInterface::UnCMD || m_set_cmd == 0)
        return {};
    const QString word = typeWord(m_cmd_type);
    switch (m_cmd_type) {
    case KVDeviceInterface::CCMD: {
        const QStringList keys = m_value.toStringList();
        if (keys.size() < 2)
            return pack(commaPayload(QStringList{ QString::number(m_set_cmd) } + m_param
                                     + QStringList{ m_value.toString() }), word);
        QStringList fields{ QString::number(m_set_cmd) };
        for (const QString &key : keys) {
            if (const KVDeviceProperty *member = property_ptr(key.toLatin1().constData()))
                fields += member->value().toString();
        }
        return pack(commaPayload(fields), word);
    }
    case KVDeviceInterface::CMD: {
        if (m_cmd_len > MaxWriteRegisters) {
            qCWarning(lcKvDevice) << "KVDeviceProperty::set_cmd_bytes" << m_label
                                  << "frame not built: a write covers at most" << MaxWriteRegisters
                                  << "registers, not" << m_cmd_len;
            return {};
        }
        QString payload = QStringLiteral("SET");
        if (m_cmd_len == 1)
            payload += QString::number(m_set_cmd) + u':' + m_value.toString() + u';';
        if (m_cmd_len >= 2) {
            const quint32 pattern = registerPattern(m_value);
            const quint32 words[MaxWriteRegisters] = { pattern & 0xFFFF, pattern >> 16, 0, 0, 0, 0 };
            for (int i = 0; i < m_cmd_len; ++i)
                payload += QString::number(qint64(m_set_cmd) + i) + u':' + QString::number(words[i]) + u';';
        }
        return pack(payload, word);
    }
    case KVDeviceInterface::NUM:
        return pack(QStringLiteral("NUM:") + m_value.toString() + u';', word);
    case KVDeviceInterface::PLT:
    case KVDeviceInterface::PPLT:
    case KVDeviceInterface::QRPLT:
        return pack(m_value.toString(), word);
    case KVDeviceInterface::UnCMD:
        break;
    }
    return {};
}
