// The Pascal unit scanner: four simple passes over characters, tokens and
// lines that turn a unit's source into its routines, each with the lines of
// its body. It is not a parser; text that fits no rule still yields lines.
//
// All texts are bytes as read from the file (Windows-1251 for Delphi units);
// nothing is converted.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kb::unitimport {

// A line is a keyword in lower case, alone, or a piece of code (statement,
// expression, header) in the letter case of the source.
using TLines = std::vector<std::string>;

struct TRoutine
{
    std::string Header; // "procedure TForm1.Go(Sender: TObject)"
    TLines Body;        // from its "begin" to the matching "end", both included
    // Compiler directives stood in the body; like comments they are gone.
    bool LostDirectives = false;
};

struct TUnit
{
    TLines Lines;
    std::vector<TRoutine> Routines; // nested routines before their enclosing one
};

// Every lone LF and lone CR becomes CR LF. The passes below expect CR LF line
// ends (a "//" comment runs to the next CR LF pair); files with Unix or old
// Mac line ends would otherwise lose everything after their first comment.
std::string NormalizeLineBreaks(std::string_view source);

// Stage 1 leaves this word where a compiler directive ({$...} or (*$...*))
// stood, so that the routines that lose one can be named; ScanText takes
// the marks out again.
inline constexpr std::string_view kDirectiveMark = "__kb_directive__";

// Stage 1: comments go, runs of spaces shrink to one, CR LF becomes CR.
std::string CleanText(std::string_view source);
// Stage 2: tokens split at CR, space and ";" (kept on the token), with
// parenthesised groups and string literals kept whole.
std::vector<std::string> SplitTokens(std::string_view cleaned);
// Stage 3: lines from "implementation" on, with empty compounds made blank
// statements.
TLines BuildLines(const std::vector<std::string>& tokens);
// Stage 4: the routines of the implementation section, nested ones included.
std::vector<TRoutine> FindRoutines(const TLines& lines);

// All four stages over the raw bytes of a unit, line breaks normalised first.
TUnit ScanText(std::string_view source);

// True for a line that an "end" closes: "begin", "case", "try" and "asm".
bool OpensEnd(std::string_view line);

// Removes bytes up to 32 at both ends.
std::string_view Trim(std::string_view s);

} // namespace kb::unitimport
