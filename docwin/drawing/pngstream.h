// A PNG writer that takes the picture a band of rows at a time, so a large
// diagram never has to be in memory whole. It writes 8-bit grey, which holds
// the print renderer's black, white and smoothed text exactly.
#pragma once

#include <QIODevice>
#include <QString>

#include <cstdint>
#include <memory>
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

    // One row of `width` grey values, top to bottom.
    bool WriteRow(const uint8_t* grey);
    // After the last row: flushes the compressed data and the end marker.
    bool Finish();
    bool Ok() const { return m_ok; }
    QString Error() const;

private:
    bool Chunk(const char type[4], const uint8_t* data, size_t size);
    bool Deflate(const uint8_t* data, size_t size, bool finish);
    bool FlushOutput();

    struct TZStream;
    QIODevice& m_out;
    int m_width;
    std::unique_ptr<TZStream> m_z;
    std::vector<uint8_t> m_previous; // the row above, for the Up filter
    std::vector<uint8_t> m_filtered;
    std::vector<uint8_t> m_buffer;
    bool m_ok = true;
};

} // namespace kb
