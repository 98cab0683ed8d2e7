#include "docwin/drawing/pngstream.h"

#include <zlib.h>

#include <cstring>

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

// out = row - above, byte by byte; the buffers never overlap, which lets the
// compiler use vector instructions.
void Subtract(const uint8_t* __restrict row, const uint8_t* __restrict above,
              uint8_t* __restrict out, int n)
{
    for (int x = 0; x < n; ++x)
        out[x] = uint8_t(row[x] - above[x]);
}

} // namespace

struct TPngStream::TZStream
{
    z_stream Z{};
};

TPngStream::TPngStream(QIODevice& out, int width, int height)
    : m_out(out), m_width(width), m_z(std::make_unique<TZStream>()), m_previous(size_t(width), 0),
      m_filtered(size_t(width) + 1), m_buffer(kChunkSize)
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
    // Run-length matching suits pictures that are mostly white runs, and is
    // many times faster than the full search.
    m_ok = deflateInit2(&m_z->Z, 1, Z_DEFLATED, 15, 8, Z_RLE) == Z_OK;
    m_z->Z.next_out = m_buffer.data();
    m_z->Z.avail_out = uInt(m_buffer.size());
    m_ok = m_ok && m_out.write(reinterpret_cast<const char*>(kSignature), 8) == 8 &&
           Chunk("IHDR", header, sizeof header);
}

TPngStream::~TPngStream()
{
    deflateEnd(&m_z->Z);
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

bool TPngStream::FlushOutput()
{
    z_stream& z = m_z->Z;
    const size_t used = m_buffer.size() - z.avail_out;
    z.next_out = m_buffer.data();
    z.avail_out = uInt(m_buffer.size());
    return used == 0 || Chunk("IDAT", m_buffer.data(), used);
}

bool TPngStream::Deflate(const uint8_t* data, size_t size, bool finish)
{
    z_stream& z = m_z->Z;
    z.next_in = const_cast<uint8_t*>(data);
    z.avail_in = uInt(size);
    while (true) {
        const int rc = deflate(&z, finish ? Z_FINISH : Z_NO_FLUSH);
        if (rc == Z_STREAM_ERROR) return false;
        if (z.avail_out == 0 && !FlushOutput()) return false;
        if (finish && rc == Z_STREAM_END) return FlushOutput();
        if (!finish && z.avail_in == 0 && z.avail_out != 0) return true;
    }
}

// Each row is stored as its difference from the row above ("Up"): rows that
// repeat, as most do in a diagram, become zeros and compress to almost nothing.
bool TPngStream::WriteRow(const uint8_t* grey)
{
    if (!m_ok) return false;
    m_filtered[0] = 2;
    Subtract(grey, m_previous.data(), m_filtered.data() + 1, m_width);
    std::memcpy(m_previous.data(), grey, size_t(m_width));
    m_ok = Deflate(m_filtered.data(), m_filtered.size(), false);
    return m_ok;
}

bool TPngStream::Finish()
{
    m_ok = m_ok && Deflate(nullptr, 0, true) && Chunk("IEND", nullptr, 0);
    return m_ok;
}

} // namespace kb
