// The cursors of the editing tools, by the numbers the tools use. Link,
// BlockLink, CornerPlus and CornerMinus are our own pictures; the others are
// the platform's standard shapes that look the same.
#pragma once

#include <QCursor>

class QWidget;

namespace kb {

enum class TCursorId : int {
    Default = 0,
    Link = 1,
    BlockLink = 2,
    HandClosed = 3,
    Move = 4,
    SizeNS = 5,
    SizeNESW = 6,
    SizeWE = 7,
    SizeNWSE = 8,
    CornerPlus = 9,
    CornerMinus = 10,
    Hand = 11,
    IBeam = 12, // the platform's text cursor, used by the text tool
};

// The same cursor object each time for an id, so it can be compared.
const QCursor& ToolCursor(TCursorId id);
void SetToolCursor(QWidget& widget, TCursorId id);
// The cursor over resize handle 1..8 (numbered clockwise from the top middle).
TCursorId HandleCursor(int handle);

} // namespace kb
