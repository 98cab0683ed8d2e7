// The converter's walk, simple statements and compounds.
#include "unitimport/converterwalk.h"

#include "model/keywords.h"

#include <algorithm>

namespace kb::unitimport {
namespace {

// The blank statement that stands for an empty list, and the empty line that
// stands for an empty loop body, with one table for both: they are walked
// far too often to build a table each time.
const std::string kStandIns[2] = {" ", ""};
const TLineSpan kBlank(kStandIns, 1);
const std::string kNothing;

const TExtentTable& StandInTable()
{
    static const TExtentTable table(kStandIns);
    return table;
}

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
// x end end" gives 2.
size_t WrappingCompounds(const TExtentTable& table, TLineSpan lines)
{
    if (lines.empty() || FindKeyword(lines.back()) != kwEnd) return 0;
    const size_t leading = table.BeginRun(lines, 0);
    size_t n = 0;
    while (n < leading && table.ClosingEnd(lines, n) == lines.size() - 1 - n)
        ++n;
    return n;
}

} // namespace

TLineSpan EmptyBody()
{
    return TLineSpan(kStandIns).subspan(1);
}

TConvertError::TConvertError(TConvertFailure why) : std::runtime_error(FailureText(why)), Why(why)
{
}

TConversion Convert(TLineSpan lines)
{
    return TConverterWalk(lines, 0, TDraft(lines.size())).Run();
}

TConverterWalk::TConverterWalk(TLineSpan lines, int depth, TDraft draft, const TExtentTable* table,
                               bool blankFirst)
    : m_lines(lines), m_depth(depth), m_table(table), m_blankFirst(blankFirst),
      m_d(std::move(draft))
{
    if (depth > kMaxNesting) throw TConvertError(TConvertFailure::NestedTooDeeply);
    if (!m_table || !m_table->Holds(lines)) {
        if (StandInTable().Holds(lines)) {
            m_table = &StandInTable();
        } else {
            m_ownTable = std::make_unique<TExtentTable>(lines);
            m_table = m_ownTable.get();
        }
    }
}

TConversion TConverterWalk::Run()
{
    if (m_blankFirst) Step(bkRectangle, kBlank[0]);
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
    const bool afterHandler = m_afterHandler;
    // "on E: EFoo do S; else T": the empty statement the scanner puts before
    // such an else is passed over.
    if (afterHandler && m_lines[k].empty() && LineAt(k + 1) == "else") return k + 1;
    m_afterHandler = false;
    switch (FindKeyword(m_lines[k])) {
    case kwNone:
        if (m_lines[k] == "try") return Try(k);
        if (m_lines[k] == "asm") return Asm(k);
        if (const size_t next = Handler(k)) return next;
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
    case kwWith:
        return With(k);
    case kwElse:
        // "on E: EFoo do S; else T": the handlers' else is a statement too.
        return afterHandler ? Plain(k) : k + 1;
    default:
        return k + 1; // a keyword that stands for nothing here
    }
}

size_t TConverterWalk::Plain(size_t k)
{
    // "label1: s" comes as two lines; apart, the export would write an empty
    // statement after the label.
    const std::string_view line = Trim(m_lines[k]);
    const bool label = !line.empty() && line.back() == ':' && line.find(' ') == std::string::npos;
    const bool joins = label && k + 1 < m_lines.size() && FindKeyword(m_lines[k + 1]) == kwNone &&
                       !OpensEnd(m_lines[k + 1]);
    Step(bkRectangle, joins ? m_lines[k] + "\r\n" + m_lines[k + 1] : m_lines[k]);
    return joins ? k + 2 : k + 1;
}

size_t TConverterWalk::Compound(size_t k)
{
    const size_t end = m_table->MatchingEnd(m_lines, k + 1);
    TLineSpan inner = m_lines.subspan(k + 1, std::min(end, m_lines.size()) - (k + 1));
    // A compound that holds only a compound gives the same diagram as the
    // inner one; unwrapping it here keeps such nesting off the call stack.
    const size_t wrappers = WrappingCompounds(*m_table, inner);
    inner = inner.subspan(wrappers, inner.size() - 2 * wrappers);

    TConversion sub = Sub(inner);
    Nest(sub);
    return end + 1;
}

// "with R do S": a statement "with R do" / "begin" above S and a statement
// "end" below it, so that a reader sees which statements the records
// govern and the export writes the head back around exactly those.
size_t TConverterWalk::With(size_t k)
{
    return Around("with " + std::string(Trim(LineAt(k + 1))) + " do", k + 3);
}

size_t TConverterWalk::Around(std::string head, size_t bodyAt)
{
    Step(bkRectangle, std::move(head) + "\r\nbegin");

    const TBranch body = Branch(bodyAt);
    TConversion sub = Sub(body.Lines);
    Nest(sub);

    Step(bkRectangle, "end");
    return body.Next;
}

// try ... except/finally ... end: the words stand as statements of their
// own in the sequence, the block's "end" too, so that the export writes the
// block back as it was.
size_t TConverterWalk::Try(size_t k)
{
    const size_t end = m_table->MatchingEnd(m_lines, k + 1);
    Plain(k);
    if (end > k + 1) {
        TConversion sub = Sub(m_lines.subspan(k + 1, std::min(end, m_lines.size()) - (k + 1)));
        Nest(sub);
    }
    Step(bkRectangle, "end");
    return end + 1;
}

// An assembler block is one statement: its lines, and "end".
size_t TConverterWalk::Asm(size_t k)
{
    const size_t end = std::min(m_table->MatchingEnd(m_lines, k + 1), m_lines.size());
    std::string text = "asm";
    for (size_t i = k + 1; i < end; ++i)
        text += "\r\n" + m_lines[i];
    text += "\r\nend";
    Step(bkRectangle, std::move(text));
    return end + 1;
}

size_t TConverterWalk::Handler(size_t k)
{
    const std::string_view line = Trim(m_lines[k]);
    const bool except = line == "except";
    const size_t at = except ? k + 1 : k;
    const std::string_view on = Trim(LineAt(at));
    if (on.size() < 3 ||
        (on.substr(0, 3) != "on " && on.substr(0, 3) != "On " && on.substr(0, 3) != "ON "))
        return 0;
    // "on E:" and "EError" on two lines, or "on EError" on one, then "do".
    std::string head(on);
    size_t bodyAt = 0;
    if (LineAt(at + 1) == "do") {
        bodyAt = at + 2;
    } else if (LineAt(at + 2) == "do" && FindKeyword(LineAt(at + 1)) == kwNone) {
        head += " " + std::string(Trim(LineAt(at + 1)));
        bodyAt = at + 3;
    } else {
        return 0;
    }
    // "except" shares the first handler's statement: a ";" between them
    // would end the handler list before it began.
    const size_t next = Around((except ? "except\r\n" : "") + head + " do", bodyAt);
    m_afterHandler = true;
    return next;
}

const std::string& TConverterWalk::LineAt(size_t i) const
{
    return i < m_lines.size() ? m_lines[i] : kNothing;
}

TConverterWalk::TBranch TConverterWalk::Branch(size_t k) const
{
    if (k >= m_lines.size()) return {{}, k};
    // "if c then else s": the empty then-statement leaves the "else" to its if.
    if (IsStrayKeyword(m_lines[k])) return {kBlank, m_lines[k] == "else" ? k : k + 1};
    const size_t next = m_table->StatementEnd(m_lines, k);
    TLineSpan lines = m_lines.subspan(k, next - k);
    if (FindKeyword(lines.front()) == kwBegin)
        lines = lines.size() >= 2 ? lines.subspan(1, lines.size() - 2) : TLineSpan{};
    return {lines, next};
}

TConversion TConverterWalk::Sub(TLineSpan lines, bool blankFirst) const
{
    return TConverterWalk(lines, m_depth + 1, m_d.NewSub(), m_table, blankFirst).Run();
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

TItemId TConverterWalk::Step(uint8_t kind, std::string text)
{
    const TItemId e = Box(kind, std::move(text));
    Connect(e);
    m_l = e;
    m_y += 30;
    return e;
}

void TConverterWalk::Nest(TConversion& sub)
{
    const TPlaced p = Place(sub, {kCentre - sub.W / 2, int32_t(m_y)});
    Connect(p.F);
    m_l = p.L;
    m_y += sub.H + 10;
}

TItemId TConverterWalk::Decision(std::string text)
{
    const TItemId d = Step(bkRhomb, std::move(text));
    Labels(d);
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
