// The full-screen view over a document window: the 800 by 600 pixel region,
// zoom through the context menu, panning and leaving.
#include "docwin/childd.h"
#include "docwin/fullview/fullview.h"
#include "tests/docwin/fakehost.h"

#include <QAction>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

using namespace kb;

namespace {

Block Rect(int l, int t, int r, int b)
{
    Block blk;
    blk.SetRect({l, t, r, b});
    return blk;
}

void Mouse(QWidget& w, QEvent::Type type, QPoint at, Qt::MouseButtons held)
{
    QMouseEvent e(type, QPointF(at), QPointF(w.mapToGlobal(at)), Qt::LeftButton, held,
                  Qt::NoModifier);
    QCoreApplication::sendEvent(&w, &e);
}

QAction* Item(const TFullViewForm& view, const QString& name)
{
    return view.ContextMenu()->findChild<QAction*>(name);
}

bool HasInkIn(const QImage& image, int x0, int x1)
{
    for (int x = x0; x < x1; ++x)
        for (int y = 0; y < image.height(); ++y)
            if (image.pixelColor(x, y) == Qt::black) return true;
    return false;
}

class FullView : public ::testing::Test
{
protected:
    test::TFakeHost host;
    TChildD doc{host};
    TFullViewForm view;

    void SetUp() override
    {
        doc.resize(400 + TChildD::kScrollBarThickness, 300 + TChildD::kScrollBarThickness);
        doc.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&doc));
    }
};

TEST_F(FullView, RegionIsTheScreenSizeDividedByTheScale)
{
    EXPECT_EQ(TFullViewForm::RegionOf({0, 0}, 1), (TRect{0, 0, 800, 600}));
    EXPECT_EQ(TFullViewForm::RegionOf({10, 20}, 8), (TRect{10, 20, 110, 95}));
    doc.ScrollTo({100, 50});
    view.SetDocument(&doc);
    EXPECT_EQ(view.Region(), (TRect{100, 50, 500, 350}));
}

TEST_F(FullView, OnlyTheRegionIsDrawnWhateverTheScreen)
{
    TShem s;
    s.AddBlock(Rect(400, 100, 450, 120)); // pixels 600..700
    s.AddBlock(Rect(520, 100, 570, 120)); // pixels 840..940: outside
    ASSERT_TRUE(doc.LoadFromBytes(s.SaveToBytes()));
    doc.ScrollTo({100, 50});
    view.SetDocument(&doc);
    QImage wide(2000, 1000, QImage::Format_RGB32);
    view.Draw(wide);
    EXPECT_TRUE(HasInkIn(wide, 600, 700));
    EXPECT_FALSE(HasInkIn(wide, 800, 2000));
}

TEST_F(FullView, ZoomChangesTheDocumentsScaleAndTheCheck)
{
    view.SetDocument(&doc);
    view.PrepareMenu();
    EXPECT_TRUE(Item(view, QStringLiteral("Zoom2"))->isChecked());
    Item(view, QStringLiteral("Zoom4"))->trigger();
    EXPECT_EQ(doc.Scale(), 4);
    EXPECT_EQ(doc.CanvasFont().Size, 20);
    EXPECT_EQ(view.Region(), (TRect{0, 0, 200, 150}));

    doc.SetScale(8); // from the main window meanwhile
    view.PrepareMenu();
    for (int s : TFullViewForm::kZooms)
        EXPECT_EQ(Item(view, QStringLiteral("Zoom%1").arg(s))->isChecked(), s == 8);
}

TEST_F(FullView, DraggingMovesTheDocumentOriginUpToTheScrollLimit)
{
    doc.ScrollTo({100, 50});
    view.SetDocument(&doc);
    view.show();
    Mouse(view, QEvent::MouseButtonPress, {200, 200}, Qt::LeftButton);
    Mouse(view, QEvent::MouseMove, {170, 210}, Qt::LeftButton);
    EXPECT_EQ(doc.Origin(), (TPoint{130, 40}));
    EXPECT_EQ(view.Region().Left, 130);
    Mouse(view, QEvent::MouseButtonRelease, {170, 210}, Qt::NoButton);
    Mouse(view, QEvent::MouseMove, {0, 0}, Qt::NoButton); // no longer dragging
    EXPECT_EQ(doc.Origin(), (TPoint{130, 40}));

    const int max = doc.HorzScrollBar()->maximum();
    doc.ScrollTo({max - 10, 0});
    Mouse(view, QEvent::MouseButtonPress, {200, 200}, Qt::LeftButton);
    Mouse(view, QEvent::MouseMove, {170, 100}, Qt::LeftButton);
    EXPECT_EQ(doc.Origin(), (TPoint{max, 100}));
}

TEST_F(FullView, ExitAndEscapeLeave)
{
    view.SetDocument(&doc);
    view.show();
    Item(view, QStringLiteral("Exit1"))->trigger();
    EXPECT_FALSE(view.isVisible());
    view.show();
    QTest::keyClick(&view, Qt::Key_Escape);
    EXPECT_FALSE(view.isVisible());
}

} // namespace
