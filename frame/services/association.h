// Registers the .bls diagram type with the desktop so that opening a diagram
// file starts this program. Written on every start with the running
// program's path, so a program that was moved repairs its own association.
#pragma once

#include <QString>

namespace kb {

// The freedesktop names of the type and of the launcher entry.
inline constexpr char kDiagramMimeType[] = "application/x-kestrabin-diagram";
inline constexpr char kDesktopFileName[] = "kestrabin.desktop";
inline constexpr char kMimeFileName[] = "kestrabin-diagram.xml";

// Windows: .bls and BlockDiagram (with DefaultIcon and shell\open\command)
// under HKEY_CLASSES_ROOT, written to its per-user part. Elsewhere: the
// launcher entry in <data>/applications/ and the type in
// <data>/mime/packages/, <data> being the user's data folder
// (QStandardPaths::GenericDataLocation). With refreshDatabases the desktop's
// caches are rebuilt in the background when their tools are installed; this
// never waits on them. Returns false, with a reason in *error, when something
// could not be written.
bool WriteFileAssociation(const QString& programPath, QString* error = nullptr,
                          bool refreshDatabases = true);

// The texts written; separate so they can be checked without a desktop.
QString DesktopEntryText(const QString& programPath);
QString MimeTypeText();

} // namespace kb
