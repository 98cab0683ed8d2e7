#include "frame/startup.h"

#include "frame/autosave/autosavestore.h"
#include "frame/commands/templatemenus.h"
#include "frame/docfile.h"
#include "frame/language/language.h"
#include "frame/mainform.h"
#include "frame/services/association.h"
#include "frame/services/exportmodule.h"
#include "frame/services/pluginhost.h"
#include "frame/services/settings.h"
#include "frame/services/userstore.h"
#include "frame/singleinstance.h"
#include "frame/startupreport.h"

#include <QApplication>
#include <QSettings>

namespace kb {

namespace {

void RaiseWindow(QWidget& w)
{
    if (w.isMinimized()) w.showNormal();
    w.raise();
    w.activateWindow();
}

} // namespace

QString ApplicationTitle()
{
    return QCoreApplication::translate("kb::TMainForm", "Block-diagram editor");
}

void NameApplication()
{
    QApplication::setOrganizationName(QStringLiteral("Marlowen"));
    QApplication::setApplicationName(QStringLiteral("Kestrabin"));
}

QRect FirstStartPlacement(const QRect& available)
{
    const int width = available.width() * 4 / 5;
    const int height = available.height() * 4 / 5;
    return {available.left() + (available.width() - width) / 2,
            available.top() + (available.height() - height) / 2, width, height};
}

QStringList CommandLineFiles(const QStringList& arguments)
{
    QStringList files;
    for (qsizetype i = 1; i < arguments.size(); ++i)
        if (!arguments[i].isEmpty()) files.append(AbsoluteFileName(arguments[i]));
    return files;
}

std::unique_ptr<TMainForm> StartMainWindow(QSettings& store, const QStringList& files)
{
    // Every window takes its texts as it is made, Qt's own included: the
    // language comes first.
    const TSettings settings = LoadSettings(store);
    SetInterfaceLanguage(LanguageOfSetting(settings.Language));

    // The main window takes the settings, registers the file type, loads
    // the plug-ins and the graphic-export module.
    WriteFileAssociation(QCoreApplication::applicationFilePath());
    auto main = std::make_unique<TMainForm>();
    main->ApplySettings(settings);
    main->LoadPlugIns(TPlugInHost::DefaultFolder());
    main->LoadTemplates(TemplateFolder(ProgramFolder()));
    main->LoadExportModule(QCoreApplication::applicationDirPath());
    main->setWindowTitle(ApplicationTitle());
    main->show();
    for (const QString& f : files)
        main->OpenDocument(f);
    main->EnableAutosave(TAutosaveStore::DefaultFolder());
    main->RecoverAutosaves();
    main->setWindowTitle(ApplicationTitle());
    return main;
}

int RunEditor(int& argc, char** argv)
{
    QApplication app(argc, argv);
    NameApplication();

    // A second start creates no window, reads no settings, loads no plug-ins,
    // unless the running editor cannot take its files: then it opens them
    // itself rather than lose them.
    const QString name = InstanceName();
    THandOffResult handOff =
        HandOffToRunningInstance(name, CommandLineFiles(QApplication::arguments()));
    TInstanceServer server(
        [](const QString& f) {
            if (TMainForm* main = TMainForm::Instance()) {
                RaiseWindow(*main);
                main->OpenDocument(f);
            }
        },
        [] {
            if (TMainForm* main = TMainForm::Instance()) RaiseWindow(*main);
        });
    if (handOff.State == THandOffResult::NoInstance && !server.Listen(name))
        handOff = HandOffToRunningInstance(name, handOff.Remaining); // another start was quicker
    if (handOff.State == THandOffResult::Delivered) return 0;
    const QStringList files = handOff.Remaining;

    const std::unique_ptr<QSettings> store = OpenUserSettings();
    const std::unique_ptr<TMainForm> main = StartMainWindow(*store, files);
    if (WriteStartupReportIfAsked(*main)) return 0;
    const int result = QApplication::exec();
    SaveSettings(*store, main->CollectSettings());
    return result;
}

} // namespace kb
