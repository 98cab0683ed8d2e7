// Commands on the selection (delete, copy, paste, duplicate, select all, text
// alignment, Join Square), each one step of the document's undo history.
#include "docwin/childd.h"

#include "docwin/editops.h"
#include "docwin/joinsquare.h"
#include "docwin/selectionops.h"

#include <QPlainTextEdit>

#include <unordered_map>

namespace kb {

void TChildD::DeleteSelection()
{
    if (Selection().empty()) return;
    AbandonDrag();
    m_editor->hide();
    Edit(TAction::Delete, [](TEdit& edit) {
        const std::vector<TShemObj*> doomed = edit.Selection();
        edit.Remove(doomed);
        edit.Selection().clear();
        return true;
    });
}

void TChildD::CopySelection()
{
    if (CountSelectedBlocks() == 0) return;
    AbandonDrag();
    TShem& clipboard = m_host.Clipboard();
    clipboard.Clear();
    CommitEditor();
    m_host.SetCurrentTool(tcSelect);
    std::vector<TShemObj*> selection = Selection();
    PruneSelection(Shem(), selection);
    OrderForCopy(selection);
    AppendCopies(clipboard, selection);
    SetSelection(std::move(selection));
    Repaint();
}

void TChildD::Paste()
{
    const TShem& clipboard = m_host.Clipboard();
    if (clipboard.Count() == 0) return;
    AbandonDrag();
    m_host.SetCurrentTool(tcSelect);
    // Near the far edge the pasted group stops there as a whole, so its
    // blocks keep their sizes and their places to each other.
    const TRect bounds = clipboard.Bounds();
    const TPoint fix = InsideCorrection({bounds.Left + m_origin.x, bounds.Top + m_origin.y,
                                         bounds.Right + m_origin.x, bounds.Bottom + m_origin.y});
    const TPoint offset = AddPoint(m_origin, fix);
    const bool pasted = Edit(TAction::Paste, [&](TEdit& edit) {
        const int from = edit.Shem().Count();
        edit.Shem().PasteFrom(clipboard, offset, &edit.Selection());
        edit.NoteAppended(from);
        return true;
    });
    // A text still pending is stored with the paste, so that one undo takes
    // back both, as the change it came with.
    CommitText(pasted);
}

void TChildD::DuplicateSelection()
{
    if (CountSelectedBlocks() == 0) return;
    AbandonDrag();
    CommitEditor();
    m_host.SetCurrentTool(tcSelect);
    Edit(TAction::Duplicate, [](TEdit& edit) {
        std::vector<TShemObj*>& selection = edit.Selection();
        PruneSelection(edit.Shem(), selection);
        std::vector<TShemObj*> ordered = selection;
        OrderForCopy(ordered);
        const int from = edit.Shem().Count();
        const std::vector<TShemObj*> copies = AppendCopies(edit.Shem(), ordered);
        edit.NoteAppended(from);
        std::unordered_map<const TShemObj*, TShemObj*> copyOf;
        for (size_t i = 0; i < ordered.size(); ++i)
            if (copies[i]) copyOf[ordered[i]] = copies[i];
        std::vector<TShemObj*> duplicates;
        for (const TShemObj* e : selection)
            if (const auto it = copyOf.find(e); it != copyOf.end())
                duplicates.push_back(it->second);
        selection = std::move(duplicates);
        return true;
    });
}

void TChildD::SelectAll()
{
    AbandonDrag();
    std::vector<TShemObj*> all;
    all.reserve(size_t(Shem().Count()));
    for (int i = 0; i < Shem().Count(); ++i)
        all.push_back(Shem().Get(i));
    SetSelection(std::move(all));
}

void TChildD::SetTextAlign(int align)
{
    if (align < taCenter || align > taRight || CountSelectedBlocks() == 0) return;
    AbandonDrag();
    m_editor->hide();
    const bool aligned = Edit(TAction::TextAlign, [&](TEdit& edit) {
        for (TShemObj* e : edit.Selection()) {
            if (!e->IsBlock()) continue;
            edit.Touch(e);
            e->block().Align = uint8_t(align);
        }
        return true;
    });
    CommitText(aligned); // a pending text goes with the step, as with Paste
}

void TChildD::JoinSquare()
{
    AbandonDrag();
    m_editor->hide();
    Edit(TAction::JoinSquare, [](TEdit& edit) {
        edit.TouchAll();
        return JoinSquares(edit.Shem(),
                           [&](const std::vector<TShemObj*>& doomed) { edit.Remove(doomed); }) > 0;
    });
}

} // namespace kb
