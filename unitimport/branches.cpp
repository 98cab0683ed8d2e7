// The converter's decisions: if and case.
#include "unitimport/converterwalk.h"

#include "model/keywords.h"

#include <algorithm>

namespace kb::unitimport {

size_t TConverterWalk::If(size_t k)
{
    const TItemId d = Decision(LineAt(k + 1));
    const int32_t m = (R(d).Top + R(d).Bottom) / 2;
    const int32_t y = int32_t(m_y);

    // The then-branch hangs left of the centre line, entered from the
    // rhomb's left vertex through a joint at its middle height.
    const TBranch thenPart = Branch(k + 3);
    TConversion t = Sub(thenPart.Lines);
    const TPlaced tp = Place(t, {kCentre - t.W - 40, y});
    const TItemId jt = Joint({At(tp.F, kTM).x, m}, true);
    Line(d, kLM, jt, kCE);
    Arrow(jt, kCE, tp.F, kTM);

    size_t next = thenPart.Next;
    TItemId elseEnd = kNoItem;
    if (FindKeyword(LineAt(next)) == kwElse) {
        const TBranch elsePart = Branch(next + 1);
        TConversion e = Sub(elsePart.Lines);
        const TPlaced ep = Place(e, {kCentre + 40, y});
        const TItemId je = Joint({At(ep.F, kTM).x, m}, true);
        Line(d, kRM, je, kCE);
        Arrow(je, kCE, ep.F, kTM);
        elseEnd = ep.L;
        next = elsePart.Next;
    } else {
        elseEnd = Joint({kCentre + 80, m}, true);
        Line(d, kRM, elseEnd, kCE);
    }

    // Both sides drop to one join row below the lower of them.
    const TPoint pt = At(tp.L, kBM);
    const TPoint pe = At(elseEnd, kBM);
    const int32_t yb = std::max(pt.y, pe.y);
    const TItemId p1 = Joint({pt.x, yb + 10}, true);
    Line(tp.L, kBM, p1, kCE);
    const TItemId p2 = Joint({pe.x, yb + 10}, true);
    Line(elseEnd, kBM, p2, kCE);
    m_l = Line(p1, kCE, p2, kCE);
    m_y = int64_t(yb) + 20;
    return next;
}

namespace {

bool IsCaseLabel(std::string_view line)
{
    const std::string_view t = Trim(line);
    return !t.empty() && t.back() == ':';
}

// Where the link to branch i of n leaves the rhomb: along its lower edges
// from the left vertex to the right one.
TPoint CaseExit(size_t i, size_t n)
{
    if (n == 1) return kBM;
    const int32_t s = int32_t(kMaxCoord / (n - 1));
    const int64_t x = int64_t(i) * s;
    int64_t y = 32767 + x;
    if (y > 65534) y = 131070 - y;
    return {ClampCoord(x), ClampCoord(y)};
}

// The position, on the join link from `from` to `to`, of the point above
// which a middle branch ends.
TPoint JoinPosition(TPoint branchEnd, TPoint from, TPoint to)
{
    int64_t num = (int64_t(branchEnd.x) - from.x) * kMaxCoord;
    int64_t den = int64_t(to.x) - from.x;
    if (den < 0) {
        num = -num;
        den = -den;
    }
    const int32_t x = den == 0 ? 0 : ClampCoord(RoundDiv(num, den));
    // The format keeps 16 bits; a position on a link uses only its x.
    return {x, int32_t(uint16_t(branchEnd.y - from.y))};
}

} // namespace

// The decision reads the whole head, "case Sel of", and each branch carries
// its label: the export knows that shape and writes the case back.
size_t TConverterWalk::Case(size_t k)
{
    const TItemId d = Step(bkRhomb, "case " + std::string(Trim(LineAt(k + 1))) + " of");

    struct TArm
    {
        std::string Label;
        TConversion Sub;
    };
    std::vector<TArm> arms;
    const size_t caseEnd =
        std::min(m_table->MatchingEnd(m_lines, std::min(m_lines.size(), k + 3)), m_lines.size());
    size_t j = k + 3;
    // Empty statements between the arms are nothing to draw ("a; ; else").
    auto skipEmpty = [&] {
        while (j < caseEnd && m_lines[j].empty())
            ++j;
    };
    skipEmpty();
    while (j < caseEnd && IsCaseLabel(m_lines[j])) {
        std::string_view label = Trim(m_lines[j]);
        label.remove_suffix(1);
        const TBranch b = Branch(j + 1);
        arms.push_back({std::string(label), Sub(b.Lines)});
        j = b.Next;
        skipEmpty();
    }
    if (j < caseEnd && m_lines[j] == "else") {
        // The else part of a case is a statement list, not one statement.
        TLineSpan rest = m_lines.subspan(j + 1, caseEnd - (j + 1));
        if (rest.size() >= 2 && FindKeyword(rest.front()) == kwBegin &&
            m_table->MatchingEnd(rest, 1) == rest.size() - 1)
            rest = rest.subspan(1, rest.size() - 2);
        if (!rest.empty()) arms.push_back({"else", Sub(rest)});
        j = caseEnd;
    }
    if (arms.empty()) return j; // a case without branches is its rhomb alone

    const size_t n = arms.size();
    int64_t width = 40 * int64_t(n) - 40;
    int32_t hm = 0;
    for (const TArm& a : arms) {
        width += a.Sub.W;
        hm = std::max(hm, a.Sub.H);
    }
    if (width > kMaxCoord) throw TConvertError(TConvertFailure::LayoutTooLarge);
    const int32_t y = int32_t(m_y);
    int32_t x = kCentre - int32_t(width / 2);
    std::vector<TPlaced> placed;
    for (size_t i = 0; i < n; ++i) {
        const TPlaced p = Place(arms[i].Sub, {x, y});
        Arrow(d, CaseExit(i, n), p.F, kTM);
        const TPoint corner = At(p.F, {0, 0});
        AddBlock(bkText, arms[i].Label, {corner.x - 30, corner.y, corner.x - 10, corner.y + 10});
        placed.push_back(p);
        x += arms[i].Sub.W + 40;
    }

    // Every branch drops to one join row; the middle ones end on the link
    // that joins the outer two.
    const int32_t yj = y + hm + 10;
    const TPoint first = {At(placed.front().L, kBM).x, yj};
    const TPoint last = {At(placed.back().L, kBM).x, yj};
    const TItemId j0 = Joint(first, false);
    Line(placed.front().L, kBM, j0, kCE);
    const TItemId jn = Joint(last, false);
    Line(placed.back().L, kBM, jn, kCE);
    m_l = Line(jn, kCE, j0, kCE);
    for (size_t i = 1; i + 1 < n; ++i)
        Line(placed[i].L, kBM, m_l, JoinPosition(At(placed[i].L, kBM), last, first));
    m_y += hm + 20;
    return j;
}

} // namespace kb::unitimport
