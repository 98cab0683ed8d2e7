// The editor on a full disk and with diagrams beyond what the format holds:
// a failed save says why, leaves the old file byte for byte and keeps the
// document modified; a file the reader refuses is not opened.
#include "docwin/childd.h"
#include "frame/mainform.h"
#include "tests/frame/shellsupport.h"
#include "tests/support/fulldisk.h"

#include <QAction>
#include <QFile>
#include <QTest>
#include <gtest/gtest.h>

#include <filesystem>

using namespace kb;
using kb::test::TMessageRecorder;
using kb::test::WriteFile;

namespace {

QByteArray Contents(const QString& path)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

std::vector<uint8_t> Blocks(int count)
{
    TShem s;
    for (int i = 0; i < count; ++i) {
        Block b;
        b.Left = 20 * i;
        b.Right = 20 * i + 15;
        b.Bottom = 15;
        b.Text = "b" + std::to_string(i);
        s.AddBlock(b);
    }
    return s.SaveToBytes();
}

class FullDiskSave : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        main.show();
        QApplication::setActiveWindow(&main);
    }
    void TearDown() override { messages.Answer = QMessageBox::No; }
    void Save() { main.Command(TCommandId::FileSave)->trigger(); }

    QTemporaryDir dir;
    TMessageRecorder messages;
    TMainForm main;
};

} // namespace

TEST_F(FullDiskSave, AFailedSaveSaysWhyAndLosesNothing)
{
    const QString path = WriteFile(dir, QStringLiteral("a.bls"), Blocks(40));
    const QByteArray before = Contents(path);
    TChildD* doc = main.OpenDocument(path);
    ASSERT_NE(doc, nullptr);
    // The user selects everything and deletes it: the file to write is just
    // the 21-byte header, which a nearly full disk still cannot take.
    doc->setFocus();
    QTest::keyClick(doc, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(doc, Qt::Key_Delete, Qt::ShiftModifier);
    ASSERT_EQ(doc->Shem().Count(), 0);
    ASSERT_TRUE(doc->Modified());
    {
        const kbtest::TFullDisk full(10);
        Save();
    }
    ASSERT_EQ(messages.Texts.size(), 1);
    EXPECT_TRUE(messages.Texts[0].startsWith(QStringLiteral("Не могу сохранить файл")));
    EXPECT_TRUE(messages.Texts[0].contains(QStringLiteral("не хватает места на диске")))
        << messages.Texts[0].toStdString();
    EXPECT_EQ(Contents(path), before);
    EXPECT_TRUE(doc->Modified());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"a.bls"});

    // With room on the disk again the same command saves.
    Save();
    EXPECT_EQ(messages.Texts.size(), 1);
    EXPECT_FALSE(doc->Modified());
    EXPECT_EQ(Contents(path).size(), 21);
}

// The editor refuses the edit itself, so a diagram never holds more entries
// than a file can; what it holds saves as it was.
TEST_F(FullDiskSave, ADiagramNeverGrowsPastWhatAFileHolds)
{
    TShem full;
    for (int i = 0; i < kMaxEntries; ++i) {
        Block b;
        b.SetRect({i % 3000 * 20, i / 3000 * 20, i % 3000 * 20 + 15, i / 3000 * 20 + 15});
        full.AddBlock(b);
    }
    const QString path = WriteFile(dir, QStringLiteral("a.bls"), full.SaveToBytes());
    const QByteArray before = Contents(path);
    TChildD* doc = main.OpenDocument(path);
    ASSERT_NE(doc, nullptr);
    QTest::keyClick(doc, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(doc, Qt::Key_D, Qt::ControlModifier); // Duplicate
    ASSERT_EQ(messages.Texts.size(), 1);
    EXPECT_TRUE(messages.Texts[0].contains(QStringLiteral("65536")))
        << messages.Texts[0].toStdString();
    EXPECT_EQ(doc->Shem().Count(), kMaxEntries);
    EXPECT_FALSE(doc->Modified());
    Save();
    EXPECT_EQ(messages.Texts.size(), 1);
    EXPECT_EQ(Contents(path), before);
}

TEST_F(FullDiskSave, FilesTheReaderRefusesAreNotOpened)
{
    std::vector<uint8_t> many(kFileMagic.begin(), kFileMagic.end());
    for (int i = 0; i <= kMaxEntries; ++i)
        many.insert(many.end(), {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    const QString tooMany = WriteFile(dir, QStringLiteral("many.bls"), many);
    const QString huge = WriteFile(dir, QStringLiteral("huge.bls"), Blocks(1));
    std::filesystem::resize_file(huge.toStdString(), (uint64_t(64) << 20) + 1);
    EXPECT_EQ(main.OpenDocument(tooMany), nullptr);
    EXPECT_EQ(main.OpenDocument(huge), nullptr);
    EXPECT_TRUE(main.Documents().isEmpty());
    ASSERT_EQ(messages.Texts.size(), 2);
    EXPECT_TRUE(messages.Texts[0].contains(QStringLiteral("в файле 65537 записей")))
        << messages.Texts[0].toStdString();
    EXPECT_TRUE(messages.Texts[1].contains(QStringLiteral("больше 64 МиБ")))
        << messages.Texts[1].toStdString();
}
