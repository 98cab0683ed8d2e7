// The code editor widget on the offscreen platform: events reach the text
// model, and the painting shows gutter, right edge, selection and keywords.
#include "pasexport/ui/mycustomedit.h"

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

using namespace kb;
using Lines = std::vector<std::string>;

namespace {

// A wide editor with a known font, shown so that it paints.
struct Editor
{
    TmCustomEdit edit;
    explicit Editor(Lines lines)
    {
        QFont f(QStringLiteral("DejaVu Sans Mono"));
        f.setPixelSize(13);
        edit.SetEditorFont(f);
        edit.resize(900, 200);
        edit.SetLines(std::move(lines));
        edit.show();
        QApplication::processEvents();
    }
    QImage Picture() { return edit.viewport()->grab().toImage(); }
    QPoint At(int col, int line) const
    {
        return {edit.TextOriginX() + col * edit.CharWidth() + 1,
                edit.LineHeight() * line + 2 + edit.LineHeight() / 2};
    }
    void Mouse(QEvent::Type type, QPoint at, Qt::MouseButtons buttons)
    {
        QMouseEvent e(type, at, edit.viewport()->mapToGlobal(at), Qt::LeftButton, buttons,
                      Qt::NoModifier);
        QApplication::sendEvent(edit.viewport(), &e);
    }
    // Pixels in a line's cells that differ from the background.
    int Ink(int line, int fromCol, int toCol)
    {
        const QImage img = Picture();
        const QRgb bg = edit.palette().color(QPalette::Base).rgb();
        int ink = 0;
        for (int x = edit.TextOriginX() + fromCol * edit.CharWidth();
             x < edit.TextOriginX() + toCol * edit.CharWidth(); ++x)
            for (int y = edit.LineHeight() * line + 2; y < edit.LineHeight() * (line + 1) + 2; ++y)
                ink += img.pixel(x, y) != bg;
        return ink;
    }
};

} // namespace

TEST(CustomEdit, KeysAndTypingReachTheText)
{
    Editor e({""});
    QTest::keyClicks(&e.edit, "ab c");
    QTest::keyClick(&e.edit, Qt::Key_Left);
    QTest::keyClick(&e.edit, Qt::Key_Return);
    QTest::keyClick(&e.edit, Qt::Key_Home, Qt::ShiftModifier);
    EXPECT_EQ(e.edit.Lines(), (Lines{"ab ", "c"}));
    EXPECT_FALSE(e.edit.Buffer().HasSelection()); // at column 0 already
    e.edit.SetReadOnly(true);
    QTest::keyClicks(&e.edit, "x");
    QTest::keyClick(&e.edit, Qt::Key_Backspace);
    EXPECT_EQ(e.edit.Lines(), (Lines{"ab c"}));
}

TEST(CustomEdit, PressAndDragSelectFromTheCharacterUnderThePointer)
{
    Editor e({"begin", "  x := 1;"});
    e.Mouse(QEvent::MouseButtonPress, e.At(1, 0), Qt::LeftButton);
    e.Mouse(QEvent::MouseMove, e.At(4, 1), Qt::LeftButton);
    e.Mouse(QEvent::MouseButtonRelease, e.At(4, 1), Qt::NoButton);
    EXPECT_EQ(e.edit.Buffer().SelectedText(), "egin\r\n  x ");
}

TEST(CustomEdit, PaintsGutterRightEdgeAndSelection)
{
    Editor e({"x", "y"});
    const QImage img = e.Picture();
    EXPECT_EQ(img.pixelColor(10, 50), e.edit.palette().color(QPalette::Button));
    const int edge = e.edit.TextOriginX() + 80 * e.edit.CharWidth();
    EXPECT_EQ(img.pixelColor(edge, 100), QColor(192, 192, 192));
    e.edit.SelectAll();
    const QImage selected = e.Picture();
    const QPoint cell = e.At(0, 1) + QPoint(0, -e.edit.LineHeight() / 2 + 1);
    EXPECT_EQ(selected.pixelColor(cell), e.edit.palette().color(QPalette::Highlight));
}

TEST(CustomEdit, KeywordsAreBoldIgnoringCase)
{
    Editor plain({"begim", "BEGIN"});
    plain.edit.SetWords({"begin"});
    QApplication::processEvents();
    EXPECT_GT(plain.Ink(1, 0, 5), plain.Ink(0, 0, 5) * 11 / 10);
}

TEST(CustomEdit, ScrollBarsFollowTheViewAndMoveIt)
{
    Lines lines(100, "line");
    Editor e(lines);
    e.edit.SetTopLine(30);
    EXPECT_EQ(e.edit.verticalScrollBar()->value(), 29);
    EXPECT_EQ(e.edit.horizontalScrollBar()->maximum() + e.edit.horizontalScrollBar()->pageStep(),
              1024);
    e.edit.verticalScrollBar()->setValue(10);
    EXPECT_EQ(e.edit.Buffer().TopLine(), 11);
}

TEST(CustomEdit, AProportionalFontLendsOnlyItsSizeAndStyle)
{
    TmCustomEdit edit;
    const QString family = edit.EditorFont().family();
    QFont sans(QStringLiteral("DejaVu Sans"));
    sans.setPixelSize(20);
    sans.setItalic(true);
    edit.SetEditorFont(sans);
    EXPECT_EQ(edit.EditorFont().family(), family);
    EXPECT_EQ(edit.EditorFont().pixelSize(), 20);
    EXPECT_TRUE(edit.EditorFont().italic());
}
