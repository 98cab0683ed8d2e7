// The editor's interface language. The windows are written with English
// texts; the Russian ones come from the catalogue built from
// translations/kestrabin_ru.ts, through Qt's translators, which must be in
// place before the first window is made: every window takes its texts as it
// is built. The choice is the top-level setting "Language" and takes effect
// at the next start.
#pragma once

#include <QString>

namespace kb {

enum class TLanguage { Russian, English };

// "en" is English; anything else, a missing value included, is Russian.
TLanguage LanguageOfSetting(const QString& value);
QString SettingOfLanguage(TLanguage language);

// Puts in place our catalogue and Qt's own (standard buttons, file, colour
// and print dialogs) for the language, replacing those of an earlier call,
// and makes dates and numbers read as the rest of the interface. English,
// the language the texts are written in, needs no catalogue of ours. False
// when our catalogue for the language could not be loaded.
bool SetInterfaceLanguage(TLanguage language);

} // namespace kb
