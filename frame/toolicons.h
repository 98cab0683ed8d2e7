// The pictures of the toolbar buttons and menu commands that do not show a
// block kind or a link style (those come from the shape drawing itself),
// drawn at 16 and 24 pixels without any system font.
#pragma once

#include <QIcon>
#include <QImage>
#include <QString>

namespace kb {

// name: "new", "open", "save", "print", "delete", "cut", "copy", "paste",
// "find", "replace", "undo", "redo", "scale", "list", "grid", "fullscreen",
// "textleft", "textcenter", "textright", "select", "edittext", "pointadd",
// "pointdelete", "hand", "alignleft", "alignhcenter", "alignright", "spaceh",
// "aligntop", "alignvcenter", "alignbottom", "spacev". Other names give an
// empty icon (or picture).
QIcon ToolIcon(const QString& name);
QImage ToolImage(const QString& name, int size);

// The standard commands ("new" ... "redo", and "scale" as actual size) in
// the desktop theme's pictures, with the drawn ones where the theme has none.
QIcon StandardIcon(const QString& name);

} // namespace kb
