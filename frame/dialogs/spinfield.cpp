#include "frame/dialogs/spinfield.h"

#include <QLineEdit>

#include <algorithm>

namespace kb {

namespace {

// Enough digits for any value of ours; more could overflow the reading.
constexpr int kMaxDigits = 9;

bool IsDigits(const QString& text)
{
    if (text.isEmpty() || text.size() > kMaxDigits) return false;
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.isDigit(); });
}

} // namespace

TSpinField::TSpinField(int minimum, int maximum, QWidget* parent) : QSpinBox(parent)
{
    setRange(minimum, maximum);
    setKeyboardTracking(true);
    // The line edit tells of typing (while the value itself waits for a
    // number); the spin box of values set, with the line edit kept quiet.
    connect(lineEdit(), &QLineEdit::textChanged, this, &TSpinField::Changed);
    connect(this, &QSpinBox::textChanged, this, &TSpinField::Changed);
}

int TSpinField::Reading() const
{
    const QString text = cleanText();
    if (!IsDigits(text)) return minimum();
    return std::clamp(text.toInt(), minimum(), maximum());
}

QValidator::State TSpinField::validate(QString& input, int&) const
{
    // Out-of-range numbers may be typed; they come back into range on leaving.
    if (input.isEmpty()) return QValidator::Intermediate;
    if (!IsDigits(input)) return QValidator::Invalid;
    const int v = input.toInt();
    return v >= minimum() && v <= maximum() ? QValidator::Acceptable : QValidator::Intermediate;
}

void TSpinField::fixup(QString& input) const
{
    const QString text = input.trimmed();
    if (text.isEmpty())
        input = QString::number(m_emptyValue.value_or(minimum()));
    else
        input = QString::number(IsDigits(text) ? std::clamp(text.toInt(), minimum(), maximum())
                                               : minimum());
}

} // namespace kb
