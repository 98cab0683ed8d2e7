#include "frame/dialogs/linkprop.h"

#include "frame/dialogs/dialogbuttons.h"
#include "frame/dialogs/linkstylelist.h"

#include <QVBoxLayout>

namespace kb {

TLinkPropForm::TLinkPropForm(QWidget* parent) : QDialog(parent), m_list(new TLinkStyleList(this))
{
    setObjectName(QStringLiteral("LinkPropForm"));
    setWindowTitle(tr("Properties of link"));
    m_list->setObjectName(QStringLiteral("ComboBox1"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addLayout(OkCancelRow(this));
}

void TLinkPropForm::SetStyle(int style)
{
    m_list->setCurrentIndex(style >= 0 && style < kLinkStyleCount ? style : -1);
}

int TLinkPropForm::Style() const
{
    return m_list->currentIndex();
}

bool TLinkPropForm::Edit(uint8_t& style)
{
    SetStyle(style);
    if (exec() != QDialog::Accepted || Style() < 0 || Style() == style) return false;
    style = uint8_t(Style());
    return true;
}

} // namespace kb
