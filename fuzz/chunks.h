#ifndef KVFUZZ_CHUNKS_H
#define KVFUZZ_CHUNKS_H

// The fuzz inputs of the receive targets are the byte stream of a line, cut into the chunks in
// which a transport hands them over. An input is a sequence of pieces, each led by one byte h:
//
//   h < 0xFE    the next h bytes are one chunk
//   h == 0xFE   the next two bytes (little endian) give the length of the chunk that follows
//   h == 0xFF   the next two bytes (little endian) give a count n: the next chunk arrives n times
//
// A chunk cut short by the end of the input arrives as far as it goes. Repeats let a short input
// stand for a long stream (a line that never sends a frame end), up to MaxStreamBytes in at most
// MaxChunks chunks: a little beyond the receive limit, so that every way of overflowing it stays
// in reach, and no further, since every frame in the stream is dispatched into the catalogue and
// the fuzzer's speed goes with the frames per input.

#include <QByteArray>
#include <QList>

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace KvFuzz {

constexpr unsigned char LongChunk = 0xFE;
constexpr unsigned char Repeat = 0xFF;
constexpr qsizetype MaxStreamBytes = 80 * 1024; // the receive limit and a quarter
constexpr int MaxChunks = 512;

inline unsigned readLe16(const uint8_t *p)
{
    return unsigned(p[0]) | (unsigned(p[1]) << 8);
}

// Calls deliver(QByteArray chunk) for every chunk of the input, in order.
template<typename Deliver>
void forEachChunk(const uint8_t *data, size_t size, Deliver &&deliver)
{
    const uint8_t *p = data;
    const uint8_t *end = data + size;
    qsizetype streamed = 0;
    int delivered = 0;
    const auto full = [&] { return streamed >= MaxStreamBytes || delivered >= MaxChunks; };
    unsigned times = 1;
    while (p < end && !full()) {
        const unsigned char head = *p++;
        if (head == Repeat) {
            if (end - p < 2)
                return;
            times = readLe16(p);
            p += 2;
            continue;
        }
        size_t length = head;
        if (head == LongChunk) {
            if (end - p < 2)
                return;
            length = readLe16(p);
            p += 2;
        }
        length = std::min<size_t>(length, size_t(end - p));
        const QByteArray chunk(reinterpret_cast<const char *>(p), qsizetype(length));
        p += length;
        for (unsigned i = 0; i < times && !full(); ++i) {
            deliver(chunk);
            streamed += chunk.size();
            ++delivered;
        }
        times = 1;
    }
}

inline void appendLe16(QByteArray &bytes, unsigned value)
{
    bytes.append(char(value & 0xFF)).append(char((value >> 8) & 0xFF));
}

// The input that delivers `chunks` one by one (the inverse of forEachChunk, for seed files);
// a chunk longer than 0xFFFF bytes goes as several.
inline QByteArray encodeChunks(const QList<QByteArray> &chunks)
{
    QByteArray input;
    for (const QByteArray &chunk : chunks) {
        qsizetype at = 0;
        do {
            const QByteArray piece = chunk.mid(at, 0xFFFF);
            if (piece.size() < LongChunk) {
                input.append(char(piece.size()));
            } else {
                input.append(char(LongChunk));
                appendLe16(input, unsigned(piece.size()));
            }
            input.append(piece);
            at += 0xFFFF;
        } while (at < chunk.size());
    }
    return input;
}

// The input that delivers `chunk` `times` times.
inline QByteArray encodeRepeated(const QByteArray &chunk, unsigned times)
{
    QByteArray input(1, char(Repeat));
    appendLe16(input, times);
    return input + encodeChunks({ chunk });
}

} // namespace KvFuzz

#endif // KVFUZZ_CHUNKS_H
