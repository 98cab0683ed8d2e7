// The 16 by 16 pictures of the toolbar buttons that do not show a block kind
// or a link style (those come from the shape drawing itself).
#pragma once

#include <QIcon>
#include <QString>

namespace kb {

// name: "new", "open", "save", "print", "delete", "cut", "copy", "paste",
// "scale", "list", "grid", "fullscreen", "textleft", "textcenter",
// "textright", "select", "edittext", "textblock", "pointadd", "pointdelete", "hand",
// "alignleft", "alignhcenter", "alignright", "spaceh", "aligntop",
// "alignvcenter", "alignbottom", "spacev". Other names give an empty icon.
QIcon ToolIcon(const QString& name);

} // namespace kb
