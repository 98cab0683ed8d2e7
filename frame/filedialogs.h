// The file dialogs of the main window, replaceable so that tests can answer
// them without a modal dialog.
#pragma once

#include <QString>
#include <QStringList>
#include <QStyledItemDelegate>

#include <functional>

class QWidget;

namespace kb {

// "Block-diagram(*.bls)|*.bls|All Files|*.*" in the form Qt dialogs take.
QString DiagramFilter();

struct TFileDialogs
{
    // Several files may be chosen; empty when the user cancels.
    std::function<QStringList(QWidget* parent, const QString& folder, const QString& filter)>
        AskOpenFiles;
    // Asks before overwriting; empty when the user cancels.
    std::function<QString(QWidget* parent, const QString& suggested, const QString& filter)>
        AskSaveFile;
    // As AskSaveFile, for a picture: a name typed without an extension gets
    // the one of the format chosen in the filter.
    std::function<QString(QWidget* parent, const QString& suggested, const QString& filter)>
        AskSavePicture;
};

// "png" from "PNG (*.png)": the extension of a filter's first pattern, empty
// when it has none ("All files (*)").
QString FilterSuffix(const QString& filter);

// Qt's file dialog writes file dates in the system's locale ("8 Dec 2026"
// where none is set); ours shows them in the interface language, as the
// rest of the dialog is.
class TFileDateDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    // The text shown for a cell of the dialog's file list.
    QString ShownText(const QModelIndex& index) const;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
};

// The real dialogs unless a test replaced them.
TFileDialogs& FileDialogs();

} // namespace kb
