// The "ListProc" dialog: the routines of the unit in a sorted list with
// multiple selection, the output folder with a Browse button, OK and
// Cancel. Only OK and Cancel close it; Esc and the caption's close box
// leave it open, as the user must decide.
#pragma once

#include "unitimport/scanner.h"

#include <QDialog>

#include <functional>
#include <string>

class QLineEdit;
class QListWidget;
class QPushButton;

namespace kb::vellucor {

// Opens one written file in the editor.
using TOpenFile = std::function<void(const std::string& utf8Path)>;

// The most files one import opens in the editor; the rest stay on disk.
constexpr int kMaxOpenedFiles = 40;

class TListProcDialog : public QDialog
{
    Q_OBJECT
public:
    TListProcDialog(const QString& unitPath, unitimport::TUnit unit, TOpenFile openFile,
                    QWidget* parent = nullptr);

    // Esc and the close box end up here; neither closes the dialog.
    void reject() override {}

private:
    void OkClicked();
    void BrowseClicked();
    std::vector<std::string> SelectedHeaders() const;

    unitimport::TUnit m_unit;
    TOpenFile m_openFile;
    QListWidget* m_list;
    QLineEdit* m_folder;
};

} // namespace kb::vellucor
