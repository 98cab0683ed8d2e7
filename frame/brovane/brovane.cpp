// The graphic-export module: one diagram, as .bls bytes, to one picture file.
// The drawing is kbdrawing's picture export; this file checks the request and
// speaks to the user in the editor's language.
#include "frame/brovane/brovane.h"

#include "docwin/drawing/pictureexport.h"
#include "model/shem.h"

#include <QFileInfo>
#include <QGuiApplication>

#include <cstring>
#include <exception>

namespace {

using kb::TShem;

// The print rendering's scale: 2 pixels per diagram unit.
constexpr int kScale = 2;

struct TFailure
{
    int Code = BROVANE_WRITE_FAILED;
    QString Message = QCoreApplication::translate("kb::TBrovane", "Could not write the picture.");
};

bool Fail(TFailure& failure, int code, const char* message)
{
    // The module runs in the editor's process: its messages come in the
    // editor's interface language.
    failure = {code, QCoreApplication::translate("kb::TBrovane", message)};
    return false;
}

bool HasBlocks(const TShem& shem)
{
    for (int i = 0; i < shem.Count(); ++i)
        if (shem.Get(i)->IsBlock()) return true;
    return false;
}

bool IsRaster(const QString& suffix)
{
    return suffix == "png" || suffix == "bmp";
}

bool TooLargeForPixels(const TShem& shem)
{
    const kb::TRect area = shem.RenderArea(kScale);
    const qint64 w = qint64(area.Right) + 1;
    const qint64 h = qint64(area.Bottom) + 1;
    return w > kb::kMaxPictureSide || h > kb::kMaxPictureSide || w * h > kb::kMaxPicturePixels;
}

bool Export(const unsigned char* bls, size_t size, const QString& fileName, const kb::TFont& font,
            TFailure& failure)
{
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return Fail(
            failure, BROVANE_NO_APPLICATION,
            QT_TRANSLATE_NOOP("kb::TBrovane", "A picture can be exported only from the editor."));
    TShem shem;
    if (!bls || !shem.LoadFromStream({bls, size}))
        return Fail(failure, BROVANE_BAD_DIAGRAM,
                    QT_TRANSLATE_NOOP("kb::TBrovane", "The data is not a block diagram."));
    if (!HasBlocks(shem))
        return Fail(
            failure, BROVANE_EMPTY_DIAGRAM,
            QT_TRANSLATE_NOOP("kb::TBrovane", "The block diagram has no blocks: nothing to draw."));
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (!IsRaster(suffix) && suffix != "svg" && suffix != "pdf")
        return Fail(failure, BROVANE_BAD_FORMAT,
                    QT_TRANSLATE_NOOP("kb::TBrovane",
                                      "Unknown picture format: choose PNG, BMP, SVG or PDF."));
    if (IsRaster(suffix) && TooLargeForPixels(shem))
        return Fail(failure, BROVANE_WRITE_FAILED,
                    QT_TRANSLATE_NOOP(
                        "kb::TBrovane",
                        "The picture is too large for a raster file: save it as SVG or PDF."));
    QString detail;
    if (kb::ExportPicture(shem, fileName, kScale, font, &detail)) return true;
    failure = {BROVANE_WRITE_FAILED,
               QCoreApplication::translate("kb::TBrovane", "Could not write the picture (%1).")
                   .arg(detail)};
    return false;
}

// Copies a UTF-8 message, cut at a character boundary to fit.
void CopyMessage(const QByteArray& message, char* buffer, size_t bufferSize)
{
    if (!buffer || bufferSize == 0) return;
    size_t n = std::min(size_t(message.size()), bufferSize - 1);
    while (n > 0 && n < size_t(message.size()) && (uchar(message[qsizetype(n)]) & 0xC0) == 0x80)
        --n;
    std::memcpy(buffer, message.constData(), n);
    buffer[n] = '\0';
}

} // namespace

extern "C" BROVANE_API const char* GetFilter(void)
{
    return "PNG (*.png);;BMP (*.bmp);;SVG (*.svg);;PDF (*.pdf)";
}

extern "C" BROVANE_API int SaveTo(const unsigned char* bls, size_t size, const char* fileName,
                                  const char* fontName, int fontSize, char* error, size_t errorSize)
{
    CopyMessage({}, error, errorSize);
    TFailure failure;
    // Nothing may unwind through the C interface into the editor.
    try {
        if (!fileName || !*fileName) {
            Fail(failure, BROVANE_WRITE_FAILED,
                 QT_TRANSLATE_NOOP("kb::TBrovane", "No file name is given."));
        } else {
            kb::TFont font = kb::PictureFont(kScale);
            if (fontName && *fontName) font.Name = fontName;
            if (fontSize > 0) font.Size = fontSize;
            if (Export(bls, size, QString::fromUtf8(fileName), font, failure)) return BROVANE_OK;
        }
    } catch (...) {
        failure = TFailure{};
    }
    CopyMessage(failure.Message.toUtf8(), error, errorSize);
    return failure.Code;
}
