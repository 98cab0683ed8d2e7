// Words of the code editor's text: what Ctrl+Left/Right step over and what
// the painter shows in bold when it is a keyword.
#pragma once

#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace kb {

// Space ! " ( ) , . : ; separate words; a word is a run of anything else.
bool IsWordDelimiter(char c);

struct TTextRun
{
    size_t Start = 0;
    size_t Length = 0;
    bool Word = false;
};

// The line cut into words and runs of delimiters, in order.
std::vector<TTextRun> SplitWords(std::string_view line);

// Keywords compared without regard to letter case (A-Z and Cyrillic).
class TKeywordSet
{
public:
    void Assign(const std::vector<std::string>& words);
    bool Contains(std::string_view word) const;
    bool Empty() const { return m_words.empty(); }

private:
    std::unordered_set<std::string> m_words;
};

} // namespace kb
