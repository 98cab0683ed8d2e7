// The eight passes of the export, in the order they run. Each rewrites the
// working copy; an error ends only the pass that reports it.
#pragma once

#include "pasexport/walk.h"
#include "pasexport/workgraph.h"

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace kb::pas {

using TMessages = std::vector<std::string>;

// Pass 1: a link between two joint points shrinks to one point.
void ContractJointLinks(TWorkGraph& g);
// Pass 2: an unmarked joint point and its first two links become one link.
void MergeJointPoints(TWorkGraph& g);
// Pass 2 can leave links that end on each other in a circle; no point of
// such a link can be computed, so they go, with every link that ends on them.
void DropLinkCycles(TWorkGraph& g);
// Pass 3: a link that carries links is cut in two at a joint point in its middle.
void SplitCarrierLinks(TWorkGraph& g);
// Pass 4: joint points give way to direct links to where they lead.
void BypassJointPoints(TWorkGraph& g, TMessages& messages);

// Passes 5 and 6 share the queue of pass 5, which pass 6 runs in full after
// each of its rewrites.
class TStructurer
{
public:
    TStructurer(TWorkGraph& g, TMessages& messages) : m_g(g), m_messages(messages), m_sequences(g)
    {
    }
    // Pass 5: a statement followed by a statement only it leads to absorbs it.
    void MergeSequences();
    // Pass 6: decisions with their branches become if, while and repeat statements.
    void StructureDecisions();

private:
    TStep MergeAt(TNodeId r);
    TStep StructureAt(TNodeId d);
    TStep StructureCase(TNodeId d);
    // The text of the label the unit import puts beside a case branch that
    // starts at block b, or nothing when there is none.
    const std::string* CaseLabel(TNodeId b);

    TWorkGraph& m_g;
    TMessages& m_messages;
    TWalk m_sequences;
    // Text blocks by their top-left corner, filled on the first case met.
    std::map<std::pair<int32_t, int32_t>, std::vector<TNodeId>> m_textsAt;
    bool m_textsFound = false;
};

// Pass 7: the text of the block after the "begin" ellipse, framed by "begin"
// and "end;". Leaves `lines` alone when a check fails.
void Emit(const TWorkGraph& g, TMessages& messages, std::vector<std::string>& lines);

} // namespace kb::pas
