// TDiagramDocument, one open diagram apart from any window: the diagram, the
// user's selection, the undo history, the modified flag and the file name.
// Every change of the diagram runs through Edit(), which records what the
// change did as one undo step and announces it once with Changed(); undo and
// redo announce themselves the same way. The window, the object list, the
// autosave, the command states and the full-screen view all follow that one
// signal, so none of them can miss an edit.
#pragma once

#include "model/shem.h"

#include <QObject>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace kb {

// The kinds of change, each named in the Undo and Redo hints.
enum class TAction : uint8_t {
    CreateBlock,
    CreateLink,
    Move,
    Resize,
    Text,
    Delete,
    Paste,
    Duplicate,
    Align,
    Replace,
    Properties,
    JointPoint,
    LinkEnd,
    LinkArrows,
    TextAlign,
    ChangeKind,
    InsertTemplate,
    ReplaceWithTemplate,
    JoinSquare,
};

// The short Russian noun of the Undo and Redo hints ("перемещение").
QString ActionName(TAction action);

// What one notification reports. Entries named here are alive when it is
// delivered: removed ones are kept by the undo history, not destroyed.
struct TChange
{
    bool All = false; // the whole diagram is new (a load)
    std::vector<TShemObj*> Changed;
    std::vector<TShemObj*> Added;
    std::vector<TShemObj*> Removed;
    bool Selection = false; // the selection is different
    bool State = false;     // the modified flag, the file name or the undo steps changed

    bool Diagram() const { return All || !Changed.empty() || !Added.empty() || !Removed.empty(); }
};

class TStep;
class TDiagramDocument;

// One change being made, handed to the function given to Edit(). Entries are
// changed in place, but only after Touch() (or TouchAll()) has seen them;
// entries are added and removed only through it.
class TEdit
{
public:
    // Counts as a change of the diagram (its remembered link ends go).
    TShem& Shem()
    {
        m_shem.NoteChanged();
        return m_shem;
    }
    // The selection as the change leaves it; removed entries drop out of it
    // by themselves.
    std::vector<TShemObj*>& Selection() { return m_selection; }

    // Records the entry's state before it is changed; again is harmless.
    void Touch(TShemObj* entry);
    // For changes whose reach is not known beforehand: every entry is seen,
    // entries appended or inserted by the diagram's own operations are found
    // afterwards, and entries left as they were cost nothing in the history.
    void TouchAll();

    TShemObj* AddBlock(const Block& b);
    TShemObj* AddLink(const TLink& l);
    TShemObj* InsertBlock(int index, const Block& b);
    // Entries that a diagram operation appended from index `from` on.
    void NoteAppended(int from);
    // Removes the entries with the delete cascade; the history keeps them.
    void Remove(const std::vector<TShemObj*>& seeds);

private:
    friend class TDiagramDocument;
    TEdit(TShem& shem, TStep& step, std::vector<TShemObj*> selection);
    void NoteAdded(std::vector<TShemObj*> entries);
    // Records the entries TouchAll has not seen as added.
    void FindNewEntries();

    TShem& m_shem;
    TStep& m_step;
    std::vector<TShemObj*> m_selection;
    std::unordered_map<const TShemObj*, size_t> m_touched; // index into the step's changes
    std::unordered_set<const TShemObj*> m_added;
    bool m_all = false;
};

enum class TEditResult : uint8_t {
    Done,          // changed and recorded
    Unchanged,     // nothing to record (the selection may still be new)
    TooManyEntries // refused: the diagram would pass kMaxEntries; nothing changed
};

class TDiagramDocument : public QObject
{
    Q_OBJECT

public:
    static constexpr int kMaxSteps = 1000;
    static constexpr size_t kMaxHistoryBytes = size_t(256) << 20;

    explicit TDiagramDocument(QObject* parent = nullptr);
    ~TDiagramDocument() override;

    const TShem& Shem() const { return m_shem; }
    // Entries changed in place outside an edit (a block following the mouse
    // while it is resized) leave the diagram's remembered link ends stale.
    void NoteChangedInPlace() { m_shem.NoteChanged(); }

    // Replaces the diagram with the file's bytes and forgets the history;
    // false (nothing changed) when they are not a diagram. Bytes that no
    // file holds (a recovered copy, saved false) leave the document modified.
    bool Load(std::span<const uint8_t> data, TLoadReport* report = nullptr, bool saved = true);

    // The diagram differs from the state last saved (or loaded).
    bool Modified() const { return !m_clean || *m_clean != m_done; }
    // The present state is what the file now holds.
    void MarkSaved();
    const QString& FileName() const { return m_fileName; }
    void SetFileName(const QString& fileName);

    const std::vector<TShemObj*>& Selection() const { return m_selection; }
    void SetSelection(std::vector<TShemObj*> selection);
    bool IsSelected(const TShemObj* entry) const;

    // Runs change as one undo step. change returns false when it did not
    // apply; whatever it did is then undone unrecorded. On Done the step is
    // recorded, the document marked modified and Changed emitted once.
    TEditResult Edit(TAction action, const std::function<bool(TEdit&)>& change);
    // The same, but what change does joins the last step instead of making
    // one of its own (when there is a last step, nothing to redo, and the
    // file was not saved after it): a text still being typed when Undo is
    // chosen belongs to the step it follows.
    TEditResult EditJoiningLast(const std::function<bool(TEdit&)>& change);

    bool CanUndo() const { return m_done > 0; }
    bool CanRedo() const { return m_done < m_steps.size(); }
    std::optional<TAction> UndoAction() const;
    std::optional<TAction> RedoAction() const;
    void Undo();
    void Redo();

    // What the history holds, as the limits count it.
    size_t HistoryBytes() const { return m_bytes; }
    int HistorySteps() const { return int(m_steps.size()); }
    void SetHistoryLimits(int steps, size_t bytes);

signals:
    void Changed(const kb::TChange& change);

private:
    TEditResult Record(TAction action, const std::function<bool(TEdit&)>& change, bool join);
    void Push(std::unique_ptr<TStep> step);
    void JoinLast(std::unique_ptr<TStep> step);
    void DropOldest();
    void Walk(TStep& step, bool forward, TChange& change);
    void FinishWalk(TChange& change);
    void PruneSelection(const std::vector<TShemObj*>& removed);

    TShem m_shem;
    std::vector<TShemObj*> m_selection; // never owns
    std::deque<std::unique_ptr<TStep>> m_steps;
    size_t m_done = 0;                 // steps applied; the rest can be redone
    std::optional<size_t> m_clean = 0; // m_done of the saved state; none once dropped
    size_t m_bytes = 0;
    int m_maxSteps = kMaxSteps;
    size_t m_maxBytes = kMaxHistoryBytes;
    QString m_fileName;
};

} // namespace kb
