// The Properties command of the document context menu: the link dialog for
// a link or a joint point, the block dialog for any other block.
#pragma once

namespace kb {

class TBlockProp;
class TChildD;
class TLinkPropForm;

// Edits the document's single selected entry; true when OK changed it, the
// document then marked modified and repainted. For a joint point the style
// chosen goes to every link through the point, which keeps its kind.
bool EditProperties(TChildD& doc, TBlockProp& blockDialog, TLinkPropForm& linkDialog);

} // namespace kb
