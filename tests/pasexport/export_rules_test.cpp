// The export's rules on small hand-built diagrams, one behaviour per test.
#include "pasexport/expunit.h"
#include "pasexport/pastext.h"
#include "tests/pasexport/support/flowbuilder.h"

#include <gtest/gtest.h>

#include <optional>

using namespace kbtest;
using Lines = std::vector<std::string>;
using Messages = std::vector<std::string>;

namespace {

struct Result
{
    Lines lines;
    Messages messages;
};

Result Export(const std::vector<uint8_t>& bytes, Lines lines = {})
{
    Result r;
    r.messages = kb::ExportPascal(bytes, lines);
    r.lines = lines;
    return r;
}

Result Export(const TFlowBuilder& b, Lines lines = {})
{
    return Export(b.Bytes(), lines);
}

std::string Msg(std::string_view m)
{
    return std::string(m);
}

// begin -> the given statements in a row -> end.
Result Chain(const std::vector<std::string>& texts)
{
    TFlowBuilder b;
    TShemObj* prev = b.Ellipse("begin", 100, 0);
    for (size_t i = 0; i < texts.size(); ++i) {
        TShemObj* r = b.Rect(texts[i], 100, 40 + 30 * int(i));
        b.Flow(prev, r);
        prev = r;
    }
    b.Flow(prev, b.Ellipse("end", 100, 400));
    return Export(b);
}

} // namespace

TEST(PascalExport, SmallWhileExampleGivesItsText)
{
    TFlowBuilder b;
    auto* begin = b.Ellipse("begin", 100, 0);
    auto* a = b.Rect("a := 1", 100, 40);
    auto* d = b.Rhomb("x > 0", 100, 80);
    auto* body = b.Rect("x := x - 1", 0, 120);
    auto* after = b.Rect("b := 2", 200, 120);
    auto* end = b.Ellipse("end", 200, 160);
    b.Label("yes", 90, 85);
    b.Flow(begin, a);
    b.Flow(a, d);
    b.Link(d, kLM, body, kTM, 1);
    b.Link(body, kBM, d, kTM, 1);
    b.Link(d, kRM, after, kTM, 1);
    b.Flow(after, end);
    const Result r = Export(b);
    EXPECT_TRUE(r.messages.empty());
    EXPECT_EQ(r.lines, (Lines{"begin", "  a := 1;", "  while x > 0 do", "  begin", "    x := x - 1",
                              "  end;", "  b := 2", "end;"}));
}

TEST(PascalExportEmit, WithoutDiagramTheEditorKeepsItsLinesIndented)
{
    const std::vector<uint8_t> empty(kb::kFileMagic.begin(), kb::kFileMagic.end());
    const std::vector<uint8_t> refused{'n', 'o', 't', ' ', 'a', ' ', 'd', 'i', 'a', 'g'};
    for (const auto& bytes : {empty, refused, std::vector<uint8_t>{}}) {
        const Result r = Export(bytes, {"begin", "", "x", "end;"});
        EXPECT_EQ(r.messages, Messages{Msg(kb::kMsgNoBegin)});
        EXPECT_EQ(r.lines, (Lines{"begin", "  x", "end;"}));
    }
}

TEST(PascalExportEmit, BeginEllipseIsFoundIgnoringCaseOnly)
{
    for (const char* text : {"Begin", "BEGIN"}) {
        TFlowBuilder b;
        b.Flow(b.Ellipse(text, 0, 0), b.Ellipse("end", 0, 40));
        const Result r = Export(b);
        EXPECT_TRUE(r.messages.empty()) << text;
        // "end" drops the level back to 0 before it is written.
        EXPECT_EQ(r.lines, (Lines{"begin", "end", "end;"})) << text;
    }
    for (const char* text : {"begin ", " begin"}) {
        TFlowBuilder b;
        b.Flow(b.Ellipse(text, 0, 0), b.Ellipse("end", 0, 40));
        b.Label("begin", 0, 80); // only an ellipse starts the program
        EXPECT_EQ(Export(b).messages, Messages{Msg(kb::kMsgNoBegin)}) << text;
    }
}

TEST(PascalExportEmit, BeginEllipseNeedsExactlyOneLinkLeavingIt)
{
    TFlowBuilder alone;
    alone.Ellipse("begin", 0, 0);
    EXPECT_EQ(Export(alone).messages, Messages{Msg(kb::kMsgBeginUnlinked)});

    TFlowBuilder two;
    auto* begin = two.Ellipse("begin", 0, 0);
    two.Flow(begin, two.Ellipse("a", 0, 40));
    two.Flow(begin, two.Ellipse("b", 100, 40));
    EXPECT_EQ(Export(two).messages, Messages{Msg(kb::kMsgBeginBranches)});

    TFlowBuilder incoming;
    incoming.Flow(incoming.Ellipse("a", 0, 40), incoming.Ellipse("begin", 0, 0));
    EXPECT_EQ(Export(incoming, {"kept"}).messages, Messages{Msg(kb::kMsgBeginIncoming)});
    EXPECT_EQ(Export(incoming, {"kept"}).lines, Lines{"kept"});

    // A plain line has no direction, so it is not incoming.
    TFlowBuilder plain;
    plain.Link(plain.Ellipse("a", 0, 40), kTM, plain.Ellipse("begin", 0, 0), kBM, 0);
    EXPECT_EQ(Export(plain).lines, (Lines{"begin", "  a", "end;"}));
}

TEST(PascalExportSequences, StatementsJoinWithOneSemicolonAndTheLastGetsNone)
{
    EXPECT_EQ(Chain({"a", "b;", "c"}).lines, (Lines{"begin", "  a;", "  b;", "  c", "end;"}));
    EXPECT_EQ(Chain({"", "b"}).lines, (Lines{"begin", "  ;", "  b", "end;"}));
}

TEST(PascalExportSequences, BlankLinesAndTheFinalBreakAreCleanedBeforeTheSemicolon)
{
    EXPECT_EQ(Chain({"x\r\n\r\n\r\ny\r\n", "z"}).lines,
              (Lines{"begin", "  x", "  y;", "  z", "end;"}));
    // Runs of any length collapse.
    EXPECT_EQ(Chain({"x\r\n\r\n\r\n", "z"}).lines, (Lines{"begin", "  x;", "  z", "end;"}));
}

TEST(PascalExportSequences, AStatementTwoLinksLeadToIsNotMerged)
{
    TFlowBuilder b;
    auto* a = b.Rect("a", 100, 40);
    auto* join = b.Rect("j", 100, 80);
    auto* other = b.Rect("o", 200, 40);
    b.Flow(b.Ellipse("begin", 100, 0), a);
    b.Flow(a, join);
    b.Flow(other, join);
    b.Flow(join, b.Ellipse("end", 100, 120));
    const Result r = Export(b);
    EXPECT_TRUE(r.messages.empty());
    EXPECT_EQ(r.lines, (Lines{"begin", "  a", "end;"}));
}

TEST(PascalExportSequences, DottedArrowsLeadNowhere)
{
    for (uint8_t style : {4, 5, 6, 7, 0, 3}) {
        TFlowBuilder b;
        auto* a = b.Rect("a", 100, 40);
        b.Flow(b.Ellipse("begin", 100, 0), a);
        b.Link(a, kBM, b.Rect("b", 100, 80), kTM, style);
        EXPECT_EQ(Export(b).messages[0], Msg(kb::kMsgNoOutgoingLink)) << int(style);
    }
}

TEST(PascalExportSequences, AStatementLeadingBackToItselfStays)
{
    // Its arrow to itself is its only incoming link; merging it with itself
    // would delete it.
    TFlowBuilder b;
    auto* a = b.Rect("a", 100, 40);
    auto* begin = b.Ellipse("begin", 100, 0);
    b.Link(begin, kBM, a, kTM, 0);
    b.Link(a, kRM, a, kLM, 1);
    EXPECT_EQ(Export(b).lines, (Lines{"begin", "  a", "end;"}));
}

// Diagrams for the decision rules. The loader moves blocks before links and
// may reorder links that come between blocks, so every test makes all its
// blocks first: the links then keep the order they are made in.
namespace {

struct Decision
{
    TFlowBuilder b;
    TShemObj* begin = b.Ellipse("begin", 100, 0);
    TShemObj* d = b.Rhomb("c", 100, 40); // left corner (100, 50), right corner (180, 50)
    TShemObj* Target(const std::string& text, int x) { return b.Rect(text, x, 80); }
    Result Run()
    {
        b.Flow(begin, d);
        return Export(b);
    }
};

} // namespace

TEST(PascalExportDecisions, WithoutALabelTheFirstLinkIsTheNoBranch)
{
    Decision x;
    auto* after = x.Target("t", 100);
    auto* y = x.Target("y", 0);
    auto* end = x.b.Ellipse("end", 100, 200);
    x.b.Link(x.d, kRM, after, kTM, 1);
    x.b.Link(x.d, kLM, y, kTM, 1);
    x.b.Flow(y, after);
    x.b.Flow(after, end);
    EXPECT_EQ(x.Run().lines,
              (Lines{"begin", "  if c", "  then", "  begin", "    y", "  end;", "  t", "end;"}));
}

TEST(PascalExportDecisions, NearestLabelPicksTheYesBranchAndTiesKeepTheFirst)
{
    auto run = [](std::vector<int> labelXs) {
        Decision x;
        auto* first = x.Target("first", 0);
        auto* second = x.Target("second", 200);
        auto* end = x.b.Ellipse("end", 100, 200);
        for (int lx : labelXs)
            x.b.Label("yes", lx, 50);
        x.b.Link(x.d, kLM, first, kTM, 1);
        x.b.Link(x.d, kRM, second, kTM, 1);
        x.b.Flow(first, end);
        x.b.Flow(second, end);
        return x.Run().lines.at(4);
    };
    EXPECT_EQ(run({}), "    second");    // list order: the second link is yes
    EXPECT_EQ(run({95}), "    first");   // next to the left corner
    EXPECT_EQ(run({185}), "    second"); // next to the right corner
    // As near to both corners: the first link's corner is measured first and wins.
    EXPECT_EQ(run({140}), "    first");
    // Two labels as near to one corner each: the earlier label decides.
    EXPECT_EQ(run({185, 95}), "    second");
    EXPECT_EQ(run({95, 185}), "    first");
}

TEST(PascalExportDecisions, IfElseWithoutCommonSuccessorEndsThere)
{
    Decision x;
    auto* t = x.Target("t", 200);
    auto* y = x.Target("y", 0);
    x.b.Link(x.d, kRM, t, kTM, 1);
    x.b.Link(x.d, kLM, y, kTM, 1);
    const Result r = x.Run();
    // Before the decision collapses its branches end nowhere; after it, it does.
    EXPECT_EQ(r.messages, (Messages{Msg(kb::kMsgNoOutgoingLink), Msg(kb::kMsgNoOutgoingLink)}));
    EXPECT_EQ(r.lines, (Lines{"begin", "  if c", "  then", "  begin", "    y", "  end", "  else",
                              "  begin", "    t", "  end;", "end;"}));
}

TEST(PascalExportDecisions, BothBranchesToOneStatementGiveItTwice)
{
    Decision x;
    auto* s = x.Target("s", 100);
    auto* end = x.b.Ellipse("end", 100, 200);
    x.b.Link(x.d, kRM, s, kTM, 1);
    x.b.Link(x.d, kLM, s, kTM, 1);
    x.b.Flow(s, end);
    EXPECT_EQ(x.Run().lines, (Lines{"begin", "  if c", "  then", "  begin", "    s", "  end",
                                    "  else", "  begin", "    s", "  end;", "end;"}));
}

// begin -> s -> rhomb c, which loops back to s on one side and leaves for
// "after" on the other; `labelX` puts a "yes" label next to a corner.
Lines RepeatLoop(bool backFirst, std::optional<int> labelX, bool exitToDecision = false)
{
    TFlowBuilder b;
    auto* begin = b.Ellipse("begin", 100, 0);
    auto* s = b.Rect("s", 100, 40);
    auto* d = b.Rhomb("c", 100, 80); // left corner (100, 90), right corner (180, 90)
    auto* after = exitToDecision ? b.Rhomb("e", 0, 120) : b.Rect("after", 0, 120);
    auto* end = b.Ellipse("end", 100, 300);
    if (labelX) b.Label("yes", *labelX, 90);
    b.Flow(begin, s);
    b.Flow(s, d);
    auto back = [&] { b.Link(d, kRM, s, kTM, 1); };
    auto leave = [&] { b.Link(d, kLM, after, kTM, 1); };
    if (backFirst) {
        back();
        leave();
    } else {
        leave();
        back();
    }
    b.Flow(after, end);
    if (exitToDecision) b.Flow(after, end);
    return Export(b).lines;
}

TEST(PascalExportDecisions, RepeatLoopsBackOnEitherBranch)
{
    const Lines whileYes{"begin", "  repeat", "    s", "  until not(c);", "  after", "end;"};
    const Lines untilYes{"begin", "  repeat", "    s", "  until c;", "  after", "end;"};
    EXPECT_EQ(RepeatLoop(false, std::nullopt), whileYes); // the second link is yes
    EXPECT_EQ(RepeatLoop(true, 185), whileYes);           // "yes" on the loop back
    // The loop back on the no-branch: unlabelled and first, or "yes" on the exit.
    EXPECT_EQ(RepeatLoop(true, std::nullopt), untilYes);
    EXPECT_EQ(RepeatLoop(false, 95), untilYes);
    // What follows the loop needs no structuring first.
    EXPECT_EQ(RepeatLoop(true, std::nullopt, true).at(3), "  until c;");
}

TEST(PascalExportDecisions, ErrorsEndTheirPassOnlyAndComeInPassOrder)
{
    TFlowBuilder b;
    auto* a = b.Rect("a", 0, 0);
    auto* joint = b.Joint(50, 50);
    b.Rect("lonely", 0, 100);
    auto* d = b.Rhomb("c", 100, 100);
    std::vector<TShemObj*> ends;
    for (int i = 0; i < 3; ++i)
        ends.push_back(b.Ellipse("e", 100 * i, 200));
    b.Link(a, kBM, joint, kCE, 1); // pass 4: the point has no way on
    for (auto* e : ends)           // pass 5: "lonely" has none; pass 6: d has three
        b.Link(d, kBM, e, kTM, 1);
    EXPECT_EQ(Export(b).messages,
              (Messages{Msg(kb::kMsgNoOutgoingLink), Msg(kb::kMsgNoOutgoingLink),
                        Msg(kb::kMsgTooManyOutgoing), Msg(kb::kMsgNoBegin)}));
    b.Shem().Remove(b.Shem().Get(b.Shem().NextLinkOf(nullptr, d)));
    b.Shem().Remove(b.Shem().Get(b.Shem().NextLinkOf(nullptr, d)));
    EXPECT_EQ(Export(b).messages[2], Msg(kb::kMsgOneOutgoing));
}

TEST(PascalExportJoints, JointPointsAndLinksOnLinksAreNormalisedAway)
{
    // begin -> a, then a line to a bend point, an arrow on to b; c's arrow
    // ends in the middle of the line into b.
    TFlowBuilder b;
    auto* a = b.Rect("a", 100, 40);
    auto* bb = b.Rect("b", 100, 120);
    auto* bend = b.Joint(140, 90);
    b.Flow(b.Ellipse("begin", 100, 0), a);
    b.Link(a, kBM, bend, kCE, 0);
    auto* into = b.Link(bend, kCE, bb, kTM, 1);
    b.Link(b.Rect("c", 200, 80), kBM, into, kCE, 1);
    b.Flow(bb, b.Ellipse("end", 100, 160));
    const Result r = Export(b);
    EXPECT_TRUE(r.messages.empty());
    EXPECT_EQ(r.lines, (Lines{"begin", "  a", "end;"})); // b is reached from a and from c
}

TEST(PascalExportJoints, APointWithOneLinkIsLeftForPass4)
{
    TFlowBuilder b;
    b.Flow(b.Ellipse("begin", 0, 0), b.Joint(40, 60));
    const Result r = Export(b);
    EXPECT_EQ(r.messages, Messages{Msg(kb::kMsgNoOutgoingLink)});
    EXPECT_EQ(r.lines, (Lines{"begin", "end;"}));
}

TEST(PascalExportIndent, LevelsFollowBeginEndRepeatUntil)
{
    Lines lines{"begin",         "y",        "  ",     "\t",  "repeat;", "z",
                "until not(a);", "until(b)", "ending", "End", "end"};
    kb::pas::Indent(lines);
    EXPECT_EQ(lines, (Lines{"begin", "  y", "  repeat;", "    z", "  until not(a);", "  until(b)",
                            "  ending", "End", "end"}));
}

TEST(PascalExportIndent, BelowLevelZeroLinesGetNoSpaces)
{
    Lines lines{"end;", "x", "begin", "y", "begin", "z"};
    kb::pas::Indent(lines);
    EXPECT_EQ(lines, (Lines{"end;", "x", "begin", "y", "begin", "  z"}));
}

// A decision reading a whole case head, its branches each labelled 30 left
// of their first block's top-left corner as the unit import draws them.
TEST(PascalExportDecisions, ACaseDecisionWithLabelledBranchesIsACaseStatement)
{
    auto run = [](bool labelled) {
        Decision x;
        x.b.Shem().Get(1)->block().Text = "case k of";
        auto* one = x.Target("a", 40);
        auto* other = x.Target("c", 280);
        auto* two = x.Target("b", 160);
        auto* after = x.b.Rect("t", 100, 200);
        auto* end = x.b.Ellipse("end", 100, 300);
        if (labelled) {
            x.b.Label("else", 280 - 20, 85);
            x.b.Label("1", 40 - 20, 85);
            x.b.Label("2, 3", 160 - 20, 85);
        }
        for (auto* t : {one, two, other}) {
            x.b.Link(x.d, kBM, t, kTM, 1);
            x.b.Flow(t, after);
        }
        x.b.Flow(after, end);
        return x.Run();
    };
    const Result r = run(true);
    EXPECT_TRUE(r.messages.empty());
    EXPECT_EQ(r.lines, (Lines{"begin", "  case k of", "    1:", "    begin", "      a", "    end;",
                              "    2, 3:", "    begin", "      b", "    end;", "    else", "    c",
                              "  end;", "  t", "end;"}));
    // Without its labels it stands for three ways on, as any decision would.
    EXPECT_EQ(run(false).messages, (Messages{Msg(kb::kMsgTooManyOutgoing)}));
}

TEST(PascalExportDecisions, ALoopDecisionReadingAForHeadIsThatForLoop)
{
    auto run = [](const std::string& test) {
        TFlowBuilder b;
        auto* begin = b.Ellipse("begin", 100, 0);
        auto* d = b.Rhomb(test, 100, 40);
        auto* body = b.Rect("s := s + i", 0, 80);
        auto* end = b.Ellipse("end", 100, 200);
        b.Label("yes", 85, 45);
        b.Flow(begin, d);
        b.Link(d, kLM, body, kTM, 1);
        b.Link(body, kBM, d, kTM, 1);
        b.Link(d, kRM, end, kTM, 1);
        return Export(b).lines;
    };
    EXPECT_EQ(run("for i := 1 to n do"), (Lines{"begin", "  for i := 1 to n do", "  begin",
                                                "    s := s + i", "  end;", "end;"}));
    // Any other test is a while loop's, as it always was.
    EXPECT_EQ(run("i <= n"),
              (Lines{"begin", "  while i <= n do", "  begin", "    s := s + i", "  end;", "end;"}));
}

TEST(PascalExportIndent, CaseAndTryBlocksIndentTheirInsides)
{
    Lines lines{"begin", "case k of", "1:", "a;",   "end;", "try;",
                "b;",    "except",    "c;", "end;", "end;"};
    kb::pas::Indent(lines);
    EXPECT_EQ(lines, (Lines{"begin", "  case k of", "    1:", "    a;", "  end;", "  try;",
                            "    b;", "  except", "    c;", "  end;", "end;"}));
}
