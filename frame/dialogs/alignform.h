// TAlignF, the Align dialog: how to line up the selected blocks on each axis.
#pragma once

#include <QDialog>

namespace kb {

class TRadioGroup;

class TAlignF : public QDialog
{
    Q_OBJECT

public:
    explicit TAlignF(QWidget* parent = nullptr);

    // Both groups back on "No change", as at every showing.
    void Reset();
    // The chosen modes, 0..4 (TAlignMode).
    int Horizontal() const;
    int Vertical() const;
    // Shows the dialog modally; true on OK. The caller then aligns with
    // Horizontal() and Vertical().
    bool Execute();

private:
    TRadioGroup* m_horizontal;
    TRadioGroup* m_vertical;
};

} // namespace kb
