#include "frame/dialogs/digitsedit.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QRegularExpressionValidator>

namespace kb {

namespace {

// A digit is refused once the field holds more than this many characters.
constexpr int kMaxHeld = 5;

bool IsMovementKey(int key)
{
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Home:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Delete:
    case Qt::Key_Backspace:
        return true;
    default:
        return false;
    }
}

} // namespace

TDigitsEdit::TDigitsEdit(QWidget* parent) : QLineEdit(parent)
{
    // Pasted or dropped text obeys the same rule as typed digits.
    setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,6}")), this));
}

std::optional<int64_t> TDigitsEdit::Value() const
{
    bool ok = false;
    const qlonglong v = text().toLongLong(&ok);
    if (!ok) return std::nullopt;
    return v;
}

void TDigitsEdit::keyPressEvent(QKeyEvent* event)
{
    const QString typed = event->text();
    const bool digit = typed.size() == 1 && typed[0] >= QLatin1Char('0') &&
                       typed[0] <= QLatin1Char('9') && !(event->modifiers() & Qt::ControlModifier);
    if (digit && text().size() > kMaxHeld) {
        event->accept(); // swallowed, like any refused character
        return;
    }
    if (digit || IsMovementKey(event->key())) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    event->ignore();
}

void TDigitsEdit::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    // Only the user's own move counts: a dialog shown again gives the focus
    // back to the field it left, and that must not choose the item.
    switch (event->reason()) {
    case Qt::MouseFocusReason:
    case Qt::TabFocusReason:
    case Qt::BacktabFocusReason:
    case Qt::ShortcutFocusReason:
        emit Entered();
        break;
    default:
        break;
    }
}

} // namespace kb
