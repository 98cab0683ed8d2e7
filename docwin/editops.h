// Diagram edits that the mouse tools, the double click and the commands of
// the document window share. They work on the diagram alone.
#pragma once

#include "model/shem.h"

#include <optional>

namespace kb {

// Where diagram point p lies on entry e, in 65535ths of it (of a block's
// width and height, or of the way along a link), as a link end stores it.
TPoint AttachPosition(const TShem& shem, const TShemObj* e, TPoint p);

// The shift that brings r back inside 0..65535 without changing its size.
TPoint InsideCorrection(const TRect& r);
// r moved by (dx, dy), the move cut short at the edges of the diagram.
TRect MovedInside(const TRect& r, int64_t dx, int64_t dy);

// True when from is target, or is a link whose ends (through any links they
// sit on) reach target. Moving an end of target onto such an entry would make
// links end on each other in a cycle.
bool Reaches(const TShemObj* from, const TShemObj* target);

// The first two links touching entry, in list order (null when missing).
struct TTwoLinks
{
    TShemObj* First = nullptr;
    TShemObj* Second = nullptr;
};
TTwoLinks FirstTwoLinksOf(const TShem& shem, const TShemObj* entry);

// Splits link at diagram point pt: a new joint point at index 0 (returned),
// the part from end A a new link, and links sitting on the old link moved to
// the part they lie on.
TShemObj* SplitLink(TShem& shem, TShemObj* link, TPoint pt);

// Whether the two links meeting at joint can become one without making
// links end on each other in a cycle (false when fewer than two meet).
bool CanMerge(const TShem& shem, const TShemObj* joint);
// Adds one plain link between the far ends of the first two links at joint,
// in their place: links sitting on the two move onto the merged link and the
// two let go of their far ends. The caller then removes joint, whose delete
// cascade takes the two (and any other link ending on it) with it, and
// nothing beyond. Requires CanMerge.
void MergeAtJoint(TShem& shem, TShemObj* joint);

// Where a double click moves a bend: the other corner of the right angle its
// first two links span. None when fewer than two links meet there.
std::optional<TPoint> NextBend(const TShem& shem, const TShemObj* joint);

// The 2 by 2 rectangle of a joint point at centre c, inside the diagram.
TRect JointRect(TPoint c);

} // namespace kb
