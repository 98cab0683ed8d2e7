// The Size dialog's number fields: they take up to six decimal digits typed
// one at a time, and the keys that move within the field; every other key
// is left to the dialog.
#pragma once

#include <QLineEdit>

#include <optional>

namespace kb {

class TDigitsEdit : public QLineEdit
{
    Q_OBJECT

public:
    explicit TDigitsEdit(QWidget* parent = nullptr);

    // The decimal value, none while the field is empty.
    std::optional<int64_t> Value() const;

signals:
    // The user moved the focus into the field.
    void Entered();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
};

} // namespace kb
