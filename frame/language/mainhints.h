// The hints (status-bar text and tooltip) of the main window's menus and
// toolbars, which the window definition leaves without one: the status bar
// tells what they hold as the pointer rests on them. The commands' own hints
// are in the command table (frame/commandtable.cpp).
#pragma once

#include <QStringList>

class QWidget;

namespace kb {

// Sets the hints on the commands the main window has made, and names its
// toolbar buttons by their hints. Returns the
// object names of the rows whose command was not found, so a table that
// has fallen behind the window shows up in a test.
QStringList SetMainWindowHints(QWidget& main);

} // namespace kb
