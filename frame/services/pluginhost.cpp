#include "frame/services/pluginhost.h"

#include "frame/services/findfiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace kb {

namespace {

// A plug-in returns 8-bit text; a null pointer just means no text.
QString CopyText(const char* text)
{
    return text ? QString::fromUtf8(text) : QString();
}

} // namespace

TPlugInHost::TPlugInHost() = default;

TPlugInHost::~TPlugInHost()
{
    Unload();
}

void* TPlugInHost::ProgramHandle()
{
#ifdef Q_OS_WIN
    return GetModuleHandleW(nullptr);
#else
    // The program is loaded already; this only hands out its handle.
    return dlopen(nullptr, RTLD_LAZY);
#endif
}

QString TPlugInHost::DefaultFolder()
{
    return QCoreApplication::applicationDirPath() + "/plugin";
}

void TPlugInHost::Load(const QString& folder, void* hostHandle)
{
    for (const QString& fileName : FindFiles(folder, LibrarySuffix()))
        LoadOne(fileName, hostHandle);
}

bool TPlugInHost::LoadOne(const QString& fileName, void* hostHandle)
{
    const QString shown = QDir::toNativeSeparators(fileName);
    auto library = std::make_unique<QLibrary>(fileName);
    if (!library->load()) {
        m_errors.append(
            QCoreApplication::translate("kb::TPlugInHost", "The module %1 is not loaded: %2")
                .arg(shown, library->errorString()));
        return false;
    }
    // Every export is looked up before any is called, so none of a
    // half-made plug-in's functions ever runs.
    const auto init = reinterpret_cast<KbInitFn>(library->resolve("Init"));
    const auto getName = reinterpret_cast<KbGetNameFn>(library->resolve("GetName"));
    const auto getHint = reinterpret_cast<KbGetHintFn>(library->resolve("GetHint"));
    const auto importFiles = reinterpret_cast<KbImportFilesFn>(library->resolve("ImportFiles"));
    const char* missing = !init          ? "Init"
                          : !getName     ? "GetName"
                          : !getHint     ? "GetHint"
                          : !importFiles ? "ImportFiles"
                                         : nullptr;
    if (missing) {
        m_errors.append(QCoreApplication::translate(
                            "kb::TPlugInHost", "The module %1 is skipped: it has no function %2.")
                            .arg(shown, missing));
        library->unload();
        return false;
    }
    init(hostHandle);
    TPlugIn info;
    info.Name = CopyText(getName());
    info.Hint = CopyText(getHint());
    info.FileName = fileName;
    if (info.Name.isEmpty()) info.Name = QFileInfo(fileName).completeBaseName();
    m_infos.push_back(std::move(info));
    m_loaded.push_back({std::move(library), importFiles});
    return true;
}

bool TPlugInHost::ImportFiles(int index) const
{
    if (index < 0 || size_t(index) >= m_loaded.size()) return false;
    m_loaded[size_t(index)].ImportFiles();
    return true;
}

void TPlugInHost::Unload()
{
    for (TLoaded& plugIn : m_loaded)
        plugIn.Library->unload();
    m_loaded.clear();
    m_infos.clear();
}

} // namespace kb
