#include "pasexport/expunit.h"

#include "pasexport/passes.h"
#include "pasexport/pastext.h"

namespace kb {

std::vector<std::string> ExportPascal(std::span<const uint8_t> diagram,
                                      std::vector<std::string>& lines)
{
    std::vector<std::string> messages;
    pas::TWorkGraph graph = [&] {
        TShem copy;
        copy.LoadFromStream(diagram);
        return pas::TWorkGraph(copy);
    }();
    pas::ContractJointLinks(graph);
    pas::MergeJointPoints(graph);
    pas::DropLinkCycles(graph);
    pas::SplitCarrierLinks(graph);
    pas::BypassJointPoints(graph, messages);
    {
        pas::TStructurer structurer(graph, messages);
        structurer.MergeSequences();
        structurer.StructureDecisions();
    }
    pas::Emit(graph, messages, lines);
    pas::Indent(lines);
    return messages;
}

} // namespace kb
