// The Size and Align dialogs: resetting at every showing and the Size
// dialog's typing rules.
#include "frame/dialogs/alignform.h"
#include "frame/dialogs/digitsedit.h"
#include "frame/dialogs/radiogroup.h"
#include "frame/dialogs/sizeform.h"
#include "tests/frame/dialogs/dialogrun.h"

#include <QTest>
#include <gtest/gtest.h>

using namespace kb;

namespace {

TEST(SizeDialog, FieldsTakeSixDigitsAndNothingElse)
{
    TSizeF dialog;
    TDigitsEdit* field = dialog.WidthField();
    QTest::keyClicks(field, QStringLiteral("1a2-3 4.5678"));
    EXPECT_EQ(field->text(), QStringLiteral("123456"));
    QTest::keyClick(field, Qt::Key_Backspace);
    QTest::keyClick(field, Qt::Key_Home);
    QTest::keyClick(field, Qt::Key_Delete);
    EXPECT_EQ(field->text(), QStringLiteral("2345"));
    EXPECT_EQ(dialog.WidthRule().Value, 2345);
}

TEST(SizeDialog, EnteringAFieldChoosesItsItemAndShowingResets)
{
    TSizeF dialog;
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    dialog.HeightField()->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(dialog.HeightGroup()->ItemIndex(), int(TSizeMode::Exact));
    EXPECT_EQ(dialog.WidthGroup()->ItemIndex(), 0);
    QTest::keyClicks(dialog.HeightField(), QStringLiteral("300"));
    EXPECT_EQ(dialog.HeightRule().Mode, TSizeMode::Exact);
    EXPECT_EQ(dialog.HeightRule().Value, 300);
    dialog.hide();

    test::WhenShown(dialog, {});
    EXPECT_TRUE(dialog.Execute());
    EXPECT_EQ(dialog.HeightGroup()->ItemIndex(), 0);
    EXPECT_TRUE(dialog.HeightField()->text().isEmpty());
    EXPECT_FALSE(dialog.HeightRule().Value);
}

TEST(AlignDialog, ShowingPutsBothGroupsBackOnNoChange)
{
    TAlignF dialog;
    test::WhenShown(dialog, [&] {
        dialog.findChild<TRadioGroup*>(QStringLiteral("RadioGroup1"))->SetItemIndex(4);
        dialog.findChild<TRadioGroup*>(QStringLiteral("RadioGroup2"))->SetItemIndex(2);
    });
    ASSERT_TRUE(dialog.Execute());
    EXPECT_EQ(dialog.Horizontal(), 4);
    EXPECT_EQ(dialog.Vertical(), 2);
    test::WhenShown(dialog, {}, false);
    EXPECT_FALSE(dialog.Execute());
    EXPECT_EQ(dialog.Horizontal(), 0);
    EXPECT_EQ(dialog.Vertical(), 0);
}

} // namespace
