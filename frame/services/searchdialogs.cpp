#include "frame/services/searchdialogs.h"

#include "frame/services/searchtarget.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kb {

namespace {

// Row of the match-case box; the text fields take the rows above it.
constexpr int kOptionsRow = 2;

QLineEdit* AddTextRow(QGridLayout* grid, int row, const QString& label, const char* objectName)
{
    auto* edit = new QLineEdit;
    edit->setObjectName(objectName);
    auto* caption = new QLabel(label);
    caption->setBuddy(edit);
    grid->addWidget(caption, row, 0);
    grid->addWidget(edit, row, 1);
    return edit;
}

} // namespace

TSearchDialog::TSearchDialog(TSearchTarget& target, QWidget* parent)
    : QDialog(parent), m_target(target), m_grid(new QGridLayout(this))
{
    setModal(false);
    m_text = AddTextRow(m_grid, 0, tr("Fi&nd what:"), "FindText");
    m_matchCase = new QCheckBox(tr("Match &case"));
    m_matchCase->setObjectName("MatchCase");
    m_grid->addWidget(m_matchCase, kOptionsRow, 0, 1, 2);
    m_grid->setColumnStretch(1, 1);

    m_buttons = new QVBoxLayout;
    m_grid->addLayout(m_buttons, 0, 2, kOptionsRow + 1, 1);
    m_cancel = new QPushButton(tr("Cancel"));
    m_cancel->setObjectName("CancelButton");
    m_cancel->setAutoDefault(false);
    m_buttons->addWidget(m_cancel);
    m_buttons->addStretch();
    m_findNext = AddButton(tr("&Find Next"), "FindNextButton");
    m_findNext->setDefault(true);
    connect(m_findNext, &QPushButton::clicked, this, &TSearchDialog::FindNextClicked);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::close);
    connect(m_text, &QLineEdit::textChanged, this, [this] { UpdateButtons(); });
    UpdateButtons();
}

QPushButton* TSearchDialog::AddButton(const QString& text, const char* objectName)
{
    auto* button = new QPushButton(text);
    button->setObjectName(objectName);
    button->setAutoDefault(false);
    m_buttons->insertWidget(m_buttons->indexOf(m_cancel), button);
    return button;
}

TSearchQuery TSearchDialog::Query() const
{
    TSearchQuery q;
    q.Text = m_text->text();
    q.MatchCase = m_matchCase->isChecked();
    return q;
}

void TSearchDialog::SetSearchText(const QString& text)
{
    m_text->setText(text);
}

void TSearchDialog::SetMatchCase(bool on)
{
    m_matchCase->setChecked(on);
}

TSearchOutcome TSearchDialog::FindNextClicked()
{
    return FindNext(m_target, Query());
}

void TSearchDialog::UpdateButtons()
{
    m_findNext->setEnabled(!m_text->text().isEmpty());
}

TFindDialog::TFindDialog(TSearchTarget& target, QWidget* parent) : TSearchDialog(target, parent)
{
    setObjectName("FindDialog1");
    setWindowTitle(tr("Find"));
}

TReplaceDialog::TReplaceDialog(TSearchTarget& target, QWidget* parent)
    : TSearchDialog(target, parent)
{
    setObjectName("ReplaceDialog1");
    setWindowTitle(tr("Replace"));
    m_replacement = AddTextRow(Grid(), 1, tr("Re&place with:"), "ReplaceText");
    m_replace = AddButton(tr("&Replace"), "ReplaceButton");
    m_replaceAll = AddButton(tr("Replace &All"), "ReplaceAllButton");
    connect(m_replace, &QPushButton::clicked, this, &TReplaceDialog::ReplaceClicked);
    connect(m_replaceAll, &QPushButton::clicked, this, &TReplaceDialog::ReplaceAllClicked);
    UpdateButtons();
}

TSearchQuery TReplaceDialog::Query() const
{
    TSearchQuery q = TSearchDialog::Query();
    q.Replacement = m_replacement->text();
    return q;
}

void TReplaceDialog::SetReplacement(const QString& text)
{
    m_replacement->setText(text);
}

TSearchOutcome TReplaceDialog::ReplaceClicked()
{
    return ReplaceOne(Target(), Query());
}

TSearchOutcome TReplaceDialog::ReplaceAllClicked()
{
    return ReplaceAll(Target(), Query());
}

void TReplaceDialog::UpdateButtons()
{
    TSearchDialog::UpdateButtons();
    // Called once from the base constructor, before the buttons exist.
    if (!m_replace) return;
    const bool hasText = FindNextButton()->isEnabled();
    m_replace->setEnabled(hasText);
    m_replaceAll->setEnabled(hasText);
}

namespace {

void Present(QDialog* dialog)
{
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
}

void Close(QDialog* dialog)
{
    if (dialog) dialog->close();
}

} // namespace

TSearchDialogs::TSearchDialogs(TSearchTarget& target, QWidget* parent)
    : m_find(new TFindDialog(target, parent)), m_replace(new TReplaceDialog(target, parent))
{
}

TSearchDialogs::~TSearchDialogs()
{
    // Guarded pointers: already null when the parent has deleted them.
    delete m_find.data();
    delete m_replace.data();
}

void TSearchDialogs::ShowFind()
{
    Close(m_replace);
    Present(m_find);
}

void TSearchDialogs::ShowReplace()
{
    Close(m_find);
    Present(m_replace);
}

void TSearchDialogs::CloseAll()
{
    Close(m_find);
    Close(m_replace);
}

} // namespace kb
