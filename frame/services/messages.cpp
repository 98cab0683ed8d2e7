#include "frame/services/messages.h"

#include <QMessageBox>

namespace kb {

void ShowInformation(QWidget* parent, const QString& text)
{
    QMessageBox::information(parent, QString::fromUtf8(kMessageCaption), text);
}

void ShowWarning(QWidget* parent, const QString& text)
{
    QMessageBox::warning(parent, QString::fromUtf8(kMessageCaption), text);
}

} // namespace kb
