// 16 x 16 pictures of the block kinds and link styles for the tool palette
// and the Insert menus, drawn by the same code as the diagram itself.
#pragma once

#include <QIcon>
#include <QImage>

namespace kb {

// Black outlines on a transparent background. Kinds 0..9, styles 0..7;
// other values give an empty picture.
QImage KindImage(int kind);
QImage LinkStyleImage(int style);
QIcon KindIcon(int kind);
QIcon LinkStyleIcon(int style);

} // namespace kb
