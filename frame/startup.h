// The program's start: the single-instance test, then the main window, the
// command-line files and the main loop.
#pragma once

#include <QRect>
#include <QString>
#include <QStringList>

#include <memory>

class QSettings;

namespace kb {

class TMainForm;

// The application and main window title while the editor runs.
QString ApplicationTitle();

// Names the application for its settings. No display name is set: Qt would
// append it to every window title, and each window's title is exactly the
// text the window sets.
void NameApplication();

// Where the main window opens when no placement was stored: four fifths of
// the screen's free area each way, centred, so a diagram has room at once.
QRect FirstStartPlacement(const QRect& available);

// Every argument after the program name is a file name; each is made
// absolute here, because a running editor that receives it has another
// working folder.
QStringList CommandLineFiles(const QStringList& arguments);

// The main window as the program starts it, once it is the only instance:
// the interface language of the stored settings, the window with those
// settings, its plug-ins, templates and export module, the files, and the
// documents recovered from autosave copies.
std::unique_ptr<TMainForm> StartMainWindow(QSettings& store, const QStringList& files);

// Runs the editor; returns the process exit code.
int RunEditor(int& argc, char** argv);

} // namespace kb
