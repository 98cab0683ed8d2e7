// A start-up report for checking an installation: with the environment
// variable KESTRABIN_STARTUP_REPORT naming a file, the editor writes what it
// found at start (its program folder, plug-ins, templates, open documents)
// into that file and quits instead of running.
#pragma once

#include <QString>

namespace kb {

class TMainForm;

// True when a report was asked for (and written, or tried): the caller quits.
bool WriteStartupReportIfAsked(const TMainForm& main);

} // namespace kb
