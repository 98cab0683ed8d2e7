// The editor's autosave: modified documents are copied after the interval,
// saving or closing removes the copy, and a killed editor's copies are
// recovered by the next one.
#include "docwin/childd.h"
#include "frame/autosave/documentautosave.h"
#include "frame/autosave/recoverdialog.h"
#include "frame/mainform.h"
#include "tests/frame/shellsupport.h"

#include <QApplication>
#include <QDir>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace kb;
using kb::test::TMessageRecorder;
using kb::test::WriteDiagram;

namespace {

QStringList AutosaveFiles(const QString& folder)
{
    return QDir(folder).entryList({"*.kbautosave"}, QDir::Files);
}

TDocumentAutosave* AutosaveOf(TChildD* doc)
{
    return doc->findChild<TDocumentAutosave*>();
}

// Draws a block into the document with the mouse and waits for the copy,
// due one second (the interval the fixture sets) after the change.
void ChangeAndWaitForAutosave(TMainForm& main, TChildD* doc, const QString& folder)
{
    kb::test::DrawRectangle(main, *doc);
    TDocumentAutosave* a = AutosaveOf(doc);
    ASSERT_TRUE(a);
    ASSERT_TRUE(a->Pending());
    EXPECT_EQ(a->Interval(), 1000);
    QTRY_COMPARE_WITH_TIMEOUT(AutosaveFiles(folder).size(), 1, 10000);
}

// Presses "Recover" on the recovery dialog as soon as it shows.
void RecoverWhenAsked()
{
    QTimer::singleShot(0, [] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* d = qobject_cast<TRecoverDialog*>(w))
                d->findChild<QPushButton*>("RecoverButton")->click();
    });
}

class EditorAutosave : public ::testing::Test
{
protected:
    void SetUp() override
    {
        folder = dir.filePath("autosave");
        file = WriteDiagram(dir, "plan.bls", "original");
        main = std::make_unique<TMainForm>();
        main->show();
        TSettings s = DefaultSettings();
        s.AutosaveInterval = 1;
        main->ApplySettings(s);
        main->EnableAutosave(folder);
    }
    void TearDown() override
    {
        TMessageRecorder answers;
        answers.Answer = QMessageBox::No; // nothing may stop the window from going
        main.reset();
    }

    QTemporaryDir dir;
    QString folder, file;
    std::unique_ptr<TMainForm> main;
};

} // namespace

TEST_F(EditorAutosave, ModifiedDocumentIsCopiedAndTheCopyGoesOnSave)
{
    TChildD* doc = main->OpenDocument(file);
    ASSERT_TRUE(doc);
    EXPECT_TRUE(AutosaveFiles(folder).isEmpty()) << "an unmodified document has no copy";
    ChangeAndWaitForAutosave(*main, doc, folder);
    const auto record = TAutosaveStore::Read(QDir(folder).filePath(AutosaveFiles(folder)[0]));
    ASSERT_TRUE(record.has_value());
    EXPECT_EQ(record->OriginalPath, doc->FileName());
    const auto bytes = doc->Shem().SaveToBytes();
    EXPECT_EQ(record->Diagram,
              QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size())));
    EXPECT_FALSE(record->OriginalPath.startsWith(folder)) << "never beside or over the user's file";

    ASSERT_TRUE(main->SaveDocument(*doc));
    EXPECT_TRUE(AutosaveFiles(folder).isEmpty());

    // Undoing back to the saved state needs no copy either; leaving it again does.
    kb::test::DrawRectangle(*main, *doc, {300, 100}, {360, 140});
    doc->Undo();
    EXPECT_FALSE(doc->Modified());
    EXPECT_FALSE(AutosaveOf(doc)->Pending());
    doc->Undo();
    EXPECT_TRUE(doc->Modified());
    QTRY_COMPARE_WITH_TIMEOUT(AutosaveFiles(folder).size(), 1, 10000);
}

TEST_F(EditorAutosave, ClosingWithoutSavingRemovesTheCopy)
{
    TChildD* doc = main->NewDocument();
    ChangeAndWaitForAutosave(*main, doc, folder);
    const auto record = TAutosaveStore::Read(QDir(folder).filePath(AutosaveFiles(folder)[0]));
    EXPECT_TRUE(record->OriginalPath.isEmpty());
    EXPECT_EQ(record->Caption, doc->windowTitle());

    TMessageRecorder answers;
    answers.Answer = QMessageBox::No; // do not save
    main->Command(TCommandId::FileClose)->trigger();
    QTRY_VERIFY(main->Documents().isEmpty());
    QTRY_VERIFY(AutosaveFiles(folder).isEmpty()); // once the closed window is deleted
}

TEST_F(EditorAutosave, AKilledEditorsWorkIsRecoveredByteForByte)
{
    QProcess victim;
    victim.start(KB_EDITOR_VICTIM, {folder, file});
    ASSERT_TRUE(victim.waitForStarted(10000));
    ASSERT_TRUE(victim.waitForReadyRead(20000)) << victim.readAllStandardError().toStdString();
    ASSERT_EQ(victim.readLine().trimmed(), "ready");
    const auto live = main->Autosave()->StaleFiles();
    EXPECT_TRUE(live.empty()) << "a running editor's copies are not offered";

    victim.kill();
    victim.waitForFinished(5000);
    const auto stale = main->Autosave()->StaleFiles();
    ASSERT_EQ(stale.size(), 1u);
    const QByteArray expected = stale[0].Record.Diagram;

    RecoverWhenAsked();
    main->RecoverAutosaves();
    ASSERT_EQ(main->Documents().size(), 1);
    TChildD* doc = main->Documents()[0];
    EXPECT_TRUE(doc->Modified());
    EXPECT_EQ(QFileInfo(doc->FileName()).canonicalFilePath(), QFileInfo(file).canonicalFilePath());
    EXPECT_EQ(doc->Shem().Get(0)->block().Text, "changed after opening");
    const auto bytes = doc->Shem().SaveToBytes();
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size())),
              expected);
    // The dead session's copy is gone; the recovered document has its own.
    EXPECT_TRUE(main->Autosave()->StaleFiles().empty());
    EXPECT_EQ(AutosaveFiles(folder).size(), 1);
}
