// The PNG writer's own deflate coder: whatever it is given, zlib's inflate
// must give back exactly those bytes, from pieces joined into one stream.
#include "docwin/drawing/rledeflate.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <random>

using kb::TRleDeflate;

namespace {

// The pieces one after another, then the empty last block that the PNG
// writer puts at the end, inflated as raw deflate.
std::vector<uint8_t> Inflate(const std::vector<std::vector<uint8_t>>& pieces, size_t expected)
{
    std::vector<uint8_t> stream;
    for (const auto& piece : pieces)
        stream.insert(stream.end(), piece.begin(), piece.end());
    stream.push_back(0x03);
    stream.push_back(0x00);
    std::vector<uint8_t> out(expected + 16);
    z_stream z{};
    EXPECT_EQ(inflateInit2(&z, -15), Z_OK);
    z.next_in = stream.data();
    z.avail_in = uInt(stream.size());
    z.next_out = out.data();
    z.avail_out = uInt(out.size());
    EXPECT_EQ(inflate(&z, Z_FINISH), Z_STREAM_END) << (z.msg ? z.msg : "");
    EXPECT_EQ(z.avail_in, 0u); // nothing left over after the last block
    out.resize(size_t(z.total_out));
    inflateEnd(&z);
    return out;
}

// Data of the kinds a picture gives: long runs of zeros, short runs of
// other values, lone values, and now and then plain noise.
std::vector<uint8_t> PictureLike(std::mt19937& rng, size_t size)
{
    std::vector<uint8_t> data;
    while (data.size() < size) {
        switch (rng() % 5) {
        case 0:
            data.insert(data.end(), rng() % 3000, 0);
            break;
        case 1:
            data.insert(data.end(), 1 + rng() % 300, uint8_t(rng()));
            break;
        case 2:
            for (int k = int(rng() % 40); k > 0; --k)
                data.push_back(uint8_t(rng()));
            break;
        default:
            data.insert(data.end(), rng() % 7, uint8_t(rng() % 3));
        }
    }
    data.resize(size);
    return data;
}

} // namespace

TEST(RleDeflate, PiecesInflateToWhatWasAdded)
{
    std::mt19937 rng(3);
    for (int round = 0; round < 60; ++round) {
        std::vector<uint8_t> all;
        std::vector<std::vector<uint8_t>> pieces;
        TRleDeflate coder;
        for (int p = int(1 + rng() % 4); p > 0; --p) {
            // Several additions per piece: runs go on across them.
            for (int a = int(rng() % 5); a > 0; --a) {
                const auto data = PictureLike(rng, rng() % (round < 50 ? 5000 : 400000));
                coder.Add(data.data(), data.size());
                all.insert(all.end(), data.begin(), data.end());
            }
            pieces.push_back(coder.Finish());
        }
        ASSERT_EQ(Inflate(pieces, all.size()), all) << "round " << round;
    }
}

TEST(RleDeflate, OneValueEveryValueAndNothing)
{
    // A piece of one value (one symbol and runs of every length), a piece
    // of all 256 values many times (a full table), and an empty piece.
    std::vector<uint8_t> all;
    std::vector<std::vector<uint8_t>> pieces;
    TRleDeflate coder;
    for (size_t length = 1; length < 600; ++length) {
        const std::vector<uint8_t> run(length, 7);
        coder.Add(run.data(), run.size());
        all.insert(all.end(), run.begin(), run.end());
        const uint8_t other = 9;
        coder.Add(&other, 1);
        all.push_back(other);
    }
    pieces.push_back(coder.Finish());
    std::vector<uint8_t> values;
    for (int k = 0; k < 300000; ++k)
        values.push_back(uint8_t(k * 7 + k / 256));
    coder.Add(values.data(), values.size());
    all.insert(all.end(), values.begin(), values.end());
    pieces.push_back(coder.Finish());
    pieces.push_back(coder.Finish());
    ASSERT_EQ(Inflate(pieces, all.size()), all);
}

// Counts that grow like the Fibonacci numbers make a Huffman tree deeper
// than deflate allows (19 levels here, in one block); the coder must cut it
// down to 15 bits and still fill the code space.
TEST(RleDeflate, SkewedCountsStayWithinFifteenBits)
{
    std::vector<uint8_t> data;
    uint64_t a = 1, b = 2;
    for (int value = 1; value <= 18; ++value, b = a + b, a = b - a)
        for (uint64_t k = 0; k < a; ++k) {
            data.push_back(uint8_t(value));
            data.push_back(0); // between every two values: no runs, literals only
        }
    TRleDeflate coder;
    coder.Add(data.data(), data.size());
    ASSERT_EQ(Inflate({coder.Finish()}, data.size()), data);
}
