// The commands on selected blocks, run on a document window: each one that
// changes the diagram is one step of the document's undo history (which
// marks it modified and repaints it). The context point is where the context
// menu was opened.
#pragma once

#include "frame/commands/blocksize.h"
#include "frame/commands/selectiontarget.h"

#include <QString>

namespace kb {

class TChildD;

// The document's anchor (its last mouse position) in diagram units.
TPoint ContextPoint(const TChildD& doc);

// Alignment palette and Align dialog (modes 0..4 per axis).
bool AlignBlocks(TChildD& doc, int horizontal, int vertical);
// Size dialog, on OK.
bool SizeBlocks(TChildD& doc, const TSizeRule& width, const TSizeRule& height);
// "Align to Grid".
bool AlignToGrid(TChildD& doc);
// "Replace to" > "Block".
bool ChangeBlockType(TChildD& doc, int kind);
// "Insert " > "Block ": a block of the standard extent at the context point,
// then the in-place editor on it and the Select tool.
bool InsertBlock(TChildD& doc, int kind, TPoint extent);
// "Insert " > "Templates" and "Replace to" > "Templates". A template that
// cannot be used is reported in a message box and changes nothing.
bool InsertTemplate(TChildD& doc, const QString& path);
bool ReplaceWithTemplate(TChildD& doc, const QString& path);

} // namespace kb
