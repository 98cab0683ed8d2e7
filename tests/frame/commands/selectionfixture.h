// A diagram with a selection, for the tests of the commands on selected blocks.
#pragma once

#include "frame/commands/selectiontarget.h"
#include "tests/model/builders.h"

#include <gtest/gtest.h>

namespace kbtest {

class SelectionFixture : public ::testing::Test
{
protected:
    kb::TShem shem;
    std::vector<kb::TShemObj*> selection;
    kb::TSelectionTarget target{shem, selection, {}};

    // Adds the block and selects it.
    kb::TShemObj* Select(const kb::Block& b)
    {
        kb::TShemObj* e = Add(shem, b);
        selection.push_back(e);
        return e;
    }
    static kb::TRect RectOf(const kb::TShemObj* e) { return e->block().Rect(); }
};

} // namespace kbtest
