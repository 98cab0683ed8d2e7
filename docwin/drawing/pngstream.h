// A PNG writer that takes the picture a band of rows at a time, so a large
// diagram never has to be in memory whole. It writes 8-bit grey, which holds
// the print renderer's black, white and smoothed text exactly.
//
// Each band is compressed in two halves on two more threads while the caller
// draws the next band (TRleDeflate, a coder made for such pictures); the
// halves are separate pieces of one deflate stream, joined in order.
#pragma once

#include <QIODevice>
#include <QString>

#include <cstdint>
#include <future>
#include <vector>

namespace kb {

class TPngStream
{
public:
    // Writes the header at once; Ok() tells whether that worked.
    TPngStream(QIODevice& out, int width, int height);
    ~TPngStream();
    TPngStream(const TPngStream&) = delete;
    TPngStream& operator=(const TPngStream&) = delete;

    // The next `count` rows of `width` grey values, top to bottom, `stride`
    // bytes apart. They are compressed while the caller goes on, so they must
    // stay as they are until the next WriteRows or Finish; the band before
    // them is written to the device here.
    bool WriteRows(const uint8_t* first, qsizetype stride, int count);
    // After the last rows: writes what is left and the end marker.
    bool Finish();
    bool Ok() const { return m_ok; }
    QString Error() const;

    // One compressed piece of the stream and what the checksum needs of it.
    struct TPiece
    {
        std::vector<uint8_t> Data;
        unsigned long Adler = 1;
        uint64_t Length = 0; // uncompressed bytes
        bool Ok = true;
    };

private:
    bool Chunk(const char type[4], const uint8_t* data, size_t size);
    bool WritePiece(const TPiece& piece);
    bool CollectPending();

    QIODevice& m_out;
    int m_width;
    std::vector<uint8_t> m_previous; // the last row written, for the Up filter
    // The band being compressed: its pieces and where its last row is.
    std::vector<std::future<TPiece>> m_pending;
    const uint8_t* m_pendingLast = nullptr;
    std::vector<uint8_t> m_idat; // compressed bytes not yet in a chunk
    unsigned long m_adler = 1;
    bool m_ok = true;
};

} // namespace kb
