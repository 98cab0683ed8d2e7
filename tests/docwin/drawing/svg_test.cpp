// SVG pictures: written as a stream of plain elements, they must show what
// the painter device showed, and stay readable whatever the block texts hold.
#include "docwin/drawing/paintercanvas.h"
#include "docwin/drawing/pictureexport.h"
#include "tests/docwin/drawing/imagecheck.h"

#include <QBuffer>
#include <QFile>
#include <QPainter>
#include <QSvgGenerator>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kb;
using kbtest::MakeBlock;

namespace {

// Every kind, filled, dotted and plain, with texts in each alignment (a
// mnemonic, several lines, a word wider than its box, XML's own characters),
// and links in every style, some ending on links.
void AddEveryShape(TShem& shem)
{
    std::vector<TShemObj*> blocks;
    for (int kind = 0; kind < kBlockKindCount; ++kind) {
        for (int variant = 0; variant < 3; ++variant) {
            const int x = 10 + kind * 110, y = 10 + variant * 90;
            Block b = kind == bkJoint ? MakeBlock(kind, x + 40, y + 20, x + 42, y + 22)
                                      : MakeBlock(kind, x, y, x + 90, y + 60);
            b.Filled = variant == 1;
            b.Dotted = variant == 2;
            b.Align = uint8_t(variant);
            const char* texts[] = {"&Start\r\nx := a < b & c > d", "a long line of words wraps",
                                   "Unbreakablewordwiderthanthebox"};
            if (kind != bkJoint) b.Text = texts[variant];
            blocks.push_back(shem.Get(shem.AddBlock(b)));
        }
    }
    TShemObj* previous = nullptr;
    for (size_t i = 0; i + 3 < blocks.size(); i += 3) {
        const int style = int(i / 3) % 8;
        TShemObj* link = kbtest::AddLink(shem, blocks[i], blocks[i + 4], style);
        if (previous) kbtest::AddLink(shem, link, previous, (style + 1) % 8);
        previous = link;
    }
}

QSize PictureSizeOf(const TShem& shem, int scale)
{
    const TRect area = shem.RenderArea(scale);
    return {area.Right + 1, area.Bottom + 1};
}

// The SVG the painter device wrote for the same drawing.
QByteArray PainterDeviceSvg(const TShem& shem, int scale)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    const QSize size = PictureSizeOf(shem, scale);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    svg.setResolution(96);
    {
        TPainterCanvas canvas(&svg);
        shem.Render(scale, PictureFont(scale), canvas);
    }
    return buffer.data();
}

QImage Rasterised(const QByteArray& svg, QSize size)
{
    QSvgRenderer renderer(svg);
    EXPECT_TRUE(renderer.isValid());
    QImage image = kbtest::Filled(size.width(), size.height());
    QPainter p(&image);
    renderer.render(&p, QRectF(QPointF(0, 0), size));
    return image;
}

int DifferentPixels(const QImage& a, const QImage& b)
{
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            n += a.pixel(x, y) != b.pixel(x, y);
    return n;
}

class Svg : public ::testing::Test
{
protected:
    QByteArray Exported(const TShem& shem, int scale)
    {
        const QString path = m_dir.filePath("picture.svg");
        EXPECT_TRUE(ExportPicture(shem, path, scale, &m_error)) << m_error.toStdString();
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir m_dir;
    QString m_error;
};

TEST_F(Svg, ShowsWhatThePainterDeviceShowedInFarFewerBytes)
{
    TShem shem;
    AddEveryShape(shem);
    for (const int scale : {1, 2, 4}) {
        const QByteArray before = PainterDeviceSvg(shem, scale);
        const QByteArray after = Exported(shem, scale);
        const QSize size = PictureSizeOf(shem, scale);
        const QImage was = Rasterised(before, size), is = Rasterised(after, size);
        ASSERT_EQ(is.size(), was.size());
        EXPECT_LE(DifferentPixels(was, is), 8) << "scale " << scale;
        EXPECT_LT(after.size(), before.size() * 6 / 10) << "scale " << scale;
    }
}

TEST_F(Svg, HoldsOnlyPlainElementsAndItsSize)
{
    TShem shem;
    shem.AddBlock(MakeBlock(bkRectangle, 10, 10, 60, 40, "Start"));
    const QByteArray svg = Exported(shem, 2);
    EXPECT_TRUE(svg.startsWith("<?xml"));
    // 105 x 65 pixels at 96 per inch.
    EXPECT_TRUE(svg.contains("width=\"27.7813mm\" height=\"17.1979mm\" viewBox=\"0 0 105 65\""))
        << svg.left(300).toStdString();
    EXPECT_FALSE(svg.contains("<path"));
    EXPECT_FALSE(svg.contains("transform"));
    EXPECT_TRUE(svg.contains(">Start</text>"));
    EXPECT_TRUE(svg.trimmed().endsWith("</svg>"));
}

// A control character in a block text cannot stand in XML: the picture
// leaves it out rather than become a file no program can read.
TEST_F(Svg, ControlCharactersInTextsKeepTheFileReadable)
{
    TShem shem;
    shem.AddBlock(MakeBlock(bkRectangle, 10, 10, 90, 40, std::string("a\x01") + "b\x1F"));
    const QByteArray svg = Exported(shem, 2);
    EXPECT_TRUE(QSvgRenderer(svg).isValid());
    EXPECT_TRUE(svg.contains(">ab</text>"));
}

} // namespace
