#include "frame/services/searchcommands.h"
#include "frame/services/searchdialogs.h"
#include "frame/services/searchtarget.h"

#include "model/shem.h"

#include <QPushButton>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kb {
namespace {

// The main window as Find and Replace see it: one diagram and a selection.
class TFakeTarget : public TSearchTarget
{
public:
    const TShem* ActiveDiagram() override { return m_hasDocument ? &m_shem : nullptr; }
    TShemObj* SearchStart() override { return m_selected; }
    void ShowFound(TShemObj* entry) override { m_selected = entry; }
    void ChangeTexts(const std::function<bool(TShem&)>& replace) override
    {
        m_modified = replace(m_shem) || m_modified;
    }
    void Inform(const QString& text) override { m_messages.append(text); }

    void AddBlocks(std::initializer_list<const char*> texts)
    {
        for (const char* t : texts) {
            Block b;
            b.Text = t;
            b.SetRect({0, 0, 10, 10});
            m_shem.AddBlock(b);
        }
    }
    std::string Text(int i) const { return m_shem.Get(i)->block().Text; }
    void Select(int i) { m_selected = m_shem.Get(i); }
    int Selected() const { return m_selected ? m_shem.IndexOf(m_selected) : -1; }

    TShem m_shem;
    TShemObj* m_selected = nullptr;
    bool m_hasDocument = true;
    bool m_modified = false;
    QStringList m_messages;
};

TSearchQuery Query(const char* text, const char* replacement = "", bool matchCase = false)
{
    return {QString::fromUtf8(text), matchCase, QString::fromUtf8(replacement)};
}

// The messages as the Russian interface shows them.
const QString kNotFound = QStringLiteral("Текст не найден.");
const QString kLoop = QStringLiteral("Возможно зацикливание замена не осуществлена");

TEST(FindNext, WalksForwardFromTheSelectionAndStopsAtTheEnd)
{
    TFakeTarget t;
    t.AddBlocks({"alpha", "beta", "Alpine"});
    EXPECT_EQ(FindNext(t, Query("al")), TSearchOutcome::Found);
    EXPECT_EQ(t.Selected(), 0);
    EXPECT_EQ(FindNext(t, Query("al")), TSearchOutcome::Found);
    EXPECT_EQ(t.Selected(), 2);
    EXPECT_EQ(FindNext(t, Query("al")), TSearchOutcome::NotFound);
    EXPECT_EQ(t.Selected(), 2);
    EXPECT_EQ(t.m_messages, QStringList{kNotFound});
}

TEST(FindNext, MatchCaseAndCyrillicText)
{
    TFakeTarget t;
    t.AddBlocks({"\xcf\xf0\xe8\xe2\xe5\xf2", "x"}); // "Привет" in Windows-1251
    EXPECT_EQ(FindNext(t, Query("привет")), TSearchOutcome::Found);
    t.m_selected = nullptr;
    EXPECT_EQ(FindNext(t, Query("привет", "", true)), TSearchOutcome::NotFound);
    // Text no block can hold is simply not found.
    EXPECT_EQ(FindNext(t, Query("€uro✓")), TSearchOutcome::NotFound);
}

TEST(Replace, LoopGuardRefusesAReplacementHoldingTheSearchText)
{
    struct Case
    {
        const char* text;
        const char* replacement;
        bool matchCase;
        bool refused;
    };
    const Case cases[] = {
        {"a", "ab", false, true}, {"a", "ab", true, true},  {"a", "A", false, true},
        {"a", "A", true, false},  {"Я", "xя", false, true}, {"a", "b", false, false},
    };
    for (const Case& c : cases) {
        TFakeTarget t;
        t.AddBlocks({"a \xdf"}); // "a Я"
        const TSearchOutcome r = ReplaceOne(t, Query(c.text, c.replacement, c.matchCase));
        EXPECT_EQ(r == TSearchOutcome::LoopRefused, c.refused) << c.text << "->" << c.replacement;
        EXPECT_EQ(t.m_modified, !c.refused);
        if (c.refused) {
            EXPECT_EQ(t.m_messages, QStringList{kLoop});
            EXPECT_EQ(t.Text(0), "a \xdf");
        }
    }
}

TEST(Replace, OneReplacesEveryOccurrenceInTheNextBlockAndMarksModified)
{
    TFakeTarget t;
    t.AddBlocks({"aXa", "a"});
    EXPECT_EQ(ReplaceOne(t, Query("a", "b")), TSearchOutcome::Found);
    EXPECT_EQ(t.Text(0), "bXb");
    EXPECT_EQ(t.Text(1), "a");
    EXPECT_EQ(t.Selected(), 0);
    EXPECT_TRUE(t.m_modified);
    EXPECT_EQ(ReplaceOne(t, Query("a", "b")), TSearchOutcome::Found);
    EXPECT_EQ(ReplaceOne(t, Query("a", "b")), TSearchOutcome::NotFound);
    EXPECT_EQ(t.m_messages, QStringList{kNotFound});
}

TEST(Replace, AllChangesOnlyBlocksAfterTheSelection)
{
    TFakeTarget t;
    t.AddBlocks({"cat", "cat", "cat", "dog", "cat"});
    t.Select(1);
    EXPECT_EQ(ReplaceAll(t, Query("CAT", "cow")), TSearchOutcome::Done);
    EXPECT_EQ(t.Text(0), "cat");
    EXPECT_EQ(t.Text(1), "cat");
    EXPECT_EQ(t.Text(2), "cow");
    EXPECT_EQ(t.Text(4), "cow");
    EXPECT_TRUE(t.m_modified);
    EXPECT_TRUE(t.m_messages.isEmpty());
}

TEST(Replace, NothingReplacedLeavesTheDocumentUnmodified)
{
    TFakeTarget t;
    t.AddBlocks({"dog"});
    EXPECT_EQ(ReplaceAll(t, Query("cat", "cow")), TSearchOutcome::Done);
    EXPECT_FALSE(t.m_modified);
}

TEST(Replace, RefusesAReplacementTheDiagramCannotStore)
{
    TFakeTarget t;
    t.AddBlocks({"price"});
    EXPECT_EQ(ReplaceOne(t, Query("price", "✓")), TSearchOutcome::Unstorable);
    EXPECT_EQ(t.Text(0), "price");
    EXPECT_FALSE(t.m_modified);
}

TEST(SearchDialogs, ButtonsDriveTheCommandsAndNeedASearchText)
{
    TFakeTarget t;
    t.AddBlocks({"one", "two"});
    TSearchDialogs dialogs(t, nullptr);
    TReplaceDialog& replace = *dialogs.Replace();
    EXPECT_FALSE(replace.ReplaceAllButton()->isEnabled());
    replace.SetSearchText("o");
    replace.SetReplacement("0");
    EXPECT_TRUE(replace.ReplaceAllButton()->isEnabled());
    replace.ReplaceAllButton()->click();
    EXPECT_EQ(t.Text(0), "0ne");
    EXPECT_EQ(t.Text(1), "tw0");

    dialogs.ShowReplace();
    dialogs.ShowFind();
    EXPECT_FALSE(replace.isVisible());
    EXPECT_TRUE(dialogs.Find()->isVisible());
    dialogs.Find()->SetSearchText("tw0");
    dialogs.Find()->FindNextButton()->click();
    EXPECT_EQ(t.Selected(), 1);
    dialogs.CloseAll();
    EXPECT_FALSE(dialogs.Find()->isVisible());
}

} // namespace
} // namespace kb
