#include "docwin/drawing/floodfill.h"

#include <unordered_map>
#include <vector>

namespace kb {
namespace {

struct TSpan
{
    int Left;
    int Right; // inclusive
};

// Pixels of a 32-bit colour image (alpha ignored) or of an 8-bit grey one.
struct TColourPixels
{
    using Pixel = QRgb;
    static Pixel Of(QRgb c) { return c | 0xFF000000; }
    static bool Same(Pixel a, Pixel b) { return ((a ^ b) & 0xFFFFFF) == 0; }
};

struct TGreyPixels
{
    using Pixel = uchar;
    static Pixel Of(QRgb c) { return uchar(qGray(c)); }
    static bool Same(Pixel a, Pixel b) { return a == b; }
};

template <typename Pixels> class TFiller
{
    using Pixel = typename Pixels::Pixel;

public:
    TFiller(QImage& image, QRgb border, QRgb fill)
        : m_image(image), m_border(Pixels::Of(border)), m_fill(Pixels::Of(fill))
    {
    }

    void Run(QPoint seed)
    {
        m_seeds.push_back(seed);
        while (!m_seeds.empty()) {
            const QPoint p = m_seeds.back();
            m_seeds.pop_back();
            if (!IsBorder(Row(p.y())[p.x()]) && !Filled(p)) FillSpanAt(p);
        }
    }

private:
    // Written in place without detaching: a painter may be drawing on the
    // same pixels, and a copy shared meanwhile (a widget showing the back
    // buffer) must not split them.
    Pixel* Row(int y)
    {
        return reinterpret_cast<Pixel*>(const_cast<uchar*>(m_image.constScanLine(y)));
    }
    bool IsBorder(Pixel pixel) const { return Pixels::Same(pixel, m_border); }

    // Every span is a whole run between borders, so a pixel inside none of
    // them is unfilled even when it already has the fill colour.
    bool Filled(QPoint p) const
    {
        const auto it = m_spans.find(p.y());
        if (it == m_spans.end()) return false;
        for (const TSpan& s : it->second)
            if (s.Left <= p.x() && p.x() <= s.Right) return true;
        return false;
    }

    void FillSpanAt(QPoint p)
    {
        Pixel* row = Row(p.y());
        int left = p.x(), right = p.x();
        while (left > 0 && !IsBorder(row[left - 1]))
            --left;
        while (right < m_image.width() - 1 && !IsBorder(row[right + 1]))
            ++right;
        std::fill(row + left, row + right + 1, m_fill);
        m_spans[p.y()].push_back({left, right});
        if (p.y() > 0) SeedRow(p.y() - 1, left, right);
        if (p.y() < m_image.height() - 1) SeedRow(p.y() + 1, left, right);
    }

    // One seed for each run of open pixels of row y between left and right.
    void SeedRow(int y, int left, int right)
    {
        const Pixel* row = Row(y);
        bool inRun = false;
        for (int x = left; x <= right; ++x) {
            const bool open = !IsBorder(row[x]);
            if (open && !inRun) m_seeds.push_back({x, y});
            inRun = open;
        }
    }

    QImage& m_image;
    Pixel m_border;
    Pixel m_fill;
    std::vector<QPoint> m_seeds;
    std::unordered_map<int, std::vector<TSpan>> m_spans;
};

} // namespace

void ScanlineFill(QImage& image, QPoint seed, QRgb border, QRgb fill)
{
    if (!image.rect().contains(seed)) return;
    if (image.depth() == 32)
        TFiller<TColourPixels>(image, border, fill).Run(seed);
    else if (image.format() == QImage::Format_Grayscale8)
        TFiller<TGreyPixels>(image, border, fill).Run(seed);
}

} // namespace kb
