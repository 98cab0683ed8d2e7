#include "frame/filedialogs.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLocale>
#include <QRegularExpression>

namespace kb {

namespace {

// The date column of Qt's file list.
constexpr int kDateColumn = 3;

void PrepareDialog(QFileDialog& dialog)
{
    dialog.setItemDelegate(new TFileDateDelegate(&dialog));
}

QStringList RealAskOpenFiles(QWidget* parent, const QString& folder, const QString& filter)
{
    QFileDialog dialog(parent, QString(), folder, filter);
    dialog.setObjectName(QStringLiteral("OpenDialog1"));
    PrepareDialog(dialog);
    dialog.setFileMode(QFileDialog::ExistingFiles);
    dialog.setOption(QFileDialog::ReadOnly, false);
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles() : QStringList();
}

QString RealAskSaveFile(QWidget* parent, const QString& suggested, const QString& filter)
{
    QFileDialog dialog(parent, QString(), suggested, filter);
    dialog.setObjectName(QStringLiteral("SaveDialog1"));
    PrepareDialog(dialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("bls"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().first();
}

QString RealAskSavePicture(QWidget* parent, const QString& suggested, const QString& filter)
{
    QFileDialog dialog(parent, QString(), suggested, filter);
    dialog.setObjectName(QStringLiteral("SavePictureDialog"));
    PrepareDialog(dialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // The module takes the format from the extension: a bare name gets the
    // chosen format's, never the diagrams' "bls".
    const auto follow = [&dialog](const QString& chosen) {
        dialog.setDefaultSuffix(FilterSuffix(chosen));
    };
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, follow);
    follow(dialog.selectedNameFilter());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().first();
}

} // namespace

QString TFileDateDelegate::ShownText(const QModelIndex& index) const
{
    QStyleOptionViewItem option;
    initStyleOption(&option, index);
    return option.text;
}

void TFileDateDelegate::initStyleOption(QStyleOptionViewItem* option,
                                        const QModelIndex& index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    const auto* files = qobject_cast<const QFileSystemModel*>(index.model());
    if (files && index.column() == kDateColumn)
        option->text = QLocale().toString(files->lastModified(index), QLocale::ShortFormat);
}

QString FilterSuffix(const QString& filter)
{
    static const QRegularExpression firstPattern(QStringLiteral("\\*\\.(\\w+)"));
    const QRegularExpressionMatch m = firstPattern.match(filter);
    return m.hasMatch() ? m.captured(1) : QString();
}

QString DiagramFilter()
{
    return QCoreApplication::translate("kb::TFileDialogs", "Block-diagram(*.bls);;All Files(*)");
}

TFileDialogs& FileDialogs()
{
    static TFileDialogs dialogs{RealAskOpenFiles, RealAskSaveFile, RealAskSavePicture};
    return dialogs;
}

} // namespace kb
