// The shipped diagrams export as the statements they stand for: the templates
// put between a "begin" and an "end" ellipse, and the loop example as it is.
#include "model/cp1251.h"
#include "pasexport/expunit.h"
#include "tests/pasexport/support/flowbuilder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <utility>

using namespace kbtest;
using Lines = std::vector<std::string>;

namespace {

// Where the flow enters a template: its topmost shape. Where it leaves: its
// lowest joint point (the open end), the one nearest the middle.
TShemObj* Entry(const kb::TShem& shem)
{
    TShemObj* best = nullptr;
    for (int i = 0; i < shem.Count(); ++i) {
        TShemObj* o = shem.Get(i);
        if (!o->IsBlock() || o->IsJoint() || o->block().Kind == kb::bkText) continue;
        if (!best || o->block().Top < best->block().Top) best = o;
    }
    return best;
}

TShemObj* Exit(const kb::TShem& shem)
{
    const kb::TRect bounds = shem.Bounds();
    const int middle = (bounds.Left + bounds.Right) / 2;
    const auto below = [&](const kb::Block& b) {
        return std::make_pair(-b.Bottom, std::abs((b.Left + b.Right) / 2 - middle));
    };
    TShemObj* best = nullptr;
    for (int i = 0; i < shem.Count(); ++i) {
        TShemObj* o = shem.Get(i);
        if (o->IsJoint() && (!best || below(o->block()) < below(best->block()))) best = o;
    }
    return best;
}

Lines Export(const std::string& name)
{
    TFlowBuilder b;
    const std::string path = std::string(KB_SOURCE_DIR) + "/templates/" + name;
    EXPECT_TRUE(b.Shem().LoadFromFile(path)) << path;
    TShemObj* entry = Entry(b.Shem());
    TShemObj* exit = Exit(b.Shem());
    if (!entry || !exit) return {};
    b.Flow(b.Ellipse("begin", 400, 0), entry);
    b.Flow(exit, b.Ellipse("end", 400, 400));
    Lines lines;
    for (const std::string& m : kb::ExportPascal(b.Bytes(), lines))
        ADD_FAILURE() << name << ": " << m;
    for (std::string& line : lines)
        line = kb::Cp1251ToUtf8(line);
    return lines;
}

TEST(TemplatesExport, LoopsExportAsTheirStatements)
{
    EXPECT_EQ(Export("Циклы/Пока.bls"), (Lines{"begin", "  while условие do", "  begin",
                                               "    тело цикла", "  end;", "end;"}));
    // Its loop goes back on "no": it runs until the exit condition holds.
    EXPECT_EQ(Export("Циклы/Повторять-до.bls"),
              (Lines{"begin", "  repeat", "    тело цикла", "  until условие выхода;", "end;"}));
    EXPECT_EQ(Export("Циклы/Для.bls"),
              (Lines{"begin", "  i := 1;", "  while i <= n do", "  begin", "    тело цикла;",
                     "    i := i + 1", "  end;", "end;"}));
}

TEST(TemplatesExport, BranchesExportAsIfStatements)
{
    EXPECT_EQ(Export("Ветвления/Если-то.bls"), (Lines{"begin", "  if условие", "  then", "  begin",
                                                      "    действие", "  end;", "end;"}));
    EXPECT_EQ(Export("Ветвления/Если-то-иначе.bls"),
              (Lines{"begin", "  if условие", "  then", "  begin", "    действие 1", "  end",
                     "  else", "  begin", "    действие 2", "  end;", "end;"}));
}

TEST(TemplatesExport, CaseExportsAsAChainOfIfStatements)
{
    EXPECT_EQ(
        Export("Ветвления/Выбор.bls"),
        (Lines{"begin", "  if x = 1", "  then", "  begin", "    вариант 1", "  end", "  else",
               "  begin", "    if x = 2", "    then", "    begin", "      вариант 2", "    end",
               "    else", "    begin", "      иначе", "    end;", "  end;", "end;"}));
}

TEST(ExamplesExport, TheLoopExampleIsAWhileLoop)
{
    Lines lines;
    TFlowBuilder b;
    ASSERT_TRUE(b.Shem().LoadFromFile(std::string(KB_SOURCE_DIR) + "/examples/loop.bls"));
    EXPECT_TRUE(kb::ExportPascal(b.Bytes(), lines).empty());
    EXPECT_EQ(lines, (Lines{"begin", "  i := 0;", "  while i < 10 do", "  begin", "    Write(i);",
                            "    i := i + 1", "  end;", "end;"}));
}

} // namespace
