#include "frame/filedialogs.h"

#include <QFileDialog>

namespace kb {

namespace {

QStringList RealAskOpenFiles(QWidget* parent, const QString& folder, const QString& filter)
{
    QFileDialog dialog(parent, QString(), folder, filter);
    dialog.setObjectName(QStringLiteral("OpenDialog1"));
    dialog.setFileMode(QFileDialog::ExistingFiles);
    dialog.setOption(QFileDialog::ReadOnly, false);
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles() : QStringList();
}

QString RealAskSaveFile(QWidget* parent, const QString& suggested, const QString& filter)
{
    QFileDialog dialog(parent, QString(), suggested, filter);
    dialog.setObjectName(QStringLiteral("SaveDialog1"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("bls"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().first();
}

} // namespace

QString DiagramFilter()
{
    return QStringLiteral("Block-diagram(*.bls);;All Files(*)");
}

TFileDialogs& FileDialogs()
{
    static TFileDialogs dialogs{RealAskOpenFiles, RealAskSaveFile};
    return dialogs;
}

} // namespace kb
