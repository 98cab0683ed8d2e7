// Builds diagrams for the export's tests and benchmarks: blocks at given
// places, links between blocks or links, and the usual attachment positions.
#pragma once

#include "model/shem.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kbtest {

using kb::TPoint;
using kb::TShemObj;

inline constexpr TPoint kTM{32767, 0};
inline constexpr TPoint kBM{32767, 65535};
inline constexpr TPoint kLM{0, 32767};
inline constexpr TPoint kRM{65535, 32767};
inline constexpr TPoint kCE{32767, 32767};

class TFlowBuilder
{
public:
    TShemObj* Block(uint8_t kind, const std::string& text, kb::TRect r);
    // An 80 x 20 block with its top-left corner at (x, y).
    TShemObj* Rect(const std::string& text, int x, int y)
    {
        return Box(kb::bkRectangle, text, x, y);
    }
    TShemObj* Rhomb(const std::string& text, int x, int y) { return Box(kb::bkRhomb, text, x, y); }
    TShemObj* Ellipse(const std::string& text, int x, int y)
    {
        return Box(kb::bkEllipse, text, x, y);
    }
    TShemObj* Box(uint8_t kind, const std::string& text, int x, int y);
    // A 20 x 10 text block centred on (x, y).
    TShemObj* Label(const std::string& text, int x, int y);
    // A joint point around (x, y), inserted at the front as the editor does.
    TShemObj* Joint(int x, int y);

    TShemObj* Link(TShemObj* a, TPoint posA, TShemObj* b, TPoint posB, uint8_t style);
    // A flow arrow from the bottom middle of a to the top middle of b.
    TShemObj* Flow(TShemObj* a, TShemObj* b) { return Link(a, kBM, b, kTM, 1); }

    kb::TShem& Shem() { return m_shem; }
    std::vector<uint8_t> Bytes() const { return m_shem.SaveToBytes(); }

private:
    kb::TShem m_shem;
};

} // namespace kbtest
