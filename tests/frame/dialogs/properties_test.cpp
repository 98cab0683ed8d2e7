// The Properties command on a document: which dialog edits what, and what
// an OK does to the diagram.
#include "docwin/childd.h"
#include "frame/dialogs/blockprop.h"
#include "frame/dialogs/linkprop.h"
#include "frame/dialogs/linkstylelist.h"
#include "frame/dialogs/propertiescommand.h"
#include "tests/docwin/fakehost.h"
#include "tests/frame/dialogs/dialogrun.h"
#include "tests/model/builders.h"

#include <QAbstractButton>
#include <gtest/gtest.h>

using namespace kb;
using kbtest::MakeBlock;
using kbtest::MakeLink;

namespace {

class Properties : public ::testing::Test
{
protected:
    test::TFakeHost host;
    TChildD doc{host};
    TBlockProp blockDialog;
    TLinkPropForm linkDialog;

    const TShem& Shem() { return doc.Shem(); }
    bool Run() { return EditProperties(doc, blockDialog, linkDialog); }
};

TEST_F(Properties, LinkStyleChangesOnOk)
{
    TShemObj* a = test::SetUpEntry(doc, MakeBlock(0, 0, 0, 40, 20));
    TShemObj* b = test::SetUpEntry(doc, MakeBlock(0, 0, 60, 40, 80));
    TShemObj* link = test::SetUpEntry(doc, MakeLink(a, b, {32767, 65535}, {32767, 0}, 1));
    doc.SetSelection({link});
    test::WhenShown(linkDialog, [&] { linkDialog.StyleList()->setCurrentIndex(7); });
    EXPECT_TRUE(Run());
    EXPECT_EQ(link->link().Style, 7);
    EXPECT_TRUE(doc.Modified());
}

TEST_F(Properties, JointPointStyleGoesToItsLinksAndItStaysAPoint)
{
    TShemObj* a = test::SetUpEntry(doc, MakeBlock(0, 0, 0, 40, 20));
    TShemObj* joint = test::SetUpEntry(doc, MakeBlock(bkJoint, 19, 39, 21, 41));
    TShemObj* b = test::SetUpEntry(doc, MakeBlock(0, 0, 60, 40, 80));
    TShemObj* in = test::SetUpEntry(doc, MakeLink(a, joint));
    TShemObj* out = test::SetUpEntry(doc, MakeLink(joint, b, {32767, 32767}, {32767, 0}, 1));
    doc.SetSelection({joint});
    test::WhenShown(linkDialog, [&] {
        EXPECT_EQ(linkDialog.Style(), 0) << "the first link's style";
        linkDialog.StyleList()->setCurrentIndex(4);
    });
    EXPECT_TRUE(Run());
    EXPECT_EQ(joint->block().Kind, bkJoint);
    EXPECT_EQ(in->link().Style, 4);
    EXPECT_EQ(out->link().Style, 4);
}

TEST_F(Properties, BlockTurnedIntoTextLosesItsLinksSafely)
{
    TShemObj* a = test::SetUpEntry(doc, MakeBlock(0, 0, 0, 40, 20));
    TShemObj* b = test::SetUpEntry(doc, MakeBlock(0, 0, 60, 40, 80));
    test::SetUpEntry(doc, MakeLink(a, b));
    doc.SetSelection({a});
    test::WhenShown(blockDialog, [&] { blockDialog.KindButton(bkText)->click(); });
    EXPECT_TRUE(Run());
    EXPECT_EQ(a->block().Kind, bkText);
    EXPECT_EQ(Shem().Count(), 2);
    EXPECT_EQ(doc.Selection(), (std::vector<TShemObj*>{a}));
    EXPECT_TRUE(doc.Modified());
    EXPECT_EQ(doc.Document().UndoAction(), TAction::Properties);
    doc.Undo(); // the link comes back with the kind
    EXPECT_EQ(a->block().Kind, bkRectangle);
    EXPECT_EQ(Shem().Count(), 3);
    EXPECT_FALSE(doc.Modified());
}

TEST_F(Properties, CancelOrSeveralEntriesChangeNothing)
{
    TShemObj* a = test::SetUpEntry(doc, MakeBlock(0, 0, 0, 40, 20));
    TShemObj* b = test::SetUpEntry(doc, MakeBlock(0, 0, 60, 40, 80));
    doc.SetSelection({a});
    test::WhenShown(
        blockDialog, [&] { blockDialog.KindButton(bkRhomb)->click(); }, false);
    EXPECT_FALSE(Run());
    EXPECT_EQ(a->block().Kind, bkRectangle);
    doc.SetSelection({a, b});
    EXPECT_FALSE(Run());
    EXPECT_FALSE(doc.Modified());
}

} // namespace
