#include "pasexport/mergetext.h"

namespace kb::pas {

const std::string& TMergeText::Flat() const
{
    // Appending piece by piece grows the head geometrically, so every piece
    // is copied once however the text was put together.
    for (const std::string& piece : m_tail)
        m_head += piece;
    m_tail.clear();
    return m_head;
}

void TMergeText::Append(TMergeText&& other)
{
    m_tail.push_back(std::move(other.m_head));
    m_tail.splice(m_tail.end(), other.m_tail);
    other.m_head.clear();
}

} // namespace kb::pas
