// An editor that opens a file, changes its block's text the way a user does
// (double click, type, Escape), waits for the autosave copy (one second
// after the change), says so, and waits for the test to kill it.
#include "docwin/childd.h"
#include "frame/autosave/documentautosave.h"
#include "frame/mainform.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QTest>
#include <QThread>

#include <cstdio>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 3) return 2;
    kb::TMainForm main;
    main.show();
    main.SetAutosaveInterval(1);
    main.EnableAutosave(QString::fromLocal8Bit(argv[1]));
    kb::TChildD* doc = main.OpenDocument(QString::fromLocal8Bit(argv[2]));
    if (!doc) return 1;
    // A double click on the block at (10, 10): the text tool opens its editor.
    QTest::mouseMove(doc, QPoint(101, 40));
    QTest::mouseMove(doc, QPoint(100, 40));
    QTest::mouseClick(doc, Qt::LeftButton, {}, QPoint(100, 40));
    QTest::mouseDClick(doc, Qt::LeftButton, {}, QPoint(100, 40));
    QTest::mouseRelease(doc, Qt::LeftButton, {}, QPoint(100, 40));
    if (!doc->EditorOpen()) return 1;
    QTest::keyClick(doc->Editor(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(doc->Editor(), QStringLiteral("changed after opening"));
    QTest::keyClick(doc->Editor(), Qt::Key_Escape);
    auto* autosave = doc->findChild<kb::TDocumentAutosave*>();
    if (!autosave || !autosave->Pending()) return 1;
    while (autosave->Pending())
        QTest::qWait(20);
    std::puts("ready");
    std::fflush(stdout);
    for (;;) {
        QApplication::processEvents();
        QThread::msleep(50);
    }
}
