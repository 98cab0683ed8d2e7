#include "frame/autosave/recoverdialog.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace kb {

QString DisplayName(const TAutosaveRecord& record)
{
    return record.OriginalPath.isEmpty() ? record.Caption : record.OriginalPath;
}

TRecoverDialog::TRecoverDialog(const std::vector<TStaleAutosave>& files, QWidget* parent)
    : QDialog(parent), m_files(files)
{
    setObjectName("RecoverDialog");
    setWindowTitle(tr("Recovering documents"));
    auto* text =
        new QLabel(tr("The editor was closed without saving the changes in these documents.\nThe "
                      "checked documents will be recovered, the others deleted."),
                   this);
    m_list = new QTreeWidget(this);
    m_list->setRootIsDecorated(false);
    m_list->setHeaderLabels({tr("Document"), tr("Saved")});
    for (const TStaleAutosave& f : m_files) {
        auto* item = new QTreeWidgetItem(m_list);
        item->setText(0, DisplayName(f.Record));
        item->setText(1, QLocale().toString(f.Record.SavedAt, QLocale::ShortFormat));
        item->setCheckState(0, Qt::Checked);
    }
    m_list->header()->setSectionResizeMode(0, QHeaderView::Stretch);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* recover = buttons->addButton(tr("Recover"), QDialogButtonBox::AcceptRole);
    QPushButton* discard = buttons->addButton(tr("Delete"), QDialogButtonBox::RejectRole);
    recover->setObjectName("RecoverButton");
    discard->setObjectName("DiscardButton");
    connect(recover, &QPushButton::clicked, this, [this] {
        m_recover = true;
        accept();
    });
    connect(discard, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(m_list);
    layout->addWidget(buttons);
    resize(560, 300);
}

std::vector<TStaleAutosave> TRecoverDialog::Chosen() const
{
    std::vector<TStaleAutosave> out;
    if (!m_recover) return out;
    for (int i = 0; i < m_list->topLevelItemCount(); ++i)
        if (m_list->topLevelItem(i)->checkState(0) == Qt::Checked)
            out.push_back(m_files[size_t(i)]);
    return out;
}

std::vector<TStaleAutosave> TRecoverDialog::ToDiscard() const
{
    std::vector<TStaleAutosave> out;
    for (int i = 0; i < m_list->topLevelItemCount(); ++i)
        if (!m_recover || m_list->topLevelItem(i)->checkState(0) != Qt::Checked)
            out.push_back(m_files[size_t(i)]);
    return out;
}

} // namespace kb
