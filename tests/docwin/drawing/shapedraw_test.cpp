// Screen drawing of blocks and links on real images.
#include "docwin/drawing/icons.h"
#include "docwin/drawing/rastercanvas.h"
#include "docwin/drawing/shapedraw.h"
#include "tests/docwin/drawing/imagecheck.h"

#include <gtest/gtest.h>

#include <set>

using namespace kb;
using kbtest::Filled;
using kbtest::InkBounds;
using kbtest::IsBlack;
using kbtest::MakeBlock;

namespace {

constexpr TColor kWindow = RGBColor(192, 192, 192);
const QRgb kWindowRgb = qRgb(192, 192, 192);

TViewTransform Scale(int s)
{
    return TViewTransform{{0, 0}, s};
}

TEST(ViewTransform, MapsBothWaysRoundingHalvesToEven)
{
    const TViewTransform view{{0, 0}, 2, 0, 0};
    EXPECT_EQ(view.ToPixels({10, 20}), (TPoint{20, 40}));
    EXPECT_EQ(view.ToDiagram({1, 0}).x, 0);
    EXPECT_EQ(view.ToDiagram({2, 0}).x, 1);
    EXPECT_EQ(view.ToDiagram({3, 0}).x, 2);
    EXPECT_EQ(view.ToDiagram({5, 0}).x, 2);
    const TViewTransform scrolled{{3, 7}, 8, 10, 20};
    EXPECT_EQ(scrolled.ToPixels({3, 7}), (TPoint{10, 20}));
    EXPECT_EQ(scrolled.ToDiagram(scrolled.ToPixels({100, 200})), (TPoint{100, 200}));
}

// The arrowhead is 5 diagram units long: its barbs lie round(5s cos 20°)
// back from the tip and round(5s sin 20°) to each side.
TEST(Arrowhead, IsFiveUnitsLongAtScaleOneAndEight)
{
    for (auto [scale, back, side] : {std::tuple{1, 5, 2}, std::tuple{8, 38, 14}}) {
        QImage image = Filled(100, 100);
        {
            TRasterCanvas c(image);
            c.SetPenMode(TPenMode::Black);
            DrawArrowhead(c, {0, 50}, {80, 50}, scale);
        }
        EXPECT_EQ(InkBounds(image), QRect(QPoint(80 - back, 50 - side), QPoint(80, 50 + side)))
            << "scale " << scale;
    }
}

TEST(DrawLink, ZeroLengthLinkShrinksItsArrowheadsToTheTip)
{
    TShem shem;
    TShemObj* a = shem.Get(shem.AddBlock(MakeBlock(bkJoint, 9, 9, 11, 11)));
    TShemObj* b = shem.Get(shem.AddBlock(MakeBlock(bkJoint, 9, 9, 11, 11)));
    const TLink& link = kbtest::AddLink(shem, a, b, 7)->link();
    QImage image = Filled(60, 60);
    {
        TRasterCanvas c(image);
        DrawLink(c, shem, link, false, Scale(2), kWindow);
    }
    const QRect ink = InkBounds(image);
    EXPECT_TRUE(ink.isNull() || ink == QRect(20, 20, 1, 1)) << ink.x() << "," << ink.y();
}

TEST(DrawLink, StyleSevenIsDottedWithASolidArrowheadAtEachEnd)
{
    TShem shem;
    TShemObj* a = shem.Get(shem.AddBlock(MakeBlock(bkJoint, 4, 10, 6, 12)));
    TShemObj* b = shem.Get(shem.AddBlock(MakeBlock(bkJoint, 54, 10, 56, 12)));
    QImage image = Filled(120, 40);
    {
        TRasterCanvas c(image);
        DrawLink(c, shem, kbtest::AddLink(shem, a, b, 7)->link(), false, Scale(2), kWindow);
    }
    // The line runs at y = 22 from x = 10 to 110; the barbs reach 10 back.
    EXPECT_TRUE(IsBlack(image, 10, 22) && IsBlack(image, 110, 22));
    EXPECT_TRUE(IsBlack(image, 19, 19) || IsBlack(image, 19, 18));   // barb at A
    EXPECT_TRUE(IsBlack(image, 101, 25) || IsBlack(image, 101, 26)); // barb at B
    const int mid = kbtest::InkCount(image, {40, 22, 40, 1});
    EXPECT_GT(mid, 10);
    EXPECT_LT(mid, 30); // dotted
}

TEST(DrawLink, StyleZeroAndFourHaveNoArrowhead)
{
    for (int style : {0, 4}) {
        TShem shem;
        TShemObj* a = shem.Get(shem.AddBlock(MakeBlock(bkJoint, 4, 10, 6, 12)));
        TShemObj* b = shem.Get(shem.AddBlock(MakeBlock(bkJoint, 54, 10, 56, 12)));
        QImage image = Filled(120, 40);
        {
            TRasterCanvas c(image);
            DrawLink(c, shem, kbtest::AddLink(shem, a, b, style)->link(), false, Scale(2), kWindow);
        }
        EXPECT_EQ(InkBounds(image).height(), 1) << style;
    }
}

// A dotted Document draws its wave at the multiples of 4 and the four columns
// after each skipped stretch: x = 0, 5, 6, 7, 8, 13, 14, 15, 16, ...
TEST(DrawBlock, DottedDocumentWaveComesInDashes)
{
    Block doc = MakeBlock(bkDocument, 0, 0, 40, 40);
    doc.Dotted = true;
    QImage image = Filled(50, 50);
    {
        TRasterCanvas c(image);
        DrawBlock(c, doc, false, Scale(1), kWindow);
    }
    std::set<int> columns;
    for (int x = 1; x <= 20; ++x)
        if (kbtest::InkCount(image, {x, 2, 1, 48})) columns.insert(x);
    EXPECT_EQ(columns, (std::set<int>{5, 6, 7, 8, 13, 14, 15, 16}));
}

// 8 units high at scale 1: 2a = 2, so the right side stops 2 pixels above
// the bottom, where the wave ends, and the wave starts at (L, B).
TEST(DrawBlock, DocumentRightSideMeetsTheWaveTwoPixelsAboveTheBottom)
{
    QImage image = Filled(40, 20);
    {
        TRasterCanvas c(image);
        DrawBlock(c, MakeBlock(bkDocument, 5, 5, 35, 13), false, Scale(1), kWindow);
    }
    for (int y = 5; y <= 11; ++y)
        EXPECT_TRUE(IsBlack(image, 35, y)) << y;
    EXPECT_FALSE(IsBlack(image, 35, 12));
    EXPECT_TRUE(IsBlack(image, 5, 13));
}

TEST(DrawBlock, ZeroWidthDocumentDoesNotFail)
{
    QImage image = Filled(20, 20);
    TRasterCanvas c(image);
    DrawBlock(c, MakeBlock(bkDocument, 5, 2, 5, 10), true, Scale(2), kWindow);
}

TEST(DrawBlock, FilledDividerIsFloodFilledUnlessDotted)
{
    for (bool dotted : {false, true}) {
        Block divider = MakeBlock(bkDivider, 2, 2, 30, 30);
        divider.Filled = true;
        divider.Dotted = dotted;
        QImage image = Filled(70, 70);
        {
            TRasterCanvas c(image);
            DrawBlock(c, divider, false, Scale(2), kWindow);
        }
        EXPECT_EQ(image.pixel(32, 32), dotted ? qRgb(255, 255, 255) : kWindowRgb) << dotted;
        EXPECT_EQ(image.pixel(1, 1), qRgb(255, 255, 255));
    }
}

// Handles paint with a black brush; the brush must be back to the window
// colour before the next block fills with it.
TEST(DrawBlock, FilledRectangleAfterASelectedBlockGetsTheWindowColour)
{
    for (int first : {bkEllipse, bkJoint}) {
        Block rect = MakeBlock(bkRectangle, 2, 20, 30, 40);
        rect.Filled = true;
        QImage image = Filled(70, 90);
        {
            TRasterCanvas c(image);
            DrawBlock(c, MakeBlock(first, 2, 2, 30, 15), true, Scale(2), kWindow);
            DrawBlock(c, rect, false, Scale(2), kWindow);
        }
        EXPECT_EQ(image.pixel(30, 60), kWindowRgb) << "after kind " << first;
    }
}

TEST(DrawBlock, FilledDottedRectangleIsNotFilled)
{
    Block rect = MakeBlock(bkRectangle, 2, 2, 30, 20);
    rect.Filled = rect.Dotted = true;
    QImage image = Filled(70, 50);
    {
        TRasterCanvas c(image);
        DrawBlock(c, rect, false, Scale(2), kWindow);
    }
    EXPECT_EQ(image.pixel(30, 20), qRgb(255, 255, 255));
}

bool IsHandle(const QImage& image, int x, int y)
{
    return kbtest::InkCount(image, {x - 2, y - 2, 4, 4}) == 16;
}

TEST(DrawBlock, SelectionHandlesByKind)
{
    auto drawn = [](const Block& b) {
        QImage image = Filled(80, 60);
        TRasterCanvas c(image);
        DrawBlock(c, b, true, Scale(2), kWindow);
        return image;
    };
    // (L, T, R, B) = (10, 10, 70, 50) in pixels; midpoints (40, 30).
    const QImage rect = drawn(MakeBlock(bkRectangle, 5, 5, 35, 25));
    for (auto [x, y] : {std::pair{10, 10}, {70, 10}, {70, 50}, {10, 50}, {40, 10}, {70, 30}})
        EXPECT_TRUE(IsHandle(rect, x, y)) << x << "," << y;

    const QImage ellipse = drawn(MakeBlock(bkEllipse, 5, 5, 35, 25));
    EXPECT_TRUE(IsHandle(ellipse, 40, 10) && IsHandle(ellipse, 10, 30));
    EXPECT_FALSE(IsHandle(ellipse, 10, 10));

    const QImage joint = drawn(MakeBlock(bkJoint, 5, 5, 7, 7));
    EXPECT_EQ(InkBounds(joint), QRect(10, 10, 4, 4)); // a black dot, no handles

    const QImage text = drawn(MakeBlock(bkText, 5, 5, 35, 25));
    EXPECT_TRUE(IsHandle(text, 70, 50));
    EXPECT_GT(kbtest::InkCount(text, {20, 10, 40, 1}), 5); // the dotted frame
}

TEST(DrawBlock, UnselectedTextBlockDrawsOnlyItsText)
{
    QImage image = Filled(100, 60);
    {
        TRasterCanvas c(image);
        c.SetFont({"Arial", 8});
        c.SetFontColor(clBlack);
        DrawBlock(c, MakeBlock(bkText, 5, 5, 45, 25, "Begin"), false, Scale(2), kWindow);
    }
    const QRect ink = kbtest::PaintedBounds(image);
    EXPECT_FALSE(ink.isNull());
    EXPECT_GT(ink.left(), 10);
    EXPECT_GT(ink.top(), 10);
    EXPECT_LT(ink.bottom(), 30);
}

TEST(DrawEntries, DrawsWhatTouchesTheRegionAndMarksTheSelection)
{
    TShem shem;
    TShemObj* near = shem.Get(shem.AddBlock(MakeBlock(bkRectangle, 5, 5, 20, 20)));
    shem.AddBlock(MakeBlock(bkRectangle, 500, 500, 520, 520));
    QImage image = Filled(100, 100);
    {
        TRasterCanvas c(image);
        DrawEntries(
            c, shem, {0, 0, 50, 50}, Scale(2), [&](const TShemObj& e) { return &e == near; },
            kWindow);
    }
    EXPECT_TRUE(IsHandle(image, 10, 10));
}

TEST(Icons, EveryKindAndLinkStyleHasItsOwnPicture)
{
    std::vector<QImage> seen;
    for (int kind = 0; kind < kBlockKindCount; ++kind)
        seen.push_back(KindImage(kind));
    for (int style = 0; style < 8; ++style)
        seen.push_back(LinkStyleImage(style));
    for (size_t i = 0; i < seen.size(); ++i) {
        EXPECT_EQ(seen[i].size(), QSize(16, 16));
        EXPECT_NE(seen[i], KindImage(-1)) << i; // not blank
        for (size_t j = 0; j < i; ++j)
            EXPECT_NE(seen[i], seen[j]) << i << " " << j;
    }
    EXPECT_FALSE(KindIcon(3).isNull());
    EXPECT_EQ(KindImage(10), KindImage(-1));
    EXPECT_EQ(KindImage(-1).pixel(8, 8), 0u); // transparent
}

} // namespace
