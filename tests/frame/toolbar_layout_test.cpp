// Toolbar rows and positions: stored values lay the bars out again, and what
// the window shows is read back as the same rows.
#include "frame/mainform.h"

#include <QTest>
#include <QToolBar>

#include <gtest/gtest.h>

using namespace kb;

namespace {

TSettings WithBars(TToolbarState standard, TToolbarState special, TToolbarState align)
{
    TSettings s = DefaultSettings();
    s.Standard = standard;
    s.Special = special;
    s.Align = align;
    return s;
}

TToolbarState Docked(int dock, int row, int pos)
{
    TToolbarState t;
    t.Dock = dock;
    t.Row = row;
    t.Pos = pos;
    return t;
}

} // namespace

TEST(ToolbarLayout, RowsComeBackAsStored)
{
    TMainForm main;
    main.resize(900, 600);
    main.ApplySettings(WithBars(Docked(dcTop, 1, 0), Docked(dcTop, 0, 0), Docked(dcLeft, 0, 0)));
    main.NewDocument(); // the Special bar shows while a document is open
    main.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
    EXPECT_LT(main.SpecialBar()->y(), main.StandardBar()->y()) << "row 0 above row 1";
    const TSettings back = main.CollectSettings();
    EXPECT_EQ(back.Special.Row, 0);
    EXPECT_EQ(back.Standard.Row, 1);
    EXPECT_EQ(back.Align.Dock, dcLeft);
    EXPECT_EQ(back.Align.Row, 0);
}

TEST(ToolbarLayout, PositionOrdersTheBarsOfOneRow)
{
    TMainForm main;
    main.resize(1200, 600);
    main.ApplySettings(WithBars(Docked(dcTop, 0, 400), Docked(dcTop, 0, 0), Docked(dcTop, 0, 900)));
    main.NewDocument();
    main.AlignBar()->show();
    main.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
    EXPECT_EQ(main.SpecialBar()->y(), main.StandardBar()->y());
    EXPECT_LT(main.SpecialBar()->x(), main.StandardBar()->x());
    EXPECT_LT(main.StandardBar()->x(), main.AlignBar()->x());
}
