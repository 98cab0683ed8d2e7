#include "frame/services/exportmodule.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLibrary>

namespace kb {

TExportModule::TExportModule() = default;
TExportModule::~TExportModule() = default;

QString TExportModule::LibraryPath(const QString& folder)
{
#if defined(Q_OS_WIN)
    return folder + "/brovane.dll";
#elif defined(Q_OS_MACOS)
    return folder + "/libbrovane.dylib";
#else
    return folder + "/libbrovane.so";
#endif
}

bool TExportModule::Load(const QString& folder)
{
    const QString path = LibraryPath(folder);
    if (!QFile::exists(path)) {
        m_error =
            QCoreApplication::translate("kb::TExportModule", "The export module %1 is not found.")
                .arg(QDir::toNativeSeparators(path));
        return false;
    }
    auto library = std::make_unique<QLibrary>(path);
    if (!library->load()) {
        m_error =
            QCoreApplication::translate("kb::TExportModule", "The export module is not loaded: %1")
                .arg(library->errorString());
        return false;
    }
    const auto getFilter = reinterpret_cast<BrovaneGetFilterFn>(library->resolve("GetFilter"));
    const auto saveTo = reinterpret_cast<BrovaneSaveToFn>(library->resolve("SaveTo"));
    if (!getFilter || !saveTo) {
        m_error = QCoreApplication::translate("kb::TExportModule",
                                              "The export module has no function %1.")
                      .arg(getFilter ? "SaveTo" : "GetFilter");
        library->unload();
        return false;
    }
    const char* filter = getFilter();
    m_filter = filter ? QString::fromUtf8(filter) : QString();
    m_saveTo = saveTo;
    m_library = std::move(library);
    m_error.clear();
    return true;
}

bool TExportModule::SaveTo(std::span<const uint8_t> bls, const QString& fileName, const QFont& font,
                           QString* error) const
{
    if (!m_saveTo) {
        if (error)
            *error = QCoreApplication::translate("kb::TExportModule",
                                                 "The export module is not loaded.");
        return false;
    }
    char message[512] = {};
    const QByteArray file = fileName.toUtf8();
    const QByteArray family = font.family().toUtf8();
    const int points = font.pointSize() > 0 ? font.pointSize() : 0;
    const int rc = m_saveTo(bls.data(), bls.size(), file.constData(), family.constData(), points,
                            message, sizeof message);
    if (rc != BROVANE_OK && error) *error = QString::fromUtf8(message);
    return rc == BROVANE_OK;
}

} // namespace kb
