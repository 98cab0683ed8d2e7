#include "pasexport/codeedit/codewords.h"

#include "model/cp1251.h"

namespace kb {

bool IsWordDelimiter(char c)
{
    switch (c) {
    case ' ':
    case '!':
    case '"':
    case '(':
    case ')':
    case ',':
    case '.':
    case ':':
    case ';':
        return true;
    default:
        return false;
    }
}

std::vector<TTextRun> SplitWords(std::string_view line)
{
    std::vector<TTextRun> runs;
    for (size_t i = 0; i < line.size();) {
        const bool word = !IsWordDelimiter(line[i]);
        size_t j = i;
        while (j < line.size() && !IsWordDelimiter(line[j]) == word)
            ++j;
        runs.push_back({i, j - i, word});
        i = j;
    }
    return runs;
}

void TKeywordSet::Assign(const std::vector<std::string>& words)
{
    m_words.clear();
    for (const std::string& w : words)
        m_words.insert(LowerCase1251(w));
}

bool TKeywordSet::Contains(std::string_view word) const
{
    return m_words.count(LowerCase1251(word)) > 0;
}

} // namespace kb
