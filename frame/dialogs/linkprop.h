// TLinkPropForm, the link properties dialog: one of the eight link styles.
#pragma once

#include <QDialog>

#include <cstdint>

namespace kb {

class TLinkStyleList;

class TLinkPropForm : public QDialog
{
    Q_OBJECT

public:
    explicit TLinkPropForm(QWidget* parent = nullptr);

    // Selects style (0..7; other values select nothing).
    void SetStyle(int style);
    // The selected style, -1 when none is.
    int Style() const;
    // Shows the dialog modally on style; true when OK was pressed with
    // another style selected, style then holding it.
    bool Edit(uint8_t& style);

    TLinkStyleList* StyleList() const { return m_list; }

private:
    TLinkStyleList* m_list;
};

} // namespace kb
