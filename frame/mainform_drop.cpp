// Dropping diagram files onto the main window opens them, as the command line
// does; a drag that carries anything else shows the "not allowed" cursor.
#include "frame/mainform.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

namespace kb {
namespace {

// The local .bls files a drag carries; empty when it carries anything else.
QStringList DroppedDiagrams(const QMimeData* data)
{
    QStringList files;
    if (!data || !data->hasUrls()) return files;
    for (const QUrl& url : data->urls()) {
        const QString path = url.toLocalFile();
        if (path.isEmpty() || !path.endsWith(QLatin1String(".bls"), Qt::CaseInsensitive) ||
            !QFileInfo(path).isFile())
            return {};
        files.append(path);
    }
    return files;
}

} // namespace

void TMainForm::dragEnterEvent(QDragEnterEvent* event)
{
    if (DroppedDiagrams(event->mimeData()).isEmpty())
        event->ignore();
    else
        event->acceptProposedAction();
}

void TMainForm::dragMoveEvent(QDragMoveEvent* event)
{
    if (DroppedDiagrams(event->mimeData()).isEmpty())
        event->ignore();
    else
        event->acceptProposedAction();
}

void TMainForm::dropEvent(QDropEvent* event)
{
    const QStringList files = DroppedDiagrams(event->mimeData());
    if (files.isEmpty()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    for (const QString& f : files)
        OpenDocument(f);
}

} // namespace kb
