// The file dialogs of the main window, replaceable so that tests can answer
// them without a modal dialog.
#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

namespace kb {

// "Block-diagram(*.bls)|*.bls|All Files|*.*" in the form Qt dialogs take.
QString DiagramFilter();

struct TFileDialogs
{
    // Several files may be chosen; empty when the user cancels.
    std::function<QStringList(QWidget* parent, const QString& folder, const QString& filter)>
        AskOpenFiles;
    // Asks before overwriting; empty when the user cancels.
    std::function<QString(QWidget* parent, const QString& suggested, const QString& filter)>
        AskSaveFile;
};

// The real dialogs unless a test replaced them.
TFileDialogs& FileDialogs();

} // namespace kb
