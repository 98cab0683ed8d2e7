#include "docwin/drawing/pictureexport.h"

#include "docwin/drawing/atomicdevice.h"

#include "docwin/drawing/paintercanvas.h"
#include "docwin/drawing/pngstream.h"
#include "docwin/drawing/rastercanvas.h"
#include "docwin/drawing/svgstream.h"

#include <QFileInfo>
#include <QImageWriter>
#include <QPageSize>
#include <QPdfWriter>

#include <algorithm>
#include <optional>
#include <vector>

namespace kb {
namespace {

bool Failed(QString* error, const QString& message)
{
    if (error) *error = message;
    return false;
}

bool HasBlocks(const TShem& shem)
{
    for (int i = 0; i < shem.Count(); ++i)
        if (shem.Get(i)->IsBlock()) return true;
    return false;
}

// The picture's size in pixels; none, with the reason, when nothing can be drawn.
std::optional<QSize> PictureSize(const TShem& shem, int scale, QString* error)
{
    if (!HasBlocks(shem)) {
        Failed(error, QStringLiteral("the diagram has no blocks, so there is nothing to draw"));
        return std::nullopt;
    }
    if (scale < 1 || scale > kMaxPictureScale) {
        Failed(
            error,
            QStringLiteral("the scale must be a whole number from 1 to %1").arg(kMaxPictureScale));
        return std::nullopt;
    }
    const TRect area = shem.RenderArea(scale);
    return QSize(std::max(area.Right, 0) + 1, std::max(area.Bottom, 0) + 1);
}

bool TooLarge(QSize size, QString* error)
{
    return Failed(error, QStringLiteral("the picture would be %1 x %2 pixels, too large to draw; "
                                        "choose a smaller scale")
                             .arg(size.width())
                             .arg(size.height()));
}

bool FitsInMemory(QSize size, QString* error)
{
    if (size.width() <= kMaxPictureSide && size.height() <= kMaxPictureSide &&
        qint64(size.width()) * size.height() <= kMaxPicturePixels)
        return true;
    return TooLarge(size, error);
}

QImage Rendered(const TShem& shem, QSize size, int scale, const TFont& font, QString* error)
{
    QImage image(size, QImage::Format_RGB32);
    if (image.isNull()) {
        Failed(error, QStringLiteral("not enough memory for a picture of %1 x %2 pixels")
                          .arg(size.width())
                          .arg(size.height()));
        return image;
    }
    image.fill(Qt::white);
    TRasterCanvas canvas(image);
    shem.Render(scale, font, canvas);
    return image;
}

// Draws with the print renderer on a vector device; false when it cannot paint.
bool RenderOn(QPaintDevice& device, const TShem& shem, int scale, const TFont& font)
{
    TPainterCanvas canvas(&device);
    if (!canvas.IsActive()) return false;
    shem.Render(scale, font, canvas);
    return true;
}

// Pixel rows top..bottom that one band must hold whole: a filled divider's
// flood fill has to see its whole outline.
struct TRowRange
{
    int Top;
    int Bottom;
};

std::vector<TRowRange> FilledDividerRows(const TShem& shem, int scale)
{
    const int originY = shem.RenderOrigin().y;
    std::vector<TRowRange> rows;
    for (int i = 0; i < shem.Count(); ++i) {
        const TShemObj& e = *shem.Get(i);
        if (e.IsBlock() && e.block().Kind == bkDivider && e.block().Filled && !e.block().Dotted)
            rows.push_back(
                {(e.block().Top - originY) * scale, (e.block().Bottom - originY) * scale});
    }
    std::sort(rows.begin(), rows.end(),
              [](const TRowRange& a, const TRowRange& b) { return a.Top < b.Top; });
    return rows;
}

// Where the band starting at `from` ends: about `band` rows on, but never
// through a row range that must stay whole.
int BandEnd(int from, int band, int height, const std::vector<TRowRange>& whole)
{
    int end = from + band;
    for (const TRowRange& r : whole)
        if (r.Top < end && r.Bottom >= end) end = r.Bottom + 1;
    return std::min(end, height);
}

// Draws the rows from `top` of the picture into band. The renderer paints
// its area white; the extra column and row beyond it are whitened here.
void DrawBand(QImage& band, int top, QSize size, const TShem& shem, int scale, const TFont& font)
{
    const int right = size.width() - 1, lastRow = size.height() - 1 - top;
    for (int y = 0; y < band.height(); ++y)
        band.scanLine(y)[right] = 255;
    if (lastRow < band.height()) std::fill_n(band.scanLine(lastRow), size.width(), uchar(255));
    TRasterCanvas canvas(band, {0, top});
    shem.Render(scale, font, canvas);
}

// The picture is drawn in grey and compressed a band of rows at a time, so
// a diagram of any size needs only two bands' worth of memory.
bool WritePng(QIODevice& file, const TShem& shem, QSize size, int scale, const TFont& font,
              QString* error)
{
    constexpr int kBandRows = 768;
    if (qint64(size.width()) * size.height() > kMaxStreamedPixels) return TooLarge(size, error);
    // One band is drawn while the one before it is compressed; both outlive
    // the stream, which may still be reading one when it is destroyed.
    QImage bands[2];
    TPngStream png(file, size.width(), size.height());
    const std::vector<TRowRange> whole = FilledDividerRows(shem, scale);
    for (int top = 0, k = 0; top < size.height() && png.Ok(); ++k) {
        const int bottom = BandEnd(top, kBandRows, size.height(), whole);
        QImage& band = bands[k % 2];
        if (band.height() < bottom - top) {
            if (qint64(size.width()) * (bottom - top) > kMaxPicturePixels)
                return TooLarge(size, error);
            band = QImage(size.width(), bottom - top, QImage::Format_Grayscale8);
            if (band.isNull())
                return Failed(error, QStringLiteral("not enough memory to draw the picture"));
        }
        DrawBand(band, top, size, shem, scale, font);
        png.WriteRows(band.constBits(), band.bytesPerLine(), bottom - top);
        top = bottom;
    }
    return (png.Ok() && png.Finish()) || Failed(error, png.Error());
}

bool WriteBmp(QIODevice& file, const TShem& shem, QSize size, int scale, const TFont& font,
              QString* error)
{
    if (!FitsInMemory(size, error)) return false;
    const QImage image = Rendered(shem, size, scale, font, error);
    if (image.isNull()) return false;
    QImageWriter writer(&file, "bmp");
    if (!writer.write(image)) return Failed(error, writer.errorString());
    return true;
}

bool WriteSvg(QIODevice& file, const TShem& shem, QSize size, int scale, const TFont& font)
{
    return WriteSvgPicture(file, shem, size, scale, font);
}

// One page exactly the size of the picture, at 96 pixels per inch.
bool WritePdf(QIODevice& file, const TShem& shem, QSize size, int scale, const TFont& font)
{
    QPdfWriter pdf(&file);
    pdf.setResolution(96);
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    pdf.setPageSize(
        QPageSize(QSizeF(size) * (72.0 / 96), QPageSize::Point, QString(), QPageSize::ExactMatch));
    return RenderOn(pdf, shem, scale, font);
}

} // namespace

TFont PictureFont(int scale)
{
    TFont font;
    switch (scale) {
    case 1:
        font.Size = 5;
        break;
    case 2:
        font.Size = 8;
        break;
    case 4:
        font.Size = 20;
        break;
    case 8:
        font.Size = 40;
        break;
    default:
        font.Size = 5 * std::max(scale, 1);
    }
    return font;
}

QImage RenderPicture(const TShem& shem, int scale, const TFont& font, QString* error)
{
    const std::optional<QSize> size = PictureSize(shem, scale, error);
    if (!size || !FitsInMemory(*size, error)) return QImage();
    return Rendered(shem, *size, scale, font, error);
}

bool ExportPicture(const TShem& shem, const QString& path, int scale, const TFont& font,
                   QString* error)
{
    const QString type = QFileInfo(path).suffix().toLower();
    if (type != "png" && type != "bmp" && type != "svg" && type != "pdf")
        return Failed(error, QStringLiteral("cannot tell the picture type of %1: "
                                            "the name must end in .png, .bmp, .svg or .pdf")
                                 .arg(path));
    const std::optional<QSize> size = PictureSize(shem, scale, error);
    if (!size) return false;
    TAtomicDevice file(path);
    if (!file.open(QIODevice::WriteOnly)) return Failed(error, file.errorString());
    bool written = false;
    if (type == "svg")
        written = WriteSvg(file, shem, *size, scale, font) ||
                  Failed(error, QStringLiteral("cannot draw the SVG picture"));
    else if (type == "pdf")
        written = WritePdf(file, shem, *size, scale, font) ||
                  Failed(error, QStringLiteral("cannot draw the PDF picture"));
    else
        written = type == "png" ? WritePng(file, shem, *size, scale, font, error)
                                : WriteBmp(file, shem, *size, scale, font, error);
    if (!written) {
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) return Failed(error, file.errorString());
    return true;
}

bool ExportPicture(const TShem& shem, const QString& path, int scale, QString* error)
{
    return ExportPicture(shem, path, scale, PictureFont(scale), error);
}

} // namespace kb
