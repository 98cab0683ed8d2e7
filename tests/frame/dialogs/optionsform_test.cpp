// The Options dialog: the working copy of the standard sizes, the emptied
// field rule and the background colour.
#include "frame/dialogs/optionsform.h"
#include "frame/dialogs/spinfield.h"
#include "model/shemobj.h"
#include "tests/frame/dialogs/dialogrun.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace kb;

namespace {

constexpr int kTextEntry = 4; // "Text" stands for kind 5

// Leaving a field, as a click elsewhere does.
void Leave(QWidget* field)
{
    QFocusEvent out(QEvent::FocusOut, Qt::MouseFocusReason);
    QCoreApplication::sendEvent(field, &out);
}

class Options : public ::testing::Test
{
protected:
    TOptionsForm dialog;
    TStandSizes sizes = DefaultSettings().StandSize;
    TColor background = kDefaultBackground;
};

TEST_F(Options, EmptiedHeightFieldStoresTwenty)
{
    sizes[bkRectangle] = {100, 40};
    dialog.SetValues(sizes, background);
    EXPECT_EQ(dialog.HeightField()->value(), 40);
    dialog.HeightField()->clear();
    Leave(dialog.HeightField());
    EXPECT_EQ(dialog.HeightField()->text(), QStringLiteral("20"));
    EXPECT_EQ(dialog.Sizes()[bkRectangle], (TBlockSize{100, 20}));
}

TEST_F(Options, AnEditedKindKeepsItsSizeAcrossShowings)
{
    test::WhenShown(dialog, [&] {
        dialog.KindList()->setCurrentIndex(kTextEntry);
        dialog.WidthField()->setValue(150);
        Leave(dialog.WidthField());
        dialog.KindList()->setCurrentIndex(0); // shows the rectangle's values again
        EXPECT_EQ(dialog.WidthField()->value(), sizes[bkRectangle].Width);
    });
    EXPECT_TRUE(dialog.Edit(sizes, background));
    EXPECT_EQ(sizes[bkText].Width, 150);

    dialog.SetValues(sizes, background);
    EXPECT_EQ(dialog.KindList()->currentIndex(), 0);
    dialog.KindList()->setCurrentIndex(kTextEntry);
    EXPECT_EQ(dialog.WidthField()->value(), 150);
}

TEST_F(Options, TypedValuesComeBackIntoRange)
{
    dialog.SetValues(sizes, background);
    dialog.WidthField()->clear();
    QTest::keyClicks(dialog.WidthField(), QStringLiteral("999"));
    Leave(dialog.WidthField());
    EXPECT_EQ(dialog.Sizes()[bkRectangle].Width, 255);
}

TEST_F(Options, CancelKeepsTheSizesAndTheColour)
{
    const TStandSizes before = sizes;
    dialog.SetColorPicker([](const QColor&, QWidget*) { return QColor(10, 20, 30); });
    test::WhenShown(
        dialog,
        [&] {
            dialog.WidthField()->setValue(200);
            Leave(dialog.WidthField());
            dialog.ColorPanel()->click();
        },
        false);
    EXPECT_FALSE(dialog.Edit(sizes, background));
    EXPECT_EQ(sizes, before);
    EXPECT_EQ(background, kDefaultBackground);

    test::WhenShown(dialog, [&] { dialog.ColorPanel()->click(); });
    EXPECT_TRUE(dialog.Edit(sizes, background));
    EXPECT_EQ(background, RGBColor(10, 20, 30));
    EXPECT_EQ(sizes, before);
}

} // namespace
