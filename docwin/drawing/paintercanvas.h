// The drawing surface over a QPainter: any QPaintDevice (QImage, QPicture,
// QSvgGenerator, QPdfWriter, QPrinter) or a painter the caller has set up.
// Coordinates are pixels of the device (or of the caller's painter transform).
#pragma once

#include "model/canvas.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPolygon>

#include <memory>
#include <optional>

namespace kb {

QColor ToQColor(TColor c);
// A font given in points, as the settings store it, at 96 pixels per inch.
QFont ToQFont(const TFont& f);

class TPainterCanvas : public TCanvas
{
public:
    // Paints on the device until the canvas is destroyed.
    explicit TPainterCanvas(QPaintDevice* device);
    // Draws with the caller's painter, which must stay active meanwhile.
    explicit TPainterCanvas(QPainter& painter);
    ~TPainterCanvas() override;
    TPainterCanvas(const TPainterCanvas&) = delete;
    TPainterCanvas& operator=(const TPainterCanvas&) = delete;

    bool IsActive() const { return m_painter->isActive(); }
    QPainter& Painter() { return *m_painter; }

    void SetPenColor(TColor c) override;
    void SetPenStyle(TPenStyle s) override;
    void SetPenMode(TPenMode m) override;
    void SetPenWidth(int w) override;
    void SetBrushColor(TColor c) override;
    void SetBrushStyle(TBrushStyle s) override;
    void SetFont(const TFont& f) override;
    void SetFontColor(TColor c) override;

    void FillRect(const TRect& r) override;
    void Rectangle(const TRect& r) override;
    void Ellipse(const TRect& r) override;
    void Polygon(const TPoint* points, int count) override;
    void MoveTo(TPoint p) override;
    void LineTo(TPoint p) override;
    // A one-pixel square, whatever the pen mode.
    void SetPixel(TPoint p, TColor c) override;
    // A vector device has no pixels to search: this fills the outline traced
    // since the last MoveTo, when it is closed around p, and strokes it again.
    void FloodFill(TPoint p, TColor border) override;
    void DrawText(const TRect& r, const std::string& text, int align) override;

protected:
    TColor PenColor() const { return m_penColor; }
    TPenStyle PenStyle() const { return m_penStyle; }
    TPenMode PenMode() const { return m_penMode; }
    TColor BrushColor() const { return m_brushColor; }
    bool BrushClear() const { return m_brushStyle == TBrushStyle::Clear; }
    // Moves the current position to `to` along a line; returns where it was.
    TPoint MoveAlong(TPoint to);
    // Makes the painter draw outlines with the pen mode and fills plainly.
    void PrepareStroke();
    void PrepareFill();

private:
    void SetComposition(QPainter::CompositionMode mode);
    void ClosedFigure(const QRect& box, bool ellipse);
    const QFontMetrics& Metrics();

    std::unique_ptr<QPainter> m_ownPainter;
    QPainter* m_painter;

    TColor m_penColor = clBlack;
    TPenStyle m_penStyle = TPenStyle::Solid;
    TPenMode m_penMode = TPenMode::Copy;
    int m_penWidth = 1;
    TColor m_brushColor = clWhite;
    TBrushStyle m_brushStyle = TBrushStyle::Solid;
    TColor m_fontColor = clBlack;
    TFont m_font;
    std::optional<QFontMetrics> m_metrics;
    bool m_toolsDirty = true;
    QPainter::CompositionMode m_composition = QPainter::CompositionMode_SourceOver;

    QPoint m_position;
    QPolygon m_trace; // the lines since the last MoveTo
};

} // namespace kb
