// The mouse tools of the document window: a press, drag and release per tool
// code of the main window's palette, with inverted feedback while dragging.
#include "docwin/childd.h"

namespace kb {

void TChildD::FormMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers keys, TPoint pixel)
{
    setFocus();
    m_dragState = TDragState::None;
    m_anchor = pixel;
}

void TChildD::FormMouseMove(Qt::KeyboardModifiers keys, TPoint pixel, QPoint globalPos)
{
    if (m_dragState == TDragState::None) {
        m_anchor = pixel;
        HoverHint(pixel, globalPos);
    }
}

void TChildD::FormMouseUp(Qt::MouseButton button, Qt::KeyboardModifiers keys, TPoint pixel)
{
    m_host.ShowStatus(1, QString());
    m_dragState = TDragState::None;
}

} // namespace kb
