#include "frame/services/printing.h"
#include "frame/services/printlayout.h"

#include "model/shem.h"

#include "testenv.h"

#include <QPrinter>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace kb {
namespace {

TEST(PrintLayout, WholeFactorIsTheSmallerOfBothDirections)
{
    EXPECT_EQ(PrintFactor({100, 100}, {350, 250}), 2); // fits three across, two down
    EXPECT_EQ(PrintFactor({100, 100}, {100, 100}), 1);
    EXPECT_EQ(PrintFactor({101, 50}, {100, 1000}), 0);
    EXPECT_EQ(PrintFactor({0, 50}, {100, 100}), 0);
}

TEST(PrintLayout, PictureTwoAndAHalfPagesWideGivesThreeStrips)
{
    const std::vector<QRect> tiles = PrintTiles({250, 80}, {100, 120});
    ASSERT_EQ(tiles.size(), 3u);
    EXPECT_EQ(tiles[0], QRect(0, 0, 100, 80));
    EXPECT_EQ(tiles[1], QRect(100, 0, 100, 80));
    EXPECT_EQ(tiles[2], QRect(200, 0, 50, 80)); // half a page of picture
}

TEST(PrintLayout, RowsBelowTheFirstPageGoOnFurtherPages)
{
    const std::vector<QRect> tiles = PrintTiles({150, 250}, {100, 100});
    ASSERT_EQ(tiles.size(), 6u);
    EXPECT_EQ(tiles[1], QRect(100, 0, 50, 100));
    EXPECT_EQ(tiles[2], QRect(0, 100, 100, 100));
    EXPECT_EQ(tiles[5], QRect(100, 200, 50, 50));
    EXPECT_TRUE(PrintTiles({0, 0}, {100, 100}).empty());
}

class PrintToPdf : public ::testing::Test
{
protected:
    int PrintedPages(const TShem& shem)
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setResolution(300);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(m_dir.filePath("out.pdf"));
        QString error;
        if (!PrintTo(printer, shem, TFont{}, &error)) return -1;
        const QString pdf = QString::fromLatin1(test::ReadAll(m_dir.filePath("out.pdf")));
        return int(pdf.count(QRegularExpression("/Type\\s*/Page[^s]")));
    }
    static void AddBox(TShem& shem, int left, int top, int right, int bottom)
    {
        Block b;
        b.SetRect({left, top, right, bottom});
        b.Text = "box";
        shem.AddBlock(b);
    }

    QTemporaryDir m_dir;
};

TEST_F(PrintToPdf, SmallDiagramOnOnePage)
{
    TShem shem;
    AddBox(shem, 10, 10, 90, 30);
    EXPECT_EQ(PrintedPages(shem), 1);
}

TEST_F(PrintToPdf, WideDiagramSpreadsOverSeveralPages)
{
    // 300 dpi A4 is about 2400 printer pixels wide: 2 x 4000 units is over three pages.
    TShem shem;
    AddBox(shem, 0, 0, 4000, 40);
    EXPECT_GE(PrintedPages(shem), 4);
}

} // namespace
} // namespace kb
