// The Russian interface texts of the editor's windows, in the order they are
// applied: the main window, the About box, the Align dialog, the Pascal
// export window, the full-screen view, the Options, Size, Link properties
// and Block properties dialogs, then the Find and Replace dialogs.
#pragma once

#include "frame/language/texttable.h"

#include <span>

namespace kb {

std::span<const TWindowTexts> RussianTexts();

} // namespace kb
