// The raster canvas: pixel coverage, pen modes and the scan-line flood fill.
#include "docwin/drawing/paintercanvas.h"
#include "docwin/drawing/rastercanvas.h"
#include "tests/docwin/drawing/imagecheck.h"

#include <QPicture>
#include <gtest/gtest.h>

#include <random>

using namespace kb;
using kbtest::Filled;
using kbtest::InkBounds;
using kbtest::IsBlack;

namespace {

void BlackPen(TCanvas& c, TBrushStyle brush = TBrushStyle::Clear)
{
    c.SetPenMode(TPenMode::Black);
    c.SetPenStyle(TPenStyle::Solid);
    c.SetBrushStyle(brush);
}

TEST(RasterCanvas, RectangleAndEllipseCoverUpToButNotIncludingTheFarCorner)
{
    for (bool ellipse : {false, true}) {
        QImage image = Filled(40, 40);
        {
            TRasterCanvas c(image);
            BlackPen(c, TBrushStyle::Solid);
            c.SetBrushColor(RGBColor(255, 0, 0));
            ellipse ? c.Ellipse({5, 6, 25, 16}) : c.Rectangle({5, 6, 25, 16});
        }
        EXPECT_EQ(InkBounds(image), QRect(QPoint(5, 6), QPoint(24, 15))) << ellipse;
        EXPECT_EQ(image.pixel(15, 11), qRgb(255, 0, 0)) << ellipse;
    }
}

TEST(RasterCanvas, LineToLeavesOutItsEndPointAndMoves)
{
    QImage image = Filled(20, 20);
    {
        TRasterCanvas c(image);
        BlackPen(c);
        c.MoveTo({2, 3});
        c.LineTo({10, 3});
        c.LineTo({10, 9});
    }
    EXPECT_TRUE(IsBlack(image, 2, 3));
    EXPECT_TRUE(IsBlack(image, 10, 3)); // the second line's start
    EXPECT_TRUE(IsBlack(image, 10, 8));
    EXPECT_FALSE(IsBlack(image, 10, 9));
}

TEST(RasterCanvas, BlackModeIgnoresThePenColourAndCopyModeUsesIt)
{
    QImage image = Filled(20, 4);
    {
        TRasterCanvas c(image);
        c.SetPenColor(RGBColor(0, 0, 255));
        c.SetPenMode(TPenMode::Black);
        c.MoveTo({0, 1});
        c.LineTo({10, 1});
        c.SetPenMode(TPenMode::Copy);
        c.MoveTo({0, 2});
        c.LineTo({10, 2});
    }
    EXPECT_EQ(image.pixel(5, 1), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(5, 2), qRgb(0, 0, 255));
}

TEST(RasterCanvas, DottedPenLeavesGaps)
{
    QImage image = Filled(20, 3);
    {
        TRasterCanvas c(image);
        BlackPen(c);
        c.SetPenStyle(TPenStyle::Dotted);
        c.MoveTo({0, 1});
        c.LineTo({20, 1});
    }
    const int inked = kbtest::InkCount(image, {0, 1, 20, 1});
    EXPECT_GT(inked, 5);
    EXPECT_LT(inked, 15);
}

// The drag feedback of the editing tools: drawn twice, it must leave no trace
// on any background, whatever the figure.
TEST(RasterCanvas, InvertingPenDrawnTwiceRestoresTheImage)
{
    QImage image = Filled(60, 60, QColor(192, 192, 192));
    for (int i = 0; i < 60; i += 7)
        image.setPixel(i, i, qRgb(10, 200, 30));
    const QImage before = image.copy();
    auto feedback = [](TCanvas& c) {
        c.SetPenMode(TPenMode::Not);
        c.SetPenStyle(TPenStyle::Dotted);
        c.SetBrushStyle(TBrushStyle::Clear);
        c.Rectangle({5, 5, 40, 30});
        c.MoveTo({3, 50});
        c.LineTo({55, 20});
        c.LineTo({50, 58});
        const TPoint tri[] = {{10, 40}, {30, 55}, {5, 58}};
        c.Polygon(tri, 3);
    };
    {
        TRasterCanvas c(image);
        feedback(c);
    }
    EXPECT_NE(image, before);
    {
        TRasterCanvas c(image);
        feedback(c);
    }
    EXPECT_EQ(image, before);
}

class FloodFill : public ::testing::Test
{
protected:
    // A closed diamond with diagonal (8-connected) sides around (20, 20).
    void Diamond(TCanvas& c)
    {
        BlackPen(c);
        c.MoveTo({20, 5});
        c.LineTo({35, 20});
        c.LineTo({20, 35});
        c.LineTo({5, 20});
        c.LineTo({20, 5});
    }
    void Fill(TCanvas& c, TPoint seed)
    {
        c.SetBrushColor(RGBColor(255, 0, 0));
        c.SetBrushStyle(TBrushStyle::Solid);
        c.FloodFill(seed, clBlack);
    }

    QImage image = Filled(40, 40);
    const QRgb red = qRgb(255, 0, 0);
};

TEST_F(FloodFill, FillsInsideDiagonalBordersWithoutLeaking)
{
    {
        TRasterCanvas c(image);
        Diamond(c);
        Fill(c, {20, 20});
    }
    EXPECT_EQ(image.pixel(20, 20), red);
    EXPECT_EQ(image.pixel(20, 7), red);
    EXPECT_EQ(image.pixel(33, 20), red);
    EXPECT_EQ(image.pixel(2, 2), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(30, 30), qRgb(255, 255, 255));
    EXPECT_TRUE(IsBlack(image, 20, 5));
}

// Pixels that already have the fill colour are part of the area: the fill
// must go on past them rather than stop there.
TEST_F(FloodFill, CrossesPixelsAlreadyOfTheFillColour)
{
    {
        TRasterCanvas c(image);
        Diamond(c);
        c.SetBrushColor(RGBColor(255, 0, 0));
        c.FillRect({19, 10, 21, 30}); // a red column cuts the inside in two
        Fill(c, {12, 20});
    }
    EXPECT_EQ(image.pixel(12, 20), red);
    EXPECT_EQ(image.pixel(28, 20), red);
    EXPECT_EQ(image.pixel(2, 2), qRgb(255, 255, 255));
}

TEST_F(FloodFill, DoesNothingOnTheBorderOutsideTheImageOrWithAClearBrush)
{
    const QImage before = [&] {
        TRasterCanvas c(image);
        Diamond(c);
        return image.copy();
    }();
    {
        TRasterCanvas c(image);
        Fill(c, {20, 5});
        Fill(c, {-3, 20});
        Fill(c, {20, 400});
        c.SetBrushStyle(TBrushStyle::Clear);
        c.FloodFill({20, 20}, clBlack);
    }
    EXPECT_EQ(image, before);
}

// Vector devices cannot search pixels: the outline just traced is filled and
// stroked again, so it keeps its black border.
TEST_F(FloodFill, OnAVectorDeviceFillsTheTracedOutline)
{
    QPicture picture;
    {
        TPainterCanvas c(&picture);
        Diamond(c);
        Fill(c, {20, 20});
    }
    {
        QPainter p(&image);
        picture.play(&p);
    }
    EXPECT_EQ(image.pixel(20, 20), red);
    EXPECT_EQ(image.pixel(2, 2), qRgb(255, 255, 255));
    EXPECT_TRUE(IsBlack(image, 20, 5));
}

// Printing draws through its own painter, scaled to the printer's pixels.
TEST(PainterCanvas, DrawsWithTheCallersPainterAndLeavesItAsItWas)
{
    QImage image = Filled(40, 40);
    QPainter painter(&image);
    painter.scale(2, 2);
    painter.setPen(Qt::red);
    {
        TPainterCanvas c(painter);
        BlackPen(c, TBrushStyle::Solid);
        c.SetBrushColor(RGBColor(0, 0, 255));
        c.Rectangle({5, 5, 15, 15});
    }
    EXPECT_EQ(painter.pen().color(), QColor(Qt::red));
    EXPECT_EQ(painter.compositionMode(), QPainter::CompositionMode_SourceOver);
    painter.end();
    EXPECT_EQ(image.pixel(20, 20), qRgb(0, 0, 255));
    EXPECT_EQ(image.pixel(8, 8), qRgb(255, 255, 255));
}

// A picture drawn a band at a time must equal the picture drawn whole: a
// canvas that shows only part of the diagram clips each line exactly, also
// lines that pass wholly beside, above or below it.
TEST(RasterCanvas, LinesDrawnIntoAWindowEqualThatPartOfTheWhole)
{
    std::mt19937 rng(9);
    const QRect window(70, 80, 60, 40);
    // Half the ends on or next to the window's edges, where clipping errs.
    const int32_t edges[] = {69, 70, 71, 79, 80, 81, 118, 119, 120, 128, 129, 130};
    auto coordinate = [&] { return rng() % 2 ? int32_t(rng() % 200) : edges[rng() % 12]; };
    for (int round = 0; round < 40; ++round) {
        QImage whole = Filled(200, 200), part = Filled(window.width(), window.height());
        std::vector<std::pair<TPoint, TPoint>> lines;
        for (int k = 0; k < 40; ++k)
            lines.push_back({{coordinate(), coordinate()}, {coordinate(), coordinate()}});
        for (QImage* image : {&whole, &part}) {
            TRasterCanvas c(*image, image == &part ? TPoint{window.x(), window.y()} : TPoint{});
            BlackPen(c);
            c.SetPenStyle(round % 2 ? TPenStyle::Dotted : TPenStyle::Solid);
            for (const auto& [a, b] : lines) {
                c.MoveTo(a);
                c.LineTo(b);
            }
        }
        ASSERT_EQ(part, whole.copy(window)) << "round " << round;
    }
}

// Picture export draws in grey to save memory; figures and flood fill
// work there as on colour images.
TEST(RasterCanvas, DrawsOnGreyImagesAndConvertsOtherFormats)
{
    QImage grey(8, 8, QImage::Format_Grayscale8);
    grey.fill(255);
    QImage indexed(8, 8, QImage::Format_Indexed8);
    indexed.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
    indexed.fill(0);
    for (QImage* image : {&grey, &indexed}) {
        {
            TRasterCanvas c(*image);
            c.SetPenMode(TPenMode::Black);
            c.Rectangle({0, 0, 8, 8});
            c.SetBrushColor(RGBColor(128, 128, 128));
            c.SetBrushStyle(TBrushStyle::Solid);
            c.FloodFill({4, 4}, clBlack);
        }
        EXPECT_TRUE(image->depth() == 8 || image->depth() == 32);
        EXPECT_EQ(image->pixel(0, 0), qRgb(0, 0, 0));
        EXPECT_EQ(image->pixel(4, 4), qRgb(128, 128, 128));
    }
    EXPECT_EQ(grey.format(), QImage::Format_Grayscale8);
    EXPECT_EQ(indexed.format(), QImage::Format_RGB32);
}

} // namespace
