// Documents of the main window: opening (once per file, whichever spelling),
// failures told to the user, saving through a safe write, the close prompt.
#include "docwin/childd.h"
#include "frame/docfile.h"
#include "frame/filedialogs.h"
#include "frame/mainform.h"
#include "tests/frame/shellsupport.h"

#include <QDir>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QTest>
#include <QToolBar>
#include <gtest/gtest.h>

using namespace kb;
using kb::test::DrawRectangle;
using kb::test::TMessageRecorder;
using kb::test::WriteDiagram;
using kb::test::WriteFile;

namespace {

class MainFormDocuments : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        main.show();
        QApplication::setActiveWindow(&main);
        saved = FileDialogs();
    }
    void TearDown() override
    {
        FileDialogs() = saved;
        // Nothing may stop the window from going away.
        messages.Answer = QMessageBox::No;
    }

    // The save dialog answers with name (empty: cancelled).
    void AnswerSaveDialog(const QString& name)
    {
        FileDialogs().AskSaveFile = [this, name](QWidget*, const QString&, const QString&) {
            ++saveDialogs;
            return name;
        };
    }

    QTemporaryDir dir;
    TMessageRecorder messages;
    TMainForm main;
    TFileDialogs saved;
    int saveDialogs = 0;
};

} // namespace

TEST_F(MainFormDocuments, OpeningAFileTwiceBringsItsWindowBack)
{
    const QString a = WriteDiagram(dir, QStringLiteral("a.bls"), "first");
    const QString b = WriteDiagram(dir, QStringLiteral("b.bls"));
    TChildD* docA = main.OpenDocument(a);
    ASSERT_NE(docA, nullptr);
    EXPECT_EQ(docA->windowTitle(), QDir::toNativeSeparators(a));
    EXPECT_EQ(docA->FileName(), a);
    EXPECT_FALSE(docA->Modified());
    EXPECT_EQ(docA->Shem().Get(0)->block().Text, "first");
    main.OpenDocument(b);
    EXPECT_EQ(main.ActiveDocument()->FileName(), b);

    EXPECT_EQ(main.OpenDocument(a), docA);
    // Other spellings of the same file: relative, with "..", through a link.
    QDir::setCurrent(dir.path());
    EXPECT_EQ(main.OpenDocument(QStringLiteral("a.bls")), docA);
    EXPECT_EQ(main.OpenDocument(dir.filePath(QStringLiteral("sub/../a.bls"))), docA);
    ASSERT_TRUE(QFile::link(a, dir.filePath(QStringLiteral("link.bls"))));
    EXPECT_EQ(main.OpenDocument(dir.filePath(QStringLiteral("link.bls"))), docA);
    EXPECT_EQ(main.Documents().size(), 2);
    EXPECT_EQ(main.ActiveDocument(), docA);
    EXPECT_TRUE(messages.Texts.isEmpty());
}

TEST_F(MainFormDocuments, OtherLetterCaseIsAnotherFileHere)
{
    const QString lower = WriteDiagram(dir, QStringLiteral("loop.bls"));
    const QString upper = dir.filePath(QStringLiteral("LOOP.bls"));
    TChildD* doc = main.OpenDocument(lower);
    ASSERT_NE(doc, nullptr);
    // The file system decides: on one that tells case apart, LOOP.bls does
    // not exist; on one that ignores case it is the same file.
    if (!QFileInfo::exists(upper)) {
        EXPECT_EQ(main.OpenDocument(upper), nullptr);
        ASSERT_EQ(messages.Texts.size(), 1);
        EXPECT_TRUE(messages.Texts[0].contains(QStringLiteral("LOOP.bls")));
        WriteDiagram(dir, QStringLiteral("LOOP.bls"));
        TChildD* other = main.OpenDocument(upper);
        ASSERT_NE(other, nullptr);
        EXPECT_NE(other, doc);
        EXPECT_EQ(main.Documents().size(), 2);
    } else {
        EXPECT_EQ(main.OpenDocument(upper), doc);
    }
}

TEST_F(MainFormDocuments, MissingDirectoryOrForeignFilesAreRefusedWithAReason)
{
    const test::TRussianInterface russian; // the messages as users read them
    const QString missing = dir.filePath(QStringLiteral("gone.bls"));
    main.SetRecentFiles({missing});
    EXPECT_EQ(main.OpenDocument(missing), nullptr);
    EXPECT_EQ(main.OpenDocument(dir.path()), nullptr);
    const std::string text = "just some text, not a diagram";
    const QString foreign =
        WriteFile(dir, QStringLiteral("notes.bls"), std::vector<uint8_t>(text.begin(), text.end()));
    EXPECT_EQ(main.OpenDocument(foreign), nullptr);

    EXPECT_TRUE(main.Documents().isEmpty());
    ASSERT_EQ(messages.Texts.size(), 3);
    EXPECT_TRUE(messages.Texts[0].contains(QDir::toNativeSeparators(missing)));
    EXPECT_TRUE(messages.Texts[0].contains(QStringLiteral("не найден")));
    EXPECT_TRUE(messages.Texts[1].contains(QStringLiteral("папка")));
    EXPECT_TRUE(messages.Texts[2].contains(QStringLiteral("не файл блок-схемы")));
    EXPECT_TRUE(main.RecentFiles().isEmpty());
}

TEST_F(MainFormDocuments, DroppedLinksOpenTheRestAndSaySo)
{
    const test::TRussianInterface russian; // the messages as users read them
    // A block, then a link from it to entry 9, which does not exist.
    std::vector<uint8_t> bytes(kFileMagic.begin(), kFileMagic.end());
    for (int v : {0, 0, 0, 0, 0, 0, 0, 10, 0, 10, 0, 1, 0, 0, 0, 9, 0, 0, 0, 0, 0, 0, 0, 0, 0})
        bytes.push_back(uint8_t(v));
    const QString path = WriteFile(dir, QStringLiteral("damaged.bls"), bytes);
    TChildD* doc = main.OpenDocument(path);
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(doc->Shem().Count(), 1);
    ASSERT_EQ(messages.Texts.size(), 1);
    EXPECT_TRUE(messages.Texts[0].contains(QStringLiteral("повреждён")));
    EXPECT_TRUE(messages.Texts[0].contains(QStringLiteral("связей")));
}

TEST_F(MainFormDocuments, NewDocumentsAreNumberedByTheWindowsThatExist)
{
    EXPECT_EQ(main.NewDocument()->windowTitle(), QStringLiteral("Block-diagram №1"));
    TChildD* second = main.NewDocument();
    EXPECT_EQ(second->windowTitle(), QStringLiteral("Block-diagram №2"));
    EXPECT_TRUE(second->FileName().isEmpty());
    main.SetNewDocumentPrefix(QStringLiteral("Блок-схема №"));
    EXPECT_EQ(main.NewDocument()->windowTitle(), QStringLiteral("Блок-схема №3"));
}

TEST_F(MainFormDocuments, SavingWritesTheDiagramAndPutsTheFileFirst)
{
    const QString a = WriteDiagram(dir, QStringLiteral("a.bls"), "old");
    const QString b = WriteDiagram(dir, QStringLiteral("b.bls"));
    TChildD* doc = main.OpenDocument(a);
    main.OpenDocument(b);
    EXPECT_EQ(main.RecentFiles(), (QStringList{b, a}));
    // Double click the block, replace its text by typing; the save takes
    // the text still being typed.
    kb::test::DoubleClick(doc, QPoint(100, 40));
    ASSERT_TRUE(doc->EditorOpen());
    QTest::keyClick(doc->Editor(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(doc->Editor(), QStringLiteral("new"));
    ASSERT_TRUE(main.SaveDocument(*doc));
    EXPECT_FALSE(doc->Modified());
    EXPECT_EQ(main.RecentFiles(), (QStringList{a, b}));
    TShem back;
    back.LoadFromFile(a.toStdString());
    EXPECT_EQ(back.Get(0)->block().Text, "new");
    EXPECT_EQ(saveDialogs, 0);
}

TEST_F(MainFormDocuments, FailedSaveKeepsTheChangesAndTheWindow)
{
    const test::TRussianInterface russian; // the messages as users read them
    const QString path = WriteDiagram(dir, QStringLiteral("a.bls"));
    TChildD* doc = main.OpenDocument(path);
    ASSERT_NE(doc, nullptr);
    const QString unreachable = dir.filePath(QStringLiteral("no such folder/a.bls"));
    doc->SetFileName(unreachable);
    DrawRectangle(main, *doc);
    EXPECT_FALSE(main.SaveDocument(*doc));
    EXPECT_TRUE(doc->Modified());
    ASSERT_EQ(messages.Texts.size(), 1);
    EXPECT_TRUE(messages.Texts[0].contains(QDir::toNativeSeparators(unreachable)));
    EXPECT_TRUE(messages.Texts[0].startsWith(QStringLiteral("Не могу сохранить файл")));

    // The close prompt's Yes runs the same save, which fails again.
    messages.Answer = QMessageBox::Yes;
    EXPECT_FALSE(main.MdiArea()->currentSubWindow()->close());
    EXPECT_EQ(main.Documents().size(), 1);
    EXPECT_TRUE(doc->Modified());
    EXPECT_FALSE(QFileInfo::exists(unreachable));
}

TEST_F(MainFormDocuments, SavingANewDocumentAsksForAName)
{
    TChildD* doc = main.NewDocument();
    DrawRectangle(main, *doc);
    AnswerSaveDialog(QString());
    EXPECT_FALSE(main.SaveDocument(*doc));
    EXPECT_TRUE(doc->Modified());
    EXPECT_TRUE(doc->FileName().isEmpty());

    const QString path = dir.filePath(QStringLiteral("new.bls"));
    AnswerSaveDialog(path);
    EXPECT_TRUE(main.SaveDocument(*doc));
    EXPECT_EQ(saveDialogs, 2);
    EXPECT_EQ(doc->FileName(), path);
    EXPECT_EQ(doc->windowTitle(), QDir::toNativeSeparators(path));
    EXPECT_FALSE(doc->Modified());
    EXPECT_TRUE(QFileInfo::exists(path));
    // Named now: the next save goes straight to the file.
    EXPECT_TRUE(main.SaveDocument(*doc));
    EXPECT_EQ(saveDialogs, 2);
}

TEST_F(MainFormDocuments, SaveAsRefusesAFileOpenInAnotherWindow)
{
    const test::TRussianInterface russian; // the messages as users read them
    const QString a = WriteDiagram(dir, QStringLiteral("a.bls"), "a");
    main.OpenDocument(a);
    TChildD* doc = main.NewDocument();
    DrawRectangle(main, *doc);
    AnswerSaveDialog(a);
    EXPECT_FALSE(main.SaveDocumentAs(*doc));
    EXPECT_TRUE(doc->Modified());
    ASSERT_EQ(messages.Texts.size(), 1);
    EXPECT_TRUE(messages.Texts[0].contains(QStringLiteral("открыт в другом окне")));
    TShem back;
    back.LoadFromFile(a.toStdString());
    EXPECT_EQ(back.Get(0)->block().Text, "a");
}

TEST_F(MainFormDocuments, CancelInTheClosePromptKeepsTheMainWindowOpen)
{
    main.NewDocument();
    DrawRectangle(main, *main.NewDocument());
    messages.Answer = QMessageBox::Cancel;
    EXPECT_FALSE(main.close());
    EXPECT_TRUE(main.isVisible());
    EXPECT_EQ(main.Documents().size(), 2);
    messages.Answer = QMessageBox::No;
    EXPECT_TRUE(main.close());
}

TEST_F(MainFormDocuments, CommandsFollowWhetherADocumentExists)
{
    auto enabled = [&](TCommandId id) { return main.Command(id)->isEnabled(); };
    EXPECT_FALSE(enabled(TCommandId::FileClose));
    EXPECT_FALSE(enabled(TCommandId::FileSave));
    EXPECT_FALSE(enabled(TCommandId::Tile));
    EXPECT_TRUE(enabled(TCommandId::FileNew));
    EXPECT_TRUE(enabled(TCommandId::Print));
    EXPECT_FALSE(main.SpecialBar()->isVisible());

    main.NewDocument();
    EXPECT_TRUE(enabled(TCommandId::FileClose));
    EXPECT_TRUE(enabled(TCommandId::FileSaveAs));
    EXPECT_TRUE(enabled(TCommandId::Export));
    EXPECT_TRUE(enabled(TCommandId::SelectAll));
    EXPECT_FALSE(enabled(TCommandId::Undo));
    EXPECT_FALSE(enabled(TCommandId::Delete));
    EXPECT_FALSE(enabled(TCommandId::Paste));
    EXPECT_TRUE(main.SpecialBar()->isVisible());

    main.Command(TCommandId::FileClose)->trigger();
    QApplication::processEvents();
    EXPECT_TRUE(main.Documents().isEmpty());
    EXPECT_FALSE(enabled(TCommandId::FileClose));
    EXPECT_FALSE(main.SpecialBar()->isVisible());
}
