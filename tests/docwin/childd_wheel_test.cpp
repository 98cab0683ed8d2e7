// The mouse wheel over a document window: scrolling both ways, touchpad
// pixel deltas that add up, and Ctrl+wheel zooming around the pointer.
#include "docwin/childd.h"
#include "tests/docwin/fakehost.h"

#include <QApplication>
#include <QScrollBar>
#include <QWheelEvent>
#include <gtest/gtest.h>

using namespace kb;
using kb::test::TFakeHost;

namespace {

class ChildDWheel : public ::testing::Test
{
protected:
    void SetUp() override
    {
        doc.show();
        doc.resize(400 + TChildD::kScrollBarThickness, 300 + TChildD::kScrollBarThickness);
        doc.ScrollTo({1000, 1000});
    }

    // What a mouse or touchpad sends over the pixel at (x, y).
    void Wheel(QPoint angle, QPoint pixels = {}, Qt::KeyboardModifiers keys = Qt::NoModifier,
               QPoint at = {200, 150})
    {
        QWheelEvent e(QPointF(at), QPointF(doc.mapToGlobal(at)), pixels, angle, Qt::NoButton, keys,
                      pixels.isNull() ? Qt::NoScrollPhase : Qt::ScrollUpdate, false);
        QApplication::sendEvent(&doc, &e);
    }

    TFakeHost host;
    TChildD doc{host};
};

} // namespace

TEST_F(ChildDWheel, WheelScrollsDownAndUpShiftWheelSideways)
{
    Wheel({0, -120}); // one notch towards the user
    const TPoint down = doc.Origin();
    EXPECT_EQ(down.x, 1000);
    EXPECT_GT(down.y, 1000);
    EXPECT_EQ(doc.VertScrollBar()->value(), down.y);

    Wheel({0, 120});
    EXPECT_EQ(doc.Origin(), (TPoint{1000, 1000}));

    Wheel({0, -120}, {}, Qt::ShiftModifier);
    EXPECT_GT(doc.Origin().x, 1000);
    EXPECT_EQ(doc.Origin().y, 1000);
    EXPECT_EQ(doc.HorzScrollBar()->value(), doc.Origin().x);
}

TEST_F(ChildDWheel, SmallTouchpadMovesAddUpInsteadOfBeingLost)
{
    // At scale 2 a diagram unit is two pixels: single pixels must add up.
    for (int i = 0; i < 10; ++i)
        Wheel({0, -1}, {0, -1});
    EXPECT_EQ(doc.Origin().y, 1005);
    // High-resolution wheels send fractions of a notch.
    const int before = doc.Origin().y;
    for (int i = 0; i < 4; ++i)
        Wheel({0, -30});
    EXPECT_GT(doc.Origin().y, before);
}

TEST_F(ChildDWheel, CtrlWheelStepsTheScaleAndKeepsThePointUnderThePointer)
{
    const QPoint at(137, 91);
    const TPoint under = doc.ToDiagram({at.x(), at.y()});
    Wheel({0, 120}, {}, Qt::ControlModifier, at);
    EXPECT_EQ(doc.Scale(), 4);
    EXPECT_EQ(doc.ToDiagram({at.x(), at.y()}), under);
    Wheel({0, 120}, {}, Qt::ControlModifier, at);
    Wheel({0, 120}, {}, Qt::ControlModifier, at);
    EXPECT_EQ(doc.Scale(), 8) << "8 is the largest scale";
    EXPECT_EQ(doc.ToDiagram({at.x(), at.y()}), under);

    for (int i = 0; i < 5; ++i)
        Wheel({0, -120}, {}, Qt::ControlModifier, at);
    EXPECT_EQ(doc.Scale(), 1);
    EXPECT_EQ(doc.ToDiagram({at.x(), at.y()}), under);

    // Half a notch at a time from a touchpad pinch-scroll is one step per notch.
    Wheel({0, 60}, {}, Qt::ControlModifier, at);
    EXPECT_EQ(doc.Scale(), 1);
    Wheel({0, 60}, {}, Qt::ControlModifier, at);
    EXPECT_EQ(doc.Scale(), 2);
}

TEST_F(ChildDWheel, ScrollingStopsAtTheDiagramEdges)
{
    doc.ScrollTo({0, 0});
    Wheel({0, 120});
    EXPECT_EQ(doc.Origin(), (TPoint{0, 0}));
    for (int i = 0; i < 2000; ++i)
        Wheel({0, -1200});
    EXPECT_EQ(doc.Origin().y, doc.VertScrollBar()->maximum());
    EXPECT_LE(doc.Origin().y, kMaxCoord);
}
