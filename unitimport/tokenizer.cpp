// Stage 2 of the scanner: the cleaned text split into tokens.
#include "model/keywords.h"
#include "unitimport/scanner.h"

namespace kb::unitimport {

std::string_view Trim(std::string_view s)
{
    size_t b = 0, e = s.size();
    while (b < e && static_cast<unsigned char>(s[b]) <= 32)
        ++b;
    while (e > b && static_cast<unsigned char>(s[e - 1]) <= 32)
        --e;
    return s.substr(b, e - b);
}

namespace {

constexpr char CR = '\r';

class Tokenizer
{
public:
    explicit Tokenizer(std::string_view text) : m_s(text) {}

    std::vector<std::string> Run()
    {
        while (m_pos < m_s.size()) {
            const char c = m_s[m_pos++];
            if (c == CR || c == ' ' || c == ';')
                Separator(c);
            else if (c == '\'')
                Literal();
            else if (c == '(')
                Group();
            else if (c == ':')
                Colon();
            else
                Other(c);
        }
        return std::move(m_tokens); // what is left in T is dropped
    }

private:
    void Emit(std::string_view token)
    {
        if (!token.empty()) m_tokens.emplace_back(token);
    }

    // The token is made once, in place: copying it through a temporary
    // would allocate twice for every statement longer than a short string.
    void Separator(char c)
    {
        const std::string_view t = Trim(m_t);
        if (c == ';')
            m_tokens.emplace_back(t).push_back(';');
        else
            Emit(t);
        m_t.clear();
    }

    // The opening apostrophe has been read; copies through the closing one.
    void Literal()
    {
        m_t += '\'';
        while (m_pos < m_s.size()) {
            const char c = m_s[m_pos++];
            m_t += c == CR ? ' ' : c;
            if (c == '\'') return;
        }
    }

    // The "(" has been read. The group runs to its matching ")" (or to the
    // end of a malformed text) and stays in one token with what follows it.
    void Group()
    {
        Emit(Trim(m_t));
        m_t.assign(1, '(');
        for (int depth = 1; depth > 0 && m_pos < m_s.size();) {
            const char c = m_s[m_pos++];
            if (c == '\'') {
                Literal();
                continue;
            }
            if (c == '(')
                ++depth;
            else if (c == ')')
                --depth;
            m_t += c == CR ? ' ' : c;
        }
    }

    // A keyword straight after a group starts a token of its own: "(a > b)then"
    // would otherwise hide the keyword inside one token. Other words stay
    // with the group as they always have ("(a)and(b)").
    void Other(char c)
    {
        if (!m_t.empty() && m_t.back() == ')' && FindKeyword(WordAt(m_pos - 1)) != kwNone) {
            Emit(Trim(m_t));
            m_t.clear();
        }
        m_t += c;
    }

    std::string_view WordAt(size_t at) const
    {
        size_t end = at;
        while (end < m_s.size() && IsWordChar(m_s[end]))
            ++end;
        return m_s.substr(at, end - at);
    }

    static bool IsWordChar(char c)
    {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
               c == '_';
    }

    // ":=" stays inside the token; any other ":" ends it, and the next
    // character after the spaces starts the next token as it is.
    void Colon()
    {
        while (m_pos < m_s.size() && m_s[m_pos] == ' ')
            ++m_pos;
        if (m_pos < m_s.size() && m_s[m_pos] == '=') {
            ++m_pos;
            m_t += ":=";
            return;
        }
        Emit(std::string(Trim(m_t)) + ':');
        m_t.clear();
        if (m_pos < m_s.size()) m_t += m_s[m_pos++];
    }

    std::string_view m_s;
    size_t m_pos = 0;
    std::string m_t;
    std::vector<std::string> m_tokens;
};

} // namespace

std::vector<std::string> SplitTokens(std::string_view cleaned)
{
    return Tokenizer(cleaned).Run();
}

} // namespace kb::unitimport
