#include "frame/dialogs/propertiescommand.h"

#include "docwin/childd.h"
#include "frame/commands/blockkind.h"
#include "frame/dialogs/blockprop.h"
#include "frame/dialogs/linkprop.h"

namespace kb {

namespace {

std::vector<TShemObj*> LinksThrough(const TShem& shem, const TShemObj* point)
{
    std::vector<TShemObj*> links;
    for (int i = shem.NextLinkOf(nullptr, point); i >= 0; i = shem.NextLinkOf(shem.Get(i), point))
        links.push_back(shem.Get(i));
    return links;
}

// The dialogs run first, on copies: nothing changes while they are open, and
// the change they ask for is made as one step.
bool EditLink(TChildD& doc, TShemObj* link, TLinkPropForm& dialog)
{
    uint8_t style = link->link().Style;
    if (!dialog.Edit(style)) return false;
    return doc.Edit(TAction::Properties, [&](TEdit& edit) {
        edit.Touch(link);
        link->link().Style = style;
        return true;
    });
}

bool EditJointPoint(TChildD& doc, const TShemObj* point, TLinkPropForm& dialog)
{
    const std::vector<TShemObj*> links = LinksThrough(doc.Shem(), point);
    if (links.empty()) return false;
    uint8_t style = links.front()->link().Style;
    if (!dialog.Edit(style)) return false;
    return doc.Edit(TAction::Properties, [&](TEdit& edit) {
        for (TShemObj* l : links) {
            edit.Touch(l);
            l->link().Style = style;
        }
        return true;
    });
}

bool EditBlock(TChildD& doc, TShemObj* entry, TBlockProp& dialog)
{
    Block b = entry->block();
    if (!dialog.Edit(b)) return false;
    return doc.Edit(TAction::Properties, [&](TEdit& edit) {
        edit.TouchAll();
        // The links on the block move onto the new outline (or go, for text)
        // before the rest of the record is taken over.
        if (b.Kind != entry->block().Kind) {
            const TSelectionTarget target{
                edit.Shem(), edit.Selection(),
                [&edit](const std::vector<TShemObj*>& entries) { edit.Remove(entries); }};
            ChangeKind(target, entry, b.Kind);
        }
        entry->block() = b;
        return true;
    });
}

} // namespace

bool EditProperties(TChildD& doc, TBlockProp& blockDialog, TLinkPropForm& linkDialog)
{
    if (doc.Selection().size() != 1) return false;
    TShemObj* entry = doc.Selection().front();
    if (entry->IsLink()) return EditLink(doc, entry, linkDialog);
    if (entry->IsJoint()) return EditJointPoint(doc, entry, linkDialog);
    return EditBlock(doc, entry, blockDialog);
}

} // namespace kb
