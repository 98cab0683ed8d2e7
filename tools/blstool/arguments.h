// Command-line words for the commands that need only the model. They are
// parsed and their mistakes worded as the Qt-based parser of the picture
// writer does, so every command of blstool answers the same way.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace blstool {

using TArgs = std::vector<std::string>;

// Options without values ("--json"), long names only. Parses the way
// QCommandLineParser does in its default mode: "--" ends the options, a lone
// "-" is a file name, every letter of "-abc" is an option of its own, and
// "--name=value" names the option before the "=".
class TOptionParser
{
public:
    explicit TOptionParser(std::vector<std::string> flags) : m_flags(std::move(flags)) {}

    // False on wrong usage; ErrorText() then says why.
    bool Parse(const TArgs& args);
    std::string ErrorText() const;
    bool IsSet(const std::string& flag) const;
    const TArgs& Positionals() const { return m_positionals; }

private:
    bool Known(const std::string& name) const;
    bool Register(const std::string& name);

    std::vector<std::string> m_flags;
    std::vector<std::string> m_found;
    std::vector<std::string> m_unknown;
    TArgs m_positionals;
    std::string m_error;
};

// A whole number as QString::toInt reads it (white space around it and a
// sign allowed, base 10, within int); nothing when it is not one.
std::optional<int> ParseInt(const std::string& text);

bool StartsWith(const std::string& s, const std::string& prefix);

} // namespace blstool
