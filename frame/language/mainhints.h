// The hints (status-bar text and tooltip) of the main window's menus, menu
// items and toolbars, which the window definition leaves without one: the
// status bar tells what a command does as the pointer rests on it.
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
