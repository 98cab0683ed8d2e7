#include "frame/startupreport.h"

#include "docwin/childd.h"
#include "frame/mainform.h"
#include "frame/services/settings.h"

#include <QFile>
#include <QMenu>
#include <QTextStream>

namespace kb {

bool WriteStartupReportIfAsked(const TMainForm& main)
{
    const QString path = qEnvironmentVariable("KESTRABIN_STARTUP_REPORT");
    if (path.isEmpty()) return false;
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Text)) return true;
    QTextStream out(&f);
    out << "program-folder: " << ProgramFolder() << '\n';
    for (const QAction* a : main.ImportMenu()->actions())
        out << "plugin: " << a->text() << '\n';
    for (const TTemplate& t : main.Templates())
        out << "template: " << t.Path << '\n';
    for (const TChildD* doc : main.Documents())
        out << "document: " << doc->FileName() << '\n';
    return true;
}

} // namespace kb
