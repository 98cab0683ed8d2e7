#include "docwin/drawing/shapedraw.h"

#include "model/shapeoutline.h"

#include <limits>

namespace kb {
namespace {

int ValidScale(int s)
{
    return s > 0 ? s : 1;
}

void Handle(TCanvas& canvas, TPoint p)
{
    canvas.Rectangle({p.x - 2, p.y - 2, p.x + 2, p.y + 2});
}

void Handles(TCanvas& canvas, std::initializer_list<TPoint> points, TColor windowColor)
{
    canvas.SetPenStyle(TPenStyle::Solid);
    canvas.SetBrushColor(clBlack);
    canvas.SetBrushStyle(TBrushStyle::Solid);
    for (const TPoint& p : points)
        Handle(canvas, p);
    canvas.SetBrushColor(windowColor);
    canvas.SetBrushStyle(TBrushStyle::Clear);
}

void BlockHandles(TCanvas& canvas, uint8_t kind, const TRect& r, TColor windowColor)
{
    const TPoint m = MidPoint({r.Left, r.Top}, {r.Right, r.Bottom});
    const TPoint top{m.x, r.Top}, right{r.Right, m.y}, bottom{m.x, r.Bottom}, left{r.Left, m.y};
    switch (kind) {
    case bkJoint:
        return;
    case bkEllipse:
    case bkRhomb:
        Handles(canvas, {top, right, bottom, left}, windowColor);
        return;
    case bkParallelogram: {
        const double sixth = (double(r.Right) - r.Left) / 6;
        const TPoint a{r.Left, r.Bottom}, b{RoundEven(r.Left + sixth), r.Top}, c{r.Right, r.Top},
            d{RoundEven(r.Right - sixth), r.Bottom};
        Handles(canvas,
                {a, b, c, d, MidPoint(a, b), MidPoint(b, c), MidPoint(c, d), MidPoint(d, a)},
                windowColor);
        return;
    }
    default:
        Handles(canvas,
                {{r.Left, r.Top},
                 {r.Right, r.Top},
                 {r.Right, r.Bottom},
                 {r.Left, r.Bottom},
                 top,
                 right,
                 bottom,
                 left},
                windowColor);
    }
}

void SelectionFrame(TCanvas& canvas, const TRect& r)
{
    canvas.SetPenStyle(TPenStyle::Dotted);
    canvas.Rectangle(r);
}

void JointPoint(TCanvas& canvas, const TRect& r, bool selected, TColor windowColor)
{
    canvas.SetBrushColor(selected ? clBlack : windowColor);
    canvas.SetBrushStyle(TBrushStyle::Solid);
    canvas.Ellipse(r);
    canvas.SetBrushStyle(TBrushStyle::Clear);
    // Back to the window colour, or the next filled block would come out black.
    canvas.SetBrushColor(windowColor);
    canvas.SetPenStyle(TPenStyle::Solid);
}

void Shape(TCanvas& canvas, const Block& b, const TRect& r, bool selected, TColor windowColor)
{
    switch (b.Kind) {
    case bkJoint:
        JointPoint(canvas, r, selected, windowColor);
        return;
    case bkText:
        if (selected) SelectionFrame(canvas, r);
        return;
    case bkCommentary:
        if (selected) SelectionFrame(canvas, r);
        canvas.SetPenStyle(TPenStyle::Solid);
        DrawShapeOutline(canvas, b.Kind, r, false, false);
        return;
    default:
        // Filled shapes take the brush colour, which is the window colour here.
        DrawShapeOutline(canvas, b.Kind, r, b.Filled && !b.Dotted, b.Dotted);
    }
}

// The state the next block and link rely on, listed in shapedraw.h.
void ResetTools(TCanvas& canvas, TColor windowColor)
{
    canvas.SetBrushColor(windowColor);
    canvas.SetBrushStyle(TBrushStyle::Clear);
    canvas.SetPenWidth(1);
    canvas.SetPenStyle(TPenStyle::Dotted);
    canvas.SetPenMode(TPenMode::Black);
    canvas.SetPenColor(clBlack);
}

TRect ToPixels(const TViewTransform& view, const TRect& r)
{
    const TPoint a = view.ToPixels({r.Left, r.Top}), b = view.ToPixels({r.Right, r.Bottom});
    return {a.x, a.y, b.x, b.y};
}

} // namespace

TPoint TViewTransform::ToPixels(TPoint diagram) const
{
    const int s = ValidScale(Scale);
    return {Saturate((int64_t(diagram.x) - Origin.x) * s + ViewLeft),
            Saturate((int64_t(diagram.y) - Origin.y) * s + ViewTop)};
}

TPoint TViewTransform::ToDiagram(TPoint pixel) const
{
    const int s = ValidScale(Scale);
    return {Saturate(RoundDiv(int64_t(pixel.x) - ViewLeft, s) + Origin.x),
            Saturate(RoundDiv(int64_t(pixel.y) - ViewTop, s) + Origin.y)};
}

void DrawBlock(TCanvas& canvas, const Block& block, bool selected, const TViewTransform& view,
               TColor windowColor)
{
    const TRect r = ToPixels(view, block.Rect());
    ResetTools(canvas, windowColor);
    canvas.SetPenStyle(block.Dotted ? TPenStyle::Dotted : TPenStyle::Solid);
    Shape(canvas, block, r, selected, windowColor);
    if (selected) BlockHandles(canvas, block.Kind, r, windowColor);
    canvas.SetBrushStyle(TBrushStyle::Clear);
    if (const auto text = TextRect(block); text && !block.Text.empty())
        canvas.DrawText(ToPixels(view, *text), block.Text, block.Align);
    ResetTools(canvas, windowColor);
}

void DrawLink(TCanvas& canvas, const TShem& shem, const TLink& link, bool selected,
              const TViewTransform& view, TColor windowColor)
{
    const TLinkEnds ends = shem.LinkEnds(link);
    const TPoint a = view.ToPixels(ends.A), b = view.ToPixels(ends.B);
    canvas.SetPenStyle(TPenStyle::Solid);
    canvas.SetPenMode(TPenMode::Black);
    canvas.SetPenWidth(1);
    if (selected) Handles(canvas, {a, b}, windowColor);
    // Arrowheads are solid whatever the line.
    if (link.Style & lsArrowB) DrawArrowhead(canvas, a, b, view.Scale);
    if (link.Style & lsArrowA) DrawArrowhead(canvas, b, a, view.Scale);
    if (link.Style > 3) canvas.SetPenStyle(TPenStyle::Dotted);
    canvas.MoveTo(a);
    canvas.LineTo(b);
    ResetTools(canvas, windowColor);
}

void DrawArrowhead(TCanvas& canvas, TPoint tail, TPoint tip, int scale)
{
    DrawArrowheadOutline(canvas, tail, tip, 5 * ValidScale(scale));
}

void DrawEntries(TCanvas& canvas, const TShem& shem, const TRect& region,
                 const TViewTransform& view, const TIsSelected& isSelected, TColor windowColor)
{
    for (int i = shem.NextInRectIndex(-1, region); i >= 0; i = shem.NextInRectIndex(i, region)) {
        const TShemObj& e = *shem.Get(i);
        const bool selected = isSelected && isSelected(e);
        if (e.IsBlock())
            DrawBlock(canvas, e.block(), selected, view, windowColor);
        else
            DrawLink(canvas, shem, e.link(), selected, view, windowColor);
    }
}

} // namespace kb
