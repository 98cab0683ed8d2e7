// Pass 7: the program is the text of the block that the "begin" ellipse leads to.
#include "model/cp1251.h"
#include "pasexport/messages.h"
#include "pasexport/passes.h"
#include "pasexport/pastext.h"

namespace kb::pas {

namespace {

TNodeId FindBegin(const TWorkGraph& g)
{
    for (TNodeId id : g.InListOrder())
        if (g.IsKind(id, bkEllipse) && LowerCase1251(g[id].Text.Flat()) == "begin") return id;
    return kNone;
}

} // namespace

void Emit(const TWorkGraph& g, TMessages& messages, std::vector<std::string>& lines)
{
    const TNodeId begin = FindBegin(g);
    std::string_view error;
    if (begin == kNone)
        error = kMsgNoBegin;
    else if (g[begin].Touching.empty())
        error = kMsgBeginUnlinked;
    else if (g[begin].Touching.size() > 1)
        error = kMsgBeginBranches;
    else if (g.IsIncoming(g[begin].Touching[0], begin))
        error = kMsgBeginIncoming;
    else if (g.IsLink(g.Far(g[begin].Touching[0], begin)))
        error = kMsgLinkInsteadOfBlock;
    if (!error.empty()) {
        messages.emplace_back(error);
        return;
    }
    const TNodeId body = g.Far(g[begin].Touching[0], begin);
    lines = SplitLines("begin\r\n" + g[body].Text.Flat() + "\r\nend;");
}

} // namespace kb::pas
