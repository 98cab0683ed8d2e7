// Small helpers for building diagrams in tests.
#pragma once

#include "model/shem.h"

#include <string>

namespace kbtest {

inline kb::Block MakeBlock(int kind, int l, int t, int r, int b, std::string text = {})
{
    kb::Block blk;
    blk.Kind = uint8_t(kind);
    blk.Left = l;
    blk.Top = t;
    blk.Right = r;
    blk.Bottom = b;
    blk.Text = std::move(text);
    return blk;
}

inline kb::TLink MakeLink(kb::TShemObj* a, kb::TShemObj* b, kb::TPoint pa = {32767, 32767},
                          kb::TPoint pb = {32767, 32767}, int style = 0)
{
    kb::TLink l;
    l.Style = uint8_t(style);
    l.EndA = a;
    l.EndB = b;
    l.PosA = pa;
    l.PosB = pb;
    return l;
}

// Adds a block and returns its entry.
inline kb::TShemObj* Add(kb::TShem& s, const kb::Block& b)
{
    return s.Get(s.AddBlock(b));
}
inline kb::TShemObj* Add(kb::TShem& s, const kb::TLink& l)
{
    return s.Get(s.AddLink(l));
}

inline std::vector<uint8_t> Bytes(std::initializer_list<int> values)
{
    std::vector<uint8_t> out(kb::kFileMagic.begin(), kb::kFileMagic.end());
    for (int v : values)
        out.push_back(uint8_t(v));
    return out;
}

} // namespace kbtest
