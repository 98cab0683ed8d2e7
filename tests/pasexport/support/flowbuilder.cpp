#include "tests/pasexport/support/flowbuilder.h"

#include <memory>

namespace kbtest {

TShemObj* TFlowBuilder::Block(uint8_t kind, const std::string& text, kb::TRect r)
{
    kb::Block b;
    b.Kind = kind;
    b.Text = text;
    b.SetRect(kb::ClampRect(r));
    return m_shem.Get(m_shem.AddBlock(b));
}

TShemObj* TFlowBuilder::Box(uint8_t kind, const std::string& text, int x, int y)
{
    return Block(kind, text, {x, y, x + 80, y + 20});
}

TShemObj* TFlowBuilder::Label(const std::string& text, int x, int y)
{
    return Block(kb::bkText, text, {x - 10, y - 5, x + 10, y + 5});
}

TShemObj* TFlowBuilder::Joint(int x, int y)
{
    kb::Block b;
    b.Kind = kb::bkJoint;
    b.SetRect(kb::ClampRect({x - 1, y - 1, x + 1, y + 1}));
    m_shem.Insert(0, std::make_unique<TShemObj>(b));
    return m_shem.Get(0);
}

TShemObj* TFlowBuilder::Link(TShemObj* a, TPoint posA, TShemObj* b, TPoint posB, uint8_t style)
{
    kb::TLink l;
    l.Style = style;
    l.EndA = a;
    l.EndB = b;
    l.PosA = posA;
    l.PosB = posB;
    return m_shem.Get(m_shem.AddLink(l));
}

} // namespace kbtest
