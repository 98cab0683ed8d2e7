// One long chain of links on links, the worst case for link end points: the
// first link joins two blocks, and link i starts at the middle of link i - 1,
// so every link hangs on the whole chain before it. Its end B lies on link
// i - 1 too, or, with `hub`, on the bottom of one wide block that every link
// reaches, each at its own place. 40,000 links make a 560 KB file.
#pragma once

#include "model/shem.h"

namespace kbbench {

inline void FillChain(kb::TShem& s, int links, bool hub = false)
{
    kb::Block a, c;
    a.Text = "begin";
    a.Kind = kb::bkEllipse;
    a.Right = 80;
    a.Bottom = 30;
    c.Text = "end";
    c.Top = 2000;
    c.Right = 8000;
    c.Bottom = 2030;
    kb::TShemObj* from = s.Get(s.AddBlock(a));
    kb::TShemObj* to = s.Get(s.AddBlock(c));
    kb::TLink first;
    first.EndA = from;
    first.EndB = to;
    first.PosA = {32767, 65535};
    first.PosB = {hub ? 0 : 65535, 0};
    kb::TShemObj* prev = s.Get(s.AddLink(first));
    for (int i = 1; i < links; ++i) {
        kb::TLink l;
        l.EndA = prev;
        l.EndB = hub ? to : prev;
        l.PosA = {32767, 0};
        l.PosB = {hub ? int32_t(int64_t(i) * 65535 / links) : 65535, 0};
        prev = s.Get(s.AddLink(l));
    }
}

} // namespace kbbench
