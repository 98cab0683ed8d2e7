// The export window: its editor shows each showing's export, messages go to
// the error box, and the context menu edits the text through the clipboard.
#include "pasexport/ui/expform.h"
#include "pasexport/ui/qtclipboard.h"
#include "tests/pasexport/support/flowbuilder.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <gtest/gtest.h>

using namespace kb;
using namespace kbtest;
using Lines = std::vector<std::string>;

namespace {

std::vector<uint8_t> Program(const std::string& statement)
{
    TFlowBuilder b;
    auto* a = b.Rect(statement, 0, 40);
    auto* begin = b.Ellipse("begin", 0, 0);
    auto* end = b.Ellipse("end", 0, 80);
    b.Flow(begin, a);
    b.Flow(a, end);
    return b.Bytes();
}

struct Window
{
    TExpForm form;
    QStringList errors;
    Window()
    {
        form.SetErrorSink([this](const QString& m) { errors << m; });
    }
    void Trigger(const char* item)
    {
        form.PopupMenu1()->findChild<QAction*>(QString::fromLatin1(item))->trigger();
    }
};

} // namespace

TEST(ExpForm, WindowEditorAndMenuAreSetUpAsTheExportWindow)
{
    Window w;
    EXPECT_EQ(w.form.windowTitle(), "Pascal procedure (function) of block-diagram file");
    EXPECT_EQ(w.form.size(), QSize(405, 375));
    EXPECT_EQ(w.form.Memo1()->Lines(), Lines{""});
    EXPECT_EQ(w.form.Memo1()->GutterWidth(), 0);
    EXPECT_EQ(w.form.Memo1()->RightEdge(), 80);
    EXPECT_TRUE(w.form.Memo1()->Buffer().ReadOnly());
    QStringList items;
    for (QAction* a : w.form.PopupMenu1()->actions())
        items << (a->isSeparator() ? QStringLiteral("-") : a->text());
    EXPECT_EQ(items, (QStringList{"Cut", "Copy", "Paste", "Delete", "-", "Select All"}));
}

TEST(ExpForm, EveryShowingRunsTheExportOnTheStream)
{
    Window w;
    w.form.DiagramStream() = Program("x := 1");
    w.form.show();
    const Lines first = w.form.Memo1()->Lines();
    EXPECT_EQ(first, (Lines{"begin", "  x := 1", "end;"}));
    w.form.hide();
    w.form.show();
    EXPECT_EQ(w.form.Memo1()->Lines(), first);
    EXPECT_TRUE(w.errors.isEmpty());
    w.form.hide();
}

TEST(ExpForm, ErrorsAreReportedInOrderAndTheTextStays)
{
    Window w;
    TFlowBuilder straight;
    straight.Flow(straight.Ellipse("begin", 0, 0), straight.Ellipse("end", 0, 40));
    w.form.DiagramStream() = straight.Bytes();
    w.form.RunExport();
    const Lines kept = w.form.Memo1()->Lines();
    TFlowBuilder broken;
    broken.Rect("lost", 0, 0);
    w.form.DiagramStream() = broken.Bytes();
    w.form.RunExport();
    EXPECT_EQ(w.errors, (QStringList{"No outgoing link", "Can not find \"begin\""}));
    EXPECT_EQ(w.form.Memo1()->Lines(), kept);
}

TEST(ExpForm, SelectAllCopyPutsTheProgramOnTheClipboard)
{
    Window w;
    w.form.DiagramStream() = Program("x := 1");
    w.form.RunExport();
    w.Trigger("SelectAll1");
    w.Trigger("Copy1");
    EXPECT_EQ(QApplication::clipboard()->text(), "begin\r\n  x := 1\r\nend;");
}

TEST(ExpForm, PasteDeleteAndCutChangeOnlyTheText)
{
    Window w;
    const std::vector<uint8_t> diagram = Program("x := 1");
    w.form.DiagramStream() = diagram;
    w.form.RunExport();
    QApplication::clipboard()->clear();
    w.Trigger("Paste1"); // no text on the clipboard: nothing
    EXPECT_EQ(w.form.Memo1()->Lines(), (Lines{"begin", "  x := 1", "end;"}));

    TCodeBuffer& text = w.form.Memo1()->Buffer();
    TQtClipboard clipboard;
    text.SetCaret({0, 1});
    text.Key(TEditKey::Down, {true, false}, clipboard);
    w.Trigger("Cut1");
    EXPECT_EQ(QApplication::clipboard()->text(), "  x := 1\r\n");
    EXPECT_EQ(w.form.Memo1()->Lines(), (Lines{"begin", "end;"}));
    w.Trigger("Paste1");
    EXPECT_EQ(w.form.Memo1()->Lines(), (Lines{"begin", "  x := 1", "end;"}));

    text.SetCaret({2, 1});
    text.Key(TEditKey::End, {true, false}, clipboard);
    w.Trigger("Delete1");
    EXPECT_EQ(w.form.Memo1()->Lines(), (Lines{"begin", "  ", "end;"}));
    EXPECT_EQ(w.form.DiagramStream(), diagram); // the diagram is never touched
}
