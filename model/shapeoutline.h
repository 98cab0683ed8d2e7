// The outlines of the block shapes and the arrowhead, in pixels. Paper and
// screen show the same symbols, so the print renderer and the document
// window's drawing share them; each caller sets up the pen and brush first.
#pragma once

#include "model/canvas.h"

namespace kb {

// Draws the outline of a block of the given kind in the pixel rectangle r
// (Left, Top) .. (Right, Bottom) with the current pen. When filled, the kinds
// that can be filled take the current brush colour; the brush is clear after.
// Joint points and free text have no outline here. A dotted Document draws its
// wavy edge in dashes; the pen style itself is the caller's.
void DrawShapeOutline(TCanvas& canvas, uint8_t kind, const TRect& r, bool filled, bool dotted);

// The open triangle at tip of a line coming from tail, `length` pixels long
// with 20 degrees on each side of the line.
void DrawArrowheadOutline(TCanvas& canvas, TPoint tail, TPoint tip, int length);

} // namespace kb
