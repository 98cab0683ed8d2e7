// Text layout: mnemonic ampersands, line breaks, word wrap and whole lines only.
#include "docwin/drawing/rastercanvas.h"
#include "docwin/drawing/textlayout.h"
#include "tests/docwin/drawing/imagecheck.h"

#include <gtest/gtest.h>

using namespace kb;

namespace {

QFontMetrics Metrics()
{
    return QFontMetrics(ToQFont({"Arial", 8}));
}

QStringList Lines(const QString& text, int width)
{
    QStringList out;
    for (const TTextLine& l : WrapText(text, width, Metrics()))
        out << text.mid(l.Start, l.Length);
    return out;
}

TEST(Mnemonics, AmpersandUnderlinesTheNextCharacterAndTwoShowOne)
{
    const TMnemonicText plain = StripMnemonics("a&&b");
    EXPECT_EQ(plain.Text, "a&b");
    EXPECT_TRUE(plain.Underlined.empty());

    const TMnemonicText marked = StripMnemonics("&File &&&Save&");
    EXPECT_EQ(marked.Text, "File &Save");
    EXPECT_EQ(marked.Underlined, (std::vector<int>{0, 6}));
}

TEST(WrapText, BreaksAtEveryKindOfLineBreakAndKeepsEmptyLines)
{
    EXPECT_EQ(Lines("one\r\ntwo\r\n\r\nfour", 1000), (QStringList{"one", "two", "", "four"}));
    EXPECT_EQ(Lines("a\nb\rc", 1000), (QStringList{"a", "b", "c"}));
    EXPECT_EQ(Lines("", 1000), QStringList{""});
}

TEST(WrapText, WrapsBetweenWordsDroppingTheSpacesAtTheBreak)
{
    const int width = std::max(Metrics().horizontalAdvance("alpha beta"),
                               Metrics().horizontalAdvance("gamma delta"));
    EXPECT_EQ(Lines("alpha beta gamma delta", width), (QStringList{"alpha beta", "gamma delta"}));
    for (const TTextLine& l : WrapText("alpha beta gamma delta", width, Metrics()))
        EXPECT_LE(l.Width, width);
}

TEST(WrapText, BreaksAWordWiderThanTheLineBetweenCharacters)
{
    const int width = Metrics().horizontalAdvance("abcd");
    const QStringList lines = Lines("abcdefghij xy", width);
    EXPECT_EQ(lines.first(), "abcd");
    EXPECT_EQ(lines.join(" ").remove(' '), "abcdefghijxy");
    EXPECT_GE(lines.size(), 3);
    // Even a line narrower than one character advances by a character.
    EXPECT_EQ(Lines("abc", 1), (QStringList{"a", "b", "c"}));
}

TEST(WrapText, StopsAfterTheLinesThatCanShow)
{
    QString many;
    for (int i = 0; i < 1000; ++i)
        many += "word ";
    EXPECT_EQ(WrapText(many, 50, Metrics(), 2).size(), 2u);
}

// A damaged file can hold a text of any length; laying it out must take time
// in proportion to it (a quadratic layout would not finish here).
TEST(WrapText, HugeLineIsLaidOutInOnePass)
{
    const QString huge = QString("ab ").repeated(100000);
    const std::vector<TTextLine> lines = WrapText(huge, 1 << 30, Metrics());
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].Length, huge.size() - 1);
}

QImage Drawn(const std::string& text, TRect r, int align = 0)
{
    QImage image = kbtest::Filled(120, 60);
    TRasterCanvas c(image);
    c.SetFont({"Arial", 8});
    c.SetFontColor(clBlack);
    c.DrawText(r, text, align);
    return image;
}

bool HasInk(const QImage& image, QRect area)
{
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixel(x, y) != qRgb(255, 255, 255)) return true;
    return false;
}

// The text as QPainter draws it plainly, centred on the first line of the image.
QImage Reference(const QString& text)
{
    QImage image = kbtest::Filled(120, 60);
    QPainter p(&image);
    p.setFont(ToQFont({"Arial", 8}));
    p.setPen(Qt::black);
    p.drawText((120 - p.fontMetrics().horizontalAdvance(text)) / 2, p.fontMetrics().ascent(), text);
    return image;
}

TEST(DrawText, DoubleAmpersandShowsOneAmpersandWithoutUnderline)
{
    EXPECT_EQ(Drawn("a&&b", {0, 0, 120, 60}), Reference("a&b"));
    // A single ampersand is not shown; it underlines what follows.
    const QImage marked = Drawn("a&b", {0, 0, 120, 60});
    EXPECT_NE(marked, Reference("ab"));
    EXPECT_EQ(marked.copy(0, 0, 120, Metrics().ascent()),
              Reference("ab").copy(0, 0, 120, Metrics().ascent()));
}

TEST(DrawText, LeavesOutALastLineThatWouldShowOnlyInPart)
{
    const int h = Metrics().height();
    const QImage image = Drawn("one\r\ntwo", {0, 0, 120, h + h / 2});
    EXPECT_TRUE(HasInk(image, {0, 0, 120, h}));
    EXPECT_FALSE(HasInk(image, {0, h, 120, 60 - h}));
}

TEST(DrawText, ARectangleLowerThanALineStillShowsTheFirstLineCentredOnIt)
{
    const int h = Metrics().height();
    const int low = h - 3;
    const QImage image = Drawn("one\r\ntwo", {0, 20, 120, 20 + low});
    const QRect ink = kbtest::PaintedBounds(image);
    EXPECT_EQ(ink.height(), kbtest::PaintedBounds(Drawn("one", {0, 20, 120, 20 + h})).height());
    EXPECT_GE(ink.top(), 20 - 2); // at most half the missing height above
    EXPECT_LE(ink.bottom(), 20 + low + 2);
    // Lower than half a line shows nothing.
    EXPECT_FALSE(HasInk(Drawn("one", {0, 20, 120, 20 + h / 2 - 1}), {0, 0, 120, 60}));
}

TEST(DrawText, AlignsEachLineLeftCentreOrRight)
{
    const TRect r{10, 0, 110, 30};
    const QRect left = kbtest::PaintedBounds(Drawn("x", r, taLeft));
    const QRect centre = kbtest::PaintedBounds(Drawn("x", r, taCenter));
    const QRect right = kbtest::PaintedBounds(Drawn("x", r, taRight));
    EXPECT_LT(left.left(), 20);
    EXPECT_NEAR(centre.center().x(), 60, 4);
    EXPECT_GT(right.right(), 100);
    EXPECT_LE(right.right(), 110);
    // Alignment codes other than 1 and 2 centre.
    EXPECT_EQ(Drawn("x", r, 7), Drawn("x", r, taCenter));
}

TEST(DrawText, DecodesWindows1251)
{
    EXPECT_EQ(Drawn("\xC4\xE0", {0, 0, 120, 60}), Reference(QString::fromUtf8("Да")));
}

} // namespace
