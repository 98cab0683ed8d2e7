// The editor's interface language. The windows are built with English texts;
// at start-up, once every window the user starts with exists and the
// command-line files are open, the Russian texts replace them.
#pragma once

namespace kb {

class TMainForm;
class TTextApplier;

// Qt's own texts (standard buttons, file, colour and print dialogs, the
// document windows' menus) in Russian, where Qt's catalogue is installed.
// Qt fills some of them as it makes a window, so this comes before the first.
void InstallQtRussian();

// Applies the Russian texts to the main window and its windows; those made
// later get theirs when first shown. Installs Qt's catalogue if that has not
// been done. The applier belongs to main; it tells which rows missed.
TTextApplier& ApplyRussianTexts(TMainForm& main);

} // namespace kb
