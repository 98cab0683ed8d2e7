// TSizeF, the Size dialog: how to make the selected blocks' widths and
// heights equal, or set them to a typed extent.
#pragma once

#include "frame/commands/blocksize.h"

#include <QDialog>

namespace kb {

class TDigitsEdit;
class TRadioGroup;

class TSizeF : public QDialog
{
    Q_OBJECT

public:
    explicit TSizeF(QWidget* parent = nullptr);

    // Both groups on their first item and both fields empty, as at every showing.
    void Reset();
    TSizeRule WidthRule() const;
    TSizeRule HeightRule() const;
    // Shows the dialog modally; true on OK. The caller then sizes with the rules.
    bool Execute();

    TDigitsEdit* WidthField() const { return m_widthField; }
    TDigitsEdit* HeightField() const { return m_heightField; }
    TRadioGroup* WidthGroup() const { return m_width; }
    TRadioGroup* HeightGroup() const { return m_height; }

private:
    TRadioGroup* m_width;
    TRadioGroup* m_height;
    TDigitsEdit* m_widthField;
    TDigitsEdit* m_heightField;
};

} // namespace kb
