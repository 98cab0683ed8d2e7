#include "frame/services/searchtarget.h"

#include "frame/services/messages.h"

namespace kb {

void TSearchTarget::Inform(const QString& text)
{
    ShowInformation(MessageParent(), text);
}

} // namespace kb
