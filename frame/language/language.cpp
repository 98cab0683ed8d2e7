#include "frame/language/language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QPointer>
#include <QTranslator>

namespace kb {

namespace {

// The catalogue is built into the program, so a test or a moved program
// finds it as surely as the installed one.
const char kCatalogueFolder[] = ":/i18n";

QPointer<QTranslator>& OurCatalogue()
{
    static QPointer<QTranslator> translator;
    return translator;
}

QPointer<QTranslator>& QtCatalogue()
{
    static QPointer<QTranslator> translator;
    return translator;
}

void Remove(QPointer<QTranslator>& translator)
{
    if (!translator) return;
    QCoreApplication::removeTranslator(translator);
    delete translator;
}

// Qt's catalogue comes with Qt where it is installed system-wide, and beside
// the program where Qt was shipped with it.
QTranslator* LoadQtCatalogue(const QLocale& locale)
{
    auto* translator = new QTranslator(QCoreApplication::instance());
    for (const QString& folder : {QLibraryInfo::path(QLibraryInfo::TranslationsPath),
                                  QCoreApplication::applicationDirPath() + "/translations"})
        if (translator->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"), folder))
            return translator;
    delete translator;
    return nullptr;
}

} // namespace

TLanguage LanguageOfSetting(const QString& value)
{
    return value == QLatin1String("en") ? TLanguage::English : TLanguage::Russian;
}

QString SettingOfLanguage(TLanguage language)
{
    return language == TLanguage::English ? QStringLiteral("en") : QStringLiteral("ru");
}

bool SetInterfaceLanguage(TLanguage language)
{
    Remove(OurCatalogue());
    Remove(QtCatalogue());
    const QLocale locale = language == TLanguage::English
                               ? QLocale(QLocale::English, QLocale::UnitedStates)
                               : QLocale(QLocale::Russian, QLocale::Russia);
    // Dates and numbers read as the rest of the interface does, whatever
    // language the system is set to.
    QLocale::setDefault(locale);
    if (language == TLanguage::English) return true;

    if (QTranslator* qt = LoadQtCatalogue(locale)) {
        QCoreApplication::installTranslator(qt);
        QtCatalogue() = qt;
    }
    auto* ours = new QTranslator(QCoreApplication::instance());
    if (!ours->load(QStringLiteral("kestrabin_ru"), QLatin1String(kCatalogueFolder))) {
        delete ours;
        return false;
    }
    QCoreApplication::installTranslator(ours);
    OurCatalogue() = ours;
    return true;
}

} // namespace kb
