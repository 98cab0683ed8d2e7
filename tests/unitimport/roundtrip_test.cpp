// Round trip through both directions: statements converted into a routine
// diagram here and written back as Pascal by the flowchart export give the
// same statements. Compared after dropping what only frames statements
// ("begin", "end", the final ";") and joining each head into one line, since
// the export wraps every branch in a compound.
#include "model/keywords.h"
#include "pasexport/expunit.h"
#include "tests/unitimport/support.h"
#include "unitimport/routinediagram.h"

#include <gtest/gtest.h>

using namespace kb;
using namespace kb::unitimport;

namespace {

// The scanner's lines of a body.
std::vector<std::string> CanonicalBody(const TLines& body)
{
    std::vector<std::string> out;
    auto next = [&](size_t& i) { return ++i < body.size() ? body[i] : std::string(); };
    for (size_t i = 0; i < body.size(); ++i) {
        switch (FindKeyword(body[i])) {
        case kwBegin:
        case kwEnd:
            break;
        case kwIf:
            out.push_back("if " + next(i));
            break;
        case kwUntil:
            out.push_back("until " + next(i));
            break;
        case kwWhile:
            out.push_back("while " + next(i) + " do");
            ++i; // "do"
            break;
        default:
            out.push_back(body[i]);
        }
    }
    return out;
}

// The export's program lines.
std::vector<std::string> CanonicalExport(const std::vector<std::string>& exported)
{
    std::vector<std::string> out;
    for (const std::string& line : exported) {
        std::string_view t = Trim(line);
        if (!t.empty() && t.back() == ';') t.remove_suffix(1);
        if (!t.empty() && FindKeyword(t) != kwBegin && FindKeyword(t) != kwEnd) out.emplace_back(t);
    }
    return out;
}

struct Case
{
    const char* name;
    const char* statements;
};

class RoundTrip : public testing::TestWithParam<Case>
{
protected:
    static void Check(const char* statements)
    {
        const TUnit unit = ScanText(kbtest::Crlf(
            std::string("implementation\nprocedure P;\nbegin\n") + statements + "\nend;\nend.\n"));
        ASSERT_EQ(unit.Routines.size(), 1u);
        kb::TShem diagram;
        ASSERT_EQ(BuildRoutineDiagram(unit.Routines[0], diagram), TSkipReason::None);
        std::vector<std::string> pascal;
        const auto messages = kb::ExportPascal(diagram.SaveToBytes(), pascal);
        EXPECT_TRUE(messages.empty()) << messages.front();
        EXPECT_EQ(CanonicalExport(pascal), CanonicalBody(unit.Routines[0].Body));
    }
};

TEST_P(RoundTrip, GivesTheSameStatements)
{
    Check(GetParam().statements);
}

const Case kCases[] = {
    {"Sequence", "a := 1;\n b := a + 2;\n Run(a, b);"},
    {"IfThen", "if x > 0 then y := 1;\n z;"},
    {"IfThenElse", "if x > 0 then y := 1 else y := 2;"},
    {"IfThenElseCompounds", "if ok then begin a; b end else begin c; d end;\n e;"},
    {"While", "i := 0;\n while i < 10 do i := i + 1;\n Done;"},
    {"WhileCompound", "while Busy do begin Step; Wait end;"},
    {"Nested", "a;\n if c then begin b1; b2 end else while d do e;\n f;"},
    {"IfInsideWhile", "while i < n do begin if odd(i) then Inc(k); Inc(i) end;"},
    {"RepeatUntil", "repeat i := i + 1; j := 2 until i > 10;"},
    {"RepeatBetweenStatements", "a;\n repeat Step until Done;\n b;"},
    {"IfInsideRepeat", "repeat if odd(i) then Inc(k) else Dec(k); Inc(i) until i = n;"},
    {"RepeatStartingWithWhile", "a; repeat while p do q; r until s;"},
    {"RepeatStartingWithIf", "repeat if p then q; r until s; t;"},
    {"RepeatInsideWhile", "while More do begin repeat Read(c) until c <> ' '; Put(c) end;"},
};

INSTANTIATE_TEST_SUITE_P(Statements, RoundTrip, testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

// The constructs that come back in their own words, exactly as the export
// writes them.
std::vector<std::string> Exported(const std::string& statements)
{
    const TUnit unit = ScanText(
        kbtest::Crlf("implementation\nprocedure P;\nbegin\n" + statements + "\nend;\nend.\n"));
    EXPECT_EQ(unit.Routines.size(), 1u);
    if (unit.Routines.empty()) return {};
    kb::TShem diagram;
    EXPECT_EQ(BuildRoutineDiagram(unit.Routines[0], diagram), TSkipReason::None);
    std::vector<std::string> pascal;
    const auto messages = kb::ExportPascal(diagram.SaveToBytes(), pascal);
    EXPECT_TRUE(messages.empty()) << (messages.empty() ? "" : messages.front());
    return pascal;
}

using Lines = std::vector<std::string>;

TEST(RoundTripWords, ForLoopsComeBackAsForLoops)
{
    EXPECT_EQ(Exported("for i := 0 to n - 1 do Inc(s);\nDone;"),
              (Lines{"begin", "  for i := 0 to n - 1 do", "  begin", "    Inc(s)", "  end;",
                     "  Done", "end;"}));
    EXPECT_EQ(Exported("for c := High(T) downto Low(T) do begin a; b end;"),
              (Lines{"begin", "  for c := High (T) downto Low (T) do", "  begin", "    a;", "    b",
                     "  end;", "end;"}));
    EXPECT_EQ(Exported("for x in Items do Show(x);"),
              (Lines{"begin", "  for x in Items do", "  begin", "    Show(x)", "  end;", "end;"}));
}

TEST(RoundTripWords, WithHeadsGovernTheirStatementsOnly)
{
    EXPECT_EQ(Exported("with R do begin X := 1; Y := 2 end;\nZ := 3;"),
              (Lines{"begin", "  with R do", "  begin;", "    X :=1;", "    Y := 2;", "  end;",
                     "  Z :=3", "end;"}));
    EXPECT_EQ(Exported("if a then with P^, Q do Run else Stop;"),
              (Lines{"begin", "  if a", "  then", "  begin", "    with P^, Q do", "    begin;",
                     "      Run;", "    end", "  end", "  else", "  begin", "    Stop", "  end;",
                     "end;"}));
}

TEST(RoundTripWords, CaseStatementsKeepTheirLabels)
{
    EXPECT_EQ(
        Exported("case k of\n 0: a := 1;\n 1, 2: begin b; c end;\n 3: d;\nelse e; f;\nend;\ng;"),
        (Lines{"begin",     "  case k of", "    0:",   "    begin", "      a :=1", "    end;",
               "    1,2:",  "    begin",   "      b;", "      c",   "    end;",    "    3:",
               "    begin", "      d",     "    end;", "    else",  "    e;",      "    f",
               "  end;",    "  g",         "end;"}));
    EXPECT_EQ(Exported("case k of 1: if a then b else c; end;"),
              (Lines{"begin", "  case k of", "    1:", "    begin", "      if a", "      then",
                     "      begin", "        b", "      end", "      else", "      begin",
                     "        c", "      end;", "    end;", "  end;", "end;"}));
}

TEST(RoundTripWords, AnEmptyThenKeepsItsElse)
{
    EXPECT_EQ(Exported("if a then else b;\nc;"),
              (Lines{"begin", "  if a", "  then", "  begin", "  end", "  else", "  begin", "    b",
                     "  end;", "  c", "end;"}));
}

TEST(RoundTripWords, ARepeatDirectlyInsideARepeatComesBackWhole)
{
    const Lines lines = Exported("a;\nrepeat repeat b until c until d;\ne;");
    EXPECT_EQ(lines, (Lines{"begin", "  a;", "  repeat", "     ;", "    repeat", "      b",
                            "    until c;", "  until d;", "  e", "end;"}));
}

TEST(RoundTripWords, ALabelStaysWithItsStatement)
{
    EXPECT_EQ(Exported("a;\nagain: b := 1;\nif b > 0 then goto again;"),
              (Lines{"begin", "  a;", "  again:", "  b :=1;", "  if b > 0", "  then", "  begin",
                     "    goto again", "  end;", "end;"}));
}

TEST(RoundTripWords, AnElseAfterASemicolonIsTheCasesNotTheIfs)
{
    EXPECT_EQ(Exported("case k of 1: if a then b; else c; end;"),
              (Lines{"begin", "  case k of", "    1:", "    begin", "      if a", "      then",
                     "      begin", "        b", "      end;", "    end;", "    else", "    c",
                     "  end;", "end;"}));
}

TEST(RoundTripWords, TryBlocksAndHandlersComeBackWhole)
{
    EXPECT_EQ(Exported("try a except on E: EError do b; else raise; end;"),
              (Lines{"begin", "  try;", "    a;", "  except", "    on E: EError do", "    begin;",
                     "      b;", "    end;", "    else;", "    raise;", "  end", "end;"}));
    EXPECT_EQ(Exported("try Work; finally Done; end;\nx := 1;"),
              (Lines{"begin", "  try;", "    Work;", "  finally;", "    Done;", "  end;", "  x :=1",
                     "end;"}));
    EXPECT_EQ(Exported("try Work except on E: EError do Log(E); on EOther do Retry end;"),
              (Lines{"begin", "  try;", "    Work;", "  except", "    on E: EError do",
                     "    begin;", "      Log(E);", "    end;", "    on EOther do", "    begin;",
                     "      Retry;", "    end;", "  end", "end;"}));
}

} // namespace
