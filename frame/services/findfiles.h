// The recursive file search behind the plug-in and template folders.
#pragma once

#include <QString>
#include <QStringList>

namespace kb {

// Every file under folder whose name contains pattern, ignoring case, as full
// paths: first the folder's own files, then each subfolder's, depth first.
// Names starting with "." are skipped, files and folders alike (hidden
// entries and the "." and ".." links). A missing folder yields nothing.
// Within a folder entries come sorted by name, so the menus that list them
// are the same on every machine.
QStringList FindFiles(const QString& folder, const QString& pattern);

// The platform's shared-library suffix with its dot: ".so", ".dll", ".dylib".
QString LibrarySuffix();

} // namespace kb
