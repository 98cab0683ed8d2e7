// The passes written down as plainly as they read, on a TShem: every walk
// starts again from the first object after each rewrite, every question scans
// the list. Slow on purpose; the export must give exactly its results. It
// carries the same mends as the export (cycle guard, missing targets, a
// decision's yes-target that is not a plain block, a statement linked to itself).
#include "tests/pasexport/support/literal_export.h"

#include "model/cp1251.h"
#include "model/keywords.h"
#include "model/shem.h"
#include "pasexport/messages.h"

#include <algorithm>
#include <functional>
#include <memory>
#include <optional>

namespace kbtest {

using namespace kb;

namespace {

enum class Step { Skip, Rewrote, Failed };

constexpr TPoint kMid{32767, 32767};

class Literal
{
public:
    Literal(std::span<const uint8_t> data, std::vector<std::string>& lines) : m_lines(lines)
    {
        m_s.LoadFromStream(data);
    }

    std::vector<std::string> Run()
    {
        Walk([this](TShemObj* o) { return Contract(o); });
        Walk([this](TShemObj* o) { return MergeJoint(o); });
        DropCycles();
        Walk([this](TShemObj* o) { return Split(o); });
        Walk([this](TShemObj* o) { return Bypass(o); });
        Walk([this](TShemObj* o) { return MergeSeq(o); });
        Walk([this](TShemObj* o) { return Decide(o); });
        Emit();
        Indent();
        return m_messages;
    }

private:
    void Walk(const std::function<Step(TShemObj*)>& rule)
    {
        for (;;) {
            bool rewrote = false;
            for (int i = 0; i < m_s.Count() && !rewrote; ++i) {
                const Step s = rule(m_s.Get(i));
                if (s == Step::Failed) return;
                rewrote = s == Step::Rewrote;
            }
            if (!rewrote) return;
        }
    }

    static bool IsKind(const TShemObj* o, uint8_t kind)
    {
        return o && o->IsBlock() && o->block().Kind == kind;
    }
    static TShemObj* Far(const TLink& l, const TShemObj* x)
    {
        return l.EndA == x ? l.EndB : l.EndA;
    }
    static bool Out(const TLink& l, const TShemObj* x)
    {
        return (l.EndA == x && l.Style == 1) || (l.EndB == x && l.Style == 2);
    }
    static bool In(const TLink& l, const TShemObj* x)
    {
        return (l.EndB == x && l.Style == 1) || (l.EndA == x && l.Style == 2);
    }
    static uint8_t Swap(uint8_t s) { return s == 1 ? 2 : s == 2 ? 1 : s; }

    std::vector<TShemObj*> LinksOn(const TShemObj* x) const
    {
        std::vector<TShemObj*> links;
        for (int i = m_s.NextLinkOf(nullptr, x); i >= 0; i = m_s.NextLinkOf(m_s.Get(i), x))
            links.push_back(m_s.Get(i));
        return links;
    }
    TShemObj* FirstOut(const TShemObj* x) const
    {
        for (TShemObj* l : LinksOn(x))
            if (Out(l->link(), x)) return l;
        return nullptr;
    }
    TShemObj* Successor(const TShemObj* x) const
    {
        TShemObj* p = FirstOut(x);
        return p ? Far(p->link(), x) : nullptr;
    }
    int Incoming(const TShemObj* x) const
    {
        int n = 0;
        for (TShemObj* l : LinksOn(x))
            n += In(l->link(), x);
        return n;
    }
    bool InList(const TShemObj* x) const
    {
        for (int i = 0; i < m_s.Count(); ++i)
            if (m_s.Get(i) == x) return true;
        return false;
    }
    std::vector<TLink*> AllLinks()
    {
        std::vector<TLink*> links;
        for (int i = 0; i < m_s.Count(); ++i)
            if (m_s.Get(i)->IsLink()) links.push_back(&m_s.Get(i)->link());
        return links;
    }

    // Pass 1.
    Step Contract(TShemObj* o)
    {
        if (!o->IsLink() || !IsKind(o->link().EndA, bkJoint) || !IsKind(o->link().EndB, bkJoint))
            return Step::Skip;
        TShemObj* pa = o->link().EndA;
        TShemObj* pb = o->link().EndB;
        if (!LinksOn(o).empty()) {
            pa->block().Junction = 1;
            for (TLink* z : AllLinks()) {
                if (z->EndA == o) z->EndA = pa;
                if (z->EndB == o) z->EndB = pa;
            }
        }
        for (TLink* z : AllLinks()) {
            if (z->EndA == pb) z->EndA = pa;
            if (z->EndB == pb) z->EndB = pa;
        }
        if (pb->block().Junction) pa->block().Junction = 1;
        o->link().EndA = o->link().EndB = nullptr;
        m_s.Remove(o);
        if (pb != pa) m_s.Remove(pb);
        return Step::Rewrote;
    }

    // Pass 2.
    Step MergeJoint(TShemObj* p)
    {
        if (!IsKind(p, bkJoint) || p->block().Junction) return Step::Skip;
        const int i1 = m_s.NextLinkOf(nullptr, p);
        if (i1 < 0) {
            m_s.Remove(p);
            return Step::Rewrote;
        }
        const int i2 = m_s.NextLinkOf(m_s.Get(i1), p);
        if (i2 < 0) return Step::Skip;
        TShemObj* l1 = m_s.Get(i1);
        TShemObj* l2 = m_s.Get(i2);
        TShemObj* n = m_s.Get(m_s.AddLink(TLink{}));
        TLink& N = n->link();

        TLink& L1 = l1->link();
        const bool l1AtA = L1.EndA == p;
        if (l1AtA) {
            N.EndA = L1.EndB;
            N.PosA = L1.PosB;
            L1.EndB = nullptr;
        } else {
            N.EndA = L1.EndA;
            N.PosA = L1.PosA;
            L1.EndA = nullptr;
        }
        N.Style = l1AtA ? Swap(L1.Style) : L1.Style;
        auto half = [](TPoint q) { return TPoint{int(RoundDiv(q.x, 2)), int(RoundDiv(q.y, 2))}; };
        for (TLink* z : AllLinks()) {
            if (z->EndA == l1) {
                z->EndA = n;
                z->PosA = half(z->PosA);
            }
            if (z->EndB == l1) {
                z->EndB = n;
                z->PosB = half(z->PosB);
            }
        }

        TLink& L2 = l2->link();
        const bool l2AtA = L2.EndA == p;
        if (l2AtA) {
            N.EndB = L2.EndB;
            N.PosB = L2.PosB;
            L2.EndB = nullptr;
        } else {
            N.EndB = L2.EndA;
            N.PosB = L2.PosA;
            L2.EndA = nullptr;
        }
        if (N.Style == 0 || N.Style == 3) N.Style = l2AtA ? L2.Style : Swap(L2.Style);
        auto upper = [&](TPoint q) { return TPoint{32766 + half(q).x, 32766 + half(q).y}; };
        for (TLink* z : AllLinks()) {
            if (z->EndA == l2) {
                z->EndA = n;
                z->PosA = upper(z->PosA);
            }
            if (z->EndB == l2) {
                z->EndB = n;
                z->PosB = upper(z->PosB);
            }
        }
        m_s.Remove(p);
        return Step::Rewrote;
    }

    // The guard between passes 2 and 3: keep what can be resolved, drop the rest.
    void DropCycles()
    {
        std::vector<TShemObj*> kept;
        auto isKept = [&](TShemObj* x) {
            return std::find(kept.begin(), kept.end(), x) != kept.end();
        };
        for (int i = 0; i < m_s.Count(); ++i)
            if (m_s.Get(i)->IsBlock()) kept.push_back(m_s.Get(i));
        for (bool grew = true; grew;) {
            grew = false;
            for (int i = 0; i < m_s.Count(); ++i) {
                TShemObj* o = m_s.Get(i);
                if (o->IsLink() && !isKept(o) && isKept(o->link().EndA) && isKept(o->link().EndB)) {
                    kept.push_back(o);
                    grew = true;
                }
            }
        }
        std::vector<TShemObj*> doomed;
        for (int i = 0; i < m_s.Count(); ++i)
            if (!isKept(m_s.Get(i))) doomed.push_back(m_s.Get(i));
        for (TShemObj* l : doomed)
            l->link().EndA = l->link().EndB = nullptr;
        for (TShemObj* l : doomed)
            m_s.Remove(l);
    }

    // Pass 3.
    Step Split(TShemObj* o)
    {
        if (!o->IsLink() || LinksOn(o).empty()) return Step::Skip;
        const TPoint m = m_s.AttachPoint(kMid, o);
        Block b;
        b.Kind = bkJoint;
        b.SetRect(ClampRect({m.x, m.y, m.x + 2, m.y + 2}));
        m_s.Insert(0, std::make_unique<TShemObj>(b));
        TShemObj* p = m_s.Get(0);
        TLink head;
        head.Style = o->link().Style;
        head.EndA = o->link().EndA;
        head.PosA = o->link().PosA;
        head.EndB = p;
        head.PosB = kMid;
        m_s.AddLink(head);
        o->link().EndA = p;
        o->link().PosA = kMid;
        for (TLink* z : AllLinks()) {
            if (z->EndA == o) {
                z->EndA = p;
                z->PosA = kMid;
            }
            if (z->EndB == o) {
                z->EndB = p;
                z->PosB = kMid;
            }
        }
        return Step::Rewrote;
    }

    // Pass 4.
    Step Bypass(TShemObj* p)
    {
        if (!IsKind(p, bkJoint)) return Step::Skip;
        TShemObj* out = FirstOut(p);
        if (!out) {
            m_messages.emplace_back(kMsgNoOutgoingLink);
            return Step::Failed;
        }
        if (!LinksOn(out).empty()) return Step::Skip;
        TShemObj* s = Far(out->link(), p);
        for (TShemObj* z : LinksOn(p)) {
            if (z == out) continue;
            TLink& l = z->link();
            if (l.EndA == p) {
                l.EndA = s;
                l.PosA = {32767, 0};
                l.Style = 2;
            }
            if (l.EndB == p) {
                l.EndB = s;
                l.PosB = {32767, 0};
                l.Style = 1;
            }
        }
        out->link().EndA = out->link().EndB = nullptr;
        m_s.Remove(out);
        m_s.Remove(p);
        return Step::Rewrote;
    }

    static void Clean(std::string& t)
    {
        for (size_t at; (at = t.find("\r\n\r\n")) != std::string::npos;)
            t.replace(at, 4, "\r\n");
        if (t.size() >= 2 && t.substr(t.size() - 2) == "\r\n") t.erase(t.size() - 2);
        if (t.empty() || t.back() != ';') t += ";";
    }

    // Pass 5.
    Step MergeSeq(TShemObj* r)
    {
        if (!IsKind(r, bkRectangle)) return Step::Skip;
        TShemObj* p = FirstOut(r);
        if (!p) {
            m_messages.emplace_back(kMsgNoOutgoingLink);
            return Step::Failed;
        }
        TShemObj* s = Far(p->link(), r);
        if (s == r || !IsKind(s, bkRectangle) || Incoming(s) != 1 || !LinksOn(p).empty())
            return Step::Skip;
        std::string& text = r->block().Text;
        Clean(text);
        text = text + "\r\n" + s->block().Text;
        for (TShemObj* z : LinksOn(s)) {
            if (z == p) continue;
            if (z->link().EndA == s) z->link().EndA = r;
            if (z->link().EndB == s) z->link().EndB = r;
        }
        m_s.Remove(s);
        return Step::Rewrote;
    }

    // Pass 6.
    Step Decide(TShemObj* d)
    {
        if (!IsKind(d, bkRhomb)) return Step::Skip;
        TShemObj* q = nullptr;
        TShemObj* r = nullptr;
        int others = 0;
        for (TShemObj* l : LinksOn(d)) {
            if (!Out(l->link(), d)) {
                ++others;
            } else if (!q) {
                q = l;
            } else if (!r) {
                r = l;
            } else {
                m_messages.emplace_back(kMsgTooManyOutgoing);
                return Step::Failed;
            }
        }
        if (!r) {
            m_messages.emplace_back(kMsgOneOutgoing);
            return Step::Failed;
        }
        auto at = [&](TShemObj* l) {
            return m_s.AttachPoint(l->link().EndA == d ? l->link().PosA : l->link().PosB, d);
        };
        const TPoint pq = at(q), pr = at(r);
        int best = 65535;
        std::optional<TPoint> nearest;
        for (int i = 0; i < m_s.Count(); ++i) {
            TShemObj* t = m_s.Get(i);
            if (!IsKind(t, bkText) || t->block().Text != "yes") continue;
            const Block& b = t->block();
            const TPoint c{int(RoundDiv(b.Left + b.Right, 2)), int(RoundDiv(b.Top + b.Bottom, 2))};
            if (Distance(c, pq) < best) {
                best = Distance(c, pq);
                nearest = pq;
            }
            if (Distance(c, pr) < best) {
                best = Distance(c, pr);
                nearest = pr;
            }
        }
        if (nearest && *nearest == pq) std::swap(q, r);
        TShemObj* y = Far(r->link(), d);
        TShemObj* t = Far(q->link(), d);
        TShemObj* y2 = Successor(y);
        TShemObj* t2 = Successor(t);
        auto plain = [](TShemObj* x) { return x->IsBlock() && x->block().Kind != bkRhomb; };
        // The first four rules take Y's text, which only a plain block has.
        const bool onYes = plain(y);
        std::string& cond = d->block().Text;
        const std::string yes = onYes ? y->block().Text : std::string();
        if (onYes && t == y2 && t->IsBlock()) {
            cond =
                "if " + cond + "\r\n" + "then" + "\r\n" + "begin" + "\r\n" + yes + "\r\n" + "end;";
            m_s.Remove(y);
            d->block().Kind = bkRectangle;
        } else if (onYes && t2 == y2 && plain(t)) {
            cond = "if " + cond + "\r\n" + "then" + "\r\n" + "begin" + "\r\n" + yes + "\r\n" +
                   "end" + "\r\n" + "else" + "\r\n" + "begin" + "\r\n" + t->block().Text + "\r\n" +
                   "end;";
            m_s.Remove(y);
            if (InList(t)) m_s.Remove(t);
            d->block().Kind = bkRectangle;
            if (y2 && InList(y2)) {
                TLink l;
                l.Style = 1;
                l.EndA = d;
                l.PosA = {32767, 65535};
                l.EndB = y2;
                l.PosB = {32767, 0};
                m_s.AddLink(l);
            }
        } else if (onYes && y2 == d && others >= 2 && Incoming(y) == 1) {
            cond = "while " + cond + " do" + "\r\n" + "begin" + "\r\n" + yes + "\r\n" + "end;";
            m_s.Remove(y);
            d->block().Kind = bkRectangle;
        } else if (onYes && y2 == d && Incoming(y) == 2 && others <= 1) {
            y->block().Text = "repeat\r\n" + yes + "\r\n" + "until not(" + cond + ");";
            if (q->link().EndA == d) q->link().EndA = y;
            if (q->link().EndB == d) q->link().EndB = y;
            m_s.Remove(d);
        } else if (t2 == d && plain(t) && Incoming(t) == 2 && others <= 1) {
            t->block().Text = "repeat\r\n" + t->block().Text + "\r\n" + "until " + cond + ";";
            if (r->link().EndA == d) r->link().EndA = t;
            if (r->link().EndB == d) r->link().EndB = t;
            m_s.Remove(d);
        } else {
            return Step::Skip;
        }
        Walk([this](TShemObj* o) { return MergeSeq(o); });
        return Step::Rewrote;
    }

    // Pass 7.
    void Emit()
    {
        TShemObj* begin = nullptr;
        for (int i = 0; i < m_s.Count() && !begin; ++i)
            if (IsKind(m_s.Get(i), bkEllipse) && LowerCase1251(m_s.Get(i)->block().Text) == "begin")
                begin = m_s.Get(i);
        if (!begin) return Fail(kMsgNoBegin);
        const std::vector<TShemObj*> links = LinksOn(begin);
        if (links.empty()) return Fail(kMsgBeginUnlinked);
        if (links.size() > 1) return Fail(kMsgBeginBranches);
        if (In(links[0]->link(), begin)) return Fail(kMsgBeginIncoming);
        TShemObj* b = Far(links[0]->link(), begin);
        if (b->IsLink()) return Fail(kMsgLinkInsteadOfBlock);
        const std::string text = "begin\r\n" + b->block().Text + "\r\n" + "end;";
        m_lines.clear();
        std::string line;
        for (size_t i = 0; i < text.size(); ++i) {
            if (text[i] == '\r' || text[i] == '\n') {
                m_lines.push_back(line);
                line.clear();
                if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            } else {
                line += text[i];
            }
        }
        if (!line.empty()) m_lines.push_back(line);
    }
    void Fail(std::string_view message) { m_messages.emplace_back(message); }

    // Pass 8.
    void Indent()
    {
        int level = 0;
        size_t i = 0;
        while (i < m_lines.size()) {
            std::string& line = m_lines[i];
            size_t a = 0, b = line.size();
            while (a < b && uint8_t(line[a]) <= 32)
                ++a;
            while (b > a && uint8_t(line[b - 1]) <= 32)
                --b;
            if (a == b) {
                m_lines.erase(m_lines.begin() + long(i));
                continue;
            }
            std::string word = line.substr(0, line.find(' '));
            word = LowerCase1251(word.substr(0, word.find(';')));
            if (word == "end" || word == "until") level -= 2;
            line = std::string(level > 0 ? size_t(level) : 0, ' ') + line;
            if (word == "begin" || word == "repeat") level += 2;
            ++i;
        }
    }

    TShem m_s;
    std::vector<std::string>& m_lines;
    std::vector<std::string> m_messages;
};

} // namespace

std::vector<std::string> LiteralExport(std::span<const uint8_t> diagram,
                                       std::vector<std::string>& lines)
{
    return Literal(diagram, lines).Run();
}

} // namespace kbtest
