// The print renderer: origin, area, black on white, fills that hide.
#include "docwin/drawing/paintercanvas.h"
#include "docwin/drawing/rastercanvas.h"
#include "tests/docwin/drawing/imagecheck.h"

#include <QPicture>
#include <gtest/gtest.h>

using namespace kb;
using kbtest::Filled;
using kbtest::IsBlack;
using kbtest::MakeBlock;

namespace {

const QRgb kWhite = qRgb(255, 255, 255);

QImage Rendered(const TShem& shem, int scale, QColor background = Qt::white)
{
    const TRect area = shem.RenderArea(scale);
    QImage image = Filled(std::max(area.Right, 1) + 1, std::max(area.Bottom, 1) + 1, background);
    TRasterCanvas c(image);
    shem.Render(scale, {"Arial", 8}, c);
    return image;
}

TEST(Render, OriginKeepsTwoUnitsOfMarginButNeverGoesBelowZero)
{
    TShem nearEdge;
    nearEdge.AddBlock(MakeBlock(bkRectangle, 1, 5, 21, 15));
    EXPECT_EQ(nearEdge.RenderOrigin(), (TPoint{0, 3}));
    EXPECT_EQ(nearEdge.RenderArea(2), (TRect{0, 0, 42, 24}));

    TShem far;
    far.AddBlock(MakeBlock(bkRectangle, 100, 100, 120, 110));
    EXPECT_EQ(far.RenderOrigin(), (TPoint{98, 98}));
    const QImage image = Rendered(far, 2);
    EXPECT_EQ(kbtest::InkBounds(image), QRect(QPoint(4, 4), QPoint(43, 23)));
}

TEST(Render, EmptyDiagramFillsNothing)
{
    TShem empty;
    EXPECT_EQ(empty.RenderOrigin(), (TPoint{65533, 65533}));
    EXPECT_LT(empty.RenderArea(2).Right, 0);
    const QImage image = Rendered(empty, 2, Qt::gray);
    EXPECT_EQ(image, Filled(image.width(), image.height(), Qt::gray));
}

TEST(Render, PaintsTheAreaWhiteAndTheOutlinesAndTextBlack)
{
    TShem shem;
    shem.AddBlock(MakeBlock(bkRectangle, 2, 2, 60, 30, "WWWW"));
    const QImage image = Rendered(shem, 2, Qt::red);
    EXPECT_EQ(image.pixel(1, 1), kWhite);
    EXPECT_TRUE(IsBlack(image, 4, 4));
    EXPECT_TRUE(kbtest::PaintedBounds(image.copy(8, 8, 104, 40)).isValid()); // the text
    for (int y = 0; y < image.height() - 1; ++y)
        for (int x = 0; x < image.width() - 1; ++x)
            ASSERT_EQ(qRed(image.pixel(x, y)), qGreen(image.pixel(x, y))) << x << "," << y;
}

// A link drawn first runs behind a filled shape drawn later.
class RenderFill : public ::testing::TestWithParam<int>
{
protected:
    QImage Drawn(bool filled, bool dotted)
    {
        TShem shem;
        TShemObj* a = shem.Get(shem.AddBlock(MakeBlock(bkJoint, 0, 14, 2, 16)));
        TShemObj* b = shem.Get(shem.AddBlock(MakeBlock(bkJoint, 80, 14, 82, 16)));
        kbtest::AddLink(shem, a, b, 0);
        Block shape = MakeBlock(GetParam(), 10, 2, 70, 40);
        shape.Filled = filled;
        shape.Dotted = dotted;
        shem.AddBlock(shape);
        return Rendered(shem, 2);
    }
    // The link's line inside the shape, at (40, 15) in diagram units; off the
    // centre, where the divider's fill starts.
    static bool LinkShows(const QImage& image) { return IsBlack(image, 80, 30); }
};

TEST_P(RenderFill, FilledShapeHidesWhatLiesBehindItUnlessDotted)
{
    EXPECT_TRUE(LinkShows(Drawn(false, false)));
    EXPECT_FALSE(LinkShows(Drawn(true, false)));
    EXPECT_TRUE(LinkShows(Drawn(true, true)));
}

// The divider is flood-filled up to black pixels, so a line across it stays.
INSTANTIATE_TEST_SUITE_P(FillableKinds, RenderFill,
                         ::testing::Values(bkRectangle, bkEllipse, bkRhomb, bkParallelogram));

TEST(Render, DottedDocumentWaveInDashesFromTheLeftEdge)
{
    // x1 = 0 on paper needs a block at x = 0: pixels at 0, 5, 6, 7, 8, 13, ...
    TShem shem;
    Block doc = MakeBlock(bkDocument, 0, 2, 40, 42);
    doc.Dotted = true;
    shem.AddBlock(doc);
    const QImage image = Rendered(shem, 1);
    for (int x : {5, 6, 7, 8, 13})
        EXPECT_GT(kbtest::InkCount(image, {x, 30, 1, 13}), 0) << x;
    for (int x : {1, 2, 3, 4, 9, 10, 11, 12})
        EXPECT_EQ(kbtest::InkCount(image, {x, 30, 1, 13}), 0) << x;
}

// Paper goes through a metafile-like recording; the divider's fill must work
// there too, by its outline.
TEST(Render, FilledDividerOnAVectorDevice)
{
    TShem shem;
    TShemObj* a = shem.Get(shem.AddBlock(MakeBlock(bkJoint, 0, 14, 2, 16)));
    TShemObj* b = shem.Get(shem.AddBlock(MakeBlock(bkJoint, 44, 14, 46, 16)));
    kbtest::AddLink(shem, a, b, 0);
    Block divider = MakeBlock(bkDivider, 2, 2, 40, 40);
    divider.Filled = true;
    shem.AddBlock(divider);
    QPicture picture;
    {
        TPainterCanvas c(&picture);
        shem.Render(2, {"Arial", 8}, c);
    }
    QImage image = Filled(100, 90, Qt::red);
    {
        QPainter p(&image);
        picture.play(&p);
    }
    EXPECT_EQ(image.pixel(40, 30), kWhite); // the link is hidden inside
    EXPECT_TRUE(IsBlack(image, 84, 30));    // and shows outside
    EXPECT_TRUE(IsBlack(image, 40, 4));
}

} // namespace
