#include "docwin/drawing/pngstream.h"

#include "docwin/drawing/rledeflate.h"

#include <libdeflate.h>
#include <zlib.h>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include <cstring>
#include <new>

namespace kb {
namespace {

constexpr size_t kChunkSize = 1 << 18;

void PutBigEndian(uint8_t* p, uint32_t v)
{
    p[0] = uint8_t(v >> 24);
    p[1] = uint8_t(v >> 16);
    p[2] = uint8_t(v >> 8);
    p[3] = uint8_t(v);
}

// out = row - above, byte by byte; false when that is all zeros, as it is
// for most rows. Sixteen bytes at a time where the processor can: this runs
// over every pixel of the picture.
bool Subtract(const uint8_t* row, const uint8_t* above, uint8_t* out, int n)
{
    int x = 0;
    bool any = false;
#if defined(__SSE2__)
    __m128i ored = _mm_setzero_si128();
    for (; x + 16 <= n; x += 16) {
        const __m128i d =
            _mm_sub_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(row + x)),
                         _mm_loadu_si128(reinterpret_cast<const __m128i*>(above + x)));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + x), d);
        ored = _mm_or_si128(ored, d);
    }
    any = _mm_movemask_epi8(_mm_cmpeq_epi8(ored, _mm_setzero_si128())) != 0xFFFF;
#endif
    for (; x < n; ++x) {
        out[x] = uint8_t(row[x] - above[x]);
        any = any || out[x] != 0;
    }
    return any;
}

// The checksum of `n` zero bytes on their own, to add those of a row that
// repeats the one above without reading them.
uLong ZerosAdler(uint64_t n)
{
    return uLong(n % 65521) << 16 | 1;
}

// Each row is stored as its difference from the row above ("Up"): rows that
// repeat, as most do in a diagram, become zeros and compress to almost nothing.
// The piece is raw deflate that ends on a byte boundary without closing the
// stream, so pieces follow one another in one stream.
TPngStream::TPiece CompressRows(const uint8_t* above, const uint8_t* first, qsizetype stride,
                                int count, int width)
{
    TPngStream::TPiece piece;
    try {
        TRleDeflate deflate;
        std::vector<uint8_t> filtered(size_t(width) + 1);
        filtered[0] = 2;
        const uLong zeros = ZerosAdler(uint64_t(width));
        for (int y = 0; y < count; ++y) {
            const uint8_t* row = first + y * stride;
            if (Subtract(row, above, filtered.data() + 1, width)) {
                piece.Adler =
                    libdeflate_adler32(uint32_t(piece.Adler), filtered.data(), filtered.size());
            } else {
                piece.Adler = adler32(piece.Adler, filtered.data(), 1);
                piece.Adler = adler32_combine(piece.Adler, zeros, z_off_t(width));
            }
            above = row;
            deflate.Add(filtered.data(), filtered.size());
        }
        piece.Data = deflate.Finish();
        piece.Length = uint64_t(count) * filtered.size();
    } catch (const std::bad_alloc&) {
        piece.Ok = false; // reported as data that could not be compressed
    }
    return piece;
}

} // namespace

TPngStream::TPngStream(QIODevice& out, int width, int height)
    : m_out(out), m_width(width), m_previous(size_t(width), 0)
{
    static const uint8_t kSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    uint8_t header[13];
    PutBigEndian(header, uint32_t(width));
    PutBigEndian(header + 4, uint32_t(height));
    header[8] = 8;  // bits per sample
    header[9] = 0;  // grey
    header[10] = 0; // deflate
    header[11] = 0; // adaptive filtering
    header[12] = 0; // not interlaced
    // The zlib header: deflate with a 32 KiB window, fastest level.
    m_idat = {0x78, 0x01};
    m_ok = m_out.write(reinterpret_cast<const char*>(kSignature), 8) == 8 &&
           Chunk("IHDR", header, sizeof header);
}

TPngStream::~TPngStream()
{
    for (auto& piece : m_pending)
        piece.wait();
}

QString TPngStream::Error() const
{
    return m_out.errorString().isEmpty() ? QStringLiteral("the PNG data could not be compressed")
                                         : m_out.errorString();
}

bool TPngStream::Chunk(const char type[4], const uint8_t* data, size_t size)
{
    uint8_t head[8];
    PutBigEndian(head, uint32_t(size));
    std::memcpy(head + 4, type, 4);
    uLong crc = crc32(0, head + 4, 4);
    if (size > 0) // crc32 of a null buffer restarts the sum
        crc = crc32(crc, data, uInt(size));
    uint8_t tail[4];
    PutBigEndian(tail, uint32_t(crc));
    return m_out.write(reinterpret_cast<const char*>(head), 8) == 8 &&
           m_out.write(reinterpret_cast<const char*>(data), qint64(size)) == qint64(size) &&
           m_out.write(reinterpret_cast<const char*>(tail), 4) == 4;
}

// Pieces go out in IDAT chunks of about kChunkSize bytes.
bool TPngStream::WritePiece(const TPiece& piece)
{
    if (!piece.Ok) return false;
    m_adler = adler32_combine(m_adler, piece.Adler, z_off_t(piece.Length));
    m_idat.insert(m_idat.end(), piece.Data.begin(), piece.Data.end());
    size_t done = 0;
    for (; m_idat.size() - done >= kChunkSize; done += kChunkSize)
        if (!Chunk("IDAT", m_idat.data() + done, kChunkSize)) return false;
    m_idat.erase(m_idat.begin(), m_idat.begin() + qsizetype(done));
    return true;
}

// Waits for the band being compressed and writes it; its last row becomes
// the row above the next band.
bool TPngStream::CollectPending()
{
    for (auto& pending : m_pending) {
        const TPiece piece = pending.get();
        m_ok = m_ok && WritePiece(piece);
    }
    m_pending.clear();
    if (m_pendingLast) std::memcpy(m_previous.data(), m_pendingLast, size_t(m_width));
    m_pendingLast = nullptr;
    return m_ok;
}

bool TPngStream::WriteRows(const uint8_t* first, qsizetype stride, int count)
{
    if (!CollectPending() || count <= 0) return m_ok;
    const int half = count / 2;
    const int width = m_width;
    const uint8_t* above = m_previous.data();
    if (half > 0)
        m_pending.push_back(
            std::async(std::launch::async, CompressRows, above, first, stride, half, width));
    const uint8_t* second = first + half * stride;
    const uint8_t* secondAbove = half > 0 ? second - stride : above;
    m_pending.push_back(std::async(std::launch::async, CompressRows, secondAbove, second, stride,
                                   count - half, width));
    m_pendingLast = first + (count - 1) * stride;
    return m_ok;
}

bool TPngStream::Finish()
{
    if (!CollectPending()) return false;
    // An empty last block closes the stream, then the checksum of all rows.
    const uint8_t last[] = {0x03, 0x00};
    m_idat.insert(m_idat.end(), last, last + 2);
    uint8_t adler[4];
    PutBigEndian(adler, uint32_t(m_adler));
    m_idat.insert(m_idat.end(), adler, adler + 4);
    m_ok = Chunk("IDAT", m_idat.data(), m_idat.size()) && Chunk("IEND", nullptr, 0);
    m_idat.clear();
    return m_ok;
}

} // namespace kb
