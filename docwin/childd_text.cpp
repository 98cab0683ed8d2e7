// In-place text editing of blocks, the double click and the arrow keys.
#include "docwin/childd.h"

#include <QKeyEvent>
#include <QPlainTextEdit>

namespace kb {

void TChildD::CreateEditor()
{
    m_editor = new QPlainTextEdit(this);
    m_editor->setObjectName(QStringLiteral("InPlaceEditor"));
    m_editor->setFrameShape(QFrame::NoFrame);
    m_editor->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_editor->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_editor->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_editor->hide();
    // The window sees the editor's keys first.
    m_editor->installEventFilter(this);
}

bool TChildD::EditorOpen() const
{
    return !m_editor->isHidden();
}

void TChildD::OpenEditor(TShemObj* block) {}

void TChildD::CommitEditor()
{
    m_textTarget = nullptr;
    m_editor->hide();
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

void TChildD::SetEditorAlign(int align) {}

void TChildD::FormDblClick() {}

bool TChildD::FormKeyDown(QKeyEvent* event)
{
    return false;
}

} // namespace kb
