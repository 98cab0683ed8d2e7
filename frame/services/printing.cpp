#include "frame/services/printing.h"

#include "docwin/drawing/paintercanvas.h"
#include "docwin/messagebox.h"
#include "frame/services/printlayout.h"
#include "model/shem.h"

#include <QCoreApplication>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressDialog>

namespace kb {

namespace {

// Fine enough for lines and small text, coarse enough that the page images
// of a large diagram stay a few megabytes each.
constexpr int kPrintDpi = 300;

bool HasBlocks(const TShem& shem)
{
    const TRect b = shem.Bounds();
    return b.Left <= b.Right && b.Top <= b.Bottom;
}

QSize PictureSize(const TShem& shem)
{
    const TRect area = shem.RenderArea(2);
    return {area.Right - area.Left, area.Bottom - area.Top};
}

// A picture plays back resolution-independently: on a device of another
// resolution Qt scales it by the ratio. Printing counts in device pixels, so
// that ratio is taken back out before the wanted scale is applied.
void DrawPicture(QPainter& painter, const QPicture& picture, double scale)
{
    const QPaintDevice* device = painter.device();
    painter.scale(scale * picture.logicalDpiX() / device->logicalDpiX(),
                  scale * picture.logicalDpiY() / device->logicalDpiY());
    painter.drawPicture(0, 0, picture);
}

// Paper is black and white: the part is drawn, then cut to one bit a pixel.
QImage MonochromeTile(const QPicture& picture, const QRect& tile)
{
    QImage image(tile.size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.translate(-tile.topLeft());
    DrawPicture(painter, picture, 1);
    painter.end();
    return image.convertToFormat(QImage::Format_Mono, Qt::MonoOnly | Qt::ThresholdDither);
}

// False when progress cancelled the job.
bool PrintTiled(QPrinter& printer, QPainter& painter, const QPicture& picture, QSize size,
                QSize page, const TPrintProgress& progress)
{
    const std::vector<QRect> tiles = PrintTiles(size, page);
    const int pages = int(tiles.size());
    for (int i = 0; i < pages; ++i) {
        if (progress && !progress(i, pages)) return false;
        if (i > 0) printer.newPage();
        painter.drawImage(0, 0, MonochromeTile(picture, tiles[size_t(i)]));
    }
    return true;
}

QSize PageSize(const QPrinter& printer)
{
    return {printer.width(), printer.height()};
}

} // namespace

TFont ToTFont(const QFont& font)
{
    TFont f;
    f.Name = font.family().toStdString();
    if (font.pointSize() > 0) f.Size = font.pointSize();
    return f;
}

QPicture PrintPicture(const TShem& shem, const TFont& font)
{
    QPicture picture;
    const QSize size = PictureSize(shem);
    {
        TPainterCanvas canvas(&picture);
        shem.Render(2, font, canvas);
    }
    picture.setBoundingRect(QRect(QPoint(0, 0), size));
    return picture;
}

int PrintPageCount(const QPrinter& printer, const TShem& shem)
{
    if (!HasBlocks(shem)) return 0;
    const QSize size = PictureSize(shem);
    if (PrintFactor(size, PageSize(printer)) >= 1) return 1;
    return int(PrintTiles(size, PageSize(printer)).size());
}

bool PrintTo(QPrinter& printer, const TShem& shem, const TFont& font, QString* error,
             const TPrintProgress& progress)
{
    if (error) error->clear();
    if (!HasBlocks(shem)) {
        if (error) *error = QCoreApplication::translate("kb::TPrinting", kNothingToPrint);
        return false;
    }
    const QPicture picture = PrintPicture(shem, font);
    const QSize size = PictureSize(shem);
    QPainter painter;
    if (!painter.begin(&printer)) {
        if (error)
            *error = QCoreApplication::translate("kb::TPrinting", "Printing could not be started.");
        return false;
    }
    const QSize page = PageSize(printer);
    if (const int factor = PrintFactor(size, page); factor >= 1) {
        DrawPicture(painter, picture, factor);
    } else if (!PrintTiled(printer, painter, picture, size, page, progress)) {
        // Nothing of a cancelled job reaches the printer.
        printer.abort();
        painter.end();
        return false;
    }
    return painter.end();
}

void PrintDiagram(QWidget* parent, const TShem* shem, const QFont& font)
{
    if (!shem) return;
    if (!HasBlocks(*shem)) {
        MessageBox(parent, QMessageBox::Information,
                   QCoreApplication::translate("kb::TPrinting", kNothingToPrint));
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setResolution(kPrintDpi);
    QPrintDialog dialog(&printer, parent);
    if (dialog.exec() != QDialog::Accepted) return;
    PrintWithProgress(parent, printer, *shem, font);
}

void PrintWithProgress(QWidget* parent, QPrinter& printer, const TShem& shem, const QFont& font)
{
    const int pages = PrintPageCount(printer, shem);
    if (pages > kPagesWithoutAsking &&
        MessageBox(
            parent, QMessageBox::Question,
            QCoreApplication::translate(
                "kb::TPrinting", "The block diagram will take %1 sheets when printed. Print?")
                .arg(pages),
            QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
        return;
    QProgressDialog progress(
        QCoreApplication::translate("kb::TPrinting", "Printing the block diagram..."),
        QCoreApplication::translate("kb::TPrinting", "Cancel"), 0, pages, parent);
    progress.setObjectName(QStringLiteral("PrintProgress"));
    progress.setWindowTitle(MessageCaption());
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    const auto step = [&progress](int page, int) {
        // Setting the value lets a modal progress dialog handle its Cancel.
        progress.setValue(page);
        return !progress.wasCanceled();
    };
    QString error;
    const bool printed = PrintTo(printer, shem, ToTFont(font), &error, step);
    progress.close();
    if (!printed && !error.isEmpty()) MessageBox(parent, QMessageBox::Warning, error);
}

} // namespace kb
