// Commands on the selection (delete, copy, paste, duplicate, select all, text
// alignment, Join Square) and the one-level undo.
#include "docwin/childd.h"

#include "docwin/joinsquare.h"
#include "docwin/selectionops.h"

#include <QPlainTextEdit>

#include <array>
#include <deque>
#include <map>
#include <unordered_map>
#include <unordered_set>

namespace kb {

namespace {

// What identifies an entry across a reload of the same diagram: a block by
// kind and rectangle, a link by style and end points.
using TEntryKey = std::array<int64_t, 6>;

TEntryKey KeyOf(const TShem& shem, const TShemObj& e)
{
    if (e.IsBlock()) {
        const Block& b = e.block();
        return {0, b.Kind, b.Left, b.Top, b.Right, b.Bottom};
    }
    const TLinkEnds ends = shem.LinkEnds(e.link());
    return {1, e.link().Style, ends.A.x, ends.A.y, ends.B.x, ends.B.y};
}

// The entries of shem that stand where the keyed ones stood, in key order;
// keys without such an entry are left out.
std::vector<TShemObj*> Refind(const TShem& shem, const std::vector<TEntryKey>& keys)
{
    std::map<TEntryKey, std::deque<TShemObj*>> byKey;
    for (int i = 0; i < shem.Count(); ++i)
        byKey[KeyOf(shem, *shem.Get(i))].push_back(shem.Get(i));
    std::vector<TShemObj*> found;
    for (const TEntryKey& k : keys) {
        auto it = byKey.find(k);
        if (it == byKey.end() || it->second.empty()) continue;
        found.push_back(it->second.front());
        it->second.pop_front();
    }
    return found;
}

} // namespace

void TChildD::TakeSnapshot()
{
    m_editor->hide(); // the target stays: its text is committed later
    m_canUndo = true;
    m_canRedo = false;
    m_undo = m_shem->SaveToBytes();
}

void TChildD::SwapWithSnapshot()
{
    if (!m_undo) return;
    AbandonDrag(); // its entries are about to go
    // A pending edit belongs to the diagram being swapped out; committed
    // now it comes back with a redo instead of reaching a replaced entry.
    CommitEditor();
    std::vector<TEntryKey> keys;
    for (const TShemObj* e : m_selection)
        keys.push_back(KeyOf(*m_shem, *e));

    std::vector<uint8_t> current = m_shem->SaveToBytes();
    if (!ReplaceDiagram(*m_undo)) return; // never for bytes we wrote ourselves
    m_undo = std::move(current);
    m_canUndo = !m_canUndo;
    m_canRedo = !m_canRedo;

    // Every entry is new: the selection is found again by position.
    m_selection = Refind(*m_shem, keys);
    m_modified = true;
    Repaint();
}

bool TChildD::ReplaceDiagram(std::span<const uint8_t> bytes)
{
    // Row-by-row mirroring of a large diagram is slow; the list is rebuilt once.
    TListSink* view = m_shem->View();
    m_shem->SetView(nullptr);
    const bool loaded = m_shem->LoadFromStream(bytes);
    m_shem->SetView(view);
    if (!loaded) return false;
    m_selection.clear();
    m_textTarget = nullptr;
    m_shem->RefreshList();
    return true;
}

void TChildD::ForgetRemovedEntries()
{
    std::unordered_set<const TShemObj*> live;
    for (int i = 0; i < m_shem->Count(); ++i)
        live.insert(m_shem->Get(i));
    const auto gone = [&](const TShemObj* e) { return e && !live.count(e); };
    std::erase_if(m_selection, gone);
    if (gone(m_textTarget)) {
        m_textTarget = nullptr; // its pending edit has nowhere to go
        m_editor->hide();
    }
    for (TShemObj** ref : {&m_linkStart, &m_resized, &m_movedLink})
        if (gone(*ref)) *ref = nullptr;
}

void TChildD::DeleteSelection()
{
    if (m_selection.empty()) return;
    AbandonDrag();
    m_editor->hide();
    m_modified = true;
    TakeSnapshot();
    m_shem->RemoveAll(m_selection);
    m_selection.clear();
    ForgetRemovedEntries();
    m_shem->RefreshList();
    Repaint();
}

void TChildD::CopySelection()
{
    if (CountSelectedBlocks() == 0) return;
    AbandonDrag();
    TShem& clipboard = m_host.Clipboard();
    clipboard.Clear();
    CommitEditor();
    m_host.SetCurrentTool(tcSelect);
    PruneSelection(*m_shem, m_selection);
    OrderForCopy(m_selection);
    AppendCopies(clipboard, m_selection);
    Repaint();
}

void TChildD::Paste()
{
    const TShem& clipboard = m_host.Clipboard();
    if (clipboard.Count() == 0) return;
    AbandonDrag();
    m_modified = true;
    TakeSnapshot();
    CommitEditor();
    m_host.SetCurrentTool(tcSelect);
    m_shem->PasteFrom(clipboard, m_origin, &m_selection);
    Repaint();
}

void TChildD::DuplicateSelection()
{
    if (CountSelectedBlocks() == 0) return;
    AbandonDrag();
    CommitEditor();
    m_host.SetCurrentTool(tcSelect);
    PruneSelection(*m_shem, m_selection);
    std::vector<TShemObj*> ordered = m_selection;
    OrderForCopy(ordered);
    const std::vector<TShemObj*> copies = AppendCopies(*m_shem, ordered);
    std::unordered_map<const TShemObj*, TShemObj*> copyOf;
    for (size_t i = 0; i < ordered.size(); ++i)
        if (copies[i]) copyOf[ordered[i]] = copies[i];
    std::vector<TShemObj*> selection;
    for (const TShemObj* e : m_selection)
        if (const auto it = copyOf.find(e); it != copyOf.end()) selection.push_back(it->second);
    m_selection = std::move(selection);
    m_modified = true;
    Repaint();
}

void TChildD::SelectAll()
{
    AbandonDrag();
    m_selection.clear();
    for (int i = 0; i < m_shem->Count(); ++i)
        m_selection.push_back(m_shem->Get(i));
    Repaint();
}

void TChildD::SetTextAlign(int align)
{
    if (align < taCenter || align > taRight || CountSelectedBlocks() == 0) return;
    AbandonDrag();
    TakeSnapshot();
    CommitEditor();
    for (TShemObj* e : m_selection) {
        if (!e->IsBlock() || e->block().Align == align) continue;
        e->block().Align = uint8_t(align);
        m_modified = true;
    }
    Repaint();
}

void TChildD::JoinSquare()
{
    AbandonDrag();
    m_modified = true;
    TakeSnapshot();
    JoinSquares(*m_shem);
    ForgetRemovedEntries();
    m_shem->RefreshList();
    Repaint();
}

} // namespace kb
