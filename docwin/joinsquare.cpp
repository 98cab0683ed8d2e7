#include "docwin/joinsquare.h"

#include <algorithm>
#include <unordered_map>
#include <vector>

namespace kb {

namespace {

// An outgoing arrow of X ends on X at its tail: end A with an arrowhead at
// B only (code 1), or end B with an arrowhead at A only (code 2).
bool IsOutgoing(const TLink& l, const TShemObj* x)
{
    return (l.EndA == x && l.Style == 1) || (l.EndB == x && l.Style == 2);
}

bool IsIncoming(const TLink& l, const TShemObj* x)
{
    return (l.EndB == x && l.Style == 1) || (l.EndA == x && l.Style == 2);
}

// The diagram as the joining sees it: entries by their list index at the
// start, the links touching each (in list order) and the links something
// sits on. Joining only moves link ends from a block to another and deletes
// entries, so the start indices keep their order throughout.
class TJoiner
{
public:
    TJoiner(TShem& shem, const std::function<void(const std::vector<TShemObj*>&)>& remove)
        : m_shem(shem), m_remove(remove), m_n(shem.Count())
    {
        m_touching.resize(size_t(m_n));
        m_carries.resize(size_t(m_n), 0);
        m_gone.resize(size_t(m_n), 0);
        for (int i = 0; i < m_n; ++i)
            m_index[shem.Get(i)] = i;
        for (int i = 0; i < m_n; ++i) {
            const TShemObj* e = shem.Get(i);
            if (!e->IsLink()) continue;
            const TLink& l = e->link();
            for (const TShemObj* end : {l.EndA, l.EndB}) {
                const int k = IndexOf(end);
                if (k < 0) continue;
                if (end->IsLink()) ++m_carries[size_t(k)];
                auto& t = m_touching[size_t(k)];
                if (t.empty() || t.back() != i) t.push_back(i);
            }
        }
    }

    int Run()
    {
        // A join changes only the surviving block, and cannot make an earlier
        // block joinable: so instead of scanning again from the front after
        // each join, the same block is tried again until it stops joining.
        int joins = 0;
        for (int a = 0; a < m_n; ++a)
            while (TryJoin(a))
                ++joins;
        std::vector<TShemObj*> doomed;
        for (int i = 0; i < m_n; ++i)
            if (m_gone[size_t(i)]) doomed.push_back(Entry(i));
        if (m_remove)
            m_remove(doomed);
        else
            m_shem.RemoveAll(doomed);
        return joins;
    }

private:
    TShemObj* Entry(int i) const { return m_shem.Get(i); }
    int IndexOf(const TShemObj* e) const
    {
        const auto it = m_index.find(e);
        return it == m_index.end() ? -1 : it->second;
    }
    bool IsRectangle(int i) const
    {
        return i >= 0 && !m_gone[size_t(i)] && Entry(i)->IsBlock() &&
               Entry(i)->block().Kind == bkRectangle;
    }
    int FirstOutgoing(int a) const
    {
        for (int q : m_touching[size_t(a)])
            if (IsOutgoing(Entry(q)->link(), Entry(a))) return q;
        return -1;
    }
    int IncomingCount(int b) const
    {
        return int(std::count_if(m_touching[size_t(b)].begin(), m_touching[size_t(b)].end(),
                                 [&](int q) { return IsIncoming(Entry(q)->link(), Entry(b)); }));
    }

    bool TryJoin(int a)
    {
        if (!IsRectangle(a)) return false;
        const int q = FirstOutgoing(a);
        if (q < 0) return false;
        const TLink& arrow = Entry(q)->link();
        const int b = IndexOf(arrow.EndA == Entry(a) && arrow.Style == 1 ? arrow.EndB : arrow.EndA);
        // A block joined with itself would be deleted.
        if (b == a || !IsRectangle(b)) return false;
        if (IncomingCount(b) > 1 || m_carries[size_t(q)] > 0) return false;
        Join(a, b, q);
        return true;
    }

    void Join(int a, int b, int q)
    {
        Block& first = Entry(a)->block();
        if (first.Text.empty() || first.Text.back() != ';') first.Text += ';';
        first.Text += "\r\n" + Entry(b)->block().Text;

        auto& toA = m_touching[size_t(a)];
        std::erase(toA, q);
        for (int k : m_touching[size_t(b)]) {
            if (k == q) continue;
            TLink& l = Entry(k)->link();
            if (l.EndA == Entry(b)) l.EndA = Entry(a);
            if (l.EndB == Entry(b)) l.EndB = Entry(a);
            const auto at = std::lower_bound(toA.begin(), toA.end(), k);
            if (at == toA.end() || *at != k) toA.insert(at, k);
        }
        m_touching[size_t(b)].clear();
        m_gone[size_t(b)] = m_gone[size_t(q)] = 1;
    }

    TShem& m_shem;
    const std::function<void(const std::vector<TShemObj*>&)>& m_remove;
    const int m_n;
    std::unordered_map<const TShemObj*, int> m_index;
    std::vector<std::vector<int>> m_touching;
    std::vector<int> m_carries; // links sitting on each link
    std::vector<char> m_gone;
};

} // namespace

int JoinSquares(TShem& shem, const std::function<void(const std::vector<TShemObj*>&)>& remove)
{
    return TJoiner(shem, remove).Run();
}

} // namespace kb
