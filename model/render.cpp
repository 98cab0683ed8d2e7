// The print renderer: the whole diagram, black on white, at an integer scale,
// and the block outlines it shares with the screen drawing.
#include "model/shapeoutline.h"
#include "model/shem.h"

#include <cmath>
#include <initializer_list>
#include <limits>
#include <numbers>

namespace kb {
namespace {

int32_t HalfSum(int32_t a, int32_t b)
{
    return int32_t(RoundDiv(int64_t(a) + b, 2));
}

void FilledPolygon(TCanvas& canvas, const TPoint* points, int count, bool filled)
{
    if (filled) canvas.SetBrushStyle(TBrushStyle::Solid);
    canvas.Polygon(points, count);
}

void Polyline(TCanvas& canvas, std::initializer_list<TPoint> points)
{
    auto it = points.begin();
    canvas.MoveTo(*it);
    for (++it; it != points.end(); ++it)
        canvas.LineTo(*it);
}

void Rhomb(TCanvas& canvas, const TRect& r, bool filled)
{
    const int32_t mx = HalfSum(r.Left, r.Right), my = HalfSum(r.Top, r.Bottom);
    const TPoint p[] = {{mx, r.Top}, {r.Left, my}, {mx, r.Bottom}, {r.Right, my}};
    FilledPolygon(canvas, p, 4, filled);
}

void Parallelogram(TCanvas& canvas, const TRect& r, bool filled)
{
    const double sixth = (double(r.Right) - r.Left) / 6;
    const TPoint p[] = {{r.Left, r.Bottom},
                        {RoundEven(r.Left + sixth), r.Top},
                        {r.Right, r.Top},
                        {RoundEven(r.Right - sixth), r.Bottom}};
    FilledPolygon(canvas, p, 4, filled);
}

void Commentary(TCanvas& canvas, const TRect& r)
{
    const int32_t w = Trunc((double(r.Right) - r.Left) * 0.1);
    Polyline(canvas,
             {{r.Left + w, r.Top}, {r.Left, r.Top}, {r.Left, r.Bottom}, {r.Left + w, r.Bottom}});
}

// The wavy bottom edge falls from (L, B) to (R, B - 2a) with one sine period
// of amplitude a / 2 on it, set pixel by pixel; a dotted block skips the four
// columns after each multiple of 4, which gives dashes.
void DocumentWave(TCanvas& canvas, const TRect& r, double a, bool dotted)
{
    const double w = double(r.Right) - r.Left;
    for (int64_t x = r.Left; x <= r.Right; ++x) {
        // A block of width 0 only comes from damaged files; its wave is a dot.
        const double t = w > 0 ? (x - r.Left) / w : 0.0;
        const double y = r.Bottom - 2 * a * t + (a / 2) * std::sin(2 * std::numbers::pi * t);
        canvas.SetPixel({int32_t(x), Trunc(y)}, clBlack);
        if (dotted && x % 4 == 0) x += 4;
    }
}

void Document(TCanvas& canvas, const TRect& r, bool dotted)
{
    const double h = double(r.Bottom) - r.Top;
    const double a = h * 0.125;
    Polyline(canvas, {{r.Left, r.Bottom},
                      {r.Left, r.Top},
                      {r.Right, r.Top},
                      {r.Right, Saturate(r.Top + int64_t(Trunc(h - 2 * a)))}});
    DocumentWave(canvas, r, a, dotted);
}

void Process(TCanvas& canvas, const TRect& r)
{
    const double w = double(r.Right) - r.Left;
    canvas.Rectangle(r);
    canvas.Rectangle(
        {Saturate(r.Left + int64_t(Trunc(w * 0.1))), r.Top, Trunc(r.Right - w * 0.1), r.Bottom});
}

// The fill starts at the centre, which lies inside the closed outline.
void Divider(TCanvas& canvas, const TRect& r, bool filled)
{
    const int32_t t = Trunc(r.Bottom - (double(r.Bottom) - r.Top) / 3);
    const int32_t mid = int32_t((int64_t(r.Left) + r.Right) / 2);
    Polyline(canvas, {{r.Left, r.Top},
                      {r.Right, r.Top},
                      {r.Right, t},
                      {mid, r.Bottom},
                      {r.Left, t},
                      {r.Left, r.Top}});
    if (!filled) return;
    canvas.SetBrushStyle(TBrushStyle::Solid);
    canvas.FloodFill({mid, int32_t((int64_t(r.Top) + r.Bottom) / 2)}, clBlack);
}

void Arrowheads(TCanvas& canvas, uint8_t style, TPoint a, TPoint b, int length)
{
    if (style & lsArrowB) DrawArrowheadOutline(canvas, a, b, length);
    if (style & lsArrowA) DrawArrowheadOutline(canvas, b, a, length);
}

} // namespace

void DrawShapeOutline(TCanvas& canvas, uint8_t kind, const TRect& r, bool filled, bool dotted)
{
    switch (kind) {
    case bkRectangle:
        if (filled) canvas.SetBrushStyle(TBrushStyle::Solid);
        canvas.Rectangle(r);
        break;
    case bkEllipse:
        if (filled) canvas.SetBrushStyle(TBrushStyle::Solid);
        canvas.Ellipse(r);
        break;
    case bkRhomb:
        Rhomb(canvas, r, filled);
        break;
    case bkParallelogram:
        Parallelogram(canvas, r, filled);
        break;
    case bkCommentary:
        Commentary(canvas, r);
        break;
    case bkDocument:
        Document(canvas, r, dotted);
        break;
    case bkProcess:
        Process(canvas, r);
        break;
    case bkDivider:
        Divider(canvas, r, filled);
        break;
    default:
        break; // joint points and free text have no outline
    }
    canvas.SetBrushStyle(TBrushStyle::Clear);
}

void DrawArrowheadOutline(TCanvas& canvas, TPoint tail, TPoint tip, int length)
{
    const double dx = double(tail.x) - tip.x, dy = double(tail.y) - tip.y;
    const double d = std::sqrt(dx * dx + dy * dy);
    // A line of zero length has no direction: both barbs fall on the tip.
    const double vx = d != 0 ? dx / d : 0.0, vy = d != 0 ? dy / d : 0.0;
    constexpr double kHalfAngle = 0.3490658503988659; // 20 degrees
    const double c = std::cos(kHalfAngle) * length, s = std::sin(kHalfAngle) * length;
    const TPoint barb1{Saturate(int64_t(tip.x) + RoundEven(vx * c - vy * s)),
                       Saturate(int64_t(tip.y) + RoundEven(vx * s + vy * c))};
    const TPoint barb2{Saturate(int64_t(tip.x) + RoundEven(vx * c + vy * s)),
                       Saturate(int64_t(tip.y) + RoundEven(vy * c - vx * s))};
    Polyline(canvas, {tip, barb1, barb2, tip});
}

TPoint TShem::RenderOrigin() const
{
    const TRect b = Bounds();
    return {MaxInt(b.Left - 2, 0), MaxInt(b.Top - 2, 0)};
}

TRect TShem::RenderArea(int s) const
{
    const TRect b = Bounds();
    const TPoint o = RenderOrigin();
    return {0, 0, Saturate((int64_t(b.Right) - o.x) * s), Saturate((int64_t(b.Bottom) - o.y) * s)};
}

namespace {

// Diagram to paper: relative to the render origin, times the scale.
class TPaperMap
{
public:
    TPaperMap(TPoint origin, int scale) : m_origin(origin), m_scale(scale) {}
    TPoint Point(TPoint q) const
    {
        return {Saturate((int64_t(q.x) - m_origin.x) * m_scale),
                Saturate((int64_t(q.y) - m_origin.y) * m_scale)};
    }
    TRect Rect(const TRect& r) const
    {
        const TPoint a = Point({r.Left, r.Top}), b = Point({r.Right, r.Bottom});
        return {a.x, a.y, b.x, b.y};
    }

private:
    TPoint m_origin;
    int m_scale;
};

void RenderBlock(TCanvas& canvas, const Block& b, const TPaperMap& map)
{
    if (b.Dotted) canvas.SetPenStyle(TPenStyle::Dotted);
    // A filled shape is painted with the white brush and hides what lies behind it.
    DrawShapeOutline(canvas, b.Kind, map.Rect(b.Rect()), b.Filled && !b.Dotted, b.Dotted);
    canvas.SetBrushStyle(TBrushStyle::Clear);
    if (const auto text = TextRect(b); text && !b.Text.empty())
        canvas.DrawText(map.Rect(*text), b.Text, b.Align);
}

void RenderLink(TCanvas& canvas, const TShem& shem, const TLink& l, const TPaperMap& map, int s)
{
    const TLinkEnds ends = shem.LinkEnds(l);
    const TPoint a = map.Point(ends.A), b = map.Point(ends.B);
    Arrowheads(canvas, l.Style, a, b, 5 * s);
    if (l.Style > 3) canvas.SetPenStyle(TPenStyle::Dotted);
    canvas.MoveTo(a);
    canvas.LineTo(b);
    canvas.SetPenStyle(TPenStyle::Solid);
}

} // namespace

void TShem::Render(int s, const TFont& font, TCanvas& canvas) const
{
    if (s < 1) return;
    canvas.SetBrushColor(clWhite);
    canvas.SetBrushStyle(TBrushStyle::Solid);
    canvas.SetPenMode(TPenMode::Black);
    canvas.SetPenColor(clBlack);
    canvas.SetPenWidth(1);
    // Without blocks the area is empty (its right edge lies left of 0): nothing shows.
    canvas.FillRect(RenderArea(s));
    canvas.SetFont(font);
    canvas.SetFontColor(clBlack);
    canvas.SetBrushStyle(TBrushStyle::Clear);
    const TPaperMap map(RenderOrigin(), s);
    for (const auto& e : *m_items) {
        canvas.SetPenStyle(TPenStyle::Solid);
        if (e->IsBlock())
            RenderBlock(canvas, e->block(), map);
        else
            RenderLink(canvas, *this, e->link(), map, s);
    }
}

} // namespace kb
