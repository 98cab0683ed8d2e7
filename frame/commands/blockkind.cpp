#include "frame/commands/blockkind.h"

#include <algorithm>

namespace kb {

namespace {

bool IsShapeKind(int kind)
{
    return kind >= 0 && kind < kBlockKindCount && kind != bkJoint;
}

} // namespace

void ChangeKind(const TSelectionTarget& target, TShemObj* entry, uint8_t kind)
{
    // Text carries no links: they go first, through the target, so that a
    // document can take them back on undo.
    if (kind == bkText) {
        std::vector<TShemObj*> links;
        const TShem& shem = target.Shem;
        for (int i = shem.NextLinkOf(nullptr, entry); i >= 0;
             i = shem.NextLinkOf(shem.Get(i), entry))
            links.push_back(shem.Get(i));
        target.Remove(links);
    }
    target.Shem.ChangeKind(entry, kind);
}

bool ChangeBlockType(const TSelectionTarget& target, int kind)
{
    if (!IsShapeKind(kind)) return false;
    // Collected first: a change to text deletes links and the joint points
    // at their ends, which may be selected too. Shapes are never deleted.
    std::vector<TShemObj*> shapes;
    for (TShemObj* e : target.Selection)
        if (e && e->IsBlock() && !e->IsJoint() && e->block().Kind != kind) shapes.push_back(e);
    for (TShemObj* e : shapes)
        ChangeKind(target, e, uint8_t(kind));
    if (!shapes.empty()) ForgetRemoved(target);
    return !shapes.empty();
}

TShemObj* InsertBlock(const TSelectionTarget& target, int kind, TPoint at, TPoint extent)
{
    if (!IsShapeKind(kind)) return nullptr;
    Block b;
    b.Kind = uint8_t(kind);
    b.Right = std::clamp(extent.x, 0, kMaxCoord);
    b.Bottom = std::clamp(extent.y, 0, kMaxCoord);
    PlaceOnAxis(b, kAxisX, at.x);
    PlaceOnAxis(b, kAxisY, at.y);
    TShemObj* added = target.Shem.Get(target.Shem.AddBlock(b));
    target.Selection.assign({added});
    return added;
}

} // namespace kb
