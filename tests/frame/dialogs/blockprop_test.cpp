// The block properties dialog: its check boxes by kind, the position and
// size fields, and what OK and Cancel give back.
#include "docwin/inplaceeditor.h"
#include "frame/dialogs/blockprop.h"
#include "frame/dialogs/spinfield.h"
#include "tests/frame/dialogs/dialogrun.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QTest>
#include <gtest/gtest.h>

using namespace kb;

namespace {

Block MakeBlock(uint8_t kind, bool filled, bool dotted)
{
    Block b;
    b.Kind = kind;
    b.Filled = filled;
    b.Dotted = dotted;
    b.SetRect({100, 200, 180, 220});
    b.Text = "x";
    return b;
}

class BlockProp : public ::testing::Test
{
protected:
    TBlockProp dialog;

    void ExpectBox(QCheckBox* box, bool enabled, bool checked)
    {
        EXPECT_EQ(box->isEnabled(), enabled) << box->objectName().toStdString();
        EXPECT_EQ(box->isChecked(), checked) << box->objectName().toStdString();
    }
};

TEST_F(BlockProp, TextBlockOpensWithBothBoxesOff)
{
    dialog.SetBlock(MakeBlock(bkText, true, true));
    ExpectBox(dialog.FillingBox(), false, false);
    ExpectBox(dialog.DottedBox(), false, false);
    EXPECT_TRUE(dialog.KindButton(bkText)->isChecked());
    EXPECT_FALSE(dialog.KindButton(bkRectangle)->isChecked());
    EXPECT_FALSE(dialog.KindButton(bkJoint)) << "no button for joint points";
}

TEST_F(BlockProp, DottedOutlineRulesOutFillingWithoutClearingIt)
{
    dialog.SetBlock(MakeBlock(bkRectangle, true, true));
    ExpectBox(dialog.FillingBox(), false, false);
    ExpectBox(dialog.DottedBox(), true, true);
    EXPECT_TRUE(dialog.EditedBlock().Filled);

    dialog.DottedBox()->click(); // off: filling shows again
    ExpectBox(dialog.FillingBox(), true, true);
    EXPECT_FALSE(dialog.EditedBlock().Dotted);
    EXPECT_TRUE(dialog.EditedBlock().Filled);
}

TEST_F(BlockProp, KindWithoutTheBoxesClearsBothFlags)
{
    dialog.SetBlock(MakeBlock(bkRectangle, true, false));
    dialog.KindButton(bkCommentary)->click();
    const Block b = dialog.EditedBlock();
    EXPECT_EQ(b.Kind, bkCommentary);
    EXPECT_FALSE(b.Filled);
    EXPECT_FALSE(b.Dotted);
    ExpectBox(dialog.FillingBox(), false, false);
    ExpectBox(dialog.DottedBox(), false, false);
    dialog.KindButton(bkEllipse)->click(); // the flags stay cleared
    EXPECT_FALSE(dialog.EditedBlock().Filled);
}

TEST_F(BlockProp, FieldsSetTheRectangleAndStayInsideTheDiagram)
{
    dialog.SetBlock(MakeBlock(bkRectangle, false, false));
    EXPECT_EQ(dialog.LeftField()->value(), 100);
    EXPECT_EQ(dialog.WidthField()->value(), 80);
    dialog.WidthField()->setValue(300);
    dialog.TopField()->setValue(65535);
    EXPECT_EQ(dialog.EditedBlock().Rect(), (TRect{100, 65515, 400, 65535}));

    dialog.WidthField()->clear(); // not a number: reads as the minimum
    EXPECT_EQ(dialog.EditedBlock().Width(), 3);
}

TEST_F(BlockProp, OkGivesTheEditedRecordAndCancelNothing)
{
    Block b = MakeBlock(bkRectangle, false, false);
    test::WhenShown(dialog, [&] { dialog.TextField()->setPlainText(QStringLiteral("Да\nНет")); });
    EXPECT_TRUE(dialog.Edit(b));
    EXPECT_EQ(b.Text, "\xC4\xE0\r\n\xCD\xE5\xF2");

    const Block before = b;
    test::WhenShown(
        dialog, [&] { dialog.KindButton(bkRhomb)->click(); }, false);
    EXPECT_FALSE(dialog.Edit(b));
    EXPECT_EQ(b, before);

    test::WhenShown(dialog, {}); // OK without a change
    EXPECT_FALSE(dialog.Edit(b));
}

} // namespace
