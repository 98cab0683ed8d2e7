#include "unitimport/vellucor/listprocdialog.h"

#include "model/cp1251.h"
#include "unitimport/vellucor/importrun.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QStyle>

#include <algorithm>

namespace kb::vellucor {
namespace {

const char kCaption[] = "Delphi unit";

QString FromBytes(const std::string& cp1251)
{
    return QString::fromStdString(Cp1251ToUtf8(cp1251));
}

QPushButton* Button(const QString& text, const QString& name, QWidget* parent)
{
    auto* b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

} // namespace

TListProcDialog::TListProcDialog(const QString& unitPath, unitimport::TUnit unit,
                                 TOpenFile openFile, QWidget* parent)
    : QDialog(parent), m_unit(std::move(unit)), m_openFile(std::move(openFile)),
      m_list(new QListWidget(this)), m_folder(new QLineEdit(this))
{
    setObjectName("ListProc");
    setWindowTitle("Please, select procedure and function which you want convert");
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    resize(476, 390); // 317 x 240 dialog units of 8-point MS Sans Serif

    m_list->setObjectName("ProcedureList");
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    // Sorted as the platform's sorted list box sorts: letter case ignored.
    std::vector<const unitimport::TRoutine*> sorted;
    for (const auto& r : m_unit.Routines)
        sorted.push_back(&r);
    std::stable_sort(sorted.begin(), sorted.end(), [](auto* a, auto* b) {
        return FromBytes(a->Header).compare(FromBytes(b->Header), Qt::CaseInsensitive) < 0;
    });
    for (const auto* r : sorted) {
        auto* item = new QListWidgetItem(FromBytes(r->Header), m_list);
        item->setData(Qt::UserRole, QByteArray::fromStdString(r->Header));
    }

    m_folder->setObjectName("FolderName");
    const QString dir = QFileInfo(unitPath).absolutePath();
    m_folder->setText(dir.endsWith('/') ? dir : dir + '/');

    QPushButton* browse = Button(QString(), "Browse", this);
    browse->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
    browse->setToolTip("Browse");
    QPushButton* ok = Button("OK", "OK", this);
    QPushButton* cancel = Button("Cancel", "Cancel", this);
    connect(ok, &QPushButton::clicked, this, &TListProcDialog::OkClicked);
    connect(cancel, &QPushButton::clicked, this, [this] { done(0); });
    connect(browse, &QPushButton::clicked, this, &TListProcDialog::BrowseClicked);

    auto* layout = new QGridLayout(this);
    layout->addWidget(m_list, 0, 0, 1, 3);
    layout->addWidget(new QLabel("Folder for block-diagram files:", this), 1, 0);
    layout->addWidget(m_folder, 1, 1);
    layout->addWidget(browse, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addStretch();
    buttons->addWidget(cancel);
    buttons->addStretch();
    layout->addLayout(buttons, 2, 0, 1, 3);
}

std::vector<std::string> TListProcDialog::SelectedHeaders() const
{
    std::vector<std::string> headers;
    for (int row = 0; row < m_list->count(); ++row)
        if (m_list->item(row)->isSelected())
            headers.push_back(m_list->item(row)->data(Qt::UserRole).toByteArray().toStdString());
    return headers;
}

void TListProcDialog::OkClicked()
{
    QString folder = m_folder->text();
    if (folder.trimmed().isEmpty()) {
        // A lone separator would name the root of the file system.
        QMessageBox::warning(this, kCaption,
                             "Please enter the folder for the block-diagram files.");
        return;
    }
    if (!folder.endsWith('/') && !folder.endsWith(QDir::separator())) folder += '/';

    const std::string target = folder.toStdString();
    // Said before anything is converted, so that the user can pick another.
    if (const std::string why = CheckFolderWritable(target); !why.empty()) {
        QMessageBox::warning(this, kCaption, QString::fromStdString(why));
        return;
    }

    // Shown only when the work lasts over half a second. Cancel stops before
    // the next routine: the files written so far stay and are opened.
    const std::vector<std::string> headers = SelectedHeaders();
    QProgressDialog progress("Converting routines...", "Cancel", 0, int(headers.size()), this);
    progress.setWindowTitle(kCaption);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    progress.setAutoReset(false);
    TImportRun run = ImportRoutines(m_unit, headers, target, [&](size_t done, size_t total) {
        progress.setLabelText(QString("Converting routine %1 of %2...").arg(done + 1).arg(total));
        progress.setValue(int(done));
        return !progress.wasCanceled();
    });
    progress.close();
    if (!run.LostDirectives.empty()) {
        QString text = "Compiler directives ({$...}) in these routines were dropped like "
                       "comments; their diagrams may not show the code that is compiled:";
        constexpr size_t kNamed = 20;
        for (size_t i = 0; i < std::min(run.LostDirectives.size(), kNamed); ++i)
            text += '\n' + QString::fromStdString(run.LostDirectives[i]);
        if (run.LostDirectives.size() > kNamed)
            text += QString("\n... and %1 more").arg(run.LostDirectives.size() - kNamed);
        QMessageBox::warning(this, kCaption, text);
    }
    if (!run.Problems.empty()) {
        QString text = "Some routines were not converted:";
        for (const std::string& p : run.Problems)
            text += '\n' + QString::fromStdString(p);
        QMessageBox::warning(this, kCaption, text);
    }
    if (run.Written.size() > size_t(kMaxOpenedFiles)) {
        QMessageBox::warning(this, kCaption, "Too many files to open. Load only first 40 files");
        run.Written.resize(kMaxOpenedFiles);
    }
    for (const std::string& path : run.Written)
        m_openFile(path);
    done(0);
}

void TListProcDialog::BrowseClicked()
{
    QFileDialog browser(nullptr, "Select folder for block-diagram files", QDir::rootPath());
    browser.setFileMode(QFileDialog::Directory);
    browser.setOption(QFileDialog::ShowDirsOnly);
    if (browser.exec() == QDialog::Accepted && !browser.selectedFiles().isEmpty())
        m_folder->setText(QDir::toNativeSeparators(browser.selectedFiles().first()));
}

} // namespace kb::vellucor
