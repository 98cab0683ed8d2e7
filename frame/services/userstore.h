// The settings store of the current user: HKCU\Software\Marlowen on Windows,
// the per-user "Marlowen" settings file elsewhere. The import plug-in keeps
// its own values beside the editor's, so it opens the store through this
// same header rather than a copy that could drift to another place.
#pragma once

#include <QSettings>

#include <memory>

namespace kb {

inline std::unique_ptr<QSettings> OpenUserSettings()
{
#ifdef Q_OS_WIN
    return std::make_unique<QSettings>("HKEY_CURRENT_USER\\Software\\Marlowen",
                                       QSettings::NativeFormat);
#else
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, "Marlowen");
#endif
}

} // namespace kb
