#include "pasexport/ui/qtclipboard.h"

#include "model/cp1251.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace kb {

bool TQtClipboard::HasText() const
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data && data->hasText() && !data->text().isEmpty();
}

std::string TQtClipboard::Text() const
{
    QString text = QGuiApplication::clipboard()->text();
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    std::string bytes;
    Utf8ToCp1251(text.toStdString(), bytes); // what has no byte arrives as '?'
    return bytes;
}

void TQtClipboard::SetText(const std::string& text)
{
    QGuiApplication::clipboard()->setText(QString::fromStdString(Cp1251ToUtf8(text)));
}

} // namespace kb
