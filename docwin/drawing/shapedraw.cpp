#include "docwin/drawing/shapedraw.h"

namespace kb {

TPoint TViewTransform::ToPixels(TPoint diagram) const
{
    return {(diagram.x - Origin.x) * Scale + ViewLeft, (diagram.y - Origin.y) * Scale + ViewTop};
}

TPoint TViewTransform::ToDiagram(TPoint pixel) const
{
    return {(pixel.x - ViewLeft) / Scale + Origin.x, (pixel.y - ViewTop) / Scale + Origin.y};
}

void DrawBlock(TCanvas&, const Block&, bool, const TViewTransform&, TColor) {}
void DrawLink(TCanvas&, const TShem&, const TLink&, bool, const TViewTransform&, TColor) {}
void DrawArrowhead(TCanvas&, TPoint, TPoint, int) {}

} // namespace kb
