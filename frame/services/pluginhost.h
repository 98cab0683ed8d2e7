// The import plug-ins: every shared library under the program's plugin/
// folder that exports Init, GetName, GetHint and ImportFiles (see
// include/kestrabin/plugin.h) becomes one item of File > Import.
#pragma once

#include <kestrabin/plugin.h>

#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

class QLibrary;

namespace kb {

struct TPlugIn
{
    QString Name; // the Import menu caption
    QString Hint; // the status-bar text while the item is highlighted
    QString FileName;
};

class TPlugInHost
{
public:
    TPlugInHost();
    ~TPlugInHost();
    TPlugInHost(const TPlugInHost&) = delete;
    TPlugInHost& operator=(const TPlugInHost&) = delete;

    // Loads every plug-in found under folder, in discovery order, handing
    // each the host handle for its LoadFile look-up. A file that does not
    // load as a library or lacks one of the four functions is skipped and
    // described in Errors(); its Init is never called. Loading twice adds to
    // the list.
    void Load(const QString& folder, void* hostHandle);
    // Releases every library in list order and empties the list. Plug-in
    // code must not run afterwards, so the main window calls it last.
    void Unload();

    const std::vector<TPlugIn>& PlugIns() const { return m_infos; }
    // Runs plug-in index's import; false for an index out of range.
    bool ImportFiles(int index) const;
    // One Russian sentence per skipped file, for the status bar.
    const QStringList& Errors() const { return m_errors; }

    // The program module the plug-ins look LoadFile up in.
    static void* ProgramHandle();
    // <folder of the program>/plugin.
    static QString DefaultFolder();

private:
    struct TLoaded
    {
        std::unique_ptr<QLibrary> Library;
        KbImportFilesFn ImportFiles = nullptr;
    };

    bool LoadOne(const QString& fileName, void* hostHandle);

    std::vector<TLoaded> m_loaded;
    std::vector<TPlugIn> m_infos;
    QStringList m_errors;
};

} // namespace kb
