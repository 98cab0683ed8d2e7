#include "frame/dialogs/sizeform.h"

#include "frame/dialogs/dialogbuttons.h"
#include "frame/dialogs/digitsedit.h"
#include "frame/dialogs/radiogroup.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>

namespace kb {

namespace {

constexpr int kTypedItem = int(TSizeMode::Exact);

TRadioGroup* SizeGroup(QWidget* parent, const char* name, const QString& caption,
                       const QString& typedItem)
{
    auto* group = new TRadioGroup(caption,
                                  {QCoreApplication::translate("kb::TSizeF", "Not change"),
                                   QCoreApplication::translate("kb::TSizeF", "Grow to largest"),
                                   QCoreApplication::translate("kb::TSizeF", "Shrink to smallest"),
                                   typedItem},
                                  parent);
    group->setObjectName(QLatin1String(name));
    return group;
}

// The field sits beside the group's last item; entering it chooses that item.
TDigitsEdit* FieldBeside(TRadioGroup* group, const char* name)
{
    auto* field = new TDigitsEdit(group);
    field->setObjectName(QLatin1String(name));
    field->setMaximumWidth(60);
    auto* layout = static_cast<QVBoxLayout*>(group->layout());
    QRadioButton* item = group->Items().at(kTypedItem);
    auto* row = new QHBoxLayout;
    layout->removeWidget(item);
    row->addWidget(item);
    row->addWidget(field);
    layout->addLayout(row);
    QObject::connect(field, &TDigitsEdit::Entered, group,
                     [group] { group->SetItemIndex(kTypedItem); });
    return field;
}

TSizeRule RuleOf(const TRadioGroup* group, const TDigitsEdit* field)
{
    return {TSizeMode(group->ItemIndex()), field->Value()};
}

} // namespace

TSizeF::TSizeF(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("SizeF"));
    setWindowTitle(tr("Size"));
    m_width = SizeGroup(this, "RadioGroup1", tr("Width"), tr("Width:"));
    m_height = SizeGroup(this, "RadioGroup2", tr("Height"), tr("Height:"));
    m_widthField = FieldBeside(m_width, "Edit1");
    m_heightField = FieldBeside(m_height, "Edit2");

    auto* groups = new QHBoxLayout;
    groups->addWidget(m_width);
    groups->addWidget(m_height);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(groups);
    layout->addLayout(OkCancelRow(this));
}

void TSizeF::Reset()
{
    m_width->SetItemIndex(0);
    m_height->SetItemIndex(0);
    m_widthField->clear();
    m_heightField->clear();
    // Showing gives the focus back to where it was; left in a field, that
    // would choose the field's item again.
    m_width->Items().front()->setFocus();
}

TSizeRule TSizeF::WidthRule() const
{
    return RuleOf(m_width, m_widthField);
}

TSizeRule TSizeF::HeightRule() const
{
    return RuleOf(m_height, m_heightField);
}

bool TSizeF::Execute()
{
    Reset();
    return exec() == QDialog::Accepted;
}

} // namespace kb
