// The view of a document window: transform, scroll ranges, font by scale,
// grid, centring, selection bounds and loading.
#include "docwin/childd.h"
#include "tests/docwin/fakehost.h"

#include <QMouseEvent>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

using namespace kb;
using kb::test::TFakeHost;

namespace {

Block MakeBlock(int l, int t, int r, int b, const char* text = "")
{
    Block blk;
    blk.Left = l;
    blk.Top = t;
    blk.Right = r;
    blk.Bottom = b;
    blk.Text = text;
    return blk;
}

// A shown window (a hidden one defers its resize) whose view, the client
// area less the scroll bars, is w by h pixels.
void SizeView(TChildD& doc, int w, int h)
{
    doc.show();
    doc.resize(w + TChildD::kScrollBarThickness, h + TChildD::kScrollBarThickness);
}

class ChildDView : public ::testing::Test
{
protected:
    TFakeHost host;
    TChildD doc{host};
};

} // namespace

TEST_F(ChildDView, NewWindowShowsOriginAtScaleTwo)
{
    EXPECT_EQ(doc.Scale(), 2);
    EXPECT_EQ(doc.Origin(), (TPoint{0, 0}));
    EXPECT_FALSE(doc.Modified());
    EXPECT_FALSE(doc.CanUndo());
    EXPECT_FALSE(doc.CanRedo());
    EXPECT_EQ(doc.ToPixels({10, 20}), (TPoint{20, 40}));
}

TEST_F(ChildDView, PixelToDiagramRoundsHalvesToEven)
{
    EXPECT_EQ(doc.ToDiagram({1, 0}).x, 0);
    EXPECT_EQ(doc.ToDiagram({2, 0}).x, 1);
    EXPECT_EQ(doc.ToDiagram({3, 0}).x, 2);
    EXPECT_EQ(doc.ToDiagram({5, 0}).x, 2);
    doc.SetScale(8);
    EXPECT_EQ(doc.ToDiagram({12, 0}).x, 2); // 1.5 -> 2
    EXPECT_EQ(doc.ToDiagram({20, 0}).x, 2); // 2.5 -> 2
}

TEST_F(ChildDView, TransformFollowsScrollOrigin)
{
    SizeView(doc, 400, 300);
    doc.HorzScrollBar()->setValue(100);
    doc.VertScrollBar()->setValue(7);
    EXPECT_EQ(doc.Origin(), (TPoint{100, 7}));
    EXPECT_EQ(doc.ToPixels({110, 7}), (TPoint{20, 0}));
    EXPECT_EQ(doc.ToDiagram({20, 0}), (TPoint{110, 7}));
}

TEST_F(ChildDView, ScrollRangesLeaveTheVisiblePartOfTheDiagram)
{
    SizeView(doc, 400, 300);
    EXPECT_EQ(doc.ViewRect(), (TRect{0, 0, 400, 300}));
    EXPECT_EQ(doc.HorzScrollBar()->maximum(), 65535 - 200);
    EXPECT_EQ(doc.VertScrollBar()->maximum(), 65535 - 150);
    doc.SetScale(8);
    EXPECT_EQ(doc.HorzScrollBar()->maximum(), 65535 - 50);
    doc.SetScale(1);
    EXPECT_EQ(doc.VertScrollBar()->maximum(), 65535 - 300);
    for (QScrollBar* bar : {doc.HorzScrollBar(), doc.VertScrollBar()}) {
        EXPECT_EQ(bar->minimum(), 0);
        EXPECT_EQ(bar->singleStep(), 1);
        EXPECT_EQ(bar->pageStep(), 10);
        EXPECT_EQ(bar->focusPolicy(), Qt::NoFocus);
    }
}

TEST_F(ChildDView, ShrinkingTheViewClampsTheScrollPosition)
{
    SizeView(doc, 400, 300);
    doc.SetScale(1);
    doc.HorzScrollBar()->setValue(65535 - 400);
    doc.SetScale(8); // more of the diagram fits beyond the position: no clamp
    EXPECT_EQ(doc.Origin().x, 65535 - 400);
    SizeView(doc, 4000, 300);
    doc.SetScale(1);
    EXPECT_EQ(doc.HorzScrollBar()->maximum(), 65535 - 4000);
    EXPECT_EQ(doc.Origin().x, 65535 - 4000);
}

TEST_F(ChildDView, ViewWithoutRoomGetsTheFullRange)
{
    SizeView(doc, 0, 0);
    EXPECT_EQ(doc.HorzScrollBar()->maximum(), 65535);
    EXPECT_EQ(doc.VertScrollBar()->maximum(), 65535);
    SizeView(doc, 1, 1); // half a unit rounds to none
    EXPECT_EQ(doc.HorzScrollBar()->maximum(), 65535);
    doc.resize(5, 5);
    EXPECT_EQ(doc.HorzScrollBar()->maximum(), 65535);
}

TEST_F(ChildDView, CanvasFontDependsOnScale)
{
    const std::pair<int, int> sizes[] = {{1, 5}, {2, 8}, {4, 20}, {8, 40}};
    for (auto [scale, points] : sizes) {
        doc.SetScale(scale);
        EXPECT_EQ(doc.CanvasFont().Size, points) << "scale " << scale;
    }
    EXPECT_EQ(doc.CanvasFont().Name, "Courier");
    doc.SetScale(3); // not a scale of the window
    EXPECT_EQ(doc.Scale(), 8);
}

TEST_F(ChildDView, GridStartsAtTheViewsTopLeftPixel)
{
    SizeView(doc, 100, 60);
    const QRgb black = qRgb(0, 0, 0);
    const QRgb background = qRgb(192, 192, 192);
    doc.ScrollTo({3, 0});
    doc.SetGrid(true);
    const QImage& img = doc.BackBuffer();
    EXPECT_EQ(img.pixel(0, 0), black);
    EXPECT_EQ(img.pixel(10, 0), black); // 5 units at scale 2
    EXPECT_EQ(img.pixel(10, 20), black);
    EXPECT_EQ(img.pixel(4, 0), background); // diagram x 5 is not a grid column here
    EXPECT_EQ(img.pixel(5, 0), background);
    doc.SetGrid(false);
    EXPECT_EQ(doc.BackBuffer().pixel(10, 0), background);
}

TEST_F(ChildDView, CenterOnBlockPutsItsCentreMidView)
{
    SizeView(doc, 400, 300);
    doc.CenterOnBlock(MakeBlock(1000, 2000, 1100, 2040));
    // Block centre (1050, 2020); half view (100, 75) units at scale 2.
    EXPECT_EQ(doc.Origin(), (TPoint{950, 1945}));
    EXPECT_EQ(doc.HorzScrollBar()->value(), 950);
    EXPECT_EQ(doc.ToPixels({1050, 2020}), (TPoint{200, 150}));
}

TEST_F(ChildDView, CenterNearTheTopLeftNeverGoesNegative)
{
    SizeView(doc, 400, 300);
    doc.ScrollTo({500, 500});
    doc.CenterOnBlock(MakeBlock(10, 10, 30, 20));
    EXPECT_EQ(doc.Origin(), (TPoint{0, 0}));
}

TEST_F(ChildDView, SelectionBoundsJoinSelectedBlocksOnly)
{
    EXPECT_EQ(doc.SelectionBounds(), (TRect{65535, 65535, 0, 0}));
    TShem s;
    TShemObj* a = s.Get(s.AddBlock(MakeBlock(10, 50, 40, 60)));
    TShemObj* b = s.Get(s.AddBlock(MakeBlock(30, 20, 90, 35)));
    TLink l;
    l.EndA = a;
    l.EndB = b;
    s.AddLink(l);
    ASSERT_TRUE(doc.LoadFromBytes(s.SaveToBytes()));
    TShemObj* link = doc.Shem().Get(2);
    doc.SetSelection({link, doc.Shem().Get(0), doc.Shem().Get(1)});
    EXPECT_EQ(doc.SelectionBounds(), (TRect{10, 20, 90, 60}));
    EXPECT_EQ(doc.CountSelectedBlocks(), 2);
    doc.SetSelection({link});
    EXPECT_EQ(doc.SelectionBounds(), (TRect{65535, 65535, 0, 0}));
    EXPECT_EQ(doc.CountSelectedBlocks(), 0);
}

TEST_F(ChildDView, HoverShowsThePointAndTheBlocksText)
{
    SizeView(doc, 400, 300);
    TShem s;
    s.AddBlock(MakeBlock(10, 10, 60, 30, "x := 1"));
    ASSERT_TRUE(doc.LoadFromBytes(s.SaveToBytes()));
    QTest::mouseMove(&doc, QPoint(40, 40)); // diagram (20, 20)
    QMouseEvent move(QEvent::MouseMove, QPointF(40, 40), QPointF(40, 40), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&doc, &move);
    EXPECT_EQ(host.Status[0], QStringLiteral("(20, 20)"));
    EXPECT_EQ(doc.toolTip(), QStringLiteral("x := 1"));
    QMouseEvent away(QEvent::MouseMove, QPointF(300, 200), QPointF(300, 200), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&doc, &away);
    EXPECT_EQ(host.Status[0], QStringLiteral("(150, 100)"));
    EXPECT_TRUE(doc.toolTip().isEmpty());
}

TEST_F(ChildDView, LoadingAnnouncesANewDiagramAndClearsModified)
{
    TShem source;
    source.AddBlock(MakeBlock(0, 0, 80, 20, "a"));
    source.AddBlock(MakeBlock(0, 40, 80, 60, "b"));
    std::vector<TChange> notices;
    QObject::connect(&doc.Document(), &TDiagramDocument::Changed,
                     [&](const TChange& c) { notices.push_back(c); });
    ASSERT_TRUE(doc.LoadFromBytes(source.SaveToBytes()));
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_TRUE(notices[0].All);
    doc.SelectAll();
    doc.DeleteSelection();
    EXPECT_TRUE(doc.Modified());
    ASSERT_TRUE(doc.LoadFromBytes(source.SaveToBytes()));
    EXPECT_FALSE(doc.Modified());
    EXPECT_FALSE(doc.CanUndo()); // a load starts a new history
    EXPECT_EQ(doc.Shem().Count(), 2);

    const std::vector<uint8_t> junk{'n', 'o', 't', ' ', 'a', ' ', 'd',
                                    'i', 'a', 'g', 'r', 'a', 'm'};
    doc.SelectAll();
    doc.DeleteSelection();
    EXPECT_FALSE(doc.LoadFromBytes(junk));
    EXPECT_TRUE(doc.Modified());
    EXPECT_EQ(doc.Shem().Count(), 0);
    EXPECT_TRUE(doc.CanUndo());
}
