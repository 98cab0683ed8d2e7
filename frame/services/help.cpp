#include "frame/services/help.h"

#include "docwin/messagebox.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace kb {

QString HelpPagePath()
{
    return QCoreApplication::applicationDirPath() + "/help/index.html";
}

bool OpenHelp(QWidget* parent, const QString& page)
{
    const QString shown = QDir::toNativeSeparators(page);
    if (!QFileInfo(page).isFile()) {
        MessageBox(parent, QMessageBox::Warning,
                   QStringLiteral("Файл справки %1 не найден.").arg(shown));
        return false;
    }
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(page).absoluteFilePath()))) {
        MessageBox(parent, QMessageBox::Warning,
                   QStringLiteral("Не удалось открыть справку %1.").arg(shown));
        return false;
    }
    return true;
}

} // namespace kb
