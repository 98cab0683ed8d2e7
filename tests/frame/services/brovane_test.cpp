#include "frame/services/exportmodule.h"

#include "model/shem.h"

#include "testenv.h"

#include <QImage>
#include <QLibrary>

#include <cstring>

#include <gtest/gtest.h>

namespace kb {
namespace {

class BrovaneTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_module.Load(KB_BROVANE_DIR)) << m_module.Error().toStdString();
        Block b;
        b.SetRect({100, 50, 180, 70});
        b.Text = "Start";
        m_shem.AddBlock(b);
        m_bytes = m_shem.SaveToBytes();
    }
    QString Save(const QString& name, QString* error = nullptr)
    {
        const QString file = m_dir.filePath(name);
        QString message;
        if (!m_module.SaveTo(m_bytes, file, QFont("Arial", 8), &message)) {
            if (error) *error = message;
            return {};
        }
        return file;
    }

    TExportModule m_module;
    TShem m_shem;
    std::vector<uint8_t> m_bytes;
    QTemporaryDir m_dir;
};

TEST_F(BrovaneTest, OffersFourPictureFormats)
{
    for (const char* ext : {"*.png", "*.bmp", "*.svg", "*.pdf"})
        EXPECT_TRUE(m_module.Filter().contains(ext)) << ext;
}

TEST_F(BrovaneTest, RasterPictureIsThePrintRenderingAtScaleTwo)
{
    const QImage png(Save("d.PNG"));
    ASSERT_FALSE(png.isNull());
    // Origin (98, 48): the picture is (180 - 98) x (70 - 48) units at 2 pixels each.
    EXPECT_EQ(png.size(), QSize(165, 45)); // and one pixel for the far edges
    EXPECT_EQ(png.pixelColor(0, 0), QColor(Qt::white));
    EXPECT_FALSE(QImage(Save("d.bmp")).isNull());
}

TEST_F(BrovaneTest, VectorPicturesAreWritten)
{
    EXPECT_TRUE(test::ReadAll(Save("d.svg")).contains("<svg"));
    EXPECT_TRUE(test::ReadAll(Save("d.pdf")).startsWith("%PDF"));
}

TEST_F(BrovaneTest, BadRequestsAreRefusedWithAReason)
{
    QString error;
    EXPECT_TRUE(Save("d.gif", &error).isEmpty());
    EXPECT_TRUE(error.contains("PNG")) << error.toStdString();

    EXPECT_TRUE(Save("no/such/folder/d.png", &error).isEmpty());
    EXPECT_FALSE(error.isEmpty());

    m_bytes = {1, 2, 3};
    EXPECT_TRUE(Save("junk.png", &error).isEmpty());
    EXPECT_FALSE(error.isEmpty());

    m_bytes = TShem().SaveToBytes();
    EXPECT_TRUE(Save("empty.png", &error).isEmpty());
    EXPECT_FALSE(QFile::exists(m_dir.filePath("empty.png")));
}

TEST(ExportModule, AbsentModuleLeavesTheCommandUnavailable)
{
    QTemporaryDir empty;
    TExportModule module;
    EXPECT_FALSE(module.Load(empty.path()));
    EXPECT_FALSE(module.Available());
    EXPECT_TRUE(module.Filter().isEmpty());
    QString error;
    const std::vector<uint8_t> none;
    EXPECT_FALSE(module.SaveTo(none, empty.filePath("x.png"), QFont(), &error));
}

} // namespace
} // namespace kb

namespace kb {
namespace {

// The C interface itself, as any caller sees it.
TEST(BrovaneAbi, NullArgumentsAndSmallBuffersAreSafe)
{
    QLibrary library(TExportModule::LibraryPath(KB_BROVANE_DIR));
    ASSERT_TRUE(library.load()) << library.errorString().toStdString();
    const auto saveTo = reinterpret_cast<BrovaneSaveToFn>(library.resolve("SaveTo"));
    ASSERT_NE(saveTo, nullptr);

    char error[64];
    EXPECT_NE(saveTo(nullptr, 0, nullptr, nullptr, 0, error, sizeof error), BROVANE_OK);
    EXPECT_GT(std::strlen(error), 0u);
    EXPECT_EQ(saveTo(nullptr, 0, "x.png", nullptr, 0, nullptr, 0), BROVANE_BAD_DIAGRAM);

    // Cut to the buffer, never in the middle of a (two-byte Cyrillic) character.
    char tiny[6];
    EXPECT_EQ(saveTo(nullptr, 0, "x.png", nullptr, 0, tiny, sizeof tiny), BROVANE_BAD_DIAGRAM);
    EXPECT_EQ(std::strlen(tiny), 4u);
    EXPECT_TRUE(QString::fromUtf8(tiny).size() == 2) << tiny;
}

} // namespace
} // namespace kb
