// A captioned box of radio items of which exactly one is chosen, numbered
// from 0 in their order.
#pragma once

#include <QGroupBox>
#include <QList>
#include <QStringList>

class QButtonGroup;
class QRadioButton;

namespace kb {

class TRadioGroup : public QGroupBox
{
    Q_OBJECT

public:
    TRadioGroup(const QString& caption, const QStringList& items, QWidget* parent = nullptr);

    int ItemIndex() const;
    void SetItemIndex(int index);
    const QList<QRadioButton*>& Items() const { return m_items; }

private:
    QButtonGroup* m_group;
    QList<QRadioButton*> m_items;
};

} // namespace kb
