// The editor's interface language. The windows are built with English texts;
// at start-up, once every window the user starts with exists and the
// command-line files are open, the Russian texts replace them.
#pragma once

namespace kb {

class TMainForm;
class TTextApplier;

// Applies the Russian texts to the main window and its windows (those made
// later get theirs when first shown) and switches Qt's own texts, such as
// the standard buttons and file dialogs, to Russian where Qt's catalogue is
// installed. The applier belongs to main; it tells which rows missed.
TTextApplier& ApplyRussianTexts(TMainForm& main);

} // namespace kb
