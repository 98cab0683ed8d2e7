// The scanner's four stages and the routine list.
#include "tests/unitimport/support.h"
#include "unitimport/scanner.h"

#include <gtest/gtest.h>

using namespace kb::unitimport;
using kbtest::Crlf;
using kbtest::LinesOf;
using Tokens = std::vector<std::string>;
using namespace std::string_literals;

namespace {

// The lines after "implementation" of a unit whose implementation section
// is `body`.
TLines BodyLines(std::string_view body)
{
    TLines lines = LinesOf(Crlf("implementation\n" + std::string(body)));
    lines.erase(lines.begin());
    return lines;
}

TEST(CleanText, CommentsGoAndSpacesShrink)
{
    EXPECT_EQ(CleanText("a\r\nb\rc"), "a\rb\rc");
    EXPECT_EQ(CleanText("a    b  "), "a b ");
    EXPECT_EQ(CleanText("a{x}b(*y*)c(d"), "abc(d");
    EXPECT_EQ(CleanText("a // note\r\nb"), "a \rb");
    EXPECT_EQ(CleanText("a // to the end"), "a ");
    EXPECT_EQ(CleanText("a\tb\nc"), "a\tb\nc"); // tabs and lone LF stay
}

TEST(CleanText, StringLiteralsAreCopiedWhole)
{
    EXPECT_EQ(CleanText("s := 'a  //{b}(*c*)';"), "s := 'a  //{b}(*c*)';");
    EXPECT_EQ(CleanText("s := 'it''s'"), "s := 'it''s'");
}

TEST(CleanText, UnclosedConstructsEndAtTheEnd)
{
    EXPECT_EQ(CleanText("a{never closed"), "a");
    EXPECT_EQ(CleanText("a(*never closed"), "a");
    EXPECT_EQ(CleanText("a(*)b"), "a"); // "(*)" opens a comment and does not close it
    EXPECT_EQ(CleanText("s := 'open"), "s := 'open");
    EXPECT_EQ(CleanText("("), "(");
    EXPECT_EQ(CleanText("/"), "/");
}

TEST(NormalizeLineBreaks, EveryBreakBecomesCrLf)
{
    EXPECT_EQ(NormalizeLineBreaks("a\nb\rc\r\nd\n\re"), "a\r\nb\r\nc\r\nd\r\n\r\ne");
    EXPECT_EQ(NormalizeLineBreaks("\r"), "\r\n");
}

TEST(SplitTokens, SeparatorsAndAssignments)
{
    EXPECT_EQ(SplitTokens("x:=y+1;"), (Tokens{"x:=y+1;"}));
    EXPECT_EQ(SplitTokens("x := y + 1;"), (Tokens{"x", ":=", "y", "+", "1;"}));
    EXPECT_EQ(SplitTokens("a ; ;\rb "), (Tokens{"a", ";", ";", "b"}));
    EXPECT_EQ(SplitTokens("a b"), (Tokens{"a"})); // what is left at the end is dropped
    EXPECT_EQ(SplitTokens("x : integer;"), (Tokens{"x", ":", "integer;"}));
    EXPECT_EQ(SplitTokens("i: integer;"), (Tokens{"i:", "integer;"}));
    EXPECT_EQ(SplitTokens("a:b "), (Tokens{"a:", "b"}));
    EXPECT_EQ(SplitTokens("begin\nx "), (Tokens{"begin\nx"})); // LF is no separator
}

TEST(SplitTokens, GroupsStayWhole)
{
    EXPECT_EQ(SplitTokens("Foo(a, (b));"), (Tokens{"Foo", "(a, (b));"}));
    EXPECT_EQ(SplitTokens("Go(Sender:\rTObject) "), (Tokens{"Go", "(Sender: TObject)"}));
    EXPECT_EQ(SplitTokens("F(')');"), (Tokens{"F", "(')');"}));
}

TEST(SplitTokens, StringLiteralsStayInOneToken)
{
    EXPECT_EQ(SplitTokens("s := 'a; //{b}';"), (Tokens{"s", ":=", "'a; //{b}';"}));
    EXPECT_EQ(SplitTokens("s := 'a\rb';"), (Tokens{"s", ":=", "'a b';"}));
}

TEST(SplitTokens, MalformedTextStopsAtTheEnd)
{
    EXPECT_EQ(SplitTokens("Foo(a, (b;"), (Tokens{"Foo"})); // the open group runs to the end
    EXPECT_EQ(SplitTokens("s := 'open;"), (Tokens{"s", ":="}));
    EXPECT_EQ(SplitTokens("x:"), (Tokens{"x:"}));
    EXPECT_EQ(SplitTokens("x:   "), (Tokens{"x:"}));
    EXPECT_EQ(SplitTokens("("), Tokens{});
}

TEST(BuildLines, StatementsJoinTheirTokens)
{
    EXPECT_EQ(BodyLines("x := y + 1;"), (TLines{"x := y +1"}));
    EXPECT_EQ(BodyLines("Foo(a, (b));"), (TLines{"Foo(a, (b))"}));
    EXPECT_EQ(BodyLines("if a then b;"), (TLines{"if", "a", "then", "b"}));
    EXPECT_EQ(BodyLines("IF a THEN b;"), (TLines{"if", "a", "then", "b"}));
    EXPECT_EQ(BodyLines("x; ;"), (TLines{"x", ""})); // an empty statement is a line too
    // An else after a ";" belongs to no if: an empty statement comes first.
    EXPECT_EQ(BodyLines("if a then b; else c;"), (TLines{"if", "a", "then", "b", "", "else", "c"}));
    EXPECT_EQ(BodyLines("if a then b else c;"), (TLines{"if", "a", "then", "b", "else", "c"}));
}

TEST(BuildLines, TheLastTokenNeverFusesWithAWordBeforeIt)
{
    EXPECT_EQ(BodyLines("i:=i shr 1;"), (TLines{"i:=i shr 1"}));
    EXPECT_EQ(BodyLines("x := a div Divisor;"), (TLines{"x := a div Divisor"}));
    EXPECT_EQ(BodyLines("o := p as TFoo;"), (TLines{"o := p as TFoo"}));
    EXPECT_EQ(BodyLines("n := m mod _x;"), (TLines{"n := m mod _x"}));
    // Where no two words meet, the lines stay as they always were.
    EXPECT_EQ(BodyLines("i := 0;"), (TLines{"i :=0"}));
    EXPECT_EQ(BodyLines("s := s + 'a';"), (TLines{"s := s +'a'"}));
    EXPECT_EQ(BodyLines("Foo (a);"), (TLines{"Foo(a)"}));
    // Nor does a keyword written straight after a parenthesis.
    EXPECT_EQ(BodyLines("if (a > b)then c;"), (TLines{"if", "(a > b)", "then", "c"}));
    EXPECT_EQ(BodyLines("x := f(a).b;"), (TLines{"x := f(a).b"}));
    EXPECT_EQ(BodyLines("x := (a)and(b);"), (TLines{"x := (a)and(b)"}));
}

TEST(BuildLines, NothingBeforeImplementation)
{
    EXPECT_EQ(LinesOf("unit U; interface procedure P; "), TLines{});
    EXPECT_EQ(LinesOf(Crlf("interface\nx;\nIMPLEMENTATION\ny;\n")),
              (TLines{"implementation", "y"}));
}

TEST(BuildLines, TidiesCompoundsAndWith)
{
    EXPECT_EQ(BodyLines("begin end;"), (TLines{" "}));
    EXPECT_EQ(BodyLines("begin begin end end;"), (TLines{"begin", " ", "end"}));
    EXPECT_EQ(BodyLines("with R do X := 1;"), (TLines{"with", "R", "do", "X :=1"}));
    EXPECT_EQ(BodyLines("x;\nend.\n"), (TLines{"x", "end"}));
    EXPECT_EQ(BodyLines("x : integer;"), (TLines{"x:", "integer"}));
}

TEST(FindRoutines, HeadersAndBodies)
{
    const TUnit u = ScanText(Crlf("implementation\n"
                                  "function Max(a, b: integer): integer;\n"
                                  "begin if a > b then Result := a else Result := b; end;\n"
                                  "procedure Reset; begin case x of 1: y; end; z; end;\n"
                                  "end."));
    ASSERT_EQ(u.Routines.size(), 2u);
    EXPECT_EQ(u.Routines[0].Header, "function Max(a, b: integer):");
    EXPECT_EQ(u.Routines[0].Body,
              (TLines{"begin", "if", "a > b", "then", "Result := a", "else", "Result :=b", "end"}));
    EXPECT_EQ(u.Routines[1].Header, "procedure Reset");
    EXPECT_EQ(u.Routines[1].Body,
              (TLines{"begin", "case", "x", "of", "1:", "y", "end", "z", "end"}));
}

TEST(FindRoutines, NestedRoutinesComeFirst)
{
    const TUnit u = ScanText(Crlf("implementation\n"
                                  "procedure Outer;\n"
                                  "  procedure Inner; begin a; end;\n"
                                  "  function Deeper: integer; begin b; end;\n"
                                  "begin Inner; end;\n"
                                  "procedure Next; begin c; end;\n"
                                  "end."));
    ASSERT_EQ(u.Routines.size(), 4u);
    EXPECT_EQ(u.Routines[0].Header, "procedure Inner");
    EXPECT_EQ(u.Routines[1].Header, "function Deeper:");
    EXPECT_EQ(u.Routines[2].Header, "procedure Outer");
    EXPECT_EQ(u.Routines[2].Body, (TLines{"begin", "Inner", "end"}));
    EXPECT_EQ(u.Routines[3].Header, "procedure Next");
}

TEST(FindRoutines, BlocksClosedByEndKeepTheBodyWhole)
{
    const TUnit u = ScanText(Crlf("implementation\nprocedure P;\n"
                                  "begin try X; finally Y; end; asm nop end; Z; end;\n"
                                  "procedure Q; begin try A except B end end;\nend."));
    ASSERT_EQ(u.Routines.size(), 2u);
    EXPECT_EQ(u.Routines[0].Body, (TLines{"begin", "try", "X", "finally", "Y", "end", "asm", "nop",
                                          "end", "Z", "end"}));
    EXPECT_EQ(u.Routines[1].Body, (TLines{"begin", "try", "A", "except", "B", "end", "end"}));
}

TEST(FindRoutines, EveryKindOfRoutineIsListed)
{
    const TUnit u =
        ScanText(Crlf("implementation\n"
                      "constructor TFoo.Create(a: integer); begin inherited Create; end;\n"
                      "destructor TFoo.Destroy; begin x; end;\n"
                      "class procedure TFoo.Make; begin y; end;\n"
                      "class function TFoo.Count: integer; begin Result := 1; end;\n"
                      "operator + (a, b: TFoo) r: TFoo; begin r := a; end;\n"
                      "procedure Empty; begin end;\n"
                      "function Last: integer; begin Result := 2; end;\n"
                      "end."));
    std::vector<std::string> headers;
    for (const TRoutine& r : u.Routines)
        headers.push_back(r.Header);
    EXPECT_EQ(headers, (std::vector<std::string>{
                           "constructor TFoo.Create(a: integer)", "destructor TFoo.Destroy",
                           "procedure TFoo.Make", "function TFoo.Count:",
                           "operator + (a, b: TFoo)r:", "procedure Empty", "function Last:"}));
    EXPECT_EQ(u.Routines[5].Body, (TLines{"begin", " ", "end"}));
    EXPECT_EQ(u.Routines[6].Body, (TLines{"begin", "Result :=2", "end"}));
}

TEST(FindRoutines, HeadersWithoutABodyHereNeverTakeTheNextOne)
{
    const TUnit u = ScanText(
        Crlf("implementation\n"
             "function copysign(x, y: real): real; forward;\n"
             "function ext(x: integer): integer; cdecl; external 'libc' name 'abs';\n"
             "type TLocal = class(TObject)\n  procedure Run;\n  function Get: integer; virtual;\n"
             "  end;\n"
             "  EOops = class(Exception);\n"
             "  TRec = record a: integer; case b: integer of 1: (c: real); end;\n"
             "  TNotify = procedure(Sender: TObject) of object;\n"
             "operator ** (a, b: real) r: real; begin r := a; end;\n"
             "procedure TLocal.Run; begin z; end;\n"
             "function copysign(x, y: real): real; begin Result := x; end;\n"
             "end."));
    std::vector<std::string> headers;
    for (const TRoutine& r : u.Routines)
        headers.push_back(r.Header);
    EXPECT_EQ(headers,
              (std::vector<std::string>{"operator ** (a, b: real)r:", "procedure TLocal.Run",
                                        "function copysign(x, y: real):"}));
    ASSERT_EQ(u.Routines.size(), 3u);
    EXPECT_EQ(u.Routines[0].Body, (TLines{"begin", "r :=a", "end"}));
}

TEST(ScanText, RoutinesThatLoseCompilerDirectivesAreNamed)
{
    const TUnit u = ScanText(Crlf("implementation\n{$mode objfpc}\n"
                                  "procedure A; {$ifdef X}inline;{$endif}\n"
                                  "begin {$push}{$Q-} x := y * 2; {$pop} end;\n"
                                  "procedure B; begin { a comment } y := 1; (*$R+*) end;\n"
                                  "procedure C; begin s := '{$x}'; end;\n"
                                  "end."));
    ASSERT_EQ(u.Routines.size(), 3u);
    EXPECT_TRUE(u.Routines[0].LostDirectives);
    EXPECT_EQ(u.Routines[0].Header, "procedure A");
    EXPECT_EQ(u.Routines[0].Body, (TLines{"begin", "x := y *2", "end"}));
    EXPECT_TRUE(u.Routines[1].LostDirectives);
    EXPECT_EQ(u.Routines[1].Body, (TLines{"begin", "y :=1", "end"}));
    EXPECT_FALSE(u.Routines[2].LostDirectives);
    for (const std::string& line : u.Lines)
        EXPECT_EQ(line.find(kDirectiveMark), std::string::npos) << line;
}

TEST(FindRoutines, RoutinesWithoutBodyAreLeftOut)
{
    // Forward declarations and a header at the end of the unit.
    EXPECT_TRUE(ScanText("implementation procedure A; forward; procedure B;").Routines.empty());
    // A missing "end" ends the body at the last line instead of failing.
    const TUnit u = ScanText("implementation procedure A; begin x; if y then begin z;");
    ASSERT_EQ(u.Routines.size(), 1u);
    EXPECT_EQ(u.Routines[0].Body.back(), "z");
}

TEST(FindRoutines, ManyOpenHeadersDoNotExhaustTheStack)
{
    std::string source = "implementation\r\n";
    for (int i = 0; i < 200000; ++i)
        source += "procedure P;\r\n";
    source += "begin x; end;\r\n";
    const TUnit u = ScanText(source);
    ASSERT_EQ(u.Routines.size(), 1u);
    EXPECT_EQ(u.Routines[0].Body, (TLines{"begin", "x", "end"}));
}

TEST(FindRoutines, ManyClassesWithoutBodiesAreOnePass)
{
    // Each declaration opens no body; looking for each one's "end" anew
    // would take quadratic time here.
    std::string source = "implementation\r\ntype\r\n";
    for (int i = 0; i < 200000; ++i)
        source += "E" + std::to_string(i) + " = class(Exception);\r\n";
    source += "procedure P; begin x; end;\r\n";
    const TUnit u = ScanText(source);
    ASSERT_EQ(u.Routines.size(), 1u);
    EXPECT_EQ(u.Routines[0].Header, "procedure P");
}

TEST(ScanText, LineFeedFilesScanLikeTheirCrLfTwins)
{
    const std::string lf = "implementation\n"
                           "procedure A; // one\n"
                           "begin\n  x := 1; // two\n  y := 'a//b';\nend;\n"
                           "procedure B;\rbegin\r z;\r end;\rend.";
    std::string crlf = NormalizeLineBreaks(lf);
    const TUnit a = ScanText(lf), b = ScanText(crlf);
    EXPECT_EQ(a.Lines, b.Lines);
    ASSERT_EQ(a.Routines.size(), 2u);
    EXPECT_EQ(a.Routines[0].Body, (TLines{"begin", "x :=1", "y :='a//b'", "end"}));
    EXPECT_EQ(a.Routines[1].Header, "procedure B");
}

TEST(ScanText, ArbitraryBytesAreTexts)
{
    const std::string source =
        "implementation procedure \xC8\xEC\xFF; begin \xE0 := '\x01\x00\x7F'; end;\0"s;
    const TUnit u = ScanText(source);
    ASSERT_EQ(u.Routines.size(), 1u);
    EXPECT_EQ(u.Routines[0].Header, "procedure \xC8\xEC\xFF");
}

} // namespace
