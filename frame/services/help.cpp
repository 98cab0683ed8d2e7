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
        MessageBox(
            parent, QMessageBox::Warning,
            QCoreApplication::translate("kb::THelp", "The help file %1 is not found.").arg(shown));
        return false;
    }
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(page).absoluteFilePath()))) {
        MessageBox(parent, QMessageBox::Warning,
                   QCoreApplication::translate("kb::THelp", "The help %1 could not be opened.")
                       .arg(shown));
        return false;
    }
    return true;
}

} // namespace kb
