// The mouse tools of the document window: a press, drag and release per tool
// code of the main window's palette, with inverted feedback while dragging.
#include "docwin/childd.h"

#include "docwin/cursors.h"
#include "docwin/editops.h"

#include <QPlainTextEdit>
#include <QScrollBar>

#include <algorithm>
#include <unordered_set>

namespace kb {

namespace {

bool IsCreatingTool(int tool)
{
    return (tool >= tcRectangle && tool <= tcParallelogram) ||
           (tool >= tcText && tool <= tcDivider);
}

bool HasShift(Qt::KeyboardModifiers keys)
{
    return keys & Qt::ShiftModifier;
}

bool HasCtrl(Qt::KeyboardModifiers keys)
{
    return keys & Qt::ControlModifier;
}

QString PointText(TPoint p)
{
    return QString::fromStdString(FormatPoint(p));
}

TRect Ordered(TPoint a, TPoint b)
{
    TRect r = RectOf(a, b);
    NormalizeRect(r);
    return r;
}

// With Shift a new block is a square, following the shorter (signed) drag.
TPoint Squared(Qt::KeyboardModifiers keys, TPoint anchor, TPoint mouse)
{
    if (!HasShift(keys)) return mouse;
    const int32_t m = MinInt(mouse.x - anchor.x, mouse.y - anchor.y);
    return {anchor.x + m, anchor.y + m};
}

TRect PixelRect(const TChildD& doc, const TRect& r)
{
    return RectOf(doc.ToPixels({r.Left, r.Top}), doc.ToPixels({r.Right, r.Bottom}));
}

// Moves every selected block by d pixels, corner by corner through the view
// transform. A move that would leave the diagram's range stops at its edge,
// the whole selection together, so the blocks keep their places to each other.
void MoveSelectedBlocks(const TChildD& doc, TEdit& edit, TPoint d)
{
    std::vector<std::pair<TShemObj*, TRect>> moves;
    TRect bounds{kMaxCoord, kMaxCoord, 0, 0};
    for (TShemObj* e : edit.Selection()) {
        if (!e->IsBlock()) continue;
        const Block& b = e->block();
        const TPoint lt = doc.ToDiagram(AddPoint(doc.ToPixels({b.Left, b.Top}), d));
        const TPoint rb = doc.ToDiagram(AddPoint(doc.ToPixels({b.Right, b.Bottom}), d));
        moves.push_back({e, RectOf(lt, rb)});
        bounds = {MinInt(bounds.Left, lt.x), MinInt(bounds.Top, lt.y), MaxInt(bounds.Right, rb.x),
                  MaxInt(bounds.Bottom, rb.y)};
    }
    const TPoint fix = InsideCorrection(bounds);
    for (auto& [entry, r] : moves) {
        edit.Touch(entry);
        entry->block().SetRect(MovedInside(r, fix.x, fix.y));
    }
}

} // namespace

void TChildD::FormMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers keys, TPoint pixel)
{
    setFocus();
    AbandonDrag();
    m_anchor = pixel;
    if (button != Qt::LeftButton) return;
    if (EditorOpen()) CommitEditor();
    const int tool = m_host.CurrentTool();
    switch (tool) {
    case tcSelect:
        SelectToolDown(keys, pixel);
        break;
    case tcEditText:
        TextToolDown(pixel);
        break;
    case tcJointPoint:
        JointToolDown(pixel);
        break;
    case tcLink:
        LinkToolDown(keys, pixel);
        break;
    case tcPan:
        PanToolDown(pixel);
        break;
    default:
        if (IsCreatingTool(tool)) CreatingToolDown(pixel);
        break;
    }
}

void TChildD::AbandonDrag()
{
    if (m_dragState == TDragState::None) return;
    InvertFeedback();
    if (m_dragState == TDragState::ResizeBlock) CommitResize();
    m_dragState = TDragState::None;
    m_panning = false;
    m_linkStart = m_resized = m_movedLink = nullptr;
    Repaint();
}

void TChildD::CommitResize()
{
    // The block followed the mouse unrecorded; the step records the whole
    // resize, from where it began to where it ends.
    TShemObj* block = m_resized;
    m_resized = nullptr;
    if (!block) return;
    const TRect to = block->block().Rect();
    block->block().SetRect(m_resizedFrom);
    Edit(TAction::Resize, [&](TEdit& edit) {
        edit.Touch(block);
        block->block().SetRect(to);
        return true;
    });
}

void TChildD::SelectToolDown(Qt::KeyboardModifiers keys, TPoint pixel)
{
    const TPoint p = ToDiagram(pixel);
    int handle = 0;
    if (TShemObj* b = Shem().HandleAt(p, handle); b && IsSelected(b)) {
        m_dragState = TDragState::ResizeBlock;
        m_resized = b;
        m_handle = uint8_t(handle);
        m_resizedFrom = b->block().Rect();
        m_editor->hide(); // as before a change: the pending text stays with its block
        SetToolCursor(*this, HandleCursor(handle));
        m_anchor = m_current = pixel;
        InvertFeedback();
        return;
    }
    int end = 1;
    if (TShemObj* l = Shem().LinkEndAt(p, end); l && IsSelected(l)) {
        m_dragState = TDragState::MoveLinkEnd;
        m_movedLink = l;
        m_linkEnd = uint8_t(end);
        const TLink& link = l->link();
        m_linkStart = end == 1 ? link.EndB : link.EndA;
        SetToolCursor(*this, TCursorId::Link);
        m_anchor = ToPixels(end == 1 ? Shem().AttachPoint(link.PosB, link.EndB)
                                     : Shem().AttachPoint(link.PosA, link.EndA));
        m_current = pixel;
        InvertFeedback();
        return;
    }
    if (TShemObj* e = Shem().ObjectAt(p)) {
        std::vector<TShemObj*> selection = Selection();
        if (!IsSelected(e)) {
            if (!HasShift(keys)) selection.clear();
            selection.push_back(e);
        } else if (HasShift(keys)) {
            std::erase(selection, e);
        }
        SetSelection(std::move(selection));
        m_dragState = CountSelectedBlocks() > 0 ? TDragState::MoveSelection : TDragState::None;
        Repaint();
        if (m_dragState == TDragState::MoveSelection) {
            m_anchor = m_current = pixel;
            InvertFeedback();
        }
        return;
    }
    m_dragState = TDragState::RubberBand;
    if (!HasShift(keys)) {
        SetSelection({});
        Repaint();
    }
    m_anchor = m_current = pixel;
    m_host.ShowStatus(0, PointText(ToDiagram(m_anchor)));
}

void TChildD::JointToolDown(TPoint pixel)
{
    const TPoint pt = ToDiagram(pixel);
    TShemObj* e = Shem().ObjectAt(pt);
    if (m_host.JointDeleteMode()) {
        if (e && e->IsJoint()) DeleteJointPoint(e);
        return;
    }
    if (!e || !e->IsLink()) return;
    m_editor->hide();
    Edit(TAction::JointPoint, [&](TEdit& edit) {
        edit.TouchAll();
        edit.Selection() = {SplitLink(edit.Shem(), e, pt)};
        return true;
    });
}

void TChildD::DeleteJointPoint(TShemObj* joint)
{
    const TTwoLinks two = FirstTwoLinksOf(Shem(), joint);
    // Merging links that sit on each other would make them end on each other
    // in a cycle; such a point stays.
    if (two.Second && !CanMerge(Shem(), joint)) return;
    m_editor->hide();
    Edit(TAction::JointPoint, [&](TEdit& edit) {
        edit.TouchAll();
        if (two.Second) MergeAtJoint(edit.Shem(), joint);
        edit.Remove({joint}); // with the links it ends
        return true;
    });
}

void TChildD::LinkToolDown(Qt::KeyboardModifiers keys, TPoint pixel)
{
    TPoint q;
    TShemObj* start = Shem().LinkTargetAt(ToDiagram(pixel), q);
    if (!start) return;
    m_dragState = TDragState::CreateLink;
    m_linkStart = start;
    if (start->IsBlock() && HasCtrl(keys)) q = NearestSideMid(start->block(), q);
    m_anchor = m_current = ToPixels(q);
    m_host.ShowStatus(0, PointText(ToDiagram(m_anchor)));
}

void TChildD::PanToolDown(TPoint pixel)
{
    SetToolCursor(*this, TCursorId::HandClosed);
    m_anchor = pixel;
    m_dragState = TDragState::Pan;
    m_panning = true;
    Repaint(); // without the grid while panning
}

void TChildD::CreatingToolDown(TPoint pixel)
{
    if (Shem().ObjectAt(ToDiagram(pixel))) return;
    m_dragState = TDragState::CreateBlock;
    m_anchor = m_current = pixel;
    m_host.ShowStatus(0, PointText(ToDiagram(m_anchor)));
}

void TChildD::FormMouseMove(Qt::KeyboardModifiers keys, TPoint pixel, QPoint globalPos)
{
    if (m_dragState == TDragState::None) {
        m_anchor = pixel;
        HoverHint(pixel, globalPos);
        HoverCursor(pixel);
    } else {
        DragTo(keys, pixel);
    }
    if (!rect().contains(pixel.x, pixel.y)) SetToolCursor(*this, TCursorId::Default);
}

void TChildD::HoverCursor(TPoint pixel)
{
    const TPoint p = ToDiagram(pixel);
    TCursorId cursor = TCursorId::Default;
    switch (m_host.CurrentTool()) {
    case tcSelect: {
        int handle = 0, end = 1;
        if (TShemObj* b = Shem().HandleAt(p, handle); b && IsSelected(b))
            cursor = HandleCursor(handle);
        else if (TShemObj* e = Shem().ObjectAt(p); e && e->IsBlock() && IsSelected(e))
            cursor = TCursorId::Move;
        else if (TShemObj* l = Shem().LinkEndAt(p, end); l && IsSelected(l))
            cursor = TCursorId::Link;
        break;
    }
    case tcEditText:
        if (TShemObj* e = Shem().ObjectAt(p); e && e->IsBlock() && !e->IsJoint())
            cursor = TCursorId::IBeam;
        break;
    case tcJointPoint: {
        TShemObj* e = Shem().ObjectAt(p);
        if (m_host.JointDeleteMode() && e && e->IsJoint()) cursor = TCursorId::CornerMinus;
        if (!m_host.JointDeleteMode() && e && e->IsLink()) cursor = TCursorId::CornerPlus;
        break;
    }
    case tcLink: {
        TPoint q;
        if (Shem().LinkTargetAt(p, q)) cursor = TCursorId::Link;
        break;
    }
    case tcPan:
        cursor = TCursorId::Hand;
        break;
    default:
        break;
    }
    SetToolCursor(*this, cursor);
}

void TChildD::DragTo(Qt::KeyboardModifiers keys, TPoint pixel)
{
    switch (m_dragState) {
    case TDragState::CreateBlock:
        InvertFeedback();
        m_current = Squared(keys, m_anchor, pixel);
        InvertFeedback();
        m_host.ShowStatus(1, PointText(SubPoint(m_current, m_anchor)));
        break;
    case TDragState::RubberBand:
        InvertFeedback();
        m_current = pixel;
        AutoScroll(pixel);
        InvertFeedback();
        m_host.ShowStatus(1, PointText(SubPoint(m_current, m_anchor)));
        break;
    case TDragState::MoveSelection:
        InvertFeedback();
        m_current = pixel;
        InvertFeedback();
        break;
    case TDragState::ResizeBlock:
        InvertFeedback();
        ResizeBlockTo(ToDiagram(pixel));
        InvertFeedback();
        m_anchor = pixel;
        break;
    case TDragState::Pan:
        PanTo(pixel);
        break;
    case TDragState::CreateLink:
    case TDragState::MoveLinkEnd: {
        InvertFeedback();
        m_current = pixel;
        InvertFeedback();
        m_host.ShowStatus(1, PointText(SubPoint(m_current, m_anchor)));
        TPoint q;
        const TShemObj* target = Shem().LinkTargetAt(ToDiagram(pixel), q);
        SetToolCursor(*this,
                      target && target != m_linkStart ? TCursorId::BlockLink : TCursorId::Link);
        break;
    }
    case TDragState::None:
        break;
    }
}

void TChildD::InvertFeedback()
{
    if (!m_canvas) return;
    TCanvas& c = *m_canvas;
    c.SetPenMode(TPenMode::Not);
    c.SetPenStyle(TPenStyle::Dotted);
    c.SetBrushStyle(TBrushStyle::Clear);
    switch (m_dragState) {
    case TDragState::CreateBlock:
    case TDragState::RubberBand:
        c.Rectangle(Ordered(m_anchor, m_current));
        break;
    case TDragState::MoveSelection: {
        const TRect r = PixelRect(*this, SelectionBounds());
        const TPoint d = SubPoint(m_current, m_anchor);
        c.Rectangle({r.Left + d.x, r.Top + d.y, r.Right + d.x, r.Bottom + d.y});
        break;
    }
    case TDragState::ResizeBlock:
        if (m_resized) c.Rectangle(PixelRect(*this, m_resized->block().Rect()));
        break;
    case TDragState::CreateLink:
    case TDragState::MoveLinkEnd:
        c.MoveTo(m_anchor);
        c.LineTo(m_current);
        break;
    default:
        break;
    }
    c.SetPenMode(TPenMode::Copy);
    update();
}

void TChildD::AutoScroll(TPoint pixel)
{
    // One unit per mouse move while the pointer is at an edge; upwards the
    // scrolling stops at 1, leftwards at 0.
    int h = m_hbar->value();
    int v = m_vbar->value();
    if (pixel.y < 1 && v > 1) {
        --v;
        m_anchor.y += 1;
    } else if (pixel.y >= height() - 10 && v < m_vbar->maximum()) {
        ++v;
        m_anchor.y -= 1;
    }
    if (pixel.x < 1 && h > 0) {
        --h;
        m_anchor.x += 1;
    } else if (pixel.x >= width() - 10 && h < m_hbar->maximum()) {
        ++h;
        m_anchor.x -= 1;
    }
    if (h != m_hbar->value() || v != m_vbar->value()) SetScrollPositions(h, v);
}

void TChildD::PanTo(TPoint pixel)
{
    // One diagram unit per pixel of mouse travel, whatever the scale.
    SetToolCursor(*this, TCursorId::HandClosed);
    const int h = std::clamp(m_hbar->value() + m_anchor.x - pixel.x, 0, int(kMaxCoord));
    const int v = std::clamp(m_vbar->value() + m_anchor.y - pixel.y, 0, int(kMaxCoord));
    m_anchor = pixel;
    SetScrollPositions(h, v);
}

void TChildD::SetScrollPositions(int h, int v)
{
    {
        const QSignalBlocker hb(m_hbar);
        const QSignalBlocker vb(m_vbar);
        m_hbar->setValue(h);
        m_vbar->setValue(v);
    }
    m_origin = {m_hbar->value(), m_vbar->value()};
    Repaint();
}

void TChildD::ResizeBlockTo(TPoint p)
{
    if (!m_resized) return;
    Block& b = m_resized->block();
    const int h = m_handle;
    // The minimum of 10 by 20 units gives way only to the diagram's edges.
    if (h == 1 || h == 2 || h == 8) {
        const int32_t y = MaxInt(p.y, 0);
        b.Top = ClampCoord(b.Bottom - y < 10 ? int64_t(b.Bottom) - 10 : y);
    }
    if (h == 4 || h == 5 || h == 6) {
        const int32_t y = MinInt(p.y, kMaxCoord);
        b.Bottom = ClampCoord(y - b.Top < 10 ? int64_t(b.Top) + 10 : y);
    }
    if (h == 2 || h == 3 || h == 4) {
        const int32_t x = MinInt(p.x, kMaxCoord);
        b.Right = ClampCoord(x - b.Left < 20 ? int64_t(b.Left) + 20 : x);
    }
    if (h == 6 || h == 7 || h == 8) {
        const int32_t x = MaxInt(p.x, 0);
        b.Left = ClampCoord(b.Right - x < 20 ? int64_t(b.Right) - 20 : x);
    }
}

void TChildD::FormMouseUp(Qt::MouseButton button, Qt::KeyboardModifiers keys, TPoint pixel)
{
    m_host.ShowStatus(1, QString());
    if (button == Qt::LeftButton) EndDrag(keys, pixel);
    m_dragState = TDragState::None;
}

void TChildD::EndDrag(Qt::KeyboardModifiers keys, TPoint pixel)
{
    switch (m_dragState) {
    case TDragState::CreateBlock:
        FinishCreateBlock(keys, pixel);
        break;
    case TDragState::RubberBand:
        FinishRubberBand(keys);
        break;
    case TDragState::MoveSelection:
        FinishMove(pixel);
        break;
    case TDragState::CreateLink:
        FinishLink(keys, pixel);
        break;
    case TDragState::ResizeBlock:
        InvertFeedback();
        CommitResize();
        Repaint();
        break;
    case TDragState::Pan:
        SetToolCursor(*this, TCursorId::Hand);
        m_panning = false;
        Repaint();
        break;
    case TDragState::MoveLinkEnd:
        FinishMoveLinkEnd(keys, pixel);
        break;
    case TDragState::None:
        break;
    }
}

void TChildD::FinishCreateBlock(Qt::KeyboardModifiers keys, TPoint pixel)
{
    InvertFeedback();
    m_current = Squared(keys, m_anchor, pixel);
    const int tool = m_host.CurrentTool();
    const TPoint d = SubPoint(m_current, m_anchor);
    // The block must exceed 10 by 5 diagram units.
    if (!IsCreatingTool(tool) || std::abs(d.x) <= 10 * m_scale || std::abs(d.y) <= 5 * m_scale)
        return;
    m_editor->hide();
    Block b;
    b.Kind = uint8_t(tool - 2);
    b.SetRect(ClampRect(Ordered(ToDiagram(m_anchor), ToDiagram(m_current))));
    TShemObj* e = nullptr;
    if (!Edit(TAction::CreateBlock, [&](TEdit& edit) {
            e = edit.AddBlock(b);
            edit.Selection() = {e};
            return true;
        }))
        return;
    OpenEditor(e); // which makes the new block the text-edit target
    m_host.SetCurrentTool(tcSelect);
}

void TChildD::FinishRubberBand(Qt::KeyboardModifiers keys)
{
    InvertFeedback();
    const TRect r = Ordered(ToDiagram(m_anchor), ToDiagram(m_current));
    std::vector<TShemObj*> selection;
    if (HasShift(keys)) selection = Selection();
    std::unordered_set<const TShemObj*> selected(selection.begin(), selection.end());
    for (int i = Shem().NextInRectIndex(-1, r); i >= 0; i = Shem().NextInRectIndex(i, r)) {
        TShemObj* e = Shem().Get(i);
        if (selected.insert(e).second) selection.push_back(e);
    }
    SetSelection(std::move(selection));
    Repaint();
}

void TChildD::FinishMove(TPoint pixel)
{
    InvertFeedback();
    m_current = pixel;
    const TPoint d = SubPoint(m_current, m_anchor);
    if (d != TPoint{0, 0}) {
        m_editor->hide();
        Edit(TAction::Move, [&](TEdit& edit) {
            MoveSelectedBlocks(*this, edit, d);
            return true;
        });
    }
    Repaint();
}

void TChildD::FinishLink(Qt::KeyboardModifiers keys, TPoint pixel)
{
    SetToolCursor(*this, TCursorId::Default);
    InvertFeedback();
    TShemObj* start = m_linkStart;
    m_linkStart = nullptr;
    TPoint q;
    TShemObj* target = Shem().LinkTargetAt(ToDiagram(pixel), q);
    if (!start || !target || target == start) return;
    m_editor->hide();
    if (target->IsBlock() && HasCtrl(keys)) q = NearestSideMid(target->block(), q);
    TLink l;
    l.Style = uint8_t(m_host.LinkDirection() & 3);
    l.EndA = start;
    l.EndB = target;
    l.PosA = AttachPosition(Shem(), start, ToDiagram(m_anchor));
    l.PosB = AttachPosition(Shem(), target, q);
    Edit(TAction::CreateLink, [&](TEdit& edit) {
        edit.Selection() = {edit.AddLink(l)};
        return true;
    });
}

void TChildD::FinishMoveLinkEnd(Qt::KeyboardModifiers keys, TPoint pixel)
{
    SetToolCursor(*this, TCursorId::Default);
    InvertFeedback();
    TShemObj* link = m_movedLink;
    const TShemObj* fixed = m_linkStart;
    m_movedLink = nullptr;
    m_linkStart = nullptr;
    TPoint q;
    TShemObj* target = Shem().LinkTargetAt(ToDiagram(pixel), q);
    // Not onto the other end's entry, the link itself, or a link that sits
    // on this one (directly or through others): links would end in a cycle.
    if (link && target && target != fixed && !Reaches(target, link)) {
        if (target->IsBlock() && HasCtrl(keys)) q = NearestSideMid(target->block(), q);
        m_editor->hide();
        const TPoint pos = AttachPosition(Shem(), target, q);
        Edit(TAction::LinkEnd, [&](TEdit& edit) {
            edit.Touch(link);
            TLink& l = link->link();
            if (m_linkEnd == 1) {
                l.EndA = target;
                l.PosA = pos;
            } else {
                l.EndB = target;
                l.PosB = pos;
            }
            return true;
        });
    }
    Repaint();
}

} // namespace kb
