#include "frame/services/association.h"

#include "docwin/drawing/atomicdevice.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>

namespace kb {

namespace {

// Desktop entry Exec values quote arguments with double quotes; inside them
// the characters " ` $ \ need a backslash (and the backslash, once more,
// because the whole value is itself an escaped string).
QString QuoteExecArgument(const QString& path)
{
    QString quoted;
    for (const QChar c : path) {
        if (c == '"' || c == '`' || c == '$')
            quoted += "\\\\";
        else if (c == '\\')
            quoted += "\\\\\\";
        else if (c == '%')
            quoted += '%';
        quoted += c;
    }
    return '"' + quoted + '"';
}

#ifdef Q_OS_WIN
bool WriteRegistryAssociation(const QString& programPath, QString* error)
{
    const QString program = QDir::toNativeSeparators(programPath);
    // The per-user half of HKEY_CLASSES_ROOT: the shell merges it in, and
    // unlike the machine-wide half it needs no administrator rights.
    // "Default" names a key's default value.
    QSettings classes("HKEY_CURRENT_USER\\Software\\Classes", QSettings::NativeFormat);
    classes.setValue(".bls/Default", "BlockDiagram");
    classes.setValue("BlockDiagram/Default", "Block diagram file");
    classes.setValue("BlockDiagram/DefaultIcon/Default", program + ",0");
    classes.setValue("BlockDiagram/shell/open/command/Default", program + " \"%1\"");
    classes.sync();
    if (classes.status() != QSettings::NoError) {
        if (error)
            *error = QCoreApplication::translate(
                "kb::TAssociation", "The .bls file type could not be registered in the registry.");
        return false;
    }
    return true;
}
#else
bool WriteTextFile(const QString& fileName, const QString& text, QString* error)
{
    QDir().mkpath(QFileInfo(fileName).absolutePath());
    const QByteArray bytes = text.toUtf8();
    const TWriteStatus status = WriteFileAtomically(
        NativeFileName(fileName),
        std::span(reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size())));
    if (!status.Ok() && error)
        *error = QCoreApplication::translate("kb::TAssociation", "Could not write %1: %2")
                     .arg(QDir::toNativeSeparators(fileName),
                          QString::fromLocal8Bit(status.Error.c_str()));
    return status.Ok();
}

// Detached, so a slow or hanging database tool never holds up the start.
void RefreshDatabase(const QString& tool, const QString& folder)
{
    const QString exe = QStandardPaths::findExecutable(tool);
    if (!exe.isEmpty()) QProcess::startDetached(exe, {folder});
}

bool WriteFreedesktopAssociation(const QString& programPath, QString* error, bool refresh)
{
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (data.isEmpty()) {
        if (error)
            *error = QCoreApplication::translate("kb::TAssociation",
                                                 "The user data folder is not found.");
        return false;
    }
    const QString applications = data + "/applications";
    const QString mime = data + "/mime";
    if (!WriteTextFile(applications + '/' + kDesktopFileName, DesktopEntryText(programPath),
                       error) ||
        !WriteTextFile(mime + "/packages/" + kMimeFileName, MimeTypeText(), error))
        return false;
    if (refresh) {
        RefreshDatabase("update-mime-database", mime);
        RefreshDatabase("update-desktop-database", applications);
    }
    return true;
}
#endif

} // namespace

QString DesktopEntryText(const QString& programPath)
{
    const QString exec = QuoteExecArgument(QFileInfo(programPath).absoluteFilePath());
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=Kestrabin\n"
                          "Name[ru]=Редактор блок-схем\n"
                          "Comment=Block diagram editor\n"
                          "Comment[ru]=Редактор блок-схем\n"
                          "Exec=%1 %F\n"
                          "Terminal=false\n"
                          "Categories=Graphics;Development;\n"
                          "MimeType=%2;\n")
        .arg(exec, kDiagramMimeType);
}

QString MimeTypeText()
{
    return QStringLiteral(
               "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
               "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
               "  <mime-type type=\"%1\">\n"
               "    <comment>Block diagram file</comment>\n"
               "    <comment xml:lang=\"ru\">Файл блок-схемы</comment>\n"
               "    <magic priority=\"60\">\n"
               "      <match type=\"string\" offset=\"0\" value=\"FileKestrabinEditorV2\"/>\n"
               "    </magic>\n"
               "    <glob pattern=\"*.bls\"/>\n"
               "  </mime-type>\n"
               "</mime-info>\n")
        .arg(kDiagramMimeType);
}

bool WriteFileAssociation(const QString& programPath, QString* error, bool refreshDatabases)
{
#ifdef Q_OS_WIN
    (void)refreshDatabases; // the shell reads the registry directly
    return WriteRegistryAssociation(programPath, error);
#else
    return WriteFreedesktopAssociation(programPath, error, refreshDatabases);
#endif
}

} // namespace kb
