// Shared pieces of the main window tests: a recorder that answers message
// boxes, small diagram files in a temporary folder, and a change made the
// way a user makes one.
#pragma once

#include "docwin/childd.h"
#include "docwin/messagebox.h"
#include "frame/language/language.h"
#include "frame/mainform.h"
#include "model/shem.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace kb::test {

// The Russian interface while the object lives, English again after: a
// message takes its language as it is shown, a window as it is made.
class TRussianInterface
{
public:
    TRussianInterface() { EXPECT_TRUE(SetInterfaceLanguage(TLanguage::Russian)); }
    ~TRussianInterface() { SetInterfaceLanguage(TLanguage::English); }
    TRussianInterface(const TRussianInterface&) = delete;
    TRussianInterface& operator=(const TRussianInterface&) = delete;
};

// Records every message box and answers it with Answer.
class TMessageRecorder
{
public:
    TMessageRecorder()
    {
        SetMessageBoxHook(
            [this](QWidget*, QMessageBox::Icon, const QString& text, QMessageBox::StandardButtons) {
                Texts.append(text);
                return Answer;
            });
    }
    ~TMessageRecorder() { SetMessageBoxHook({}); }

    QStringList Texts;
    QMessageBox::StandardButton Answer = QMessageBox::Ok;
};

// A diagram of one rectangle with the given text.
inline std::vector<uint8_t> OneBlockDiagram(const std::string& text)
{
    TShem s;
    Block b;
    b.Left = 10;
    b.Top = 10;
    b.Right = 90;
    b.Bottom = 30;
    b.Text = text;
    s.AddBlock(b);
    return s.SaveToBytes();
}

inline QString WriteFile(const QTemporaryDir& dir, const QString& name,
                         const std::vector<uint8_t>& bytes)
{
    const QString path = dir.filePath(name);
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size()));
    return path;
}

// Presses the palette's "Create rectangle" and drags a block out in doc's
// view, from `from` to `to` in pixels; the in-place editor is then open on it.
inline void DrawRectangle(TMainForm& main, TChildD& doc, QPoint from = {200, 100},
                          QPoint to = {260, 140})
{
    main.Command(TCommandId::ToolRectangle)->trigger();
    QTest::mousePress(&doc, Qt::LeftButton, {}, from);
    QTest::mouseMove(&doc, to);
    QTest::mouseRelease(&doc, Qt::LeftButton, {}, to);
}

// The platform's sequence for a double click: a hover there, a click, the
// double click event (whose press the window also handles), its release.
inline void DoubleClick(QWidget* w, QPoint p)
{
    QTest::mouseMove(w, p + QPoint(1, 0));
    QTest::mouseMove(w, p);
    QTest::mouseClick(w, Qt::LeftButton, {}, p);
    QTest::mouseDClick(w, Qt::LeftButton, {}, p);
    QTest::mouseRelease(w, Qt::LeftButton, {}, p);
}

// Runs act on the next modal dialog of type D once it shows (checking every
// few milliseconds, however busy the machine), then presses OK.
template <typename D = QDialog> void WhenModalShows(std::function<void(D&)> act)
{
    auto* poll = new QTimer;
    poll->setInterval(5);
    QObject::connect(poll, &QTimer::timeout, [poll, act = std::move(act)] {
        auto* dialog = qobject_cast<D*>(QApplication::activeModalWidget());
        if (!dialog) return;
        poll->stop();
        poll->deleteLater();
        act(*dialog);
        dialog->accept();
    });
    poll->start();
}

inline QString WriteDiagram(const QTemporaryDir& dir, const QString& name,
                            const std::string& text = "x")
{
    return WriteFile(dir, name, OneBlockDiagram(text));
}

} // namespace kb::test
