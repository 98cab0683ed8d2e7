// Stage 3 of the scanner: tokens joined into lines, then tidied.
#include "model/keywords.h"
#include "unitimport/scanner.h"

namespace kb::unitimport {
namespace {

bool EndsStatement(std::string_view token)
{
    return !token.empty() && (token.back() == ';' || token.back() == ':');
}

// Words that are no keywords of the shared list but open or divide a block
// closed by "end": each stands on a line of its own, in lower case, so that
// the block's extent can be followed and no statement fuses with them.
std::string_view BlockWord(std::string_view token)
{
    static const std::string_view kWords[] = {"try", "except", "finally", "asm"};
    for (std::string_view w : kWords) {
        if (token.size() != w.size()) continue;
        bool same = true;
        for (size_t i = 0; i < w.size() && same; ++i)
            same = (token[i] | 0x20) == w[i];
        if (same) return w;
    }
    return {};
}

bool IsWordChar(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

class LineBuilder
{
public:
    void Add(const std::string& token)
    {
        if (!EndsStatement(token)) {
            if (const TKeyword k = FindKeyword(token); k != kwNone) {
                // "x; else": the ";" closed the statement before, so this is
                // a case's or a handler list's else, never an if's. An empty
                // statement between them keeps an if there from taking it.
                if (k == kwElse && m_afterSemicolon && Trim(m_pending).empty())
                    m_lines.emplace_back();
                Flush();
                m_lines.emplace_back(KeywordText(k));
                m_afterSemicolon = false;
            } else if (const std::string_view w = BlockWord(token); !w.empty()) {
                Flush();
                m_lines.emplace_back(w);
                m_afterSemicolon = false;
            } else if (token == kDirectiveMark) {
                // On a line of its own, so that it hides no keyword or header.
                Flush();
                m_lines.emplace_back(kDirectiveMark);
            } else {
                m_pending += ' ';
                m_pending += token;
            }
            return;
        }
        std::string_view u = Trim(token);
        m_afterSemicolon = !u.empty() && u.back() == ';';
        if (m_afterSemicolon) u.remove_suffix(1);
        if (const TKeyword k = FindKeyword(u); k != kwNone) {
            Flush();
            m_lines.emplace_back(KeywordText(k));
        } else if (const std::string_view w = BlockWord(u); !w.empty()) {
            Flush();
            m_lines.emplace_back(w);
        } else {
            // The statement's last token follows the rest with no space
            // between them, except where two words would fuse into one
            // ("i shr 1", "finally fs.Free"); an empty statement still
            // gives a line.
            std::string line(Trim(m_pending));
            if (!line.empty() && !u.empty() && IsWordChar(line.back()) && IsWordChar(u.front()))
                line += ' ';
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
    bool m_afterSemicolon = false; // the last line ended with ";"
};

// "begin" directly followed by "end" becomes one blank statement. "with"
// heads stay: the converter draws them around the statement they govern.
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
