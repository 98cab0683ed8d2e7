// The host side of the graphic-export module: brovane, loaded from the
// program's folder when it is there. Without it the filter is empty and the
// "to graphic file" command has nothing to call.
#pragma once

#include "frame/brovane/brovane.h"

#include <QFont>
#include <QString>

#include <cstdint>
#include <memory>
#include <span>

class QLibrary;

namespace kb {

class TExportModule
{
public:
    TExportModule();
    ~TExportModule();
    TExportModule(const TExportModule&) = delete;
    TExportModule& operator=(const TExportModule&) = delete;

    // Loads <folder>/brovane (the platform's library name). False, leaving
    // the module unavailable, when it is absent or lacks an export; the
    // reason is in Error(). The library then stays loaded until the end.
    bool Load(const QString& folder);

    bool Available() const { return m_saveTo != nullptr; }
    // The save dialog filter; empty without the module.
    const QString& Filter() const { return m_filter; }
    const QString& Error() const { return m_error; }

    // Writes the diagram (the bytes of a .bls file) as a picture; the format
    // follows the file's extension. False with a message in *error.
    bool SaveTo(std::span<const uint8_t> bls, const QString& fileName, const QFont& font,
                QString* error) const;

    // <folder>/brovane with the platform's prefix and suffix.
    static QString LibraryPath(const QString& folder);

private:
    std::unique_ptr<QLibrary> m_library;
    QString m_filter;
    QString m_error;
    BrovaneSaveToFn m_saveTo = nullptr;
};

} // namespace kb
