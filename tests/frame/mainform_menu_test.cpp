// The File menu's recent files, the View commands and the object list.
#include "docwin/childd.h"
#include "frame/about.h"
#include "frame/mainform.h"
#include "frame/objectlist.h"
#include "tests/frame/shellsupport.h"

#include <QDir>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace kb;
using kb::test::TMessageRecorder;
using kb::test::WriteDiagram;

namespace {

class MainFormMenus : public ::testing::Test
{
protected:
    void SetUp() override
    {
        main.show();
        QApplication::setActiveWindow(&main);
    }

    // The File menu's captions as it shows them after opening ("-" for a
    // separator), from the Export item on.
    QStringList FileMenuTail()
    {
        emit main.FileMenu()->aboutToShow();
        QStringList captions;
        bool tail = false;
        for (QAction* a : main.FileMenu()->actions()) {
            tail = tail || a->objectName() == QLatin1String("FileExportItem");
            if (tail) captions.append(a->isSeparator() ? QStringLiteral("-") : a->text());
        }
        return captions;
    }

    QAction* RecentItem(int index)
    {
        emit main.FileMenu()->aboutToShow();
        const QList<QAction*> actions = main.FileMenu()->actions();
        const int exportAt = int(actions.indexOf(main.Command(TCommandId::Export)));
        return actions.value(exportAt + 2 + index);
    }

    QTemporaryDir dir;
    TMessageRecorder messages;
    TMainForm main;
};

} // namespace

TEST_F(MainFormMenus, NoRecentFilesAddNoItems)
{
    EXPECT_EQ(FileMenuTail(), (QStringList{QStringLiteral("Export"), QStringLiteral("-"),
                                           QStringLiteral("E&xit")}));
}

TEST_F(MainFormMenus, SevenRecentFilesShowTheFirstFive)
{
    QStringList files;
    for (int i = 1; i <= 7; ++i)
        files.append(QStringLiteral("/data/d%1.bls").arg(i));
    main.SetRecentFiles(files);
    const QStringList expected{QStringLiteral("Export"),
                               QStringLiteral("-"),
                               QStringLiteral("&1: /data/d1.bls"),
                               QStringLiteral("&2: /data/d2.bls"),
                               QStringLiteral("&3: /data/d3.bls"),
                               QStringLiteral("&4: /data/d4.bls"),
                               QStringLiteral("&5: /data/d5.bls"),
                               QStringLiteral("-"),
                               QStringLiteral("E&xit")};
    EXPECT_EQ(FileMenuTail(), expected);
    // Rebuilt, not appended to, every time the menu opens.
    EXPECT_EQ(FileMenuTail(), expected);
    main.SetRecentFiles({});
    EXPECT_EQ(FileMenuTail().size(), 3);
}

TEST_F(MainFormMenus, RecentItemOfADeletedFileSaysSoOnceAndGoes)
{
    const QString kept = WriteDiagram(dir, QStringLiteral("kept.bls"));
    const QString gone = dir.filePath(QStringLiteral("gone.bls"));
    main.SetRecentFiles({gone, kept});
    QAction* item = RecentItem(0);
    ASSERT_NE(item, nullptr);
    EXPECT_TRUE(item->text().endsWith(gone));
    item->trigger();
    EXPECT_EQ(messages.Texts.size(), 1);
    EXPECT_TRUE(main.Documents().isEmpty());
    EXPECT_EQ(main.RecentFiles(), QStringList{kept});
    EXPECT_TRUE(RecentItem(0)->text().endsWith(kept));

    RecentItem(0)->trigger();
    ASSERT_EQ(main.Documents().size(), 1);
    // A recent item of a file that is open brings its window back.
    RecentItem(0)->trigger();
    EXPECT_EQ(main.Documents().size(), 1);
    EXPECT_EQ(messages.Texts.size(), 1);
}

TEST_F(MainFormMenus, GridFollowsTheMenuCheckIntoEachDocument)
{
    auto* button = main.StandardBar()->findChild<QToolButton*>(QStringLiteral("GridButton"));
    ASSERT_NE(button, nullptr);
    TChildD* first = main.NewDocument();
    main.Command(TCommandId::Grid)->trigger();
    EXPECT_TRUE(first->Grid());
    EXPECT_TRUE(button->isChecked());
    // A document becoming active takes the check.
    TChildD* second = main.NewDocument();
    EXPECT_TRUE(second->Grid());
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_FALSE(second->Grid());
    EXPECT_FALSE(main.Command(TCommandId::Grid)->isChecked());
}

TEST_F(MainFormMenus, ScaleItemsSetTheActiveDocumentsScale)
{
    TChildD* doc = main.NewDocument();
    QMenu* scale = main.Command(TCommandId::Scale)->menu();
    ASSERT_NE(scale, nullptr);
    ASSERT_EQ(scale->actions().size(), 4);
    EXPECT_EQ(scale->actions()[3]->text(), QStringLiteral("x8"));
    scale->actions()[3]->trigger();
    EXPECT_EQ(doc->Scale(), 8);
    emit scale->aboutToShow();
    EXPECT_TRUE(scale->actions()[3]->isChecked());
    EXPECT_FALSE(scale->actions()[1]->isChecked());
}

TEST_F(MainFormMenus, ListingShowsTheActiveDiagramsBlocks)
{
    const QString a = WriteDiagram(dir, QStringLiteral("a.bls"), "in a");
    const QString b = WriteDiagram(dir, QStringLiteral("b.bls"), "in b");
    TChildD* docA = main.OpenDocument(a);
    main.OpenDocument(b);
    EXPECT_FALSE(main.ObjectList()->IsVisible());
    main.Command(TCommandId::Listing)->trigger();
    ASSERT_TRUE(main.ObjectList()->IsVisible());
    TObjectListModel& rows = main.ObjectList()->Model();
    ASSERT_EQ(rows.rowCount(), 1);
    EXPECT_EQ(rows.index(0, 0).data().toString(), QStringLiteral("in b"));
    EXPECT_EQ(rows.index(0, 1).data().toString(), QStringLiteral("(10, 10)"));
    EXPECT_EQ(rows.index(0, 2).data().toString(), QStringLiteral("(80, 20)"));

    main.ActivateDocument(*docA);
    ASSERT_EQ(rows.rowCount(), 1);
    EXPECT_EQ(rows.index(0, 0).data().toString(), QStringLiteral("in a"));
    // Closing every document leaves no rows naming their entries.
    for (TChildD* doc : main.Documents())
        doc->parentWidget()->close();
    QApplication::processEvents();
    EXPECT_EQ(rows.rowCount(), 0);
}

TEST_F(MainFormMenus, AboutBoxShowsTheBuildVersion)
{
    EXPECT_EQ(main.AboutBox().VersionText(), QStringLiteral("Version: ") + ProgramVersion());
    EXPECT_FALSE(ProgramVersion().isEmpty());
    EXPECT_NE(ProgramVersion(), QStringLiteral("0.0.0"));
}

TEST_F(MainFormMenus, ContextMenuInsertsAStandardBlockAtTheMouse)
{
    TChildD* doc = main.NewDocument();
    TSettings s = DefaultSettings();
    s.StandSize[bkEllipse] = {100, 30};
    main.ApplySettings(s);
    QAction* ellipse = main.Command(TCommandId::InsertEllipse);
    ASSERT_NE(ellipse, nullptr);
    ellipse->trigger();
    ASSERT_EQ(doc->Shem().Count(), 1);
    const Block& b = doc->Shem().Get(0)->block();
    EXPECT_EQ(b.Kind, bkEllipse);
    EXPECT_EQ(b.Width(), 100);
    EXPECT_EQ(b.Height(), 30);
    EXPECT_TRUE(doc->Modified());
    EXPECT_TRUE(main.Command(TCommandId::Undo)->isEnabled());
}

TEST_F(MainFormMenus, ShortcutsReachTheirCommands)
{
    main.activateWindow();
    QTest::keyClick(&main, Qt::Key_N, Qt::ControlModifier);
    ASSERT_EQ(main.Documents().size(), 1);
    TChildD* doc = main.Documents()[0];
    kb::test::DrawRectangle(main, *doc);
    QTest::keyClick(doc->Editor(), Qt::Key_Escape);
    ASSERT_EQ(doc->Shem().Count(), 1);
    doc->setFocus();
    QTest::keyClick(doc, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(doc->Shem().Count(), 0);
    QTest::keyClick(doc, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(doc->Shem().Count(), 1);
    QTest::keyClick(doc, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(doc, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(doc->Shem().Count(), 1);
    QTest::keyClick(doc, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(doc->Selection().size(), 1u);
    QTest::keyClick(doc, Qt::Key_Z, Qt::ControlModifier); // back to the start
    QTest::keyClick(doc, Qt::Key_F4, Qt::ControlModifier);
    QApplication::processEvents();
    EXPECT_TRUE(main.Documents().isEmpty()); // unmodified: no prompt
}
