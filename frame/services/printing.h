// File > Print: the diagram in black and white, enlarged by the largest
// whole factor that fits one page, or cut into page-sized parts when it is
// larger than a page.
#pragma once

#include "model/canvas.h"

#include <QPicture>
#include <QString>

class QFont;
class QPrinter;
class QWidget;

namespace kb {

class TShem;

inline constexpr char kNothingToPrint[] = "В блок-схеме нет блоков: печатать нечего.";

// The print rendering at scale 2 as a vector picture sized to its drawn area.
QPicture PrintPicture(const TShem& shem, const TFont& font);

// The main window's font as the renderer takes it.
TFont ToTFont(const QFont& font);

// Prints on a printer that is set up already (a PDF file printer in tests).
// False, with a Russian sentence in *error, when there is nothing to print or
// the job could not be started.
bool PrintTo(QPrinter& printer, const TShem& shem, const TFont& font, QString* error);

// The whole command: asks with the print dialog, then prints. Does nothing
// without a diagram; a diagram without blocks is reported, not printed.
void PrintDiagram(QWidget* parent, const TShem* shem, const QFont& font);

} // namespace kb
