#include "frame/recentfiles.h"

#include "frame/docfile.h"

namespace kb {

void TRecentFiles::SetFiles(const QStringList& files)
{
    m_files.clear();
    for (const QString& f : files) {
        if (m_files.size() == kMaxShown) break;
        if (!f.isEmpty() && m_files.indexOf(f) < 0) m_files.append(f);
    }
}

void TRecentFiles::Add(const QString& fileName)
{
    Remove(fileName);
    m_files.prepend(fileName);
    while (m_files.size() > kMaxShown)
        m_files.removeLast();
}

void TRecentFiles::Remove(const QString& fileName)
{
    m_files.removeIf([&](const QString& f) { return SameFile(f, fileName); });
}

} // namespace kb
