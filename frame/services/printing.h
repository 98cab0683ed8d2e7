// File > Print: the diagram in black and white, enlarged by the largest
// whole factor that fits one page, or cut into page-sized parts when it is
// larger than a page.
#pragma once

#include "model/canvas.h"

#include <QPicture>
#include <QString>

#include <functional>

class QFont;
class QPrinter;
class QWidget;

namespace kb {

class TShem;

// The texts of the printing messages, translated in the context "kb::TPrinting".
inline constexpr char kNothingToPrint[] =
    QT_TRANSLATE_NOOP("kb::TPrinting", "The block diagram has no blocks: nothing to print.");

// The print rendering at scale 2 as a vector picture sized to its drawn area.
QPicture PrintPicture(const TShem& shem, const TFont& font);

// The main window's font as the renderer takes it.
TFont ToTFont(const QFont& font);

// Above this many pages the user is told the number and asked first.
inline constexpr int kPagesWithoutAsking = 20;

// Told before each page (0-based) of how many; false cancels the job.
using TPrintProgress = std::function<bool(int page, int pages)>;

// The sheets the diagram takes on this printer: 1 when it fits one page,
// else one per page-sized part; 0 without blocks.
int PrintPageCount(const QPrinter& printer, const TShem& shem);

// Prints on a printer that is set up already (a PDF file printer in tests).
// False, with a Russian sentence in *error, when there is nothing to print or
// the job could not be started; false with *error empty when progress
// cancelled it (the job is then aborted, not half sent).
bool PrintTo(QPrinter& printer, const TShem& shem, const TFont& font, QString* error,
             const TPrintProgress& progress = {});

// The whole command: asks with the print dialog, then prints. Does nothing
// without a diagram; a diagram without blocks is reported, not printed.
void PrintDiagram(QWidget* parent, const TShem* shem, const QFont& font);

// What follows the print dialog: asks before more than kPagesWithoutAsking
// pages, then prints with a progress dialog (shown once the job has run half
// a second) whose Cancel stops it.
void PrintWithProgress(QWidget* parent, QPrinter& printer, const TShem& shem, const QFont& font);

} // namespace kb
