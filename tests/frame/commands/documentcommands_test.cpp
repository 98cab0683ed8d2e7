// The commands on a document window: modified flag, undo, the context point,
// the editor on a new block and the message for an unusable template.
#include "docwin/childd.h"
#include "docwin/messagebox.h"
#include "frame/commands/documentcommands.h"
#include "tests/docwin/fakehost.h"
#include "tests/model/builders.h"

#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace kb;
using kb::test::TFakeHost;
using kbtest::Add;
using kbtest::MakeBlock;

namespace {

class DocumentCommands : public ::testing::Test
{
protected:
    TFakeHost host;
    TChildD doc{host};
    std::vector<QString> messages;
    TMessageBoxFn oldHook;

    void SetUp() override
    {
        doc.resize(400 + TChildD::kScrollBarThickness, 300 + TChildD::kScrollBarThickness);
        doc.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&doc));
        oldHook = SetMessageBoxHook(
            [this](QWidget*, QMessageBox::Icon, const QString& text, QMessageBox::StandardButtons) {
                messages.push_back(text);
                return QMessageBox::Ok;
            });
    }
    void TearDown() override { SetMessageBoxHook(oldHook); }

    // Set-up: adds the block as if it came with the file, and selects it.
    TShemObj* Select(const Block& b)
    {
        TShemObj* e = nullptr;
        doc.Document().Edit(TAction::Paste, [&](TEdit& edit) {
            e = edit.AddBlock(b);
            return true;
        });
        doc.Document().MarkSaved();
        std::vector<TShemObj*> selection = doc.Selection();
        selection.push_back(e);
        doc.SetSelection(selection);
        return e;
    }
};

TEST_F(DocumentCommands, EachChangeIsOneStepThatNamesOnlyWhatChanged)
{
    Select(MakeBlock(0, 10, 10, 50, 30));
    TShemObj* b = Select(MakeBlock(0, 12, 40, 40, 60));
    std::vector<TChange> notices;
    QObject::connect(&doc.Document(), &TDiagramDocument::Changed,
                     [&](const TChange& c) { notices.push_back(c); });
    EXPECT_TRUE(SizeBlocks(doc, {TSizeMode::GrowToLargest, {}}, {}));
    EXPECT_TRUE(doc.Modified());
    EXPECT_EQ(doc.Document().UndoAction(), TAction::Resize);
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0].Changed, std::vector<TShemObj*>{b});
    EXPECT_TRUE(notices[0].Added.empty());

    doc.Undo();
    EXPECT_FALSE(doc.Modified());
    EXPECT_FALSE(AlignBlocks(doc, 0, 0));
    EXPECT_FALSE(doc.Modified());
    EXPECT_TRUE(AlignToGrid(doc));
    EXPECT_TRUE(doc.Modified());
    EXPECT_EQ(doc.Document().UndoAction(), TAction::Align);
    EXPECT_FALSE(doc.CanRedo());
}

TEST_F(DocumentCommands, InsertedBlockSitsAtTheContextPointWithItsEditorOpen)
{
    host.Tool = tcRectangle;
    doc.SetScale(2);
    QTest::mouseClick(&doc, Qt::RightButton, {}, QPoint(60, 40));
    EXPECT_EQ(ContextPoint(doc), (TPoint{30, 20}));

    EXPECT_TRUE(InsertBlock(doc, bkRhomb, {80, 20}));
    ASSERT_EQ(doc.Selection().size(), 1u);
    TShemObj* block = doc.Selection().front();
    EXPECT_EQ(block->block().Rect(), (TRect{30, 20, 110, 40}));
    EXPECT_EQ(block->block().Kind, bkRhomb);
    EXPECT_TRUE(doc.Modified());
    EXPECT_EQ(doc.Document().UndoAction(), TAction::CreateBlock);
    EXPECT_TRUE(doc.EditorOpen());
    EXPECT_EQ(doc.TextTarget(), block);
    EXPECT_EQ(host.Tool, tcSelect);
}

TEST_F(DocumentCommands, UnusableTemplateIsReportedAndChangesNothing)
{
    TShemObj* q = Select(MakeBlock(0, 10, 10, 50, 30));
    QTemporaryDir dir;
    const QString missing = dir.filePath(QStringLiteral("Нет.bls"));
    EXPECT_FALSE(ReplaceWithTemplate(doc, missing));
    EXPECT_FALSE(InsertTemplate(doc, missing));
    EXPECT_EQ(messages.size(), 2u);
    EXPECT_FALSE(doc.Modified());
    EXPECT_EQ(doc.Shem().Count(), 1);
    EXPECT_EQ(doc.Selection(), (std::vector<TShemObj*>{q}));
}

TEST_F(DocumentCommands, ReplacedBlockLeavesNoReferenceBehind)
{
    TShem pattern;
    Add(pattern, MakeBlock(0, 0, 0, 80, 20));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("one.bls"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    const std::vector<uint8_t> bytes = pattern.SaveToBytes();
    f.write(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
    f.close();

    TShemObj* q = Select(MakeBlock(0, 10, 10, 50, 30));
    doc.OpenEditor(q);
    EXPECT_TRUE(ReplaceWithTemplate(doc, path));
    EXPECT_TRUE(messages.empty());
    EXPECT_TRUE(doc.Modified());
    EXPECT_TRUE(doc.Selection().empty());
    EXPECT_EQ(doc.TextTarget(), nullptr);
    EXPECT_EQ(doc.Shem().Count(), 1);
    doc.Undo();
    ASSERT_EQ(doc.Shem().Count(), 1);
    EXPECT_EQ(doc.Shem().Get(0), q);
    EXPECT_FALSE(doc.Modified());
}

} // namespace
