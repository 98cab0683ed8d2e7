// The mouse tools of the document window: a press, drag and release per tool
// code of the main window's palette, with inverted feedback while dragging.
#include "docwin/childd.h"

#include "docwin/cursors.h"
#include "docwin/editops.h"

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
void MoveSelectedBlocks(TChildD& doc, TPoint d)
{
    std::vector<std::pair<Block*, TRect>> moves;
    TRect bounds{kMaxCoord, kMaxCoord, 0, 0};
    for (TShemObj* e : doc.Selection()) {
        if (!e->IsBlock()) continue;
        Block& b = e->block();
        const TPoint lt = doc.ToDiagram(AddPoint(doc.ToPixels({b.Left, b.Top}), d));
        const TPoint rb = doc.ToDiagram(AddPoint(doc.ToPixels({b.Right, b.Bottom}), d));
        moves.push_back({&b, RectOf(lt, rb)});
        bounds = {MinInt(bounds.Left, lt.x), MinInt(bounds.Top, lt.y), MaxInt(bounds.Right, rb.x),
                  MaxInt(bounds.Bottom, rb.y)};
    }
    const TPoint fix = InsideCorrection(bounds);
    for (auto& [block, r] : moves)
        block->SetRect(MovedInside(r, fix.x, fix.y));
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
    if (m_dragState == TDragState::ResizeBlock) {
        m_modified = true;
        m_shem->RefreshList();
    }
    m_dragState = TDragState::None;
    m_panning = false;
    m_linkStart = m_resized = m_movedLink = nullptr;
    Repaint();
}

void TChildD::SelectToolDown(Qt::KeyboardModifiers keys, TPoint pixel)
{
    const TPoint p = ToDiagram(pixel);
    int handle = 0;
    if (TShemObj* b = m_shem->HandleAt(p, handle); b && IsSelected(b)) {
        m_dragState = TDragState::ResizeBlock;
        m_resized = b;
        m_handle = uint8_t(handle);
        TakeSnapshot();
        SetToolCursor(*this, HandleCursor(handle));
        m_anchor = m_current = pixel;
        InvertFeedback();
        return;
    }
    int end = 1;
    if (TShemObj* l = m_shem->LinkEndAt(p, end); l && IsSelected(l)) {
        m_dragState = TDragState::MoveLinkEnd;
        m_movedLink = l;
        m_linkEnd = uint8_t(end);
        const TLink& link = l->link();
        m_linkStart = end == 1 ? link.EndB : link.EndA;
        SetToolCursor(*this, TCursorId::Link);
        m_anchor = ToPixels(end == 1 ? m_shem->AttachPoint(link.PosB, link.EndB)
                                     : m_shem->AttachPoint(link.PosA, link.EndA));
        m_current = pixel;
        InvertFeedback();
        return;
    }
    if (TShemObj* e = m_shem->ObjectAt(p)) {
        if (!IsSelected(e)) {
            if (!HasShift(keys)) m_selection.clear();
            m_selection.push_back(e);
        } else if (HasShift(keys)) {
            std::erase(m_selection, e);
        }
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
        m_selection.clear();
        Repaint();
    }
    m_anchor = m_current = pixel;
    m_host.ShowStatus(0, PointText(ToDiagram(m_anchor)));
}

void TChildD::JointToolDown(TPoint pixel)
{
    const TPoint pt = ToDiagram(pixel);
    TShemObj* e = m_shem->ObjectAt(pt);
    if (m_host.JointDeleteMode()) {
        if (e && e->IsJoint()) DeleteJointPoint(e);
        return;
    }
    if (!e || !e->IsLink()) return;
    TakeSnapshot();
    TShemObj* joint = SplitLink(*m_shem, e, pt);
    m_modified = true;
    m_selection = {joint};
    Repaint();
}

void TChildD::DeleteJointPoint(TShemObj* joint)
{
    const TTwoLinks two = FirstTwoLinksOf(*m_shem, joint);
    // Merging links that sit on each other would make them end on each other
    // in a cycle; such a point stays.
    if (two.Second && !CanMerge(*m_shem, joint)) return;
    if (two.First) TakeSnapshot();
    if (two.Second)
        MergeAtJoint(*m_shem, joint);
    else
        m_shem->Remove(joint); // with the one link it ends, if any
    ForgetRemovedEntries();
    m_modified = true;
    m_shem->RefreshList();
    Repaint();
}

void TChildD::LinkToolDown(Qt::KeyboardModifiers keys, TPoint pixel)
{
    TPoint q;
    TShemObj* start = m_shem->LinkTargetAt(ToDiagram(pixel), q);
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
    if (m_shem->ObjectAt(ToDiagram(pixel))) return;
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
        if (TShemObj* b = m_shem->HandleAt(p, handle); b && IsSelected(b))
            cursor = HandleCursor(handle);
        else if (TShemObj* e = m_shem->ObjectAt(p); e && e->IsBlock() && IsSelected(e))
            cursor = TCursorId::Move;
        else if (TShemObj* l = m_shem->LinkEndAt(p, end); l && IsSelected(l))
            cursor = TCursorId::Link;
        break;
    }
    case tcEditText:
        if (TShemObj* e = m_shem->ObjectAt(p); e && e->IsBlock() && !e->IsJoint())
            cursor = TCursorId::IBeam;
        break;
    case tcJointPoint: {
        TShemObj* e = m_shem->ObjectAt(p);
        if (m_host.JointDeleteMode() && e && e->IsJoint()) cursor = TCursorId::CornerMinus;
        if (!m_host.JointDeleteMode() && e && e->IsLink()) cursor = TCursorId::CornerPlus;
        break;
    }
    case tcLink: {
        TPoint q;
        if (m_shem->LinkTargetAt(p, q)) cursor = TCursorId::Link;
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
        const TShemObj* target = m_shem->LinkTargetAt(ToDiagram(pixel), q);
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
        m_modified = true;
        InvertFeedback();
        m_resized = nullptr;
        m_shem->RefreshList();
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
    m_modified = true;
    InvertFeedback();
    m_current = Squared(keys, m_anchor, pixel);
    const int tool = m_host.CurrentTool();
    const TPoint d = SubPoint(m_current, m_anchor);
    // The block must exceed 10 by 5 diagram units.
    if (!IsCreatingTool(tool) || std::abs(d.x) <= 10 * m_scale || std::abs(d.y) <= 5 * m_scale)
        return;
    TakeSnapshot();
    Block b;
    b.Kind = uint8_t(tool - 2);
    b.SetRect(ClampRect(Ordered(ToDiagram(m_anchor), ToDiagram(m_current))));
    TShemObj* e = m_shem->Get(m_shem->AddBlock(b));
    m_selection = {e};
    Repaint();
    OpenEditor(e); // which makes the new block the text-edit target
    m_host.SetCurrentTool(tcSelect);
}

void TChildD::FinishRubberBand(Qt::KeyboardModifiers keys)
{
    InvertFeedback();
    const TRect r = Ordered(ToDiagram(m_anchor), ToDiagram(m_current));
    if (!HasShift(keys)) m_selection.clear();
    std::unordered_set<const TShemObj*> selected(m_selection.begin(), m_selection.end());
    for (int i = m_shem->NextInRectIndex(-1, r); i >= 0; i = m_shem->NextInRectIndex(i, r)) {
        TShemObj* e = m_shem->Get(i);
        if (selected.insert(e).second) m_selection.push_back(e);
    }
    Repaint();
}

void TChildD::FinishMove(TPoint pixel)
{
    m_modified = true;
    InvertFeedback();
    m_current = pixel;
    const TPoint d = SubPoint(m_current, m_anchor);
    if (d != TPoint{0, 0}) {
        TakeSnapshot();
        MoveSelectedBlocks(*this, d);
        m_shem->RefreshList();
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
    TShemObj* target = m_shem->LinkTargetAt(ToDiagram(pixel), q);
    if (!start || !target || target == start) return;
    m_modified = true;
    TakeSnapshot();
    if (target->IsBlock() && HasCtrl(keys)) q = NearestSideMid(target->block(), q);
    TLink l;
    l.Style = uint8_t(m_host.LinkDirection() & 3);
    l.EndA = start;
    l.EndB = target;
    l.PosA = AttachPosition(*m_shem, start, ToDiagram(m_anchor));
    l.PosB = AttachPosition(*m_shem, target, q);
    m_selection = {m_shem->Get(m_shem->AddLink(l))};
    Repaint();
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
    TShemObj* target = m_shem->LinkTargetAt(ToDiagram(pixel), q);
    // Not onto the other end's entry, the link itself, or a link that sits
    // on this one (directly or through others): links would end in a cycle.
    if (link && target && target != fixed && !Reaches(target, link)) {
        if (target->IsBlock() && HasCtrl(keys)) q = NearestSideMid(target->block(), q);
        m_modified = true;
        TakeSnapshot();
        TLink& l = link->link();
        const TPoint pos = AttachPosition(*m_shem, target, q);
        if (m_linkEnd == 1) {
            l.EndA = target;
            l.PosA = pos;
        } else {
            l.EndB = target;
            l.PosB = pos;
        }
    }
    Repaint();
}

} // namespace kb
