// A number field with arrows whose text may be anything while it is typed:
// read, it is the number brought into range, or a fallback when it is not a
// number; leaving it brings the text itself into range.
#pragma once

#include <QSpinBox>

#include <optional>

namespace kb {

class TSpinField : public QSpinBox
{
    Q_OBJECT

public:
    TSpinField(int minimum, int maximum, QWidget* parent = nullptr);

    // The number the text stands for, brought into range; the minimum when
    // the text is not a number (an empty field included).
    int Reading() const;
    // What an emptied field becomes when it loses the focus (the minimum
    // unless set).
    void SetEmptyValue(int value) { m_emptyValue = value; }

signals:
    // The text changed, by typing or by setting the value; unlike
    // textChanged, also while it is not a number yet.
    void Changed();

protected:
    QValidator::State validate(QString& input, int& pos) const override;
    void fixup(QString& input) const override;

private:
    std::optional<int> m_emptyValue;
};

} // namespace kb
