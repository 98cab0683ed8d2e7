// The code editor's text model: typing, the editing keys, caret movement,
// the selection and the clipboard commands.
#include "pasexport/codeedit/codebuffer.h"
#include "pasexport/codeedit/codewords.h"

#include <gtest/gtest.h>

using namespace kb;
using Lines = std::vector<std::string>;

namespace {

class FakeClipboard : public TTextClipboard
{
public:
    bool HasText() const override { return has; }
    std::string Text() const override { return text; }
    void SetText(const std::string& t) override
    {
        text = t;
        has = true;
    }
    bool has = false;
    std::string text;
};

class CodeBuffer : public testing::Test
{
protected:
    void Set(Lines lines, TTextPos caret = {})
    {
        b.SetLines(std::move(lines));
        b.SetViewSize(10, 40);
        b.SetCaret(caret);
    }
    void Press(TEditKey k, bool shift = false, bool ctrl = false) { b.Key(k, {shift, ctrl}, clip); }
    void Type(std::string_view s)
    {
        for (char c : s)
            b.TypeChar(c);
    }
    TCodeBuffer b;
    FakeClipboard clip;
};

} // namespace

TEST_F(CodeBuffer, TypingPadsToTheCaretInBothModes)
{
    for (bool overwrite : {false, true}) {
        Set({""}, {9, 0});
        if (overwrite) Press(TEditKey::Insert);
        EXPECT_EQ(b.InsertMode(), !overwrite);
        Type("x");
        EXPECT_EQ(b.Lines(), Lines{"         x"});
        EXPECT_EQ(b.Caret(), (TTextPos{10, 0}));
    }
}

TEST_F(CodeBuffer, TypingInsertsOrOverwritesAndDropsTrailingSpaces)
{
    Set({"abc"}, {1, 0});
    Type("X");
    EXPECT_EQ(b.Lines(), Lines{"aXbc"});
    Press(TEditKey::Insert);
    Type("YZW");
    EXPECT_EQ(b.Lines(), Lines{"aXYZW"});
    Set({"abc"}, {3, 0});
    Type(" ");
    EXPECT_EQ(b.Lines(), Lines{"abc"});
    EXPECT_EQ(b.Caret(), (TTextPos{4, 0}));
}

TEST_F(CodeBuffer, TypingPastTheRightBorderScrollsBy25Columns)
{
    Set({""}, {39, 0});
    EXPECT_EQ(b.LeftChar(), 1);
    Type("x");
    EXPECT_EQ(b.LeftChar(), 26);
}

TEST_F(CodeBuffer, ReadOnlyBlocksTypingOnly)
{
    Set({"ab", "cd"}, {1, 0});
    b.SetReadOnly(true);
    Type("x");
    EXPECT_EQ(b.Lines(), (Lines{"ab", "cd"}));
    Press(TEditKey::Delete);
    Press(TEditKey::Enter);
    EXPECT_EQ(b.Lines(), (Lines{"a", "", "cd"}));
}

TEST_F(CodeBuffer, EnterSplitsKeepingIndentationOrOpensALine)
{
    Set({"  abc def"}, {6, 0});
    Press(TEditKey::Enter);
    EXPECT_EQ(b.Lines(), (Lines{"  abc ", "  def"}));
    EXPECT_EQ(b.Caret(), (TTextPos{2, 1}));

    Set({"    x", ""}, {0, 1});
    Press(TEditKey::Enter); // on an empty line: indented like the nearest line with text
    EXPECT_EQ(b.Lines(), (Lines{"    x", "", ""}));
    EXPECT_EQ(b.Caret(), (TTextPos{4, 2}));

    for (int col : {0, 1}) { // at column 0 or inside the leading blanks
        Set({"a", "  b"}, {col, 1});
        Press(TEditKey::Enter);
        EXPECT_EQ(b.Lines(), (Lines{"a", "", "  b"}));
        EXPECT_EQ(b.Caret(), (TTextPos{col, 2}));
    }
}

TEST_F(CodeBuffer, BackspaceRemovesJoinsUnindentsOrStepsBack)
{
    Set({"a", "", "b"}, {0, 1});
    Press(TEditKey::Back);
    EXPECT_EQ(b.Lines(), (Lines{"a", "b"}));

    Set({"ab"}, {5, 0});
    Press(TEditKey::Back);
    EXPECT_EQ(b.Lines(), Lines{"ab"});
    EXPECT_EQ(b.Caret(), (TTextPos{4, 0}));

    Set({"ab", "cd"}, {0, 1});
    Press(TEditKey::Back);
    EXPECT_EQ(b.Lines(), Lines{"abcd"});
    EXPECT_EQ(b.Caret(), (TTextPos{2, 0}));

    Set({"x", "  y", "", "      z"}, {6, 3});
    Press(TEditKey::Back);
    EXPECT_EQ(b.Lines().back(), "  z");
    Press(TEditKey::Back);
    EXPECT_EQ(b.Lines().back(), "z");

    Set({"abc"}, {2, 0});
    Press(TEditKey::Back);
    EXPECT_EQ(b.Lines(), Lines{"ac"});
}

TEST_F(CodeBuffer, DeleteRemovesOrJoinsTheNextLinePadded)
{
    Set({"abc"}, {1, 0});
    Press(TEditKey::Delete);
    EXPECT_EQ(b.Lines(), Lines{"ac"});

    Set({"ab", "cd", "ef"}, {4, 1});
    Press(TEditKey::Delete);
    EXPECT_EQ(b.Lines(), (Lines{"ab", "cd  ef"}));
    Press(TEditKey::End);
    Press(TEditKey::Delete); // the last line: nothing to join
    EXPECT_EQ(b.Lines(), (Lines{"ab", "cd  ef"}));
}

TEST_F(CodeBuffer, ArrowsWrapAtLineEndsAndStepOverWords)
{
    Set({"ab", "cd(ef, gh)"}, {0, 1});
    Press(TEditKey::Left);
    EXPECT_EQ(b.Caret(), (TTextPos{2, 0}));
    Press(TEditKey::Right);
    EXPECT_EQ(b.Caret(), (TTextPos{0, 1}));
    Press(TEditKey::Right, false, true);
    EXPECT_EQ(b.Caret(), (TTextPos{2, 1}));
    Press(TEditKey::Right, false, true);
    EXPECT_EQ(b.Caret(), (TTextPos{5, 1}));
    Press(TEditKey::Left, false, true);
    EXPECT_EQ(b.Caret(), (TTextPos{3, 1}));
    Press(TEditKey::End);
    Press(TEditKey::Up); // the column may lie beyond the end
    EXPECT_EQ(b.Caret(), (TTextPos{10, 0}));
    Press(TEditKey::End, false, true);
    EXPECT_EQ(b.Caret(), (TTextPos{0, 1}));
    Press(TEditKey::Home, false, true);
    EXPECT_EQ(b.Caret(), (TTextPos{0, 0}));
}

TEST_F(CodeBuffer, VerticalMovesScrollTheViewAndClampToTheText)
{
    Set(Lines(25, "x"));
    for (int i = 0; i < 10; ++i)
        Press(TEditKey::Down);
    EXPECT_EQ(b.TopLine(), 2); // one line at the edge
    Press(TEditKey::PageDown);
    EXPECT_EQ(b.Caret().Line, 20);
    EXPECT_EQ(b.TopLine(), 12);
    Press(TEditKey::PageDown);
    EXPECT_EQ(b.Caret().Line, 24);
    EXPECT_EQ(b.TopLine(), 16);
    Press(TEditKey::PageUp);
    Press(TEditKey::PageUp);
    Press(TEditKey::PageUp);
    EXPECT_EQ(b.Caret().Line, 0);
    EXPECT_EQ(b.TopLine(), 1);
}

TEST_F(CodeBuffer, ShiftExtendsTheSelectionAndOtherMovesDropIt)
{
    Set({"abc", "def", "ghi"}, {1, 0});
    Press(TEditKey::Down, true);
    Press(TEditKey::Right, true);
    EXPECT_EQ(b.SelectedText(), "bc\r\nde");
    Press(TEditKey::Left);
    EXPECT_FALSE(b.HasSelection());
    // Editing keys with a selection delete it only; the ends are joined.
    Press(TEditKey::Down, true);
    Press(TEditKey::Down, true);
    Press(TEditKey::Enter);
    EXPECT_EQ(b.Lines(), (Lines{"abc", "dhi"}));
}

TEST_F(CodeBuffer, SelectAllCopyCutPaste)
{
    Set({"begin", "  x", ""});
    b.SelectAll();
    EXPECT_EQ(b.SelEnd(), (TTextPos{0, 2}));
    b.Copy(clip);
    EXPECT_EQ(clip.text, "begin\r\n  x\r\n");

    Set({"one two"}, {4, 0});
    Press(TEditKey::End, true);
    b.Cut(clip);
    EXPECT_EQ(b.Lines(), Lines{"one "});
    b.Paste(clip);
    b.Paste(clip);
    EXPECT_EQ(b.Lines(), Lines{"one twotwo"});

    clip.SetText("A\r\nB\r\nC");
    Set({"xy"}, {1, 0});
    b.Paste(clip);
    EXPECT_EQ(b.Lines(), (Lines{"xA", "B", "Cy"}));
    EXPECT_EQ(b.Caret(), (TTextPos{1, 2}));
}

TEST_F(CodeBuffer, PasteWithoutTextDoesNothingAndInsertKeysUseTheClipboard)
{
    Set({"abc"}, {1, 0});
    Press(TEditKey::Right, true);
    b.Paste(clip);
    EXPECT_EQ(b.Lines(), Lines{"abc"});
    EXPECT_TRUE(b.HasSelection());
    Press(TEditKey::Insert, false, true); // Ctrl+Insert: copy, and toggle
    EXPECT_EQ(clip.text, "b");
    EXPECT_FALSE(b.InsertMode());
    Press(TEditKey::End);
    Press(TEditKey::Insert, true); // Shift+Insert: paste, and toggle
    EXPECT_EQ(b.Lines(), Lines{"abcb"});
    EXPECT_TRUE(b.InsertMode());
}

TEST_F(CodeBuffer, MousePressAndDragSelect)
{
    Set({"abc", "def"});
    b.MouseDown({1, 0});
    b.MouseMove({2, 5}); // below the text: clamped to the last line
    b.MouseUp();
    b.MouseMove({0, 0}); // the button is up: nothing
    EXPECT_EQ(b.SelectedText(), "bc\r\nde");
}

TEST(CodeWords, DelimitersSplitWordsAndKeywordsIgnoreCase)
{
    const auto runs = SplitWords("if (x>1) then");
    ASSERT_EQ(runs.size(), 5u);
    EXPECT_TRUE(runs[0].Word);
    EXPECT_EQ(runs[2].Start, 4u); // "x>1" is one word
    EXPECT_EQ(runs[2].Length, 3u);
    TKeywordSet words;
    words.Assign({"begin", "Then"});
    EXPECT_TRUE(words.Contains("BEGIN"));
    EXPECT_TRUE(words.Contains("then"));
    EXPECT_FALSE(words.Contains("beginx"));
}
