// The export's rules, one behaviour per test, on small hand-built diagrams.
#include "pasexport/expunit.h"
#include "tests/pasexport/support/flowbuilder.h"

#include <gtest/gtest.h>

using namespace kbtest;
using Lines = std::vector<std::string>;

namespace {

struct Result
{
    Lines lines;
    std::vector<std::string> messages;
};

Result Export(const TFlowBuilder& b, Lines lines = {})
{
    Result r;
    r.messages = kb::ExportPascal(b.Bytes(), lines);
    r.lines = lines;
    return r;
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
