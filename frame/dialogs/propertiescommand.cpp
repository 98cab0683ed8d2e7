#include "frame/dialogs/propertiescommand.h"

#include "docwin/childd.h"
#include "frame/dialogs/blockprop.h"
#include "frame/dialogs/linkprop.h"

namespace kb {

namespace {

std::vector<TLink*> LinksThrough(TShem& shem, const TShemObj* point)
{
    std::vector<TLink*> links;
    for (int i = shem.NextLinkOf(nullptr, point); i >= 0; i = shem.NextLinkOf(shem.Get(i), point))
        links.push_back(&shem.Get(i)->link());
    return links;
}

bool EditLink(TLink& link, TLinkPropForm& dialog)
{
    return dialog.Edit(link.Style);
}

bool EditJointPoint(TShem& shem, const TShemObj* point, TLinkPropForm& dialog)
{
    const std::vector<TLink*> links = LinksThrough(shem, point);
    if (links.empty()) return false;
    uint8_t style = links.front()->Style;
    if (!dialog.Edit(style)) return false;
    for (TLink* l : links)
        l->Style = style;
    return true;
}

bool EditBlock(TShem& shem, TShemObj* entry, TBlockProp& dialog)
{
    Block b = entry->block();
    if (!dialog.Edit(b)) return false;
    // The links on the block move onto the new outline (or go, for text)
    // before the rest of the record is taken over.
    if (b.Kind != entry->block().Kind) shem.ChangeKind(entry, b.Kind);
    entry->block() = b;
    return true;
}

} // namespace

bool EditProperties(TChildD& doc, TBlockProp& blockDialog, TLinkPropForm& linkDialog)
{
    if (doc.Selection().size() != 1) return false;
    TShemObj* entry = doc.Selection().front();
    bool changed = false;
    if (entry->IsLink())
        changed = EditLink(entry->link(), linkDialog);
    else if (entry->IsJoint())
        changed = EditJointPoint(doc.Shem(), entry, linkDialog);
    else
        changed = EditBlock(doc.Shem(), entry, blockDialog);
    if (!changed) return false;
    doc.SetModified(true);
    doc.ForgetRemovedEntries();
    doc.Shem().RefreshList();
    doc.Repaint();
    return true;
}

} // namespace kb
