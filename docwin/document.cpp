#include "docwin/document.h"

#include <QCoreApplication>

#include <algorithm>
#include <variant>

namespace kb {

QString ActionName(TAction action)
{
    switch (action) {
    case TAction::CreateBlock:
        return QCoreApplication::translate("kb::TDiagramDocument", "creating a block");
    case TAction::CreateLink:
        return QCoreApplication::translate("kb::TDiagramDocument", "creating a link");
    case TAction::Move:
        return QCoreApplication::translate("kb::TDiagramDocument", "moving");
    case TAction::Resize:
        return QCoreApplication::translate("kb::TDiagramDocument", "resizing");
    case TAction::Text:
        return QCoreApplication::translate("kb::TDiagramDocument", "text");
    case TAction::Delete:
        return QCoreApplication::translate("kb::TDiagramDocument", "deleting");
    case TAction::Paste:
        return QCoreApplication::translate("kb::TDiagramDocument", "pasting");
    case TAction::Duplicate:
        return QCoreApplication::translate("kb::TDiagramDocument", "duplicating");
    case TAction::Align:
        return QCoreApplication::translate("kb::TDiagramDocument", "aligning");
    case TAction::Replace:
        return QCoreApplication::translate("kb::TDiagramDocument", "replacing");
    case TAction::Properties:
        return QCoreApplication::translate("kb::TDiagramDocument", "properties");
    case TAction::JointPoint:
        return QCoreApplication::translate("kb::TDiagramDocument", "joint point");
    case TAction::LinkEnd:
        return QCoreApplication::translate("kb::TDiagramDocument", "moving a link end");
    case TAction::LinkArrows:
        return QCoreApplication::translate("kb::TDiagramDocument", "link arrows");
    case TAction::TextAlign:
        return QCoreApplication::translate("kb::TDiagramDocument", "text alignment");
    case TAction::ChangeKind:
        return QCoreApplication::translate("kb::TDiagramDocument", "changing the block kind");
    case TAction::InsertTemplate:
        return QCoreApplication::translate("kb::TDiagramDocument", "inserting a template");
    case TAction::ReplaceWithTemplate:
        return QCoreApplication::translate("kb::TDiagramDocument", "replacing with a template");
    case TAction::JoinSquare:
        return QCoreApplication::translate("kb::TDiagramDocument", "joining blocks");
    }
    return {};
}

namespace {

using TValue = std::variant<Block, TLink>;

TValue ValueOf(const TShemObj& e)
{
    if (e.IsBlock()) return e.block();
    return e.link();
}

void SetValue(TShemObj& e, const TValue& v)
{
    if (const Block* b = std::get_if<Block>(&v))
        e.block() = *b;
    else
        e.link() = std::get<TLink>(v);
}

bool SameValue(const TValue& a, const TValue& b)
{
    if (a.index() != b.index()) return false;
    if (const Block* x = std::get_if<Block>(&a)) return *x == std::get<Block>(b);
    const TLink& x = std::get<TLink>(a);
    const TLink& y = std::get<TLink>(b);
    return x.Style == y.Style && x.EndA == y.EndA && x.EndB == y.EndB && x.PosA == y.PosA &&
           x.PosB == y.PosB;
}

// Heap bytes a value owns beyond its own size: a block's text past the
// string's in-place buffer.
size_t HeapBytes(const TValue& v)
{
    const Block* b = std::get_if<Block>(&v);
    if (!b) return 0;
    const std::string empty;
    return b->Text.capacity() > empty.capacity() ? b->Text.capacity() + 1 : 0;
}

} // namespace

// One entry's state before and after a step.
struct TEntryChange
{
    TShemObj* Entry = nullptr;
    TValue Before;
    TValue After;
};

// Entries a step added or removed. While they are out of the diagram the
// step owns them (Taken), so every pointer to them stays good for a redo.
struct TEntrySet
{
    bool Added = false; // else removed
    std::vector<TShemObj*> Entries;
    std::vector<TTakenEntry> Taken; // filled while out of the diagram
};

class TStep
{
public:
    explicit TStep(TAction action) : Action(action) {}

    TAction Action;
    size_t Size = 0; // Bytes() when recorded, what the history's total counts
    std::vector<TEntryChange> Changes;
    std::vector<TEntrySet> Sets; // in the order they happened

    bool Empty() const { return Changes.empty() && Sets.empty(); }

    // Every heap byte the step owns, counting the entries it may hold out
    // of the diagram as owned whether or not they are out just now.
    size_t Bytes() const
    {
        size_t n = sizeof(TStep) + Changes.capacity() * sizeof(TEntryChange) +
                   Sets.capacity() * sizeof(TEntrySet);
        for (const TEntryChange& c : Changes)
            n += HeapBytes(c.Before) + HeapBytes(c.After);
        for (const TEntrySet& s : Sets) {
            n += s.Entries.capacity() * sizeof(TShemObj*) +
                 std::max(s.Taken.capacity(), s.Entries.size()) * sizeof(TTakenEntry);
            for (const TShemObj* e : s.Entries)
                n += sizeof(TShemObj) + HeapBytes(ValueOf(*e));
        }
        return n;
    }
};

// --- TEdit

TEdit::TEdit(TShem& shem, TStep& step, std::vector<TShemObj*> selection)
    : m_shem(shem), m_step(step), m_selection(std::move(selection))
{
}

void TEdit::Touch(TShemObj* entry)
{
    m_shem.NoteChanged(); // the entry is about to change in place
    if (!entry || m_added.count(entry) || m_touched.count(entry)) return;
    m_touched.emplace(entry, m_step.Changes.size());
    const TValue v = ValueOf(*entry);
    m_step.Changes.push_back({entry, v, v});
}

void TEdit::TouchAll()
{
    m_all = true;
    m_touched.reserve(size_t(m_shem.Count()));
    for (int i = 0; i < m_shem.Count(); ++i)
        Touch(m_shem.Get(i));
}

void TEdit::NoteAdded(std::vector<TShemObj*> entries)
{
    if (entries.empty()) return;
    for (const TShemObj* e : entries)
        m_added.insert(e);
    TEntrySet set;
    set.Added = true;
    set.Entries = std::move(entries);
    m_step.Sets.push_back(std::move(set));
}

void TEdit::FindNewEntries()
{
    if (!m_all) return;
    std::vector<TShemObj*> found;
    for (int i = 0; i < m_shem.Count(); ++i) {
        TShemObj* e = m_shem.Get(i);
        if (!m_touched.count(e) && !m_added.count(e)) found.push_back(e);
    }
    NoteAdded(std::move(found));
}

TShemObj* TEdit::AddBlock(const Block& b)
{
    TShemObj* e = m_shem.Get(m_shem.AddBlock(b));
    NoteAdded({e});
    return e;
}

TShemObj* TEdit::AddLink(const TLink& l)
{
    TShemObj* e = m_shem.Get(m_shem.AddLink(l));
    NoteAdded({e});
    return e;
}

TShemObj* TEdit::InsertBlock(int index, const Block& b)
{
    m_shem.Insert(index, std::make_unique<TShemObj>(b));
    TShemObj* e = m_shem.Get(index);
    NoteAdded({e});
    return e;
}

void TEdit::NoteAppended(int from)
{
    std::vector<TShemObj*> appended;
    for (int i = std::max(from, 0); i < m_shem.Count(); ++i)
        appended.push_back(m_shem.Get(i));
    NoteAdded(std::move(appended));
}

void TEdit::Remove(const std::vector<TShemObj*>& seeds)
{
    // Entries the diagram's own operations added so far must be on record
    // before any index moves.
    FindNewEntries();
    std::vector<TShemObj*> doomed = m_shem.CascadeOf(seeds);
    if (doomed.empty()) return;
    TEntrySet set;
    set.Entries = std::move(doomed);
    set.Taken = m_shem.TakeOut(set.Entries);
    m_step.Sets.push_back(std::move(set));
    const std::unordered_set<const TShemObj*> gone(m_step.Sets.back().Entries.begin(),
                                                   m_step.Sets.back().Entries.end());
    std::erase_if(m_selection, [&](const TShemObj* e) { return gone.count(e) > 0; });
}

// --- TDiagramDocument

TDiagramDocument::TDiagramDocument(QObject* parent) : QObject(parent) {}

TDiagramDocument::~TDiagramDocument()
{
    m_selection.clear();
    m_steps.clear();
}

bool TDiagramDocument::Load(std::span<const uint8_t> data, TLoadReport* report, bool saved)
{
    if (!m_shem.LoadFromStream(data, report)) return false;
    m_selection.clear();
    m_steps.clear();
    m_done = 0;
    m_clean.reset();
    if (saved) m_clean = 0;
    m_bytes = 0;
    TChange change;
    change.All = change.Selection = change.State = true;
    emit Changed(change);
    return true;
}

void TDiagramDocument::MarkSaved()
{
    const bool was = Modified();
    m_clean = m_done;
    if (was) {
        TChange change;
        change.State = true;
        emit Changed(change);
    }
}

void TDiagramDocument::SetFileName(const QString& fileName)
{
    if (fileName == m_fileName) return;
    m_fileName = fileName;
    TChange change;
    change.State = true;
    emit Changed(change);
}

void TDiagramDocument::SetSelection(std::vector<TShemObj*> selection)
{
    if (selection == m_selection) return;
    m_selection = std::move(selection);
    TChange change;
    change.Selection = true;
    emit Changed(change);
}

bool TDiagramDocument::IsSelected(const TShemObj* entry) const
{
    return std::find(m_selection.begin(), m_selection.end(), entry) != m_selection.end();
}

TEditResult TDiagramDocument::Edit(TAction action, const std::function<bool(TEdit&)>& change)
{
    return Record(action, change, false);
}

TEditResult TDiagramDocument::EditJoiningLast(const std::function<bool(TEdit&)>& change)
{
    // Never into the step the file was saved after: that state stays reachable.
    const bool join = CanUndo() && !CanRedo() && !(m_clean && *m_clean == m_done);
    return Record(join ? m_steps.back()->Action : TAction::Text, change, join);
}

TEditResult TDiagramDocument::Record(TAction action, const std::function<bool(TEdit&)>& change,
                                     bool join)
{
    auto step = std::make_unique<TStep>(action);
    TEdit edit(m_shem, *step, m_selection);
    const bool applied = change(edit);
    m_shem.NoteChanged(); // entries were changed in place
    edit.FindNewEntries();
    for (TEntryChange& c : step->Changes)
        c.After = ValueOf(*c.Entry);
    std::erase_if(step->Changes,
                  [](const TEntryChange& c) { return SameValue(c.Before, c.After); });

    const bool tooMany = m_shem.Count() > kMaxEntries;
    if (!applied || tooMany) {
        TChange ignored;
        Walk(*step, false, ignored);
        return tooMany ? TEditResult::TooManyEntries : TEditResult::Unchanged;
    }

    TChange notice;
    std::unordered_set<const TShemObj*> added, removed;
    for (const TEntrySet& s : step->Sets)
        for (TShemObj* e : s.Entries) {
            if (s.Added) {
                added.insert(e);
            } else if (!added.erase(e)) {
                removed.insert(e);
                notice.Removed.push_back(e);
            }
        }
    for (const TEntrySet& s : step->Sets)
        if (s.Added)
            for (TShemObj* e : s.Entries)
                if (added.count(e)) notice.Added.push_back(e);
    for (const TEntryChange& c : step->Changes)
        if (!removed.count(c.Entry)) notice.Changed.push_back(c.Entry);

    // Removed entries leave the selection whoever chose it.
    std::vector<TShemObj*> selection = std::move(edit.Selection());
    std::erase_if(selection, [&](const TShemObj* e) { return removed.count(e) > 0; });
    notice.Selection = selection != m_selection;
    m_selection = std::move(selection);

    if (step->Empty()) {
        if (notice.Selection) emit Changed(notice);
        return TEditResult::Unchanged;
    }
    if (join)
        JoinLast(std::move(step));
    else
        Push(std::move(step));
    notice.State = true;
    emit Changed(notice);
    return TEditResult::Done;
}

void TDiagramDocument::JoinLast(std::unique_ptr<TStep> step)
{
    TStep& last = *m_steps.back();
    for (TEntryChange& c : step->Changes) {
        const auto it = std::find_if(last.Changes.begin(), last.Changes.end(),
                                     [&](const TEntryChange& o) { return o.Entry == c.Entry; });
        if (it != last.Changes.end())
            it->After = std::move(c.After);
        else
            last.Changes.push_back(std::move(c));
    }
    for (TEntrySet& s : step->Sets)
        last.Sets.push_back(std::move(s));
    m_bytes -= last.Size;
    last.Size = last.Bytes();
    m_bytes += last.Size;
}

void TDiagramDocument::Push(std::unique_ptr<TStep> step)
{
    // A new change after undoing drops the steps that could be redone.
    while (m_steps.size() > m_done) {
        m_bytes -= m_steps.back()->Size;
        m_steps.pop_back();
    }
    if (m_clean && *m_clean > m_done) m_clean.reset();
    step->Size = step->Bytes();
    m_bytes += step->Size;
    m_steps.push_back(std::move(step));
    ++m_done;
    while (m_steps.size() > 1 && (int(m_steps.size()) > m_maxSteps || m_bytes > m_maxBytes))
        DropOldest();
}

void TDiagramDocument::DropOldest()
{
    m_bytes -= m_steps.front()->Size;
    m_steps.pop_front();
    --m_done;
    if (m_clean) {
        if (*m_clean == 0)
            m_clean.reset(); // the saved state can no longer be reached
        else
            --*m_clean;
    }
}

void TDiagramDocument::SetHistoryLimits(int steps, size_t bytes)
{
    m_maxSteps = std::max(steps, 1);
    m_maxBytes = bytes;
    while (m_steps.size() > 1 && (int(m_steps.size()) > m_maxSteps || m_bytes > m_maxBytes) &&
           m_done > 0)
        DropOldest();
}

std::optional<TAction> TDiagramDocument::UndoAction() const
{
    if (!CanUndo()) return std::nullopt;
    return m_steps[m_done - 1]->Action;
}

std::optional<TAction> TDiagramDocument::RedoAction() const
{
    if (!CanRedo()) return std::nullopt;
    return m_steps[m_done]->Action;
}

void TDiagramDocument::Walk(TStep& step, bool forward, TChange& change)
{
    m_shem.NoteChanged(); // values are set in place
    if (forward) {
        for (TEntryChange& c : step.Changes) {
            SetValue(*c.Entry, c.After);
            change.Changed.push_back(c.Entry);
        }
        for (TEntrySet& s : step.Sets) {
            if (s.Added) {
                m_shem.PutBack(s.Taken);
                change.Added.insert(change.Added.end(), s.Entries.begin(), s.Entries.end());
            } else {
                s.Taken = m_shem.TakeOut(s.Entries);
                change.Removed.insert(change.Removed.end(), s.Entries.begin(), s.Entries.end());
            }
        }
    } else {
        for (auto it = step.Sets.rbegin(); it != step.Sets.rend(); ++it) {
            TEntrySet& s = *it;
            if (s.Added) {
                s.Taken = m_shem.TakeOut(s.Entries);
                change.Removed.insert(change.Removed.end(), s.Entries.begin(), s.Entries.end());
            } else {
                m_shem.PutBack(s.Taken);
                change.Added.insert(change.Added.end(), s.Entries.begin(), s.Entries.end());
            }
        }
        for (TEntryChange& c : step.Changes) {
            SetValue(*c.Entry, c.Before);
            change.Changed.push_back(c.Entry);
        }
    }
}

void TDiagramDocument::PruneSelection(const std::vector<TShemObj*>& removed)
{
    if (removed.empty() || m_selection.empty()) return;
    const std::unordered_set<const TShemObj*> gone(removed.begin(), removed.end());
    std::erase_if(m_selection, [&](const TShemObj* e) { return gone.count(e) > 0; });
}

void TDiagramDocument::FinishWalk(TChange& change)
{
    // An entry both taken out and put back within one walk is simply back.
    if (!change.Added.empty() && !change.Removed.empty()) {
        std::unordered_set<const TShemObj*> in(change.Added.begin(), change.Added.end());
        std::unordered_set<const TShemObj*> out(change.Removed.begin(), change.Removed.end());
        std::erase_if(change.Added, [&](const TShemObj* e) { return out.count(e) > 0; });
        std::erase_if(change.Removed, [&](const TShemObj* e) { return in.count(e) > 0; });
    }
    const std::unordered_set<const TShemObj*> out(change.Removed.begin(), change.Removed.end());
    std::erase_if(change.Changed, [&](const TShemObj* e) { return out.count(e) > 0; });
    const size_t before = m_selection.size();
    PruneSelection(change.Removed);
    change.Selection = m_selection.size() != before;
    change.State = true;
    emit Changed(change);
}

void TDiagramDocument::Undo()
{
    if (!CanUndo()) return;
    TChange change;
    Walk(*m_steps[m_done - 1], false, change);
    --m_done;
    FinishWalk(change);
}

void TDiagramDocument::Redo()
{
    if (!CanRedo()) return;
    TChange change;
    Walk(*m_steps[m_done], true, change);
    ++m_done;
    FinishWalk(change);
}

} // namespace kb
