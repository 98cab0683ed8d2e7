// What the main window shows around the documents: the found block clear
// of the Find dialog, status and list texts whole, the font box per
// document, Arrange Icons, and Qt's own texts in the interface language.
#include "docwin/childd.h"
#include "frame/autosave/recoverdialog.h"
#include "frame/filedialogs.h"
#include "frame/mainform.h"
#include "frame/objectlist.h"
#include "frame/services/searchdialogs.h"
#include "tests/frame/shellsupport.h"
#include "tests/frame/user/whenshown.h"

#include <QAction>
#include <QComboBox>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QToolBar>
#include <QTreeWidget>
#include <gtest/gtest.h>

using namespace kb;
using kb::test::TMessageRecorder;
using kb::test::WhenShown;

namespace {

Block Box(int left, int top, const char* text)
{
    Block b;
    b.SetRect({left, top, left + 80, top + 20});
    b.Text = text;
    return b;
}

class MainView : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
        main.resize(1000, 700);
        main.show();
        QApplication::setActiveWindow(&main);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
    }
    void TearDown() override
    {
        for (TChildD* d : main.Documents())
            d->Document().MarkSaved(); // nothing may stop the window going
    }

    QRect OnScreen(const TChildD& doc, const Block& b)
    {
        const TPoint lt = doc.ToPixels({b.Left, b.Top});
        const TPoint rb = doc.ToPixels({b.Right, b.Bottom});
        return QRect(doc.mapToGlobal(QPoint(lt.x, lt.y)), doc.mapToGlobal(QPoint(rb.x, rb.y)));
    }

    TMessageRecorder messages;
    TMainForm main;
};

} // namespace

TEST_F(MainView, FindShowsTheBlockWhereTheDialogDoesNotCoverIt)
{
    TChildD* doc = main.NewDocument();
    main.MdiArea()->currentSubWindow()->showMaximized();
    TShem s;
    for (int i = 0; i < 6; ++i)
        s.AddBlock(Box(3000 + 400 * i, 3000 + 300 * i, i % 2 ? "needle" : "hay"));
    s.AddBlock(Box(2, 2, "needle at the corner"));
    ASSERT_TRUE(doc->LoadFromBytes(s.SaveToBytes()));

    QTest::keyClick(doc, Qt::Key_F, Qt::ControlModifier);
    TFindDialog* find = main.SearchDialogs().Find();
    ASSERT_TRUE(find && find->isVisible());
    // Where a dialog first shows: over the middle of the main window, where
    // a centred block is.
    find->move(main.geometry().center() - QPoint(find->width() / 2, find->height() / 2));
    QTest::keyClicks(find->findChild<QLineEdit*>(QStringLiteral("FindText")),
                     QStringLiteral("needle"));
    const QRect view(doc->mapToGlobal(QPoint(0, 0)),
                     QSize(doc->ViewRect().Right, doc->ViewRect().Bottom));
    for (int hit = 0; hit < 4; ++hit) {
        QTest::mouseClick(find->FindNextButton(), Qt::LeftButton);
        ASSERT_EQ(doc->Selection().size(), 1u);
        const Block& found = doc->Selection().front()->block();
        ASSERT_NE(found.Text.find("needle"), std::string::npos);
        const QRect shown = OnScreen(*doc, found);
        EXPECT_TRUE(view.contains(shown)) << "hit " << hit;
        EXPECT_FALSE(shown.intersects(find->frameGeometry())) << "hit " << hit;
    }
    EXPECT_TRUE(messages.Texts.isEmpty());
}

TEST_F(MainView, StatusAndListTextsAreNotCutOff)
{
    TChildD* doc = main.NewDocument();
    TShem s;
    s.AddBlock(Box(65455, 65515, "far corner"));
    ASSERT_TRUE(doc->LoadFromBytes(s.SaveToBytes()));
    QLabel* point = main.StatusPanel(0);
    main.ShowStatus(0, QStringLiteral("(65531, 65535)"));
    EXPECT_GE(point->contentsRect().width(), point->sizeHint().width());

    main.Command(TCommandId::Listing)->trigger();
    TObjectList* list = main.ObjectList();
    QTRY_COMPARE(list->model()->rowCount(), 1);
    for (int column = 1; column < 3; ++column) {
        const QString text = list->model()->index(0, column).data().toString();
        const QString caption = list->model()->headerData(column, Qt::Horizontal).toString();
        EXPECT_EQ(caption, column == 1 ? QStringLiteral("Позиция") : QStringLiteral("Размеры"));
        const int needed = std::max(list->fontMetrics().horizontalAdvance(text),
                                    list->header()->fontMetrics().horizontalAdvance(caption));
        EXPECT_GT(list->header()->sectionSize(column), needed) << column;
    }
    // The last column ends inside the visible list.
    const QHeaderView* header = list->header();
    EXPECT_LE(header->sectionViewportPosition(2) + header->sectionSize(2),
              list->viewport()->width());
}

TEST_F(MainView, TheFontBoxBelongsToTheActiveDocument)
{
    auto* box = main.findChild<QComboBox*>(QStringLiteral("FontCombo"));
    ASSERT_TRUE(box);
    TChildD* first = main.NewDocument();
    TChildD* second = main.NewDocument();
    const int serif = box->findText(QStringLiteral("Serif"), Qt::MatchStartsWith);
    const QString other = box->itemText(serif >= 0 ? serif : 1);
    ASSERT_NE(other, QStringLiteral("Courier"));
    // Choosing a font as a user does: the box gets the keys.
    box->setFocus();
    box->setCurrentIndex(box->findText(other) - 1);
    QTest::keyClick(box, Qt::Key_Down);
    ASSERT_EQ(box->currentText(), other);
    EXPECT_EQ(second->CanvasFont().Name, other.toStdString());
    EXPECT_EQ(first->CanvasFont().Name, "Courier") << "the other document keeps its font";

    main.ActivateDocument(*first);
    EXPECT_EQ(box->currentText(), QStringLiteral("Courier"));
    main.ActivateDocument(*second);
    EXPECT_EQ(box->currentText(), other);
    // Minimised and shown again, a document still has its own font.
    main.MdiArea()->subWindowList()[0]->showMinimized();
    main.MdiArea()->subWindowList()[0]->showNormal();
    EXPECT_EQ(first->CanvasFont().Name, "Courier");
}

TEST_F(MainView, ArrangeIconsLinesUpTheMinimisedWindowsOnly)
{
    for (int i = 0; i < 3; ++i)
        main.NewDocument();
    const QList<QMdiSubWindow*> subs = main.MdiArea()->subWindowList(QMdiArea::CreationOrder);
    subs[0]->showMinimized();
    subs[2]->showMinimized();
    subs[0]->move(300, 40);
    subs[2]->move(10, 200);
    subs[1]->setGeometry(50, 60, 400, 300);
    const QRect normal = subs[1]->geometry();

    main.Command(TCommandId::ArrangeIcons)->trigger();
    const int bottom = main.MdiArea()->viewport()->height();
    EXPECT_EQ(subs[0]->geometry().bottomLeft(), QPoint(0, bottom - 1));
    EXPECT_EQ(subs[2]->geometry().topLeft(), subs[0]->geometry().topRight() + QPoint(1, 0));
    EXPECT_EQ(subs[1]->geometry(), normal) << "not cascaded";
}

TEST_F(MainView, QtsOwnTextsAndDatesAreRussian)
{
    // Accessible names of the toolbar buttons are their Russian hints.
    QWidget* newButton = main.StandardBar()->findChild<QWidget*>(QStringLiteral("NewButton"));
    ASSERT_TRUE(newButton);
    EXPECT_FALSE(newButton->accessibleName().isEmpty());
    EXPECT_EQ(newButton->accessibleName(), newButton->toolTip());
    EXPECT_TRUE(newButton->accessibleName().contains(QRegularExpression("[а-яА-Я]")));

    // The recovery dialog's dates read the Russian way ("08.12.2026 14:05").
    TStaleAutosave stale;
    stale.Record.Caption = QStringLiteral("Блок-схема №1");
    stale.Record.SavedAt = QDateTime(QDate(2026, 12, 8), QTime(14, 5));
    TRecoverDialog recover({stale}, &main);
    auto* files = recover.findChild<QTreeWidget*>();
    ASSERT_TRUE(files);
    EXPECT_TRUE(files->topLevelItem(0)->text(1).contains(QStringLiteral("08.12.2026")))
        << files->topLevelItem(0)->text(1).toStdString();

    // The Open dialog: its column captions and file dates.
    QTemporaryDir dir;
    kb::test::WriteDiagram(dir, QStringLiteral("plan.bls"));
    main.SetLastFolder(dir.path());
    QStringList captions;
    QString date;
    WhenShown<QFileDialog>([&](QFileDialog* d) {
        auto* model = d->findChild<QFileSystemModel*>();
        for (int c = 0; c < 4; ++c)
            captions.append(model->headerData(c, Qt::Horizontal).toString());
        const QModelIndex file = model->index(dir.filePath(QStringLiteral("plan.bls")), 3);
        auto* dates = qobject_cast<TFileDateDelegate*>(d->itemDelegate());
        ASSERT_TRUE(dates);
        // The dialog reads the folder in the background.
        QTRY_VERIFY(!dates->ShownText(file).isEmpty());
        date = dates->ShownText(file);
        d->reject();
    });
    main.Command(TCommandId::FileOpen)->trigger();
    EXPECT_EQ(captions.value(0), QStringLiteral("Имя")) << captions.join(',').toStdString();
    EXPECT_TRUE(date.contains(QRegularExpression("^\\d\\d\\.\\d\\d\\.\\d{4} ")))
        << date.toStdString();
}
