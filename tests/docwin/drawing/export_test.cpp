// Picture files: formats, refusals, and blstool render on top of them.
#include "docwin/drawing/pictureexport.h"
#include "tests/docwin/drawing/imagecheck.h"

#include <QFile>
#include <QPainter>
#include <QProcess>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kb;
using kbtest::MakeBlock;

namespace {

class Export : public ::testing::Test
{
protected:
    Export() { m_shem.AddBlock(MakeBlock(bkRectangle, 10, 10, 60, 40, "Start")); }
    QString Path(const QString& name) const { return m_dir.filePath(name); }
    QByteArray Head(const QString& name) const
    {
        QFile f(Path(name));
        return f.open(QIODevice::ReadOnly) ? f.read(64) : QByteArray();
    }

    QTemporaryDir m_dir;
    TShem m_shem;
    QString m_error;
};

TEST_F(Export, PixelPicturesAreTheRenderedAreaPlusOnePixel)
{
    for (const QString name : {"a.png", "a.bmp"}) {
        ASSERT_TRUE(ExportPicture(m_shem, Path(name), 2, &m_error)) << m_error.toStdString();
        const QImage image(Path(name));
        // Area (60 - 8) * 2 by (40 - 8) * 2; the extra pixel keeps outlines at R and B.
        EXPECT_EQ(image.size(), QSize(105, 65));
        EXPECT_TRUE(kbtest::IsBlack(image, 4, 4));
        EXPECT_EQ(image.pixel(104, 64) & 0xFFFFFF, 0xFFFFFFu);
    }
    EXPECT_EQ(RenderPicture(m_shem, 2, PictureFont(2), &m_error),
              QImage(Path("a.png")).convertToFormat(QImage::Format_RGB32));
}

// PNG files are drawn in bands of rows; a filled divider across a band's
// edge must be filled as a whole, and text cut by an edge must join up.
TEST_F(Export, PngDrawnInBandsEqualsThePictureDrawnWhole)
{
    TShem tall;
    for (int i = 0; i < 12; ++i) {
        Block b = MakeBlock(i % kBlockKindCount, 10, 10 + i * 60, 90, 50 + i * 60, "text across");
        b.Filled = true;
        tall.AddBlock(b);
    }
    // Text behind the divider's upper half, above the band edge at row 1024:
    // its smoothed pixels are not border, so the divider's fill covers them.
    tall.AddBlock(MakeBlock(bkText, 110, 488, 190, 500, "hidden hidden hidden"));
    Block divider = MakeBlock(bkDivider, 100, 480, 200, 560, "cut");
    divider.Filled = true;
    tall.AddBlock(divider);
    ASSERT_TRUE(ExportPicture(tall, Path("tall.png"), 2, &m_error)) << m_error.toStdString();
    const QImage whole = RenderPicture(tall, 2, PictureFont(2), &m_error);
    ASSERT_GT(whole.height(), 1024);
    EXPECT_EQ(QImage(Path("tall.png")).convertToFormat(QImage::Format_RGB32), whole);
}

TEST_F(Export, VectorPicturesAreRealSvgAndPdf)
{
    ASSERT_TRUE(ExportPicture(m_shem, Path("a.svg"), 2, &m_error)) << m_error.toStdString();
    ASSERT_TRUE(ExportPicture(m_shem, Path("a.PDF"), 2, &m_error)) << m_error.toStdString();
    EXPECT_TRUE(Head("a.PDF").startsWith("%PDF-"));
    QSvgRenderer svg(Path("a.svg"));
    ASSERT_TRUE(svg.isValid());
    QImage image = kbtest::Filled(105, 65);
    {
        QPainter p(&image);
        svg.render(&p, QRectF(0, 0, 105, 65));
    }
    // The rectangle's left edge, smoothed over the pixels beside x = 4.
    EXPECT_LT(std::min(qRed(image.pixel(3, 30)), qRed(image.pixel(4, 30))), 160);
    EXPECT_EQ(image.pixel(50, 50) & 0xFFFFFF, 0xFFFFFFu);
}

TEST_F(Export, RefusesAnEmptyDiagramAndKeepsAnOldFile)
{
    ASSERT_TRUE(ExportPicture(m_shem, Path("old.png"), 2, &m_error));
    const QByteArray before = Head("old.png");
    TShem empty;
    for (const QString name : {"old.png", "new.svg", "new.pdf"}) {
        EXPECT_FALSE(ExportPicture(empty, Path(name), 2, &m_error));
        EXPECT_TRUE(m_error.contains("no blocks")) << m_error.toStdString();
    }
    EXPECT_EQ(Head("old.png"), before);
    EXPECT_FALSE(QFile::exists(Path("new.svg")));
    EXPECT_TRUE(RenderPicture(empty, 2, PictureFont(2), &m_error).isNull());
}

TEST_F(Export, RefusesUnknownTypesBadScalesAndPicturesTooLargeForMemory)
{
    EXPECT_FALSE(ExportPicture(m_shem, Path("a.gif"), 2, &m_error));
    EXPECT_TRUE(m_error.contains(".png")) << m_error.toStdString();
    EXPECT_FALSE(ExportPicture(m_shem, Path("a.png"), 0, &m_error));
    EXPECT_FALSE(ExportPicture(m_shem, Path("a.png"), 65, &m_error));
    EXPECT_FALSE(QFile::exists(Path("a.png")));

    TShem huge;
    huge.AddBlock(MakeBlock(bkRectangle, 0, 0, 65535, 65535));
    EXPECT_FALSE(ExportPicture(huge, Path("huge.png"), 8, &m_error));
    EXPECT_TRUE(m_error.contains("too large")) << m_error.toStdString();
    EXPECT_FALSE(QFile::exists(Path("huge.png")));
}

// blstool render, run as the user runs it.
class BlstoolRender : public Export
{
protected:
    int Run(const QStringList& args)
    {
        QProcess p;
        p.start(KB_BIN_DIR "/blstool", QStringList{"render"} + args);
        if (!p.waitForFinished(30000)) return -1;
        m_stderr = p.readAllStandardError();
        return p.exitCode();
    }
    QString Saved(const TShem& shem, const QString& name)
    {
        QFile f(Path(name));
        const std::vector<uint8_t> bytes = shem.SaveToBytes();
        if (f.open(QIODevice::WriteOnly))
            f.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size()));
        return Path(name);
    }
    void SetUp() override
    {
        if (!QFile::exists(KB_BIN_DIR "/blstool")) GTEST_SKIP() << "blstool is not built";
    }

    QByteArray m_stderr;
};

TEST_F(BlstoolRender, WritesThePictureAtTheChosenScale)
{
    const QString in = Saved(m_shem, "d.bls");
    EXPECT_EQ(Run({in, "-o", Path("d.png")}), 0) << m_stderr.toStdString();
    EXPECT_EQ(QImage(Path("d.png")).size(), QSize(105, 65));
    EXPECT_EQ(Run({in, "-o", Path("d4.png"), "--scale", "4"}), 0);
    EXPECT_EQ(QImage(Path("d4.png")).size(), QSize(209, 129));
    EXPECT_EQ(Run({in, "--output", Path("d.svg")}), 0);
    EXPECT_TRUE(Head("d.svg").contains("<?xml"));
}

TEST_F(BlstoolRender, EmptyDiagramIsInvalidInputWithAMessage)
{
    EXPECT_EQ(Run({Saved(TShem(), "e.bls"), "-o", Path("e.png")}), 1);
    EXPECT_TRUE(m_stderr.contains("no blocks")) << m_stderr.toStdString();
    EXPECT_FALSE(QFile::exists(Path("e.png")));
}

TEST_F(BlstoolRender, WrongUsageIsExitTwo)
{
    const QString in = Saved(m_shem, "d.bls");
    EXPECT_EQ(Run({in}), 2);
    EXPECT_EQ(Run({in, "-o", Path("d.jpg")}), 2);
    EXPECT_EQ(Run({in, "-o", Path("d.png"), "--scale", "x"}), 2);
    EXPECT_EQ(Run({in, "-o", Path("d.png"), "--scale", "0"}), 2);
    EXPECT_EQ(Run({Path("missing.bls"), "-o", Path("d.png")}), 1);
}

} // namespace
