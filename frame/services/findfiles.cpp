#include "frame/services/findfiles.h"

#include <QDir>
#include <QFileInfo>

namespace kb {

namespace {

void Collect(const QString& folder, const QString& pattern, QStringList& found, int depth)
{
    // Deep enough for any real folder tree; stops a loop of links to folders.
    constexpr int kMaxDepth = 32;
    if (depth > kMaxDepth) return;
    const QDir dir(folder);
    const QFileInfoList entries =
        dir.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                          QDir::Name | QDir::IgnoreCase);
    QStringList subfolders;
    for (const QFileInfo& entry : entries) {
        if (entry.fileName().startsWith('.')) continue;
        if (entry.isDir())
            subfolders.append(entry.filePath());
        else if (entry.fileName().contains(pattern, Qt::CaseInsensitive))
            found.append(entry.filePath());
    }
    for (const QString& sub : subfolders)
        Collect(sub, pattern, found, depth + 1);
}

} // namespace

QStringList FindFiles(const QString& folder, const QString& pattern)
{
    QStringList found;
    Collect(folder, pattern, found, 0);
    return found;
}

QString LibrarySuffix()
{
#if defined(Q_OS_WIN)
    return ".dll";
#elif defined(Q_OS_MACOS)
    return ".dylib";
#else
    return ".so";
#endif
}

} // namespace kb
