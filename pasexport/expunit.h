// Flowchart to Pascal: rewrites a diagram's graph of blocks and links into
// the text of a procedure body ("begin", the statements, "end;").
#pragma once

#include "pasexport/messages.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace kb {

// Runs the export on a private copy of the diagram read from `diagram` (the
// file format; data the reader refuses gives an empty copy). `lines` are the
// editor's lines: replaced by the program when it could be found, left as they
// were otherwise, and indented in either case. Texts are Windows-1251 bytes.
// Returns the messages in the order they were reported.
std::vector<std::string> ExportPascal(std::span<const uint8_t> diagram,
                                      std::vector<std::string>& lines);

} // namespace kb
