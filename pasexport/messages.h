// The export's messages, fixed English texts shown in the "Error" box.
#pragma once

#include <string_view>

namespace kb {

inline constexpr std::string_view kMsgNoOutgoingLink = "No outgoing link";
inline constexpr std::string_view kMsgTooManyOutgoing = "More then 2 outgoing links";
inline constexpr std::string_view kMsgOneOutgoing = "Have only 1 incoming link";
inline constexpr std::string_view kMsgNoBegin = "Can not find \"begin\"";
inline constexpr std::string_view kMsgBeginUnlinked = "\"begin\" have not outgoing links";
inline constexpr std::string_view kMsgBeginBranches = "\"begin\" have more than 1 outgoing link";
inline constexpr std::string_view kMsgBeginIncoming = "\"begin\" have incoming link";
inline constexpr std::string_view kMsgLinkInsteadOfBlock = "Link instead of block";

} // namespace kb
