// The recent files at the end of the File menu: most recent first, each file
// once, at most five.
#pragma once

#include <QString>
#include <QStringList>

namespace kb {

class TRecentFiles
{
public:
    static constexpr int kMaxShown = 5;

    const QStringList& Files() const { return m_files; }
    // Keeps the first kMaxShown names, each file once.
    void SetFiles(const QStringList& files);
    // Puts the file first, removing other spellings of the same file.
    void Add(const QString& fileName);
    void Remove(const QString& fileName);

private:
    QStringList m_files;
};

} // namespace kb
