// Inserting a diagram template at a point, and replacing a block with one.
// A template is an ordinary diagram file; what counts is where its blocks
// lie relative to the smallest rectangle around them.
#pragma once

#include "frame/commands/selectiontarget.h"

#include <QString>

#include <memory>

namespace kb {

// Reads a template file. Null, with a message for the user in *error, when
// the file cannot be read, is not a diagram or holds no block: using such a
// template would change nothing useful or leave links without an end.
std::unique_ptr<TShem> LoadTemplate(const QString& path, QString* error);

// Pastes the template with its top-left corner at
// `at` (moved back inside the diagram near the far edges); the pasted
// entries become the selection. False, nothing done, for a template
// without blocks.
bool InsertTemplate(const TSelectionTarget& target, const TShem& pattern, TPoint at);

// Puts the template where the first selected block is: the blocks below and
// to the right of it make room, the links on it move to the template's
// topmost block (ends above its centre) or lowest block (ends below), and
// the block is removed. False, nothing done, without a
// selected block or a template without blocks.
bool ReplaceWithTemplate(const TSelectionTarget& target, const TShem& pattern);

} // namespace kb
