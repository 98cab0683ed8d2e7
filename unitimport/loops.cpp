// The converter's loops: while, for and repeat.
#include "unitimport/converterwalk.h"

#include "model/keywords.h"

#include <algorithm>

namespace kb::unitimport {

size_t TConverterWalk::While(size_t k)
{
    return Loop(LineAt(k + 1), k + 3);
}

namespace {

// "i := 0" gives ("i", "0"); without ":=" the whole line is the variable.
std::pair<std::string, std::string> SplitAssignment(std::string_view line)
{
    const size_t at = line.find(":=");
    if (at == std::string_view::npos) return {std::string(Trim(line)), {}};
    return {std::string(Trim(line.substr(0, at))), std::string(Trim(line.substr(at + 2)))};
}

} // namespace

// A for loop is drawn as a while loop whose decision reads the whole head,
// "for i := 0 to n -1 do": the reader sees the loop as written, and the
// export, which knows that text, writes the head back as it was. Counting
// with statements of its own would not compile for enumerations and would
// run past High(T).
size_t TConverterWalk::For(size_t k)
{
    if (LineAt(k + 2) == "do") // for x in s do
        return Loop("for " + std::string(Trim(LineAt(k + 1))) + " do", k + 3);
    const auto [v, a] = SplitAssignment(LineAt(k + 1));
    const std::string direction = LineAt(k + 2) == "to" ? " to " : " downto ";
    return Loop("for " + v + " := " + a + direction + std::string(Trim(LineAt(k + 3))) + " do",
                k + 5);
}

size_t TConverterWalk::Loop(const std::string& test, size_t bodyAt)
{
    m_y += 10;
    const TItemId d = Decision(test);
    const TRect dr = R(d);
    const int32_t m = (dr.Top + dr.Bottom) / 2;

    // The body hangs left of the centre line like a then-branch.
    const TBranch body = Branch(bodyAt);
    TConversion b = Sub(body.Lines);
    const TPlaced bp = Place(b, {kCentre - b.W - 40, int32_t(m_y)});
    const int32_t reach = b.W + 40;
    const TItemId jb = Joint({At(bp.F, kTM).x, m}, true);
    Line(d, kLM, jb, kCE);
    Arrow(jb, kCE, bp.F, kTM);

    // Back up on the far left into the top of the rhomb.
    const TPoint pb = At(bp.L, kBM);
    const int32_t below = pb.y + 10;
    const TItemId pa = Joint({pb.x, below}, true);
    Line(bp.L, kBM, pa, kCE);
    const TItemId pl = Joint({kCentre - reach - 40, below}, true);
    Line(pl, kCE, pa, kCE);
    const TItemId pu = Joint({kCentre - reach - 40, dr.Top}, true);
    Line(pl, kCE, pu, kCE);
    Arrow(pu, kCE, d, kTM);

    // Out on the right and back to the centre line under the body.
    const TItemId pd = Joint({dr.Right + 40, m}, true);
    Line(d, kRM, pd, kCE);
    const TItemId pe = Joint({dr.Right + 40, below}, true);
    Line(pe, kCE, pd, kCE);
    const TItemId pf = Joint({kCentre, below}, true);
    Line(pe, kCE, pf, kCE);
    m_l = pf;
    m_y = int64_t(pb.y) + 20;
    return body.Next;
}

size_t TConverterWalk::Repeat(size_t k)
{
    size_t until = k + 1;
    TLineSpan bodyLines = EmptyBody();
    if (FindKeyword(LineAt(k + 1)) != kwUntil) {
        until = m_table->MatchingUntil(m_lines, k + 1);
        bodyLines = m_lines.subspan(k + 1, std::min(until, m_lines.size()) - (k + 1));
    }

    // A body that starts with a repeat of its own would give both loops one
    // first statement to go back to, a shape the export cannot take apart:
    // an empty statement before it gives the outer loop its own.
    const bool blankFirst = !bodyLines.empty() && FindKeyword(bodyLines.front()) == kwRepeat;
    const int32_t y = int32_t(m_y);
    TConversion b = Sub(bodyLines, blankFirst);
    const TPlaced bp = Place(b, {kCentre - b.W / 2, y});
    Connect(bp.F);
    const TItemId d = AddBlock(bkRhomb, LineAt(until + 1),
                               {kCentre - 40, y + b.H + 10, kCentre + 40, y + b.H + 30});
    Flow(bp.L, d);
    // The loop ends when the condition holds: "yes" marks the exit on the
    // left and "no" the way back. Without them the export would take the
    // nearest "yes" of any other decision for this one's.
    Labels(d);

    // Back up on the right into the top of the body.
    const int32_t m = At(d, kRM).y;
    const int32_t xr = kCentre + b.W / 2 + 40;
    const TItemId hr = Joint({xr, m}, false);
    Line(d, kRM, hr, kCE);
    const TItemId t = AddBlock(bkJoint, {}, {xr - 1, y - 5, xr + 1, y - 4});
    Line(t, kCE, hr, kCE);
    Arrow(t, kCE, bp.F, kTM);

    // Out on the left and back to the centre line.
    const int32_t xl = kCentre - b.W / 2;
    const TItemId g1 = Joint({xl, m}, false);
    Line(d, kLM, g1, kCE);
    const TItemId g2 = Joint({xl, m + 20}, false);
    Line(g2, kCE, g1, kCE);
    const TItemId g3 = Joint({kCentre, m + 20}, false);
    Line(g2, kCE, g3, kCE);
    m_l = g3;
    m_y = int64_t(m) + 30;
    return until + 2;
}

} // namespace kb::unitimport
