// The tool sub-palette: the 500 ms hold on the link and link-point tools,
// where the palette opens and what a choice does.
#include "docwin/childhost.h"
#include "docwin/drawing/icons.h"
#include "frame/dialogs/menuform.h"

#include <QAction>
#include <QActionGroup>
#include <QMainWindow>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace kb;

namespace {

QImage Picture(const QIcon& icon)
{
    return icon.pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

class SubPalette : public ::testing::Test
{
protected:
    QMainWindow window;
    QToolBar* bar = new QToolBar(&window);
    QAction* select = bar->addAction(QStringLiteral("Select objects"));
    QAction* point = bar->addAction(QStringLiteral("Add delete point into link"));
    QAction* link = bar->addAction(QStringLiteral("Create link"));
    TMenuF palette{&window};

    void SetUp() override
    {
        auto* group = new QActionGroup(&window);
        for (QAction* a : {select, point, link}) {
            a->setCheckable(true);
            group->addAction(a);
        }
        select->setChecked(true);
        window.addToolBar(Qt::BottomToolBarArea, bar);
        palette.AttachLinkTool(Button(link));
        palette.AttachJointTool(Button(point));
        window.resize(400, 300);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
    QToolButton* Button(QAction* a) { return qobject_cast<QToolButton*>(bar->widgetForAction(a)); }
};

TEST_F(SubPalette, HoldingTheLinkToolOpensTheDirectionChoice)
{
    QSignalSpy pressed(&palette, &TMenuF::ToolPressed);
    QTest::mousePress(Button(link), Qt::LeftButton, {}, QPoint(8, 8));
    EXPECT_TRUE(link->isChecked());
    EXPECT_FALSE(select->isChecked());
    ASSERT_EQ(pressed.count(), 1);
    EXPECT_EQ(pressed.at(0).at(0).toInt(), tcLink);
    ASSERT_TRUE(palette.HoldTimer()->isActive());
    EXPECT_EQ(palette.HoldTimer()->interval(), 500);
    EXPECT_FALSE(palette.isVisible());

    palette.Timer1Timer(); // as the timer firing
    EXPECT_FALSE(palette.HoldTimer()->isActive());
    ASSERT_TRUE(palette.isVisible());
    EXPECT_EQ(palette.size(), QSize(28, 92));
    EXPECT_TRUE(palette.LinkChoice(0)->isVisible());
    EXPECT_FALSE(palette.JointChoice(0)->isVisible());
    // A bottom dock puts the palette's corner at the button's point (8, 8).
    EXPECT_EQ(palette.pos(), Button(link)->mapToGlobal(QPoint(8, 8)));
    EXPECT_FALSE(Button(link)->isDown()) << "the press was released";
}

TEST_F(SubPalette, AShortClickOnlyPicksTheTool)
{
    QTest::mouseClick(Button(point), Qt::LeftButton, {}, QPoint(8, 8));
    EXPECT_TRUE(point->isChecked());
    EXPECT_FALSE(palette.HoldTimer()->isActive());
    EXPECT_FALSE(palette.isVisible());
}

TEST_F(SubPalette, ThirdLinkButtonGivesDirectionTwo)
{
    QSignalSpy chosen(&palette, &TMenuF::LinkDirectionChosen);
    QTest::mousePress(Button(link), Qt::LeftButton, {}, QPoint(8, 8));
    palette.Timer1Timer();
    palette.LinkChoice(2)->click();
    ASSERT_EQ(chosen.count(), 1);
    EXPECT_EQ(chosen.at(0).at(0).toInt(), 2);
    EXPECT_EQ(palette.LinkDirection(), 2);
    EXPECT_EQ(palette.LinkImageIndex(), 9);
    EXPECT_EQ(Picture(link->icon()), Picture(LinkStyleIcon(2)));
    EXPECT_FALSE(palette.isVisible());
}

TEST_F(SubPalette, JointChoiceOpensAboveALeftDockAndSetsTheMode)
{
    window.addToolBar(Qt::LeftToolBarArea, bar);
    QTest::qWait(0);
    QSignalSpy chosen(&palette, &TMenuF::JointModeChosen);
    QTest::mousePress(Button(point), Qt::LeftButton, {}, QPoint(8, 8));
    palette.Timer1Timer();
    EXPECT_EQ(palette.size(), QSize(28, 48));
    EXPECT_TRUE(palette.JointChoice(1)->isVisible());
    EXPECT_FALSE(palette.LinkChoice(0)->isVisible());
    const QPoint p = Button(point)->mapToGlobal(QPoint(8, 8));
    EXPECT_EQ(palette.pos(), QPoint(p.x(), p.y() - 48));
    palette.JointChoice(1)->click();
    ASSERT_EQ(chosen.count(), 1);
    EXPECT_EQ(palette.JointImageIndex(), 12);
    EXPECT_EQ(Picture(point->icon()), Picture(JointModeIcon(1)));
}

} // namespace
