// An editor that opens a file, changes it, lets autosave write it, says so,
// and waits for the test to kill it.
#include "docwin/childd.h"
#include "frame/autosave/documentautosave.h"
#include "frame/mainform.h"

#include <QApplication>
#include <QThread>

#include <cstdio>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 3) return 2;
    kb::TMainForm main;
    main.show();
    main.EnableAutosave(QString::fromLocal8Bit(argv[1]));
    kb::TChildD* doc = main.OpenDocument(QString::fromLocal8Bit(argv[2]));
    if (!doc) return 1;
    doc->Shem().Get(0)->block().Text = "changed after opening";
    doc->SetModified(true);
    auto* autosave = doc->findChild<kb::TDocumentAutosave*>();
    if (!autosave || !autosave->WriteNow()) return 1;
    std::puts("ready");
    std::fflush(stdout);
    for (;;) {
        QApplication::processEvents();
        QThread::msleep(50);
    }
}
