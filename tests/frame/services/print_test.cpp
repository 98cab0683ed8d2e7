#include "frame/services/printing.h"
#include "frame/services/printlayout.h"

#include "model/shem.h"

#include "docwin/messagebox.h"
#include "testenv.h"
#include "tests/frame/user/whenshown.h"

#include <QFileInfo>
#include <QFont>
#include <QPrinter>
#include <QProgressDialog>
#include <QPushButton>
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

TEST_F(PrintToPdf, ManyPagesAreAskedForAndTheirProgressCancels)
{
    TShem shem;
    // 130,000 by 8,000 printer pixels: over a hundred full pages, seconds of work.
    AddBox(shem, 0, 0, 65000, 4000);
    QPrinter printer(QPrinter::HighResolution);
    printer.setResolution(300);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QString pdf = m_dir.filePath("many.pdf");
    printer.setOutputFileName(pdf);
    const int pages = PrintPageCount(printer, shem);
    ASSERT_GT(pages, kPagesWithoutAsking);

    QStringList asked;
    auto answer = QMessageBox::No;
    SetMessageBoxHook(
        [&](QWidget*, QMessageBox::Icon, const QString& text, QMessageBox::StandardButtons) {
            asked.append(text);
            return answer;
        });
    PrintWithProgress(nullptr, printer, shem, QFont());
    ASSERT_EQ(asked.size(), 1);
    EXPECT_TRUE(asked[0].contains(QString::number(pages))) << asked[0].toStdString();
    EXPECT_FALSE(QFileInfo::exists(pdf)) << "No prints nothing";

    answer = QMessageBox::Yes;
    int reached = -1, of = -1;
    auto shown = test::WhenShown<QProgressDialog>(
        [&](QProgressDialog* progress) {
            reached = progress->value();
            of = progress->maximum();
            progress->findChild<QPushButton*>()->click();
        },
        60000);
    PrintWithProgress(nullptr, printer, shem, QFont());
    SetMessageBoxHook({});
    EXPECT_EQ(asked.size(), 2);
    ASSERT_TRUE(*shown) << "the job took over half a second and showed its progress";
    EXPECT_EQ(of, pages);
    EXPECT_LT(reached, pages - 1) << "Cancel stopped the job before its end";
}

TEST_F(PrintToPdf, AFewPagesAreNotAskedFor)
{
    TShem shem;
    AddBox(shem, 0, 0, 4000, 40);
    QPrinter printer(QPrinter::HighResolution);
    printer.setResolution(300);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(m_dir.filePath("few.pdf"));
    int messages = 0;
    SetMessageBoxHook(
        [&](QWidget*, QMessageBox::Icon, const QString&, QMessageBox::StandardButtons) {
            ++messages;
            return QMessageBox::No;
        });
    PrintWithProgress(nullptr, printer, shem, QFont());
    SetMessageBoxHook({});
    EXPECT_EQ(messages, 0);
    EXPECT_TRUE(QFileInfo(m_dir.filePath("few.pdf")).size() > 0);
}

} // namespace
} // namespace kb
