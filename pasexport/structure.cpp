// Passes 5 and 6: statement sequences merge into one block, and decisions
// with their branches become structured statements.
#include "pasexport/messages.h"
#include "pasexport/passes.h"
#include "pasexport/pastext.h"

#include <algorithm>
#include <optional>
#include <utility>

namespace kb::pas {

void TStructurer::MergeSequences()
{
    m_sequences.Run([this](TNodeId id) { return MergeAt(id); });
}

TStep TStructurer::MergeAt(TNodeId r)
{
    if (!m_g.IsKind(r, bkRectangle)) return TStep::Skip;
    const TNodeId p = m_g.FirstOutgoing(r);
    if (p == kNone) {
        m_messages.emplace_back(kMsgNoOutgoingLink);
        return TStep::Failed;
    }
    const TNodeId s = m_g.Far(p, r);
    // A statement that leads back to itself has nothing to absorb: merging it
    // with itself would delete it.
    if (s == r || !m_g.IsKind(s, bkRectangle) || m_g.IncomingCount(s) != 1 ||
        !m_g[p].Touching.empty())
        return TStep::Skip;
    TMergeText& text = m_g[r].Text;
    CleanStatement(text.Flat(), text.CleanUpTo);
    text.Append("\r\n");
    text.Append(std::move(m_g[s].Text));
    for (TNodeId z : std::vector<TNodeId>(m_g[s].Touching))
        if (z != p) m_g.MoveEnds(z, s, r);
    m_g.Remove(s);
    return TStep::Rewrote;
}

namespace {

constexpr TPoint kBottomMiddle{32767, 65535};
constexpr TPoint kTopMiddle{32767, 0};

struct TDecision
{
    TNodeId q = kNone; // the no-branch
    TNodeId r = kNone; // the yes-branch
    int notOutgoing = 0;
    std::string_view error;
};

TDecision Classify(const TWorkGraph& g, TNodeId d)
{
    TDecision c;
    for (TNodeId l : g[d].Touching) {
        if (!g.IsOutgoing(l, d)) {
            ++c.notOutgoing;
        } else if (c.q == kNone) {
            c.q = l;
        } else if (c.r == kNone) {
            c.r = l;
        } else {
            c.error = kMsgTooManyOutgoing;
            return c;
        }
    }
    if (c.r == kNone) c.error = kMsgOneOutgoing;
    return c;
}

TPoint Centre(const TRect& r)
{
    return {int32_t(RoundDiv(int64_t(r.Left) + r.Right, 2)),
            int32_t(RoundDiv(int64_t(r.Top) + r.Bottom, 2))};
}

// The branch whose point on d lies nearest to a "yes" label is the yes-branch;
// the first such label and point win ties. Without a label near enough, list
// order stands: the first outgoing link is the no-branch.
void ChooseYesBranch(const TWorkGraph& g, TNodeId d, TDecision& c)
{
    const TPoint pq = g.AttachPoint(g[c.q].Pos[g.NearEnd(c.q, d)], d);
    const TPoint pr = g.AttachPoint(g[c.r].Pos[g.NearEnd(c.r, d)], d);
    int32_t best = kMaxCoord;
    std::optional<TPoint> nearest;
    for (TNodeId label : g.YesLabels()) {
        const TPoint centre = Centre(g[label].Rect);
        if (const int32_t dq = Distance(centre, pq); dq < best) {
            best = dq;
            nearest = pq;
        }
        if (const int32_t dr = Distance(centre, pr); dr < best) {
            best = dr;
            nearest = pr;
        }
    }
    if (nearest && *nearest == pq) std::swap(c.q, c.r);
}

bool PlainBlock(const TWorkGraph& g, TNodeId x)
{
    return g.IsBlock(x) && g[x].Kind != bkRhomb;
}

// The four rules that take the yes-target's text, which only a block other
// than a decision has to give; a decision there has to be structured first.
bool StructureOnYes(TWorkGraph& g, TNodeId d, const TDecision& c, TNodeId y, TNodeId t, TNodeId y2,
                    TNodeId t2)
{
    const std::string& cond = g[d].Text.Flat();
    const std::string& yes = g[y].Text.Flat();
    if (t == y2 && g.IsBlock(t)) {
        g.SetText(d, "if " + cond + "\r\nthen\r\nbegin\r\n" + yes + "\r\nend;");
        g.Remove(y);
        g.SetKind(d, bkRectangle);
    } else if (t2 == y2 && PlainBlock(g, t)) {
        g.SetText(d, "if " + cond + "\r\nthen\r\nbegin\r\n" + yes + "\r\nend\r\nelse\r\nbegin\r\n" +
                         g[t].Text.Flat() + "\r\nend;");
        g.Remove(y);
        g.Remove(t); // nothing when t is y or went with it
        g.SetKind(d, bkRectangle);
        // Without a common successor left, the statement simply ends here.
        if (g.Alive(y2)) {
            const TNodeId link = g.AppendLink(1);
            g.SetEnd(link, endA, d, kBottomMiddle);
            g.SetEnd(link, endB, y2, kTopMiddle);
        }
    } else if (y2 == d && c.notOutgoing >= 2 && g.IncomingCount(y) == 1) {
        // A decision that reads a whole for-loop head is that loop.
        const std::string head = IsHead(cond, "for", "do") ? cond : "while " + cond + " do";
        g.SetText(d, head + "\r\nbegin\r\n" + yes + "\r\nend;");
        g.Remove(y);
        g.SetKind(d, bkRectangle);
    } else if (y2 == d && g.IncomingCount(y) == 2 && c.notOutgoing <= 1) {
        g.SetText(y, "repeat\r\n" + yes + "\r\nuntil not(" + cond + ");");
        g.MoveEnds(c.q, d, y);
        g.Remove(d);
    } else {
        return false;
    }
    return true;
}

// A loop that goes back along the no-branch runs until the condition holds:
// "until c" as it stands. The unit import lays repeat loops out this way, with
// "yes" on the exit.
bool StructureRepeatOnNo(TWorkGraph& g, TNodeId d, const TDecision& c, TNodeId t, TNodeId t2)
{
    if (t2 != d || !PlainBlock(g, t) || g.IncomingCount(t) != 2 || c.notOutgoing > 1) return false;
    g.SetText(t, "repeat\r\n" + g[t].Text.Flat() + "\r\nuntil " + g[d].Text.Flat() + ";");
    g.MoveEnds(c.r, d, t);
    g.Remove(d);
    return true;
}

bool IsCaseDecision(const TWorkGraph& g, TNodeId d)
{
    return g.IsKind(d, bkRhomb) && IsHead(g[d].Text.Flat(), "case", "of");
}

} // namespace

void TStructurer::StructureDecisions()
{
    if (!TWalk(m_g).Run([this](TNodeId id) { return StructureAt(id); })) return;
    // A case whose branches never came together as the import draws them:
    // it stands for more than two ways on, which no other rule can write.
    for (TNodeId d : m_g.InListOrder())
        if (IsCaseDecision(m_g, d)) {
            m_messages.emplace_back(kMsgTooManyOutgoing);
            return;
        }
}

const std::string* TStructurer::CaseLabel(TNodeId b)
{
    if (!m_textsFound) {
        m_textsFound = true;
        for (TNodeId id : m_g.InListOrder())
            if (m_g.IsKind(id, bkText))
                m_textsAt[{m_g[id].Rect.Left, m_g[id].Rect.Top}].push_back(id);
    }
    // The import puts a branch's label 30 left of its first block's corner,
    // where a decision there has its "yes"; the label is the other text.
    const TRect& r = m_g[b].Rect;
    const auto at = m_textsAt.find({r.Left - 30, r.Top});
    if (at == m_textsAt.end()) return nullptr;
    const std::string* found = nullptr;
    for (TNodeId id : at->second) {
        const std::string& text = m_g[id].Text.Flat();
        if (m_g[id].Rect.Right != r.Left - 10) continue;
        if (!found || (*found == "yes" && text != "yes")) found = &text;
    }
    return found;
}

// A decision reading "case Sel of" whose branches have each become one
// statement, all going on to the same place: "case Sel of", each label with
// its statement, the branch labelled "else" last, and "end;".
TStep TStructurer::StructureCase(TNodeId d)
{
    std::vector<TNodeId> branches;
    for (TNodeId l : m_g[d].Touching)
        if (m_g.IsOutgoing(l, d)) branches.push_back(m_g.Far(l, d));
    if (branches.empty()) return TStep::Skip;
    const TNodeId next = m_g.Successor(branches.front());
    for (TNodeId b : branches)
        if (!PlainBlock(m_g, b) || m_g.IncomingCount(b) != 1 || m_g.Successor(b) != next)
            return TStep::Skip;
    // The import lays the branches out from left to right in their order.
    std::stable_sort(branches.begin(), branches.end(),
                     [this](TNodeId a, TNodeId b) { return m_g[a].Rect.Left < m_g[b].Rect.Left; });
    std::string arms, otherwise;
    for (TNodeId b : branches) {
        const std::string* label = CaseLabel(b);
        if (!label) return TStep::Skip;
        const std::string arm = "\r\nbegin\r\n" + m_g[b].Text.Flat() + "\r\nend;";
        if (*label == "else") // a statement list of its own
            otherwise = "\r\nelse\r\n" + m_g[b].Text.Flat();
        else
            arms += "\r\n" + *label + ":" + arm;
    }
    m_g.SetText(d, m_g[d].Text.Flat() + arms + otherwise + "\r\nend;");
    for (TNodeId b : branches)
        m_g.Remove(b);
    m_g.SetKind(d, bkRectangle);
    if (m_g.Alive(next)) {
        const TNodeId link = m_g.AppendLink(1);
        m_g.SetEnd(link, endA, d, kBottomMiddle);
        m_g.SetEnd(link, endB, next, kTopMiddle);
    }
    MergeSequences();
    return TStep::Rewrote;
}

TStep TStructurer::StructureAt(TNodeId d)
{
    if (!m_g.IsKind(d, bkRhomb)) return TStep::Skip;
    if (IsCaseDecision(m_g, d)) return StructureCase(d);
    TDecision c = Classify(m_g, d);
    if (!c.error.empty()) {
        m_messages.emplace_back(c.error);
        return TStep::Failed;
    }
    ChooseYesBranch(m_g, d, c);
    const TNodeId y = m_g.Far(c.r, d);
    const TNodeId t = m_g.Far(c.q, d);
    const TNodeId y2 = m_g.Successor(y);
    const TNodeId t2 = m_g.Successor(t);
    const bool rewrote = (PlainBlock(m_g, y) && StructureOnYes(m_g, d, c, y, t, y2, t2)) ||
                         StructureRepeatOnNo(m_g, d, c, t, t2);
    if (!rewrote) return TStep::Skip;
    MergeSequences();
    return TStep::Rewrote;
}

} // namespace kb::pas
