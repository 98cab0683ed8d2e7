// The link style list's pictures and the link dialog's result.
#include "frame/dialogs/linkprop.h"
#include "frame/dialogs/linkstylelist.h"
#include "tests/frame/dialogs/dialogrun.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

using namespace kb;

namespace {

QImage DrawItem(int style, bool selected = false, QColor background = Qt::white)
{
    QImage image(100, 16, QImage::Format_RGB32);
    image.fill(Qt::gray);
    QPainter p(&image);
    DrawLinkStyleItem(p, QRect(0, 0, 100, 16), style, selected, background);
    return image;
}

bool IsInk(const QImage& image, int x, int y, QColor ink = Qt::black)
{
    return image.pixelColor(x, y) == ink;
}

int InkAlongLine(const QImage& image)
{
    int n = 0;
    for (int x = 3; x < 97; ++x)
        n += IsInk(image, x, 8);
    return n;
}

TEST(LinkStyleList, ArrowBitsDrawHeadsAtTheirEnds)
{
    const QImage plain = DrawItem(0);
    const QImage right = DrawItem(1);
    const QImage left = DrawItem(2);
    const QImage both = DrawItem(3);
    EXPECT_EQ(plain.pixelColor(0, 0), QColor(Qt::white)) << "the item is filled first";
    EXPECT_FALSE(IsInk(plain, 90, 5));
    EXPECT_FALSE(IsInk(plain, 10, 5));
    EXPECT_TRUE(IsInk(right, 90, 5));
    EXPECT_FALSE(IsInk(right, 10, 5));
    EXPECT_TRUE(IsInk(left, 10, 5));
    EXPECT_FALSE(IsInk(left, 90, 5));
    EXPECT_TRUE(IsInk(both, 90, 5) && IsInk(both, 10, 5));
    EXPECT_EQ(InkAlongLine(plain), 94);
}

TEST(LinkStyleList, HighStylesAreDottedAndSelectedItemsWhite)
{
    const QImage dotted = DrawItem(5);
    EXPECT_TRUE(IsInk(dotted, 90, 5)) << "the head stays solid";
    EXPECT_GT(InkAlongLine(dotted), 20);
    EXPECT_LT(InkAlongLine(dotted), 80);
    const QImage selected = DrawItem(0, true, Qt::darkBlue);
    EXPECT_EQ(InkAlongLine(selected), 0);
    EXPECT_TRUE(IsInk(selected, 50, 8, Qt::white));
}

TEST(LinkDialog, OkGivesTheChosenStyleAndCancelNothing)
{
    TLinkPropForm dialog;
    EXPECT_EQ(dialog.StyleList()->count(), 8);
    uint8_t style = 1;
    test::WhenShown(dialog, [&] {
        EXPECT_EQ(dialog.Style(), 1);
        dialog.StyleList()->setCurrentIndex(6);
    });
    EXPECT_TRUE(dialog.Edit(style));
    EXPECT_EQ(style, 6);
    test::WhenShown(
        dialog, [&] { dialog.StyleList()->setCurrentIndex(2); }, false);
    EXPECT_FALSE(dialog.Edit(style));
    EXPECT_EQ(style, 6);
}

} // namespace
