#include "frame/autosave/documentautosave.h"
#include "frame/autosave/recoverdialog.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include "tests/support/fulldisk.h"

#include <gtest/gtest.h>

using namespace kb;

namespace {

TAutosaveRecord Record(const QString& path, const QByteArray& bytes)
{
    TAutosaveRecord r;
    r.OriginalPath = path;
    r.Caption = QStringLiteral("Блок-схема №1");
    r.Diagram = bytes;
    return r;
}

// Starts the victim process, which autosaves and waits.
std::unique_ptr<QProcess> StartVictim(const QString& folder, const QString& original,
                                      const QByteArray& bytes)
{
    auto p = std::make_unique<QProcess>();
    p->start(KB_VICTIM, {folder, original, QString::fromLatin1(bytes)});
    EXPECT_TRUE(p->waitForStarted(5000));
    EXPECT_TRUE(p->waitForReadyRead(5000));
    EXPECT_EQ(p->readLine().trimmed(), "ready");
    return p;
}

} // namespace

TEST(AutosaveStore, WritesAndReadsBackARecord)
{
    QTemporaryDir tmp;
    TAutosaveStore store(tmp.path() + "/autosave");
    ASSERT_TRUE(store.IsActive());
    const QString slot = store.NewSlot();
    EXPECT_NE(slot, store.NewSlot());
    const QByteArray bytes("FileKestrabinEditorV2\0\1\2", 24);
    ASSERT_TRUE(store.Write(slot, Record("/home/u/a.bls", bytes)));
    const auto back = TAutosaveStore::Read(slot);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->OriginalPath, "/home/u/a.bls");
    EXPECT_EQ(back->Diagram, bytes);
    EXPECT_TRUE(store.StaleFiles().empty()) << "our own files are never stale";
    EXPECT_FALSE(TAutosaveStore::Read(tmp.path() + "/nothing").has_value());
}

TEST(DocumentAutosave, WritesOneIntervalAfterTheFirstChangeAndGoesWhenSettled)
{
    QTemporaryDir tmp;
    TAutosaveStore store(tmp.path());
    int snapshots = 0;
    TDocumentAutosave doc(store, [&] {
        ++snapshots;
        return Record({}, "content");
    });
    EXPECT_EQ(doc.Interval(), 60 * 1000);
    EXPECT_FALSE(doc.Pending());
    doc.DocumentChanged();
    EXPECT_TRUE(doc.Pending());
    // A new interval counts from the first change, not from now.
    QTest::qWait(300);
    doc.SetInterval(10000);
    EXPECT_LE(doc.Timer().remainingTime(), 9750);
    EXPECT_GT(doc.Timer().remainingTime(), 5000);
    doc.SetInterval(1);
    doc.DocumentChanged(); // a running countdown is not restarted by more changes
    QTRY_VERIFY(QFile::exists(doc.Slot()));
    EXPECT_EQ(snapshots, 1);
    EXPECT_FALSE(doc.Pending());
    doc.DocumentChanged();
    QTRY_COMPARE(snapshots, 2);
    doc.DocumentSettled();
    EXPECT_FALSE(QFile::exists(doc.Slot()));
    EXPECT_FALSE(doc.Pending());
}

TEST(AutosaveStore, AKilledEditorLeavesAFileTheNextOneRecoversByteForByte)
{
    QTemporaryDir tmp;
    const QString folder = tmp.path() + "/autosave";
    const QByteArray bytes = "FileKestrabinEditorV2 diagram bytes";
    auto victim = StartVictim(folder, "/data/plan.bls", bytes);

    {
        TAutosaveStore other(folder);
        EXPECT_TRUE(other.StaleFiles().empty()) << "a live editor's files are not offered";
    }

    victim->kill(); // SIGKILL: no chance to clean up
    victim->waitForFinished(5000);

    TAutosaveStore next(folder);
    const auto stale = next.StaleFiles();
    ASSERT_EQ(stale.size(), 1u);
    EXPECT_EQ(stale[0].Record.OriginalPath, "/data/plan.bls");
    EXPECT_EQ(stale[0].Record.Diagram, bytes);
    next.Discard(stale[0].File);
    EXPECT_TRUE(next.StaleFiles().empty());
    EXPECT_EQ(QDir(folder).entryList(QDir::Files).filter("kbautosave").size(), 0);
}

TEST(RecoverDialog, RecoversTheTickedAndDiscardsTheRest)
{
    std::vector<TStaleAutosave> files{{"/t/1", Record("/a.bls", "1")}, {"/t/2", Record({}, "2")}};
    {
        TRecoverDialog dialog(files);
        ASSERT_EQ(dialog.List()->topLevelItemCount(), 2);
        EXPECT_EQ(dialog.List()->topLevelItem(1)->text(0), QStringLiteral("Блок-схема №1"));
        dialog.List()->topLevelItem(1)->setCheckState(0, Qt::Unchecked);
        dialog.findChild<QPushButton*>("RecoverButton")->click();
        ASSERT_EQ(dialog.Chosen().size(), 1u);
        EXPECT_EQ(dialog.Chosen()[0].File, "/t/1");
        ASSERT_EQ(dialog.ToDiscard().size(), 1u);
        EXPECT_EQ(dialog.ToDiscard()[0].File, "/t/2");
    }
    TRecoverDialog dialog(files);
    dialog.findChild<QPushButton*>("DiscardButton")->click();
    EXPECT_TRUE(dialog.Chosen().empty());
    EXPECT_EQ(dialog.ToDiscard().size(), 2u);
}

TEST(AutosaveStore, AFullDiskKeepsThePreviousCopy)
{
    QTemporaryDir tmp;
    TAutosaveStore store(tmp.path() + "/autosave");
    ASSERT_TRUE(store.IsActive());
    const QString slot = store.NewSlot();
    const QByteArray first("FileKestrabinEditorV2 first");
    ASSERT_TRUE(store.Write(slot, Record("/home/u/a.bls", first)));
    QString error;
    {
        const kbtest::TFullDisk full(16);
        EXPECT_FALSE(store.Write(slot, Record("/home/u/a.bls", QByteArray(4000, 'x')), &error));
    }
    EXPECT_TRUE(error.contains(QStringLiteral("File too large"))) << error.toStdString();
    const auto back = TAutosaveStore::Read(slot);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->Diagram, first);
    EXPECT_EQ(QDir(tmp.path() + "/autosave").entryList(QDir::Files | QDir::Hidden).filter(".part"),
              QStringList());
}
