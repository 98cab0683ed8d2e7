// Loading templates, inserting them and replacing a block with one.
#include "frame/commands/templates.h"
#include "tests/model/builders.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kb;
using kbtest::Add;
using kbtest::MakeBlock;
using kbtest::MakeLink;

namespace {

constexpr TPoint kTopMid{32767, 0};
constexpr TPoint kBottomMid{32767, 65535};

bool Contains(const TShem& shem, const TShemObj* e)
{
    return shem.IndexOf(e) >= 0;
}

TShemObj* BlockAt(const TShem& shem, const TRect& r)
{
    for (int i = 0; i < shem.Count(); ++i)
        if (shem.Get(i)->IsBlock() && shem.Get(i)->block().Rect() == r) return shem.Get(i);
    return nullptr;
}

// Three blocks stacked with links between them, bounds (10, 10, 90, 110).
void FillColumn(TShem& t)
{
    TShemObj* top = Add(t, MakeBlock(bkEllipse, 10, 10, 90, 30, "begin"));
    TShemObj* mid = Add(t, MakeBlock(bkRectangle, 10, 50, 90, 70));
    TShemObj* low = Add(t, MakeBlock(bkEllipse, 10, 90, 90, 110, "end"));
    Add(t, MakeLink(top, mid, kBottomMid, kTopMid));
    Add(t, MakeLink(mid, low, kBottomMid, kTopMid));
}

class Templates : public ::testing::Test
{
protected:
    TShem shem;
    TShem pattern;
    std::vector<TShemObj*> selection;
    TSelectionTarget target{shem, selection, {}};
    QTemporaryDir dir;

    QString WriteFile(const QString& name, const QByteArray& bytes)
    {
        QFile f(dir.filePath(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return f.fileName();
    }
    QString WriteDiagram(const QString& name, const TShem& d)
    {
        const std::vector<uint8_t> bytes = d.SaveToBytes();
        return WriteFile(
            name, QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size())));
    }
};

TEST_F(Templates, ReplacementConnectsLinksToTheTopmostAndLowestBlocks)
{
    TShemObj* above = Add(shem, MakeBlock(bkRectangle, 100, 0, 180, 20));
    TShemObj* q = Add(shem, MakeBlock(bkRectangle, 100, 100, 180, 120));
    TShemObj* below = Add(shem, MakeBlock(bkRectangle, 100, 200, 180, 220));
    TShemObj* in = Add(shem, MakeLink(above, q, kBottomMid, kTopMid));
    TShemObj* out = Add(shem, MakeLink(q, below, kBottomMid, kTopMid));
    FillColumn(pattern);
    selection = {q};

    EXPECT_TRUE(ReplaceWithTemplate(target, pattern));
    EXPECT_FALSE(Contains(shem, q));
    TShemObj* topmost = BlockAt(shem, {100, 100, 180, 120});
    TShemObj* lowest = BlockAt(shem, {100, 180, 180, 200});
    ASSERT_TRUE(topmost && lowest);
    EXPECT_EQ(topmost->block().Text, "begin");
    EXPECT_EQ(in->link().EndB, topmost);
    EXPECT_EQ(in->link().PosB, kTopMid);
    EXPECT_EQ(out->link().EndA, lowest);
    // The template is 80 units taller than the block it replaces.
    EXPECT_EQ(below->block().Rect(), (TRect{100, 280, 180, 300}));
    EXPECT_EQ(above->block().Rect(), (TRect{100, 0, 180, 20}));
    EXPECT_EQ(shem.Count(), 9);
    for (int i = 0; i < shem.Count(); ++i) {
        if (!shem.Get(i)->IsLink()) continue;
        EXPECT_TRUE(Contains(shem, shem.Get(i)->link().EndA));
        EXPECT_TRUE(Contains(shem, shem.Get(i)->link().EndB));
    }
    EXPECT_TRUE(selection.empty());
}

TEST_F(Templates, BlocksBelowAndRightOfTheReplacedOneMakeRoom)
{
    TShemObj* q = Add(shem, MakeBlock(bkRectangle, 100, 100, 180, 120));
    TShemObj* right = Add(shem, MakeBlock(bkRectangle, 300, 100, 380, 120));
    TShemObj* belowLeft = Add(shem, MakeBlock(bkRectangle, 0, 200, 50, 220));
    TShemObj* aboveLeft = Add(shem, MakeBlock(bkRectangle, 0, 0, 50, 20));
    Add(pattern, MakeBlock(bkRectangle, 0, 0, 160, 40));
    selection = {q};
    ASSERT_TRUE(ReplaceWithTemplate(target, pattern));
    EXPECT_EQ(right->block().Rect(), (TRect{380, 120, 460, 140}));
    EXPECT_EQ(belowLeft->block().Rect(), (TRect{0, 220, 50, 240}));
    EXPECT_EQ(aboveLeft->block().Rect(), (TRect{0, 0, 50, 20}));
    EXPECT_TRUE(BlockAt(shem, {100, 100, 260, 140}));
}

TEST_F(Templates, NothingIsReplacedWithoutABlockInTheTemplateOrTheSelection)
{
    TShemObj* q = Add(shem, MakeBlock(bkRectangle, 100, 100, 180, 120));
    TShemObj* a = Add(shem, MakeBlock(bkRectangle, 0, 0, 10, 10));
    TShemObj* link = Add(shem, MakeLink(a, q));
    selection = {q};
    EXPECT_FALSE(ReplaceWithTemplate(target, pattern)); // empty template
    selection = {link};
    FillColumn(pattern);
    EXPECT_FALSE(ReplaceWithTemplate(target, pattern));
    EXPECT_EQ(shem.Count(), 3);
    EXPECT_EQ(link->link().EndB, q);
}

TEST_F(Templates, InsertionStartsAtThePointAndSelectsThePastedEntries)
{
    FillColumn(pattern);
    Add(shem, MakeBlock(bkRectangle, 0, 0, 10, 10));
    selection = {shem.Get(0)};
    EXPECT_TRUE(InsertTemplate(target, pattern, {10, 20}));
    ASSERT_EQ(selection.size(), 5u);
    EXPECT_EQ(selection.front()->block().Rect(), (TRect{10, 20, 90, 40}));
    EXPECT_TRUE(BlockAt(shem, {10, 100, 90, 120}));
}

TEST_F(Templates, InsertionAtTheFarEdgeKeepsTheTemplateWhole)
{
    FillColumn(pattern);
    EXPECT_TRUE(InsertTemplate(target, pattern, {65530, 65530}));
    EXPECT_TRUE(BlockAt(shem, {65455, 65435, 65535, 65455}));
    EXPECT_TRUE(BlockAt(shem, {65455, 65515, 65535, 65535}));
}

TEST_F(Templates, UnusableFilesAreRefusedWithAReason)
{
    QString error;
    EXPECT_FALSE(LoadTemplate(dir.filePath(QStringLiteral("missing.bls")), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("missing.bls")));

    error.clear();
    EXPECT_FALSE(LoadTemplate(WriteFile(QStringLiteral("junk.bls"), "not a diagram"), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("junk.bls")));

    error.clear();
    EXPECT_FALSE(LoadTemplate(WriteDiagram(QStringLiteral("empty.bls"), pattern), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("empty.bls")));

    FillColumn(pattern);
    const std::unique_ptr<TShem> loaded =
        LoadTemplate(WriteDiagram(QStringLiteral("Пока.bls"), pattern), &error);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->Count(), 5);
}

} // namespace
