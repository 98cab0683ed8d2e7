#include "frame/services/searchtarget.h"

#include "docwin/messagebox.h"

namespace kb {

void TSearchTarget::Inform(const QString& text)
{
    MessageBox(MessageParent(), QMessageBox::Information, text);
}

} // namespace kb
