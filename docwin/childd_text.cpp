// In-place text editing of blocks, the double click and the arrow keys.
#include "docwin/childd.h"
#include "docwin/drawing/textlayout.h"

#include "docwin/editops.h"
#include "docwin/inplaceeditor.h"
#include "docwin/messagebox.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QKeyEvent>

namespace kb {

namespace {

TInPlaceEditor& InPlace(QPlainTextEdit* editor)
{
    return *static_cast<TInPlaceEditor*>(editor);
}

// Compares addresses only: the entry may be out of the diagram already.
bool InDiagram(const TShem& shem, const TShemObj* e)
{
    return shem.IndexOf(e) >= 0;
}

bool IsArrowKey(int key)
{
    return key == Qt::Key_Left || key == Qt::Key_Up || key == Qt::Key_Right || key == Qt::Key_Down;
}

TPoint ArrowStep(int key)
{
    switch (key) {
    case Qt::Key_Left:
        return {-1, 0};
    case Qt::Key_Up:
        return {0, -1};
    case Qt::Key_Right:
        return {1, 0};
    default:
        return {0, 1};
    }
}

bool InRange(int64_t v)
{
    return v >= 0 && v <= kMaxCoord;
}

// Shift+arrow moves the right or bottom edge; refused when the block would
// not stay wider than 20 and higher than 10, or would leave the diagram.
bool GrowByKey(Block& b, TPoint d)
{
    const int64_t right = int64_t(b.Right) + d.x;
    const int64_t bottom = int64_t(b.Bottom) + d.y;
    if (std::abs(right - b.Left) <= 20 || std::abs(bottom - b.Top) <= 10) return false;
    if (!InRange(right) || !InRange(bottom)) return false;
    b.Right = int32_t(right);
    b.Bottom = int32_t(bottom);
    return true;
}

// Ctrl+arrow moves the block by one unit while both corners stay inside.
bool MoveByKey(Block& b, TPoint d)
{
    const TRect r{b.Left + d.x, b.Top + d.y, b.Right + d.x, b.Bottom + d.y};
    if (!InRange(r.Left) || !InRange(r.Top) || !InRange(r.Right) || !InRange(r.Bottom))
        return false;
    b.SetRect(r);
    return true;
}

QString UnrepresentableCommitMessage()
{
    return QCoreApplication::translate("kb::TChildD",
                                       "The text has characters that Windows-1251 does not have; "
                                       "in the block they are replaced with \"?\".");
}

} // namespace

void TChildD::CreateEditor()
{
    m_editor = new TInPlaceEditor(this);
    m_editor->setObjectName(QStringLiteral("InPlaceEditor"));
    m_editor->hide();
    // The window sees the editor's keys first.
    m_editor->installEventFilter(this);
}

bool TChildD::EditorOpen() const
{
    return !m_editor->isHidden();
}

void TChildD::OpenEditor(TShemObj* block)
{
    if (!block || !block->IsBlock()) return;
    const std::optional<TRect> text = TextRect(block->block());
    if (!text) return; // a joint point has no text
    // An edit still pending (its editor hidden by a change) is kept, not
    // replaced unsaved.
    if (m_textTarget) CommitEditor();
    m_textTarget = block;

    QFont font(QString::fromStdString(m_font.Name));
    font.setPointSize(m_font.Size);
    m_editor->setFont(font);

    // Clipped at the scroll bars, never moved.
    const TPoint lt = ToPixels({text->Left, text->Top});
    const TPoint rb = ToPixels({text->Right, text->Bottom});
    const TRect box = AtLeastOneLine({lt.x, lt.y, rb.x, rb.y}, QFontMetrics(font).height());
    const int w = MaxInt(MinInt(box.Right, m_view.Right) - box.Left, 0);
    const int h = MaxInt(MinInt(box.Bottom, m_view.Bottom) - box.Top, 0);
    m_editor->setGeometry(box.Left, box.Top, w, h);

    TInPlaceEditor& editor = InPlace(m_editor);
    editor.SetBlockText(block->block().Text);
    m_editor->show();
    editor.SetAlign(block->block().Align);
    emit EditorToggled(); // Cut, Copy and Paste now act on the text
    m_editor->setFocus();
}

void TChildD::CommitEditor()
{
    CommitText(false);
}

void TChildD::CommitText(bool joinLast)
{
    TShemObj* target = m_textTarget;
    m_textTarget = nullptr;
    m_editor->hide();
    emit EditorToggled();
    if (!target || !target->IsBlock() || !InDiagram(Shem(), target)) return;
    std::string text;
    if (!InPlace(m_editor).BlockText(text))
        MessageBox(this, QMessageBox::Warning, UnrepresentableCommitMessage());
    if (target->block().Text != text) {
        const auto change = [&](TEdit& edit) {
            edit.Touch(target);
            target->block().Text = std::move(text);
            return true;
        };
        if (joinLast)
            m_doc->EditJoiningLast(change);
        else
            Edit(TAction::Text, change);
    }
    Repaint();
    DrawBlock(*m_canvas, target->block(), false, Transform(), m_color);
    update();
}

void TChildD::EditorCut()
{
    m_editor->cut();
}

void TChildD::EditorCopy()
{
    m_editor->copy();
}

void TChildD::EditorPaste()
{
    m_editor->paste();
}

void TChildD::SetEditorAlign(int align)
{
    if (align < taCenter || align > taRight) return;
    InPlace(m_editor).SetAlign(align);
    TShemObj* target = m_textTarget;
    if (!target || !InDiagram(Shem(), target) || target->block().Align == align) return;
    Edit(TAction::TextAlign, [&](TEdit& edit) {
        edit.Touch(target);
        target->block().Align = uint8_t(align);
        return true;
    });
}

void TChildD::TextToolDown(TPoint pixel)
{
    TShemObj* e = Shem().ObjectAt(ToDiagram(pixel));
    if (e && e->IsBlock() && !e->IsJoint()) {
        OpenEditor(e);
        return;
    }
    m_textTarget = nullptr;
    m_editor->hide();
    m_host.SetCurrentTool(tcSelect);
}

void TChildD::FormDblClick()
{
    TShemObj* e = Shem().ObjectAt(ToDiagram(m_anchor));
    if (!e) return;
    if (e->IsJoint()) {
        // The bend moves to the other corner of the right angle; a point with
        // fewer than two links has no such angle.
        if (const std::optional<TPoint> c = NextBend(Shem(), e)) {
            Edit(TAction::JointPoint, [&](TEdit& edit) {
                edit.Touch(e);
                e->block().SetRect(JointRect(*c));
                return true;
            });
        }
    } else if (e->IsBlock()) {
        // The press that comes with the double click then opens the editor.
        m_host.SetCurrentTool(tcEditText);
    } else {
        Edit(TAction::LinkArrows, [&](TEdit& edit) {
            edit.Touch(e);
            uint8_t& style = e->link().Style;
            style = uint8_t((style & lsDotted) | ((style + 1) & 3));
            return true;
        });
    }
    Repaint();
}

bool TChildD::FormKeyDown(QKeyEvent* event)
{
    if (EditorOpen()) {
        if (event->key() != Qt::Key_Escape) return false;
        CommitEditor(); // Escape keeps the text: there is no cancel
        return true;
    }
    if (!IsArrowKey(event->key()) || CountSelectedBlocks() == 0) return false;
    setFocus();
    ArrowKey(event->key(), event->modifiers());
    return true;
}

void TChildD::ArrowKey(int key, Qt::KeyboardModifiers keys)
{
    const TPoint d = ArrowStep(key);
    const bool grow = keys & Qt::ShiftModifier;
    Edit(grow ? TAction::Resize : TAction::Move, [&](TEdit& edit) {
        for (TShemObj* e : edit.Selection()) {
            if (!e->IsBlock()) continue;
            edit.Touch(e);
            Block& b = e->block();
            if (grow && !e->IsJoint())
                GrowByKey(b, d);
            else if (keys & Qt::ControlModifier)
                MoveByKey(b, d);
        }
        return true;
    });
    Repaint();
}

} // namespace kb
