// Commands on the selection (delete, copy, paste, duplicate, select all, text
// alignment, Join Square) and the one-level undo.
#include "docwin/childd.h"

namespace kb {

void TChildD::TakeSnapshot() {}

void TChildD::SwapWithSnapshot() {}

void TChildD::DeleteSelection() {}

void TChildD::CopySelection() {}

void TChildD::Paste() {}

void TChildD::DuplicateSelection() {}

void TChildD::SelectAll()
{
    m_selection.clear();
    for (int i = 0; i < m_shem->Count(); ++i)
        m_selection.push_back(m_shem->Get(i));
    Repaint();
}

void TChildD::SetTextAlign(int align) {}

void TChildD::JoinSquare() {}

} // namespace kb
