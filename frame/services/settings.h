// The editor's preferences: read once while the main window is created,
// written once when it is destroyed. The struct is plain data so the main
// window applies it to its widgets and tests check it without any window.
//
// Values kept under the same names as always ("FullWind", "StandDock", ...),
// so a user's stored layout stays valid across versions. Every value that is
// missing, of another type or out of range leaves its default in place: a
// damaged settings store never breaks the start.
#pragma once

#include "model/canvas.h"

#include <QList>
#include <QRect>
#include <QString>
#include <QStringList>

#include <array>
#include <memory>
#include <optional>

class QSettings;

namespace kb {

// Dock codes as stored; the same numbers tag the main window's dock areas.
enum TDockCode : int { dcFloating = 0, dcTop = 1, dcBottom = 2, dcLeft = 3, dcRight = 4 };

// One toolbar. Docked, Row is the dock row and Pos the position within it;
// floating, they are the window's top and left. Row and Pos stay empty when
// nothing usable was stored: the toolbar then keeps where its dock puts it.
struct TToolbarState
{
    bool Visible = true;
    int Dock = dcTop;
    std::optional<int> Row;
    std::optional<int> Pos;
    friend bool operator==(const TToolbarState&, const TToolbarState&) = default;
};

struct TBlockSize
{
    int Width = 80;
    int Height = 20;
    friend bool operator==(const TBlockSize&, const TBlockSize&) = default;
};

constexpr int kMaxRecentFiles = 5;
// Seconds from a document's first change not yet autosaved to its copy.
constexpr int kMinAutosaveInterval = 1;
constexpr int kMaxAutosaveInterval = 3600;
constexpr int kDefaultAutosaveInterval = 60;
constexpr TColor kDefaultBackground = RGBColor(192, 192, 192);

struct TSettings
{
    // The Open and Save As dialogs' folder ("Path").
    QString LastFolder;
    // The picture export dialog's folder; empty: it starts in LastFolder.
    QString PicturePath;
    bool Maximized = false;
    // Empty: let the windowing system place the window.
    std::optional<QRect> Placement;
    TToolbarState Standard{true, dcTop, 0, 0};
    TToolbarState Special{true, dcBottom, 0, 4};
    TToolbarState Align{false, dcLeft, {}, {}};
    TColor Background = kDefaultBackground;
    bool ListEnabled = false;
    bool GridEnabled = false;
    QStringList RecentFiles;
    std::array<TBlockSize, 10> StandSize{};
    int AutosaveInterval = kDefaultAutosaveInterval;
    // The link tool's arrowheads (the link style's direction code, 0..3).
    // Until the user chooses, an arrow at the end: a flowchart is read along
    // its arrows, and the tool's picture then shows an arrow.
    int LinkDirection = 1;
    // The interface language, "ru" or "en" ("Language"); anything else that
    // was stored reads as Russian. It takes effect at the next start.
    QString Language = QStringLiteral("ru");
};

// The program's folder with a trailing separator.
QString ProgramFolder();
// Where the file dialogs start before the user has chosen a folder: the
// user's documents folder (home when there is none), never the installation.
QString DocumentsFolder();
QList<QRect> AvailableScreens();

TSettings DefaultSettings();
// screens: the available desktop areas; a stored placement that shows no
// usable part of the window on any of them is dropped.
TSettings LoadSettings(QSettings& store, const QList<QRect>& screens = AvailableScreens());
void SaveSettings(QSettings& store, const TSettings& settings);

} // namespace kb
