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
using kbtest::Add;
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

    TShem& Shem() { return doc.Shem(); }
    bool Run() { return EditProperties(doc, blockDialog, linkDialog); }
};

TEST_F(Properties, LinkStyleChangesOnOk)
{
    TShemObj* a = Add(Shem(), MakeBlock(0, 0, 0, 40, 20));
    TShemObj* b = Add(Shem(), MakeBlock(0, 0, 60, 40, 80));
    TShemObj* link = Add(Shem(), MakeLink(a, b, {32767, 65535}, {32767, 0}, 1));
    doc.Selection() = {link};
    test::WhenShown(linkDialog, [&] { linkDialog.StyleList()->setCurrentIndex(7); });
    EXPECT_TRUE(Run());
    EXPECT_EQ(link->link().Style, 7);
    EXPECT_TRUE(doc.Modified());
}

TEST_F(Properties, JointPointStyleGoesToItsLinksAndItStaysAPoint)
{
    TShemObj* a = Add(Shem(), MakeBlock(0, 0, 0, 40, 20));
    TShemObj* joint = Add(Shem(), MakeBlock(bkJoint, 19, 39, 21, 41));
    TShemObj* b = Add(Shem(), MakeBlock(0, 0, 60, 40, 80));
    TShemObj* in = Add(Shem(), MakeLink(a, joint));
    TShemObj* out = Add(Shem(), MakeLink(joint, b, {32767, 32767}, {32767, 0}, 1));
    doc.Selection() = {joint};
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
    TShemObj* a = Add(Shem(), MakeBlock(0, 0, 0, 40, 20));
    TShemObj* b = Add(Shem(), MakeBlock(0, 0, 60, 40, 80));
    Add(Shem(), MakeLink(a, b));
    doc.Selection() = {a};
    test::WhenShown(blockDialog, [&] { blockDialog.KindButton(bkText)->click(); });
    EXPECT_TRUE(Run());
    EXPECT_EQ(a->block().Kind, bkText);
    EXPECT_EQ(Shem().Count(), 2);
    EXPECT_EQ(doc.Selection(), (std::vector<TShemObj*>{a}));
    EXPECT_TRUE(doc.Modified());
}

TEST_F(Properties, CancelOrSeveralEntriesChangeNothing)
{
    TShemObj* a = Add(Shem(), MakeBlock(0, 0, 0, 40, 20));
    TShemObj* b = Add(Shem(), MakeBlock(0, 0, 60, 40, 80));
    doc.Selection() = {a};
    test::WhenShown(
        blockDialog, [&] { blockDialog.KindButton(bkRhomb)->click(); }, false);
    EXPECT_FALSE(Run());
    EXPECT_EQ(a->block().Kind, bkRectangle);
    doc.Selection() = {a, b};
    EXPECT_FALSE(Run());
    EXPECT_FALSE(doc.Modified());
}

} // namespace
