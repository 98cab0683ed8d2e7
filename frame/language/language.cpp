#include "frame/language/language.h"

#include "frame/language/russiantexts.h"
#include "frame/language/textapplier.h"
#include "frame/mainform.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QPointer>
#include <QTranslator>

namespace kb {

// Qt's catalogue comes with Qt where it is installed system-wide, and beside
// the program where Qt was shipped with it.
void InstallQtRussian()
{
    static QPointer<QTranslator> installed;
    if (installed) return;
    // Dates and numbers read as the rest of the interface does, whatever
    // language the system is set to.
    const QLocale russian(QLocale::Russian, QLocale::Russia);
    QLocale::setDefault(russian);
    auto* translator = new QTranslator(qApp);
    for (const QString& folder : {QLibraryInfo::path(QLibraryInfo::TranslationsPath),
                                  QCoreApplication::applicationDirPath() + "/translations"})
        if (translator->load(russian, QStringLiteral("qtbase"), QStringLiteral("_"), folder)) {
            QCoreApplication::installTranslator(translator);
            installed = translator;
            return;
        }
    delete translator;
}

TTextApplier& ApplyRussianTexts(TMainForm& main)
{
    InstallQtRussian();
    auto* texts = new TTextApplier(RussianTexts(), main);
    texts->Apply();
    return *texts;
}

} // namespace kb
