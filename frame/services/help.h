// Help > Contents: the user manual, an HTML page beside the program.
#pragma once

#include <QString>

class QWidget;

namespace kb {

// <folder of the program>/help/index.html.
QString HelpPagePath();

// Opens the page in the desktop's browser. A missing page, or a desktop
// that cannot open it, is reported in a message box; returns false then.
bool OpenHelp(QWidget* parent, const QString& page = HelpPagePath());

} // namespace kb
