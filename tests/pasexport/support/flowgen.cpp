#include "tests/pasexport/support/flowgen.h"

#include "pasexport/pastext.h"

#include <algorithm>

namespace kbtest {

TStmt Simple(std::string text)
{
    return {TStmt::Simple, std::move(text), {}, {}};
}
TStmt If(std::string cond, TProgram then)
{
    return {TStmt::If, std::move(cond), std::move(then), {}};
}
TStmt IfElse(std::string cond, TProgram then, TProgram otherwise)
{
    return {TStmt::IfElse, std::move(cond), std::move(then), std::move(otherwise)};
}
TStmt While(std::string cond, TProgram body)
{
    return {TStmt::While, std::move(cond), std::move(body), {}};
}
TStmt Repeat(TProgram body, std::string cond)
{
    return {TStmt::Repeat, std::move(cond), std::move(body), {}};
}

namespace {

const char* const kStatements[] = {"x := x + 1",         "y := y - x",         "z := x * 2",
                                   "writeln(x, ' ', y)", "x := (y + z) div 2", "Inc(z)"};
const char* const kConditions[] = {"x > 3", "y < 10", "(x + y) mod 3 = 0", "z <> x"};

template <class T, size_t N> const T& Pick(std::mt19937& rng, const T (&pool)[N])
{
    return pool[std::uniform_int_distribution<size_t>(0, N - 1)(rng)];
}

int Uniform(std::mt19937& rng, int lo, int hi)
{
    return std::uniform_int_distribution<int>(lo, std::max(lo, hi))(rng);
}

TProgram RandomSeq(std::mt19937& rng, int& budget, int depth, bool mayStartWithRepeat)
{
    TProgram seq;
    const int share = std::max(1, budget);
    while (budget > 0) {
        const int roll = Uniform(rng, 0, 99);
        const bool nest = depth > 0 && budget >= 2 && roll >= 50;
        --budget;
        if (!nest) {
            seq.push_back(Simple(Pick(rng, kStatements)));
            continue;
        }
        const TStmt::TKind kind = roll < 62   ? TStmt::If
                                  : roll < 75 ? TStmt::IfElse
                                  : roll < 87 ? TStmt::While
                                              : TStmt::Repeat;
        if (kind == TStmt::Repeat && seq.empty() && !mayStartWithRepeat) {
            seq.push_back(Simple(Pick(rng, kStatements)));
            continue;
        }
        auto branch = [&](bool repeatFirst) {
            int part = Uniform(rng, 1, std::min(budget, std::max(1, share / 3)));
            budget -= part;
            return RandomSeq(rng, part, depth - 1, repeatFirst);
        };
        TStmt s{kind, Pick(rng, kConditions), {}, {}};
        s.Body = branch(kind != TStmt::Repeat);
        if (kind == TStmt::IfElse) s.Else = branch(true);
        seq.push_back(std::move(s));
    }
    if (seq.empty()) seq.push_back(Simple(Pick(rng, kStatements)));
    return seq;
}

} // namespace

TProgram RandomProgram(std::mt19937& rng, int statements, int maxDepth)
{
    int budget = statements;
    return RandomSeq(rng, budget, maxDepth, true);
}

TProgram StatementChain(int n)
{
    TProgram p;
    for (int i = 0; i < n; ++i)
        p.push_back(Simple("s" + std::to_string(i) + " := " + std::to_string(i)));
    return p;
}

namespace {

std::string SeqText(const TProgram& p);

std::string StmtText(const TStmt& s)
{
    switch (s.Kind) {
    case TStmt::Simple:
        return s.Text;
    case TStmt::If:
        return "if " + s.Text + "\r\nthen\r\nbegin\r\n" + SeqText(s.Body) + "\r\nend;";
    case TStmt::IfElse:
        return "if " + s.Text + "\r\nthen\r\nbegin\r\n" + SeqText(s.Body) +
               "\r\nend\r\nelse\r\nbegin\r\n" + SeqText(s.Else) + "\r\nend;";
    case TStmt::While:
        return "while " + s.Text + " do\r\nbegin\r\n" + SeqText(s.Body) + "\r\nend;";
    case TStmt::Repeat:
        return "repeat\r\n" + SeqText(s.Body) + "\r\nuntil not(" + s.Text + ");";
    }
    return {};
}

std::string SeqText(const TProgram& p)
{
    std::string text;
    for (const TStmt& s : p) {
        if (!text.empty()) {
            if (text.back() != ';') text += ';';
            text += "\r\n";
        }
        text += StmtText(s);
    }
    return text;
}

} // namespace

std::vector<std::string> ExpectedLines(const TProgram& p)
{
    std::vector<std::string> lines = kb::pas::SplitLines("begin\r\n" + SeqText(p) + "\r\nend;");
    kb::pas::Indent(lines);
    return lines;
}

namespace {

struct TExit
{
    TShemObj* Obj;
    TPoint Pos;
};

struct TFrag
{
    TShemObj* Entry = nullptr;
    std::vector<TExit> Exits;
    int Width = 0;
    int Height = 0;
};

constexpr int kRow = 30; // a block's height and the gap below it
constexpr int kGap = 40; // between branches side by side

// Draws statements top-down: a decision's yes-branch leaves its left corner
// (with the label beside it) and the no-branch its right corner.
class TDrawer
{
public:
    TDrawer(TFlowBuilder& b, TDrawing drawing) : m_b(b), m_joints(drawing == TDrawing::Joints) {}

    static int Height(const TProgram& p)
    {
        int h = 0;
        for (const TStmt& s : p)
            h += Height(s);
        return h;
    }

    // The top level wraps into a new column before running off the format's range.
    TFrag Program(const TProgram& p, int x, int y)
    {
        TFrag f;
        int cy = y;
        int column = 0;
        for (const TStmt& s : p) {
            if (cy + Height(s) > 64000 && cy > y) {
                x += column + 100;
                cy = y;
                column = 0;
            }
            TFrag g = Stmt(s, x, cy);
            Append(f, g);
            cy += g.Height;
            column = std::max(column, g.Width);
        }
        return f;
    }

    void Connect(const std::vector<TExit>& exits, TShemObj* target)
    {
        if (!m_joints) {
            for (const TExit& e : exits)
                m_b.Link(e.Obj, e.Pos, target, kTM, 1);
            return;
        }
        const kb::Block& t = target->block();
        if (exits.size() == 1) {
            TShemObj* j = m_b.Joint(t.Left + 10, t.Top - 5);
            m_b.Link(exits[0].Obj, exits[0].Pos, j, kCE, 0);
            m_b.Link(j, kCE, target, kTM, 1);
            return;
        }
        // A row of joint points joined by lines; the flow leaves from the
        // middle of the first line, a link that ends on a link.
        std::vector<TShemObj*> row;
        for (size_t i = 0; i < exits.size(); ++i) {
            row.push_back(m_b.Joint(t.Left + 10 * int(i), t.Top - 5));
            m_b.Link(exits[i].Obj, exits[i].Pos, row.back(), kCE, 0);
        }
        TShemObj* join = m_b.Link(row[0], kCE, row[1], kCE, 0);
        for (size_t i = 1; i + 1 < row.size(); ++i)
            m_b.Link(row[i], kCE, row[i + 1], kCE, 0);
        m_b.Link(join, kCE, target, kTM, 1);
    }

private:
    static int Height(const TStmt& s)
    {
        switch (s.Kind) {
        case TStmt::Simple:
            return kRow;
        case TStmt::IfElse:
            return kRow + std::max(Height(s.Body), Height(s.Else));
        default:
            return kRow + Height(s.Body);
        }
    }

    void Append(TFrag& f, const TFrag& g)
    {
        if (f.Entry)
            Connect(f.Exits, g.Entry);
        else
            f.Entry = g.Entry;
        f.Exits = g.Exits;
        f.Width = std::max(f.Width, g.Width);
        f.Height += g.Height;
    }

    TFrag Seq(const TProgram& p, int x, int y)
    {
        TFrag f;
        for (const TStmt& s : p)
            Append(f, Stmt(s, x, y + f.Height));
        return f;
    }

    TShemObj* Decision(const std::string& cond, int x, int y)
    {
        TShemObj* d = m_b.Rhomb(cond, x, y);
        m_b.Label("yes", x - 14, y + 4);
        m_b.Label("no", x + 94, y + 4);
        return d;
    }

    TFrag Stmt(const TStmt& s, int x, int y)
    {
        if (s.Kind == TStmt::Simple) {
            TShemObj* r = m_b.Rect(s.Text, x, y);
            return {r, {{r, kBM}}, 80, kRow};
        }
        if (s.Kind == TStmt::Repeat) {
            TFrag body = Seq(s.Body, x, y);
            TShemObj* d = Decision(s.Text, x, y + body.Height);
            Connect(body.Exits, d);
            Connect({{d, kLM}}, body.Entry);
            return {body.Entry, {{d, kRM}}, std::max(80, body.Width), body.Height + kRow};
        }
        TShemObj* d = Decision(s.Text, x, y);
        TFrag then = Seq(s.Body, x, y + kRow);
        Connect({{d, kLM}}, then.Entry);
        TFrag f{d, {}, std::max(80, then.Width), kRow + then.Height};
        switch (s.Kind) {
        case TStmt::If:
            f.Exits = then.Exits;
            f.Exits.push_back({d, kRM});
            break;
        case TStmt::IfElse: {
            TFrag other = Seq(s.Else, x + f.Width + kGap, y + kRow);
            Connect({{d, kRM}}, other.Entry);
            f.Exits = then.Exits;
            f.Exits.insert(f.Exits.end(), other.Exits.begin(), other.Exits.end());
            f.Width += kGap + other.Width;
            f.Height = kRow + std::max(then.Height, other.Height);
            break;
        }
        default: // While
            Connect(then.Exits, d);
            f.Exits = {{d, kRM}};
            break;
        }
        return f;
    }

    TFlowBuilder& m_b;
    bool m_joints;
};

void DrawProgram(TFlowBuilder& b, const TProgram& p, TDrawing drawing)
{
    TDrawer drawer(b, drawing);
    TShemObj* begin = b.Ellipse("begin", 200, 0);
    const TFrag f = drawer.Program(p, 200, kRow + 10);
    TShemObj* end = b.Ellipse("end", 200, std::min(65000, f.Height + 60));
    drawer.Connect({{begin, kBM}}, f.Entry);
    drawer.Connect(f.Exits, end);
}

} // namespace

std::vector<uint8_t> ProgramDiagram(const TProgram& p, TDrawing drawing)
{
    TFlowBuilder b;
    DrawProgram(b, p, drawing);
    return b.Bytes();
}

namespace {

const char* const kTexts[] = {"a",          "b;",  "x := 1", "x\r\n\r\ny\r\n", "",    "\r\n",
                              "yes",        "no",  "begin",  "Begin",          "end", "c\r\n",
                              "d;\r\n\r\n", "e\n", "f\rg",   "  h  "};
const uint8_t kStyles[] = {1, 1, 1, 1, 1, 2, 2, 0, 0, 3, 4, 5, 6, 7};
const TPoint kPlaces[] = {kTM, kBM, kLM, kRM, kCE};

TPoint RandomPlace(std::mt19937& rng)
{
    if (Uniform(rng, 0, 3) == 0) return {Uniform(rng, 0, 65535), Uniform(rng, 0, 65535)};
    return Pick(rng, kPlaces);
}

} // namespace

std::vector<uint8_t> RandomDiagram(std::mt19937& rng, int blocks, int links)
{
    TFlowBuilder b;
    std::vector<TShemObj*> all;
    for (int i = 0; i < blocks; ++i) {
        const int roll = Uniform(rng, 0, 99);
        const int x = Uniform(rng, 0, 300), y = Uniform(rng, 0, 300);
        TShemObj* o = nullptr;
        if (roll < 30)
            o = b.Rect(Pick(rng, kTexts), x, y);
        else if (roll < 48)
            o = b.Rhomb(Pick(rng, kTexts), x, y);
        else if (roll < 68)
            o = b.Joint(x, y);
        else if (roll < 76)
            o = b.Ellipse(roll < 73 ? "begin" : Pick(rng, kTexts), x, y);
        else if (roll < 92)
            o = b.Label(roll < 88 ? "yes" : Pick(rng, kTexts), x, y);
        else
            o = b.Box(uint8_t(Uniform(rng, 3, 9)), Pick(rng, kTexts), x, y);
        all.push_back(o);
    }
    if (all.empty()) return b.Bytes();
    for (int i = 0; i < links; ++i) {
        auto end = [&] { return all[size_t(Uniform(rng, 0, int(all.size()) - 1))]; };
        all.push_back(b.Link(end(), RandomPlace(rng), end(), RandomPlace(rng), Pick(rng, kStyles)));
    }
    return b.Bytes();
}

std::vector<uint8_t> RandomFlowchart(std::mt19937& rng, int blocks)
{
    TFlowBuilder b;
    std::vector<TShemObj*> nodes;
    std::vector<TShemObj*> links;
    for (int i = 0; i < blocks; ++i) {
        const int roll = Uniform(rng, 0, 99);
        const int x = Uniform(rng, 0, 400), y = 30 * i;
        if (roll < 55)
            nodes.push_back(b.Rect(Pick(rng, kTexts), x, y));
        else if (roll < 88)
            nodes.push_back(b.Rhomb(Pick(rng, kConditions), x, y));
        else
            nodes.push_back(b.Box(uint8_t(Uniform(rng, 3, 9)), "other", x, y));
        if (roll >= 55 && roll < 88 && Uniform(rng, 0, 2) > 0)
            b.Label("yes", x - 14 + Uniform(rng, 0, 110), y + 4);
    }
    TShemObj* begin = b.Ellipse(Uniform(rng, 0, 9) ? "begin" : "BEGIN", 200, 0);
    TShemObj* end = b.Ellipse("end", 200, 30 * blocks + 30);
    auto target = [&](int from) -> TShemObj* {
        const int k = from + Uniform(rng, -3, 4);
        if (k >= blocks) return end;
        return nodes[size_t(std::max(0, k))];
    };
    // An arrow from a to b, drawn straight, through a joint point, or from
    // the middle of an earlier link.
    auto arrow = [&](TShemObj* a, TPoint pos, TShemObj* t) {
        const int how = Uniform(rng, 0, 9);
        if (how < 2) {
            TShemObj* j = b.Joint(Uniform(rng, 0, 400), Uniform(rng, 0, 400));
            links.push_back(b.Link(a, pos, j, kCE, Uniform(rng, 0, 3) ? 0 : 2));
            links.push_back(b.Link(j, kCE, t, kTM, 1));
        } else if (how < 3 && !links.empty()) {
            TShemObj* via = links[size_t(Uniform(rng, 0, int(links.size()) - 1))];
            links.push_back(b.Link(a, pos, via, kCE, 0));
        } else {
            links.push_back(b.Link(a, pos, t, kTM, Uniform(rng, 0, 19) ? 1 : 4));
        }
    };
    arrow(begin, kBM, nodes.empty() ? end : nodes[0]);
    for (int i = 0; i < blocks; ++i) {
        TShemObj* n = nodes[size_t(i)];
        const int ways = n->block().Kind == kb::bkRhomb
                             ? Uniform(rng, 0, 19) ? 2 : Uniform(rng, 1, 3)
                         : Uniform(rng, 0, 19) ? 1
                                               : 0;
        for (int w = 0; w < ways; ++w)
            arrow(n, w == 0 ? kLM : kRM, target(i));
    }
    return b.Bytes();
}

std::vector<uint8_t> Shuffled(std::mt19937& rng, const std::vector<uint8_t>& diagram)
{
    kb::TShem source;
    source.LoadFromStream(diagram);
    std::vector<int> blocks;
    for (int i = 0; i < source.Count(); ++i)
        if (source.Get(i)->IsBlock()) blocks.push_back(i);
    std::shuffle(blocks.begin(), blocks.end(), rng);
    TFlowBuilder b;
    std::vector<TShemObj*> copyOf(size_t(source.Count()), nullptr);
    for (int i : blocks) {
        const kb::Block& old = source.Get(i)->block();
        copyOf[size_t(i)] = b.Block(old.Kind, old.Text, old.Rect());
    }
    // Links keep their order, which has every link after the links it ends on.
    for (int i = 0; i < source.Count(); ++i) {
        if (!source.Get(i)->IsLink()) continue;
        const kb::TLink& l = source.Get(i)->link();
        copyOf[size_t(i)] = b.Link(copyOf[size_t(source.IndexOf(l.EndA))], l.PosA,
                                   copyOf[size_t(source.IndexOf(l.EndB))], l.PosB, l.Style);
    }
    return b.Bytes();
}

std::vector<uint8_t> DamagedProgram(std::mt19937& rng, const TProgram& p, TDrawing drawing)
{
    TFlowBuilder b;
    DrawProgram(b, p, drawing);
    kb::TShem& s = b.Shem();
    for (int k = Uniform(rng, 1, 3); k > 0 && s.Count() > 0; --k) {
        TShemObj* o = s.Get(Uniform(rng, 0, s.Count() - 1));
        if (!o->IsLink()) continue;
        switch (Uniform(rng, 0, 2)) {
        case 0:
            s.Remove(o);
            break;
        case 1:
            o->link().Style = Pick(rng, kStyles);
            break;
        default:
            std::swap(o->link().EndA, o->link().EndB);
            break;
        }
    }
    return b.Bytes();
}

} // namespace kbtest
