// A shown document window on the offscreen platform with a 400 by 300 pixel
// view at scale 2, driven by QTest mouse and key events in view pixels. The
// diagram a test starts from is built through the document's own change path
// and then counts as saved, so Modified() tells whether the test's events
// changed anything; Notices counts the change notifications since.
#pragma once

#include "docwin/childd.h"
#include "tests/docwin/fakehost.h"

#include <QTest>
#include <gtest/gtest.h>

#include <algorithm>

namespace kb::test {

inline Block MakeBlock(int l, int t, int r, int b, uint8_t kind = bkRectangle,
                       const char* text = "")
{
    Block blk;
    blk.Kind = kind;
    blk.SetRect({l, t, r, b});
    blk.Text = text;
    return blk;
}

class Editing : public ::testing::Test
{
protected:
    void SetUp() override
    {
        doc.resize(400 + TChildD::kScrollBarThickness, 300 + TChildD::kScrollBarThickness);
        doc.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&doc));
        QObject::connect(&doc.Document(), &TDiagramDocument::Changed,
                         [this](const TChange& c) { Notices += c.Diagram() ? 1 : 0; });
    }

    const TShem& Shem() { return doc.Shem(); }
    // Set-up: adds and saves, as if the entry came with the file.
    template <typename T> TShemObj* Setup(const T& value)
    {
        TShemObj* e = SetUpEntry(doc, value);
        Notices = 0;
        return e;
    }
    TShemObj* Add(const Block& b) { return Setup(b); }
    TShemObj* AddRect(int l, int t, int r, int b, const char* text = "")
    {
        return Add(MakeBlock(l, t, r, b, bkRectangle, text));
    }
    TShemObj* AddLink(TShemObj* a, TPoint posA, TShemObj* b, TPoint posB, uint8_t style = 0)
    {
        TLink l;
        l.Style = style;
        l.EndA = a;
        l.PosA = posA;
        l.EndB = b;
        l.PosB = posB;
        return Setup(l);
    }
    void Select(std::vector<TShemObj*> entries) { doc.SetSelection(std::move(entries)); }
    bool InDiagram(const TShemObj* e)
    {
        for (int i = 0; i < Shem().Count(); ++i)
            if (Shem().Get(i) == e) return true;
        return false;
    }
    bool SelectionIsLive()
    {
        return std::all_of(doc.Selection().begin(), doc.Selection().end(),
                           [&](const TShemObj* e) { return InDiagram(e); });
    }

    // Mouse in view pixels. A hover must go somewhere new to be delivered.
    void Hover(TPoint p) { QTest::mouseMove(&doc, QPoint(p.x, p.y)); }
    void Press(TPoint p, Qt::KeyboardModifiers keys = {})
    {
        QTest::mousePress(&doc, Qt::LeftButton, keys, QPoint(p.x, p.y));
    }
    void MoveTo(TPoint p) { QTest::mouseMove(&doc, QPoint(p.x, p.y)); }
    void Release(TPoint p, Qt::KeyboardModifiers keys = {})
    {
        QTest::mouseRelease(&doc, Qt::LeftButton, keys, QPoint(p.x, p.y));
    }
    void Drag(TPoint from, TPoint to, Qt::KeyboardModifiers keys = {})
    {
        Press(from, keys);
        MoveTo(to);
        Release(to, keys);
    }
    // The platform's sequence: a click, then the double click event, whose
    // press the window also handles, then its release.
    void DoubleClick(TPoint p)
    {
        Hover({p.x + 1, p.y});
        Hover(p);
        QTest::mouseClick(&doc, Qt::LeftButton, {}, QPoint(p.x, p.y));
        QTest::mouseDClick(&doc, Qt::LeftButton, {}, QPoint(p.x, p.y));
        Release(p);
    }
    // QTest::keyClicks sends Latin-1 only; this types any character.
    static void Type(QWidget* w, const QString& text)
    {
        for (QChar c : text)
            QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), {});
    }
    void Key(Qt::Key key, Qt::KeyboardModifiers keys = {}) { QTest::keyClick(&doc, key, keys); }

    TFakeHost host;
    TChildD doc{host};
    int Notices = 0;
};

} // namespace kb::test
