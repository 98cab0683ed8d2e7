// Integer point and rectangle helpers shared by the model, the views, printing
// and the Pascal export. Diagram units: x to the right, y downwards.
//
// Rounding is to the nearest integer with halves to the even neighbour;
// truncating drops the fraction towards zero. Products and sums of
// coordinates are formed in 64 bits, so no input overflows.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace kb {

struct TPoint
{
    int32_t x = 0;
    int32_t y = 0;
    friend bool operator==(const TPoint&, const TPoint&) = default;
};

// A rectangle, or a segment from (Left, Top) to (Right, Bottom).
struct TRect
{
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Right = 0;
    int32_t Bottom = 0;
    friend bool operator==(const TRect&, const TRect&) = default;
};

struct Block;

// The stored range of every coordinate and attachment position.
constexpr int32_t kMaxCoord = 65535;
int32_t ClampCoord(int64_t v);
TRect ClampRect(TRect r);
// v cut into the 32-bit range (pixel coordinates at large scales).
int32_t Saturate(int64_t v);
// Grows r to hold b; start from (65535, 65535, 0, 0) to collect bounds.
void Unite(TRect& r, const TRect& b);

// Halves-to-even rounding of a real value, saturated to the 32-bit range.
int32_t RoundEven(double v);
// Halves-to-even rounding of num / den, exact in integers (den > 0).
int64_t RoundDiv(int64_t num, int64_t den);
int32_t Trunc(double v);

bool PointsEqual(TPoint a, TPoint b);
int32_t Distance(TPoint a, TPoint b);
int32_t MaxInt(int32_t a, int32_t b);
int32_t MinInt(int32_t a, int32_t b);
TRect RectOf(TPoint a, TPoint b);
void NormalizeRect(TRect& r);
void ShrinkRect(int32_t n, TRect& r);
TPoint MidPoint(TPoint a, TPoint b);
TPoint AddPoint(TPoint a, TPoint b);
TPoint SubPoint(TPoint a, TPoint b);
TPoint ScalePoint(TPoint p, double f);
bool PointInRect(TPoint p, const TRect& r);
int32_t LineYAt(int32_t x, const TRect& s);
int32_t LineXAt(int32_t y, const TRect& s);
bool SameSide(TPoint a, TPoint b, const TRect& s);
std::string FormatPoint(TPoint p);

// The rectangle the block's text is laid out in; none for a joint point.
std::optional<TRect> TextRect(const Block& b);
// The side midpoint of the block nearest to p, where a snapped link end goes.
TPoint NearestSideMid(const Block& b, TPoint p);

} // namespace kb
