// Stage 3 of the scanner: tokens joined into lines, then tidied.
#include "model/keywords.h"
#include "unitimport/scanner.h"

namespace kb::unitimport {
namespace {

bool EndsStatement(std::string_view token)
{
    return !token.empty() && (token.back() == ';' || token.back() == ':');
}

class LineBuilder
{
public:
    void Add(const std::string& token)
    {
        if (!EndsStatement(token)) {
            if (const TKeyword k = FindKeyword(token); k != kwNone) {
                Flush();
                m_lines.emplace_back(KeywordText(k));
            } else {
                m_pending += ' ';
                m_pending += token;
            }
            return;
        }
        std::string_view u = Trim(token);
        if (!u.empty() && u.back() == ';') u.remove_suffix(1);
        if (const TKeyword k = FindKeyword(u); k != kwNone) {
            Flush();
            m_lines.emplace_back(KeywordText(k));
        } else {
            // The statement's last token follows the rest with no space
            // between them; an empty statement still gives a line.
            std::string line(Trim(m_pending));
            line += u;
            m_lines.push_back(std::move(line));
            m_pending.clear();
        }
    }

    TLines Finish()
    {
        Flush();
        return std::move(m_lines);
    }

private:
    void Flush()
    {
        const std::string_view p = Trim(m_pending);
        if (!p.empty()) m_lines.emplace_back(p);
        m_pending.clear();
    }

    TLines m_lines;
    std::string m_pending;
};

// "begin" directly followed by "end" becomes one blank statement, and the
// three lines "with", record, "do" go, leaving the statement after them.
// One forward pass: `out` holds the lines before the walk's position.
TLines Tidy(TLines lines)
{
    if (lines.empty()) return lines;
    TLines out;
    out.reserve(lines.size());
    out.push_back(std::move(lines[0]));
    for (size_t j = 1; j < lines.size();) {
        if (out.back() == "begin" && lines[j] == "end") {
            out.back() = " ";
            ++j;
        } else if (lines[j] == "with") {
            j += 3;
        } else {
            out.push_back(std::move(lines[j]));
            ++j;
        }
    }
    return out;
}

} // namespace

TLines BuildLines(const std::vector<std::string>& tokens)
{
    size_t first = 0;
    while (first < tokens.size() && FindKeyword(tokens[first]) != kwImplementation)
        ++first;
    LineBuilder builder;
    for (size_t i = first; i < tokens.size(); ++i)
        builder.Add(tokens[i]);
    TLines lines = builder.Finish();
    if (!lines.empty() && !lines.back().empty() && lines.back().back() == '.')
        lines.back().pop_back(); // the unit's final "end."
    return Tidy(std::move(lines));
}

} // namespace kb::unitimport
