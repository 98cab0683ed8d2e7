// Autosaves one document into the folder given, says so, and waits for the
// test to kill it.
#include "frame/autosave/autosavestore.h"

#include <QCoreApplication>
#include <QThread>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 4) return 2;
    kb::TAutosaveStore store(QString::fromLocal8Bit(argv[1]));
    kb::TAutosaveRecord r;
    r.OriginalPath = QString::fromLocal8Bit(argv[2]);
    r.Diagram = QByteArray(argv[3]);
    r.SavedAt = QDateTime::currentDateTime();
    if (!store.Write(store.NewSlot(), r)) return 1;
    std::puts("ready");
    std::fflush(stdout);
    for (;;)
        QThread::sleep(1);
}
