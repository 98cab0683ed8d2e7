// What a new user meets first: where the main window opens, how a lone
// document fills the document area, and the link tool's direction menu with
// its remembered choice.
#include "docwin/childd.h"
#include "docwin/childhost.h"
#include "docwin/drawing/icons.h"
#include "frame/dialogs/menuform.h"
#include "frame/mainform.h"
#include "frame/startup.h"
#include "tests/frame/shellsupport.h"

#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace kb;
using kb::test::TMessageRecorder;
using kb::test::WriteDiagram;

namespace {

QImage Picture(const QIcon& icon)
{
    return icon.pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

// A settings store in a file of its own, as a start and a restart see it.
struct TStore
{
    QTemporaryDir Dir;
    std::unique_ptr<QSettings> Open() const
    {
        return std::make_unique<QSettings>(Dir.filePath(QStringLiteral("kestrabin.ini")),
                                           QSettings::IniFormat);
    }
};

QMdiSubWindow* SubOf(const TMainForm& main, TChildD* doc)
{
    for (QMdiSubWindow* sub : main.findChild<QMdiArea*>()->subWindowList())
        if (sub->widget() == doc) return sub;
    return nullptr;
}

QToolButton* LinkToolButton(const TMainForm& main)
{
    return qobject_cast<QToolButton*>(
        main.SpecialBar()->widgetForAction(main.Command(TCommandId::ToolLink)));
}

} // namespace

TEST(FirstStart, TheMainWindowTakesFourFifthsOfTheScreenCentred)
{
    EXPECT_EQ(FirstStartPlacement({0, 0, 1600, 1000}), QRect(160, 100, 1280, 800));
    // A second screen to the right, its free area below a 40-pixel panel.
    EXPECT_EQ(FirstStartPlacement({1600, 40, 1920, 1040}), QRect(1792, 144, 1536, 832));

    TStore store;
    TMainForm main;
    main.ApplySettings(LoadSettings(*store.Open()));
    main.show();
    const QRect available = main.screen()->availableGeometry();
    EXPECT_EQ(main.geometry(), FirstStartPlacement(available));
    EXPECT_FALSE(main.isMaximized());

    // A restart finds the placement the user left.
    main.setGeometry(50, 60, 500, 400);
    SaveSettings(*store.Open(), main.CollectSettings());
    TMainForm again;
    again.ApplySettings(LoadSettings(*store.Open()));
    again.show();
    EXPECT_EQ(again.geometry(), QRect(50, 60, 500, 400));
}

TEST(FirstStart, ALoneDocumentFillsTheDocumentAreaAndFurtherOnesCascade)
{
    TMessageRecorder messages;
    TStore store;
    TMainForm main;
    main.ApplySettings(LoadSettings(*store.Open()));
    main.show();
    QMdiArea* area = main.findChild<QMdiArea*>();
    auto newButton = [&] {
        return main.findChild<QToolBar*>(QStringLiteral("Standart"))
            ->widgetForAction(main.Command(TCommandId::FileNew));
    };

    QTest::mouseClick(newButton(), Qt::LeftButton);
    ASSERT_EQ(main.Documents().size(), 1);
    QMdiSubWindow* first = SubOf(main, main.Documents()[0]);
    EXPECT_EQ(first->geometry(), area->viewport()->rect());
    EXPECT_FALSE(first->isMaximized());

    QTest::mouseClick(newButton(), Qt::LeftButton);
    ASSERT_EQ(main.Documents().size(), 2);
    QMdiSubWindow* second = SubOf(main, main.Documents()[1]);
    EXPECT_LT(second->width(), area->viewport()->width());
    EXPECT_GT(second->x(), 0);
    EXPECT_EQ(first->geometry(), area->viewport()->rect()) << "the first one stays as it was";

    // Alone again, an opened file fills the area too.
    area->closeAllSubWindows();
    QTemporaryDir work;
    TChildD* opened = main.OpenDocument(WriteDiagram(work, QStringLiteral("a.bls")));
    ASSERT_NE(opened, nullptr);
    EXPECT_EQ(SubOf(main, opened)->geometry(), area->viewport()->rect());
}

TEST(LinkDirections, AreInAMenuOnTheLinkToolAndRememberedAcrossRestarts)
{
    TStore store;
    auto main = std::make_unique<TMainForm>();
    main->ApplySettings(LoadSettings(*store.Open()));
    main->show();
    main->NewDocument(); // the Special toolbar shows with a document
    QToolButton* button = LinkToolButton(*main);
    ASSERT_NE(button, nullptr);
    ASSERT_TRUE(button->isVisible());
    EXPECT_EQ(button->popupMode(), QToolButton::MenuButtonPopup);
    // A first start draws arrows at the links' ends, and the tool shows one.
    EXPECT_EQ(main->LinkDirection(), 1);
    EXPECT_EQ(Picture(main->Command(TCommandId::ToolLink)->icon()), Picture(LinkStyleIcon(1)));
    EXPECT_TRUE(button->toolTip().contains(QStringLiteral("small arrow")));

    // The menu opens from the small arrow at the button's right edge; the
    // press there does not start the hold that opens the palette.
    bool holdStarted = true;
    QString menuTexts;
    QTimer::singleShot(0, [&] {
        holdStarted = main->ToolPalette().HoldTimer()->isActive();
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        for (QAction* a : menu->actions())
            menuTexts += a->text() + QLatin1Char('|');
        QAction* atStart = menu->findChild<QAction*>(QStringLiteral("LinkArrow2"));
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(atStart).center());
    });
    QTest::mousePress(button, Qt::LeftButton, {},
                      QPoint(button->width() - 3, button->height() / 2));
    QTest::mouseRelease(button, Qt::LeftButton, {},
                        QPoint(button->width() - 3, button->height() / 2));
    EXPECT_FALSE(holdStarted);
    EXPECT_EQ(menuTexts,
              QStringLiteral("No arrows|Arrow at the end|Arrow at the start|Arrows at both ends|"));
    EXPECT_EQ(main->LinkDirection(), 2);
    EXPECT_EQ(main->CurrentTool(), tcLink);
    EXPECT_EQ(Picture(main->Command(TCommandId::ToolLink)->icon()), Picture(LinkStyleIcon(2)));
    EXPECT_FALSE(main->ToolPalette().isVisible());

    SaveSettings(*store.Open(), main->CollectSettings());
    main.reset();
    EXPECT_EQ(store.Open()->value(QStringLiteral("LinkDirection")).toInt(), 2);
    TMainForm again;
    again.ApplySettings(LoadSettings(*store.Open()));
    EXPECT_EQ(again.LinkDirection(), 2);
    EXPECT_EQ(Picture(again.Command(TCommandId::ToolLink)->icon()), Picture(LinkStyleIcon(2)));
    EXPECT_TRUE(again.ToolPalette()
                    .LinkDirectionMenu()
                    ->findChild<QAction*>(QStringLiteral("LinkArrow2"))
                    ->isChecked());
    EXPECT_EQ(again.CurrentTool(), tcSelect) << "a restored direction does not pick the tool";
}

TEST(LinkDirections, AStoredValueOutOfRangeIsIgnored)
{
    TStore store;
    store.Open()->setValue(QStringLiteral("LinkDirection"), 9);
    EXPECT_EQ(LoadSettings(*store.Open()).LinkDirection, 1);
}
