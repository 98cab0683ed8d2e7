// A block's text while statements merge into it. Appending another block's
// text only links it on; the pieces are joined when the text is read. A long
// sequence can so grow from its end as well as from its start (whichever the
// list order makes the merges run in) without copying its text every time.
#pragma once

#include <list>
#include <string>
#include <string_view>
#include <utility>

namespace kb::pas {

class TMergeText
{
public:
    TMergeText() = default;
    explicit TMergeText(std::string text) : m_head(std::move(text)) {}

    // The whole text; joins the pieces into one string first.
    const std::string& Flat() const;
    std::string& Flat()
    {
        std::as_const(*this).Flat();
        return m_head;
    }
    void Append(std::string_view piece) { m_tail.emplace_back(piece); }
    void Append(TMergeText&& other);

    // The length of a prefix already in the form pass 5 cleans texts to.
    size_t CleanUpTo = 0;

private:
    mutable std::string m_head;
    mutable std::list<std::string> m_tail;
};

} // namespace kb::pas
