#include "tools/blstool/arguments.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>

namespace blstool {

bool StartsWith(const std::string& s, const std::string& prefix)
{
    return s.compare(0, prefix.size(), prefix) == 0;
}

bool TOptionParser::Known(const std::string& name) const
{
    return std::find(m_flags.begin(), m_flags.end(), name) != m_flags.end();
}

bool TOptionParser::Register(const std::string& name)
{
    if (Known(name)) {
        m_found.push_back(name);
        return true;
    }
    m_unknown.push_back(name);
    return false;
}

bool TOptionParser::Parse(const TArgs& args)
{
    bool error = false, onlyNames = false;
    for (const std::string& a : args) {
        if (onlyNames || a.size() < 2 || a[0] != '-') {
            m_positionals.push_back(a);
        } else if (a == "--") {
            onlyNames = true;
        } else if (a[1] == '-') {
            const size_t assign = a.find('=');
            const std::string name = a.substr(2, assign == std::string::npos ? a.npos : assign - 2);
            if (!Register(name)) {
                error = true;
            } else if (assign != std::string::npos) {
                // A flag takes no value.
                m_error = "Unexpected value after '" + a.substr(0, assign) + "'.";
                error = true;
            }
        } else {
            // Each letter is a short option; none is known. The letters are
            // whole UTF-8 characters, as the parser counts them.
            for (size_t i = 1; i < a.size();) {
                size_t n = 1;
                while (i + n < a.size() && (uint8_t(a[i + n]) & 0xC0) == 0x80)
                    ++n;
                if (!Register(a.substr(i, n))) error = true;
                i += n;
            }
        }
    }
    return !error;
}

std::string TOptionParser::ErrorText() const
{
    if (!m_error.empty()) return m_error;
    if (m_unknown.size() == 1) return "Unknown option '" + m_unknown.front() + "'.";
    std::string names;
    for (const std::string& n : m_unknown)
        names += (names.empty() ? "" : ", ") + n;
    return m_unknown.empty() ? std::string() : "Unknown options: " + names + ".";
}

bool TOptionParser::IsSet(const std::string& flag) const
{
    return std::find(m_found.begin(), m_found.end(), flag) != m_found.end();
}

std::optional<int> ParseInt(const std::string& text)
{
    const auto space = [](char c) { return c == ' ' || (c >= '\t' && c <= '\r'); };
    size_t from = 0, to = text.size();
    while (from < to && space(text[from]))
        ++from;
    while (to > from && space(text[to - 1]))
        --to;
    size_t i = from;
    if (i < to && (text[i] == '+' || text[i] == '-')) ++i;
    if (i == to) return std::nullopt;
    for (size_t k = i; k < to; ++k)
        if (text[k] < '0' || text[k] > '9') return std::nullopt;
    const std::string digits = text.substr(from, to - from);
    errno = 0;
    const long long v = std::strtoll(digits.c_str(), nullptr, 10);
    if (errno == ERANGE || v < INT_MIN || v > INT_MAX) return std::nullopt;
    return int(v);
}

} // namespace blstool
