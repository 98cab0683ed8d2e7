// Vellucor's entry points, bound by name by the editor: Init, GetName,
// GetHint and ImportFiles. The editor's LoadFile is looked up by name in
// the host module before each call.
#include "frame/services/userstore.h"
#include "kestrabin/plugin.h"
#include "unitimport/vellucor/listprocdialog.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QSettings>

#include <memory>
#include <string>

namespace {

const char kName[] = "Delphi unit";
const char kHint[] = "Import Delphi Unit and convert it into block-diagram.";

void* g_host = nullptr;
// The editor copies the path it is given; the buffer is reused for each call.
std::string g_pathBuffer;

void OpenInEditor(const std::string& path)
{
    auto loadFile = reinterpret_cast<KbLoadFileFn>(KbHostSymbol(g_host, "LoadFile"));
    if (!loadFile) return;
    g_pathBuffer = path;
    loadFile(g_pathBuffer.c_str());
}

// The unit chosen in the open-file dialog; empty when the user cancels.
QString AskForUnit()
{
    const auto settings = kb::OpenUserSettings(); // "UnitPath" beside the editor's "Path"
    QString start = settings->value("UnitPath").toString();
    if (!start.isEmpty() && !QDir(start).exists()) start.clear();
    // Free Pascal keeps its units in .pp files; offering them saves typing.
    QFileDialog open(nullptr, kHint, start,
                     "Delphi unit (*.pas);;Free Pascal unit (*.pp);;All files (*)");
    open.setFileMode(QFileDialog::AnyFile);
    open.setAcceptMode(QFileDialog::AcceptOpen);
    if (open.exec() != QDialog::Accepted || open.selectedFiles().isEmpty()) return {};
    const QString path = open.selectedFiles().first();
    settings->setValue("UnitPath", QFileInfo(path).absolutePath());
    settings->sync();
    return path;
}

} // namespace

extern "C" {

KB_EXPORT void Init(void* host)
{
    g_host = host;
}

KB_EXPORT const char* GetName(void)
{
    return kName;
}

KB_EXPORT const char* GetHint(void)
{
    return kHint;
}

// 0 when the user cancels or the dialog ends (by OK or Cancel); -1 when no
// dialog can be shown because the host runs no Qt application.
KB_EXPORT int ImportFiles(void)
{
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return -1;
    const QString path = AskForUnit();
    if (path.isEmpty()) return 0;
    QFile file(path);
    QByteArray source;
    if (file.open(QIODevice::ReadOnly)) source = file.readAll();
    if (!file.isOpen() || file.error() != QFileDevice::NoError) {
        QMessageBox::warning(QApplication::activeWindow(), kName,
                             QString("Cannot read %1: %2").arg(path, file.errorString()));
        return 0;
    }
    auto unit =
        kb::unitimport::ScanText(std::string_view(source.constData(), size_t(source.size())));
    kb::vellucor::TListProcDialog dialog(path, std::move(unit), OpenInEditor,
                                         QApplication::activeWindow());
    return dialog.exec();
}

} // extern "C"
