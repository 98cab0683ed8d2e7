// The abstract drawing surface the shape drawing and the print renderer use.
// Coordinates are pixels. A rectangle or ellipse (x1, y1, x2, y2) covers x1 to
// x2 - 1 and y1 to y2 - 1, as on the usual raster platforms.
#pragma once

#include "model/geometry.h"

#include <cstdint>
#include <string>

namespace kb {

// 0x00BBGGRR, as stored in the settings; black is 0.
using TColor = uint32_t;
constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor RGBColor(int r, int g, int b)
{
    return TColor(r) | TColor(g) << 8 | TColor(b) << 16;
}
constexpr int ColorRed(TColor c)
{
    return int(c & 0xFF);
}
constexpr int ColorGreen(TColor c)
{
    return int(c >> 8 & 0xFF);
}
constexpr int ColorBlue(TColor c)
{
    return int(c >> 16 & 0xFF);
}

enum class TPenStyle { Solid, Dotted };
// Copy draws in the pen colour; Black makes every touched pixel black whatever
// the colour; Not inverts every touched pixel, so a figure drawn twice is gone.
enum class TPenMode { Copy, Black, Not };
enum class TBrushStyle { Solid, Clear };

struct TFont
{
    std::string Name = "Arial";
    int Size = 8; // points
};

class TCanvas
{
public:
    virtual ~TCanvas() = default;

    virtual void SetPenColor(TColor c) = 0;
    virtual void SetPenStyle(TPenStyle s) = 0;
    virtual void SetPenMode(TPenMode m) = 0;
    virtual void SetPenWidth(int w) = 0;
    virtual void SetBrushColor(TColor c) = 0;
    virtual void SetBrushStyle(TBrushStyle s) = 0;
    virtual void SetFont(const TFont& f) = 0;
    virtual void SetFontColor(TColor c) = 0;

    // Fills with the brush colour, without outline, whatever the brush style.
    virtual void FillRect(const TRect& r) = 0;
    // Outline with the pen, interior with the brush unless it is clear.
    virtual void Rectangle(const TRect& r) = 0;
    virtual void Ellipse(const TRect& r) = 0;
    virtual void Polygon(const TPoint* points, int count) = 0;
    virtual void MoveTo(TPoint p) = 0;
    // Draws from the current position to p, excluding p, and moves there.
    virtual void LineTo(TPoint p) = 0;
    virtual void SetPixel(TPoint p, TColor c) = 0;
    // Fills, with the brush, the area around p bounded by pixels of colour border.
    virtual void FloodFill(TPoint p, TColor border) = 0;
    // Lays out a multi-line text in r: broken at CR LF and word-wrapped at the
    // width, from the top, each line aligned by align (0 centre, 1 left,
    // 2 right, other values centre); '&' underlines the next character and
    // "&&" shows one; a last line that would show only in part is left out.
    virtual void DrawText(const TRect& r, const std::string& text, int align) = 0;
};

} // namespace kb
