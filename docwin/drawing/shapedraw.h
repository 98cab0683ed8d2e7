// Screen drawing of one block or one link, in pixels, for the document window
// and the full-screen view. Every outline is drawn with the always-black pen.
#pragma once

#include "model/canvas.h"
#include "model/shem.h"

#include <functional>

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
    // Rounds halves to even: at scale 2 pixel offsets 1, 3 and 5 give 0, 2 and 2.
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

// Draws every entry touching region (diagram units) in list order, which is
// the drawing order: a repaint of the document window or the full-screen view.
using TIsSelected = std::function<bool(const TShemObj&)>;
void DrawEntries(TCanvas& canvas, const TShem& shem, const TRect& region,
                 const TViewTransform& view, const TIsSelected& isSelected, TColor windowColor);

} // namespace kb
