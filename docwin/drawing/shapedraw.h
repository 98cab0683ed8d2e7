// Screen drawing of one block or one link, in pixels, for the document window
// and the full-screen view. Every outline is drawn with the always-black pen.
#pragma once

#include "model/canvas.h"
#include "model/shem.h"

namespace kb {

// Diagram units to pixels of a view: the scroll origin is the diagram point
// at the top-left pixel (ViewLeft, ViewTop) of the view; Scale is 1, 2, 4 or 8.
struct TViewTransform
{
    TPoint Origin;
    int Scale = 2;
    int ViewLeft = 0;
    int ViewTop = 0;

    TPoint ToPixels(TPoint diagram) const;
    TPoint ToDiagram(TPoint pixel) const;
};

// Canvas state afterwards: brush clear in the window colour, pen dotted,
// always-black, width 1, black. The next block's fill relies on it.
void DrawBlock(TCanvas& canvas, const Block& block, bool selected, const TViewTransform& view,
               TColor windowColor);
void DrawLink(TCanvas& canvas, const TShem& shem, const TLink& link, bool selected,
              const TViewTransform& view, TColor windowColor);
// The open triangle at tip of a line coming from tail; 5 diagram units long.
void DrawArrowhead(TCanvas& canvas, TPoint tail, TPoint tip, int scale);

} // namespace kb
