// The print renderer's picture as SVG, written element by element while it
// is drawn: plain rect, ellipse, polygon, line and text elements, with the
// style they share said once on an enclosing group. Nothing of the document
// is held, so a diagram of any size costs the same little memory, and the
// file is a fraction of what a generic painter device writes.
//
// It draws what TPainterCanvas draws on an SVG device, shape for shape, so
// that the picture a renderer makes of it stays the same.
#pragma once

#include "model/canvas.h"

#include <QFont>
#include <QFontMetrics>
#include <QIODevice>
#include <QPolygon>
#include <QSize>

#include <optional>
#include <string>

namespace kb {

class TShem;

class TSvgCanvas : public TCanvas
{
public:
    // Writes the document's head at once: `size` pixels at 96 per inch.
    TSvgCanvas(QIODevice& out, QSize size);
    TSvgCanvas(const TSvgCanvas&) = delete;
    TSvgCanvas& operator=(const TSvgCanvas&) = delete;

    // Closes the document; false when any write failed.
    bool Finish();
    bool Ok() const { return m_ok; }

    void SetPenColor(TColor c) override { m_penColor = c; }
    void SetPenStyle(TPenStyle s) override { m_penStyle = s; }
    void SetPenMode(TPenMode m) override { m_penMode = m; }
    void SetPenWidth(int w) override;
    void SetBrushColor(TColor c) override { m_brushColor = c; }
    void SetBrushStyle(TBrushStyle s) override { m_brushStyle = s; }
    void SetFont(const TFont& f) override;
    void SetFontColor(TColor c) override { m_fontColor = c; }

    void FillRect(const TRect& r) override;
    void Rectangle(const TRect& r) override;
    void Ellipse(const TRect& r) override;
    void Polygon(const TPoint* points, int count) override;
    void MoveTo(TPoint p) override;
    void LineTo(TPoint p) override;
    void SetPixel(TPoint p, TColor c) override;
    // As on any vector device: fills the outline traced since the last
    // MoveTo when it is closed around p, and strokes it again.
    void FloodFill(TPoint p, TColor border) override;
    void DrawText(const TRect& r, const std::string& text, int align) override;

private:
    TColor Ink() const;
    void ClosedFigure(const TRect& box, bool ellipse);
    void FilledBox(int x, int y, int w, int h, TColor c);
    // The stroke attributes that differ from the document's defaults.
    void StrokeAttributes();
    void FillAttribute();
    void Points(const QPolygon& points);
    void EnsureFontGroup();
    const QFontMetrics& Metrics();

    void Put(std::string_view s) { m_buffer.append(s); }
    void Put(int v);
    void PutHalf(int twice); // twice / 2, as "12" or "12.5"
    void PutColor(TColor c);
    void PutText(const QString& text);
    void EndElement();

    QIODevice& m_out;
    std::string m_buffer;
    bool m_ok = true;

    TColor m_penColor = clBlack;
    TPenStyle m_penStyle = TPenStyle::Solid;
    TPenMode m_penMode = TPenMode::Copy;
    int m_penWidth = 1;
    TColor m_brushColor = clWhite;
    TBrushStyle m_brushStyle = TBrushStyle::Solid;
    TColor m_fontColor = clBlack;
    TFont m_font;
    QFont m_qfont;
    std::optional<QFontMetrics> m_metrics;
    bool m_fontGroupOpen = false;
    bool m_fontWritten = false;

    QPoint m_position;
    QPolygon m_trace; // the lines since the last MoveTo
};

// The whole picture: `size` pixels, the diagram drawn at `scale`. False when
// the device refused a write.
bool WriteSvgPicture(QIODevice& out, const TShem& shem, QSize size, int scale, const TFont& font);

} // namespace kb
