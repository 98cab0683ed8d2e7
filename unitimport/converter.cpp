// The converter's walk, simple statements and compounds.
#include "unitimport/converterwalk.h"

#include "model/keywords.h"

#include <algorithm>

namespace kb::unitimport {
namespace {

const std::string kBlank[1] = {" "};
const std::string kNothing;

const char* FailureText(TConvertFailure why)
{
    return why == TConvertFailure::LayoutTooLarge ? "the layout passes 65535 units"
                                                  : "the statements are nested too deeply";
}

// A block placed lower than this can only end in a diagram taller than the
// format holds: every level's bounding box starts less than 10 units below
// its first y.
constexpr int64_t kLowestBottom = kMaxCoord + 10;

// How many compounds wrap the whole list one inside the other: "begin begin
// x end end" gives 2. One pass with a stack of openers finds where each
// leading "begin" closes.
size_t WrappingCompounds(TLineSpan lines)
{
    if (lines.empty() || FindKeyword(lines.back()) != kwEnd) return 0;
    size_t leading = 0;
    while (leading < lines.size() && FindKeyword(lines[leading]) == kwBegin)
        ++leading;
    if (leading == 0) return 0;
    std::vector<size_t> closedAt(leading, lines.size());
    std::vector<size_t> open;
    for (size_t i = 0; i < lines.size(); ++i) {
        const TKeyword k = FindKeyword(lines[i]);
        if (k == kwBegin || k == kwCase) {
            open.push_back(i);
        } else if (k == kwEnd && !open.empty()) {
            if (open.back() < leading) closedAt[open.back()] = i;
            open.pop_back();
        }
    }
    size_t n = 0;
    while (n < leading && closedAt[n] == lines.size() - 1 - n)
        ++n;
    return n;
}

} // namespace

TConvertError::TConvertError(TConvertFailure why) : std::runtime_error(FailureText(why)), Why(why)
{
}

TConversion Convert(TLineSpan lines)
{
    return TConverterWalk(lines, 0, TDraft()).Run();
}

TConverterWalk::TConverterWalk(TLineSpan lines, int depth, TDraft draft)
    : m_lines(lines), m_depth(depth), m_d(std::move(draft))
{
    if (depth > kMaxNesting) throw TConvertError(TConvertFailure::NestedTooDeeply);
}

TConversion TConverterWalk::Run()
{
    for (size_t k = 0; k < m_lines.size();)
        k = std::max(Statement(k), k + 1);
    if (m_f == kNoItem) return TConverterWalk(kBlank, m_depth, m_d.NewSub()).Run();

    const TRect r = m_d.Bounds();
    if (int64_t(r.Right) - r.Left > kMaxCoord || int64_t(r.Bottom) - r.Top > kMaxCoord)
        throw TConvertError(TConvertFailure::LayoutTooLarge);
    m_d.Shift(-r.Left, -r.Top);
    return {std::move(m_d), m_f, m_l, r.Right - r.Left, r.Bottom - r.Top};
}

size_t TConverterWalk::Statement(size_t k)
{
    switch (FindKeyword(m_lines[k])) {
    case kwNone:
        return Plain(k);
    case kwBegin:
        return Compound(k);
    case kwIf:
        return If(k);
    case kwWhile:
        return While(k);
    case kwFor:
        return For(k);
    case kwRepeat:
        return Repeat(k);
    case kwCase:
        return Case(k);
    default:
        return k + 1; // a keyword that stands for nothing here
    }
}

size_t TConverterWalk::Plain(size_t k)
{
    const TItemId r = Box(bkRectangle, m_lines[k]);
    Connect(r);
    m_l = r;
    m_y += 30;
    return k + 1;
}

size_t TConverterWalk::Compound(size_t k)
{
    const size_t end = MatchingEnd(m_lines, k + 1);
    TLineSpan inner = m_lines.subspan(k + 1, std::min(end, m_lines.size()) - (k + 1));
    // A compound that holds only a compound gives the same diagram as the
    // inner one; unwrapping it here keeps such nesting off the call stack.
    const size_t wrappers = WrappingCompounds(inner);
    inner = inner.subspan(wrappers, inner.size() - 2 * wrappers);

    TConversion sub = Sub(inner);
    const TPlaced p = Place(sub, {kCentre - sub.W / 2, int32_t(m_y)});
    Connect(p.F);
    m_l = p.L;
    m_y += sub.H + 10;
    return end + 1;
}

const std::string& TConverterWalk::LineAt(size_t i) const
{
    return i < m_lines.size() ? m_lines[i] : kNothing;
}

TConverterWalk::TBranch TConverterWalk::Branch(size_t k) const
{
    if (k >= m_lines.size()) return {{}, k};
    if (IsStrayKeyword(m_lines[k])) return {kBlank, k + 1};
    const size_t next = StatementEnd(m_lines, k);
    TLineSpan lines = m_lines.subspan(k, next - k);
    if (FindKeyword(lines.front()) == kwBegin)
        lines = lines.size() >= 2 ? lines.subspan(1, lines.size() - 2) : TLineSpan{};
    return {lines, next};
}

TConversion TConverterWalk::Sub(TLineSpan lines) const
{
    return TConverterWalk(lines, m_depth + 1, m_d.NewSub()).Run();
}

TConverterWalk::TPlaced TConverterWalk::Place(TConversion& sub, TPoint at)
{
    if (int64_t(at.y) + sub.H > kLowestBottom) throw TConvertError(TConvertFailure::LayoutTooLarge);
    m_d.Place(sub.Diagram, at);
    return {sub.F, sub.L};
}

TItemId TConverterWalk::AddBlock(uint8_t kind, std::string text, TRect r, bool front)
{
    if (r.Bottom > kLowestBottom) throw TConvertError(TConvertFailure::LayoutTooLarge);
    Block b;
    b.Kind = kind;
    b.Text = std::move(text);
    b.SetRect(r);
    return front ? m_d.FrontBlock(std::move(b)) : m_d.AppendBlock(std::move(b));
}

TItemId TConverterWalk::Box(uint8_t kind, std::string text)
{
    if (m_y > kLowestBottom) throw TConvertError(TConvertFailure::LayoutTooLarge);
    const int32_t y = int32_t(m_y);
    return AddBlock(kind, std::move(text), {kCentre - 40, y, kCentre + 40, y + 20});
}

TItemId TConverterWalk::Joint(TPoint p, bool front)
{
    return AddBlock(bkJoint, {}, {p.x - 1, p.y - 1, p.x + 1, p.y + 1}, front);
}

void TConverterWalk::Labels(TItemId rhomb)
{
    const TRect d = R(rhomb);
    AddBlock(bkText, "yes", {d.Left - 30, d.Top, d.Left - 10, d.Top + 10});
    AddBlock(bkText, "no", {d.Right + 10, d.Top, d.Right + 30, d.Top + 10});
}

void TConverterWalk::Connect(TItemId e)
{
    if (m_l != kNoItem)
        Flow(m_l, e);
    else
        m_f = e;
}

TItemId TConverterWalk::Decision(std::string text)
{
    const TItemId d = Box(bkRhomb, std::move(text));
    Connect(d);
    m_l = d;
    Labels(d);
    m_y += 30;
    return d;
}

TItemId TConverterWalk::Line(TItemId a, TPoint pa, TItemId b, TPoint pb)
{
    return m_d.AppendLink({0, a, b, pa, pb});
}

TItemId TConverterWalk::Arrow(TItemId a, TPoint pa, TItemId b, TPoint pb)
{
    return m_d.AppendLink({lsArrowB, a, b, pa, pb});
}

} // namespace kb::unitimport
