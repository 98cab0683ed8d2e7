// The diagram as a picture file, drawn by the print renderer: the editor's
// graphic export and blstool render both write pictures with it.
#pragma once

#include "model/shem.h"

#include <QImage>
#include <QString>

namespace kb {

// The block text font the document window uses at each zoom: 5, 8, 20 and 40
// points at scales 1, 2, 4 and 8; other scales grow it in proportion.
TFont PictureFont(int scale);

// Scales a picture may be drawn at: 1 to this many pixels per diagram unit.
constexpr int kMaxPictureScale = 64;

// The largest picture drawn in memory, in pixels, so that a large diagram at
// a large scale is refused with a message instead of exhausting memory.
constexpr qint64 kMaxPicturePixels = qint64(1) << 27;
constexpr int kMaxPictureSide = 32767;
// PNG files are drawn a band at a time and may be larger.
constexpr qint64 kMaxStreamedPixels = qint64(1) << 31;

// The print renderer's picture, black on white, one pixel wider and higher
// than the drawn area so that outlines on its right and bottom edges show.
// A null image, with the reason in error, when there are no blocks or the
// picture would be too large.
QImage RenderPicture(const TShem& shem, int scale, const TFont& font, QString* error);

// Writes the picture to path, choosing the format by its extension: .png and
// .bmp as pixels, .svg and .pdf as vector drawings. The file is replaced only
// when the new picture is complete. False, with the reason in error, when
// nothing was written.
bool ExportPicture(const TShem& shem, const QString& path, int scale, const TFont& font,
                   QString* error);
bool ExportPicture(const TShem& shem, const QString& path, int scale, QString* error);

} // namespace kb
