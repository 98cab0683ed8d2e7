#include "docwin/selectionops.h"

#include "docwin/editops.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

namespace kb {

namespace {

using TEntrySet = std::unordered_set<const TShemObj*>;

// The first two links touching each entry, found in one walk of the list.
std::unordered_map<const TShemObj*, TTwoLinks> FirstTwoLinks(const TShem& shem)
{
    std::unordered_map<const TShemObj*, TTwoLinks> two;
    auto note = [&](const TShemObj* end, TShemObj* link) {
        TTwoLinks& t = two[end];
        if (!t.First)
            t.First = link;
        else if (!t.Second)
            t.Second = link;
    };
    for (int i = 0; i < shem.Count(); ++i) {
        TShemObj* e = shem.Get(i);
        if (!e->IsLink()) continue;
        note(e->link().EndA, e);
        if (e->link().EndB != e->link().EndA) note(e->link().EndB, e);
    }
    return two;
}

// One pass of pruning; true when it dropped something.
bool PrunePass(const std::unordered_map<const TShemObj*, TTwoLinks>& twoLinks,
               std::vector<TShemObj*>& selection)
{
    TEntrySet kept(selection.begin(), selection.end());
    const auto selected = [&](const TShemObj* e) { return kept.count(e) != 0; };
    const auto dropJoint = [&](const TShemObj* e) {
        if (e && e->IsJoint()) kept.erase(e);
    };
    bool dropped = false;
    for (const TShemObj* e : selection) {
        if (!selected(e)) continue;
        if (e->IsLink()) {
            const TLink& l = e->link();
            if (!selected(l.EndA) || !selected(l.EndB)) {
                kept.erase(e);
                dropJoint(selected(l.EndA) ? l.EndA : l.EndB);
                dropped = true;
            }
        } else if (e->IsJoint()) {
            // A missing second link (a point only one link touches) is no
            // reason to drop the point: its one link decides.
            const auto it = twoLinks.find(e);
            if (it == twoLinks.end()) continue;
            const TTwoLinks& t = it->second;
            if ((t.First && !selected(t.First)) || (t.Second && !selected(t.Second))) {
                kept.erase(e);
                dropped = true;
            }
        }
    }
    std::erase_if(selection, [&](const TShemObj* e) { return !selected(e); });
    return dropped;
}

// Appends links to out so that every selected link an end sits on comes
// first. A link met again while its own ends are being placed is part of a
// cycle: it is left where it is, which ends the walk.
void PlaceLink(TShemObj* link, const TEntrySet& links, TEntrySet& placing, TEntrySet& placed,
               std::vector<TShemObj*>& out)
{
    std::vector<std::pair<TShemObj*, int>> stack{{link, 0}};
    while (!stack.empty()) {
        auto& [e, next] = stack.back();
        if (next == 0 && (placed.count(e) || !placing.insert(e).second)) {
            stack.pop_back();
            continue;
        }
        if (next < 2) {
            TShemObj* end = next++ == 0 ? e->link().EndA : e->link().EndB;
            if (end && links.count(end) && !placed.count(end) && !placing.count(end))
                stack.push_back({end, 0});
            continue;
        }
        placing.erase(e);
        placed.insert(e);
        out.push_back(e);
        stack.pop_back();
    }
}

} // namespace

void PruneSelection(const TShem& shem, std::vector<TShemObj*>& selection)
{
    const auto twoLinks = FirstTwoLinks(shem);
    while (PrunePass(twoLinks, selection)) {
    }
}

void OrderForCopy(std::vector<TShemObj*>& selection)
{
    std::vector<TShemObj*> out;
    out.reserve(selection.size());
    TEntrySet links;
    for (TShemObj* e : selection)
        if (e->IsBlock())
            out.push_back(e);
        else
            links.insert(e);
    TEntrySet placing, placed;
    for (TShemObj* e : selection)
        if (e->IsLink()) PlaceLink(e, links, placing, placed, out);
    selection = std::move(out);
}

std::vector<TShemObj*> AppendCopies(TShem& target, const std::vector<TShemObj*>& ordered)
{
    std::unordered_map<const TShemObj*, TShemObj*> copyOf;
    std::vector<TShemObj*> copies;
    copies.reserve(ordered.size());
    for (const TShemObj* e : ordered) {
        TShemObj* copy = nullptr;
        if (e->IsBlock()) {
            Block b = e->block();
            b.SetRect(MovedInside(b.Rect(), 10, 10));
            copy = target.Get(target.AddBlock(b));
        } else {
            TLink l = e->link();
            const auto a = copyOf.find(l.EndA);
            const auto b = copyOf.find(l.EndB);
            if (a != copyOf.end() && b != copyOf.end()) {
                l.EndA = a->second;
                l.EndB = b->second;
                copy = target.Get(target.AddLink(l));
            }
        }
        if (copy) copyOf[e] = copy;
        copies.push_back(copy);
    }
    return copies;
}

} // namespace kb
