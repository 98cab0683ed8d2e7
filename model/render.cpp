// The print renderer: the whole diagram, black on white, at an integer scale.
#include "model/shem.h"

namespace kb {

TPoint TShem::RenderOrigin() const
{
    const TRect b = Bounds();
    return {MaxInt(b.Left - 2, 0), MaxInt(b.Top - 2, 0)};
}

TRect TShem::RenderArea(int s) const
{
    const TRect b = Bounds();
    const TPoint o = RenderOrigin();
    return {0, 0, (b.Right - o.x) * s, (b.Bottom - o.y) * s};
}

void TShem::Render(int s, const TFont& font, TCanvas& canvas) const
{
    // Filled in with the shape drawing.
    (void)s;
    (void)font;
    (void)canvas;
}

} // namespace kb
