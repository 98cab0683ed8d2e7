#include "frame/dialogs/alignform.h"

#include "frame/dialogs/dialogbuttons.h"
#include "frame/dialogs/radiogroup.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace kb {

TAlignF::TAlignF(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("AlignF"));
    setWindowTitle(tr("Align"));
    m_horizontal = new TRadioGroup(
        tr("Horizontal:"),
        {tr("No change"), tr("Left sides"), tr("Centers"), tr("Right sides"), tr("Space equally")},
        this);
    m_horizontal->setObjectName(QStringLiteral("RadioGroup1"));
    m_vertical = new TRadioGroup(
        tr("Vertical:"),
        {tr("No change"), tr("Tops"), tr("Centers"), tr("Bottoms"), tr("Space equally")}, this);
    m_vertical->setObjectName(QStringLiteral("RadioGroup2"));

    auto* groups = new QHBoxLayout;
    groups->addWidget(m_horizontal);
    groups->addWidget(m_vertical);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(groups);
    layout->addLayout(OkCancelRow(this));
}

void TAlignF::Reset()
{
    m_horizontal->SetItemIndex(0);
    m_vertical->SetItemIndex(0);
}

int TAlignF::Horizontal() const
{
    return m_horizontal->ItemIndex();
}

int TAlignF::Vertical() const
{
    return m_vertical->ItemIndex();
}

bool TAlignF::Execute()
{
    Reset();
    return exec() == QDialog::Accepted;
}

} // namespace kb
