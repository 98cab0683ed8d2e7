#include "docwin/drawing/svgstream.h"

#include "docwin/drawing/paintercanvas.h"
#include "docwin/drawing/textlayout.h"
#include "model/cp1251.h"
#include "model/shem.h"

#include <algorithm>
#include <charconv>

namespace kb {
namespace {

// Written to the device whenever this much has gathered.
constexpr size_t kFlushBytes = 1 << 16;

TRect Normalized(TRect r)
{
    NormalizeRect(r);
    return r;
}

} // namespace

TSvgCanvas::TSvgCanvas(QIODevice& out, QSize size) : m_out(out)
{
    m_buffer.reserve(2 * kFlushBytes);
    // The size in millimetres at 96 pixels per inch, as other programs read it.
    const auto mm = [](int px) { return QString::number(px * 25.4 / 96).toStdString(); };
    Put("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>\n<svg width=\"");
    Put(mm(size.width()));
    Put("mm\" height=\"");
    Put(mm(size.height()));
    Put("mm\" viewBox=\"0 0 ");
    Put(size.width());
    Put(" ");
    Put(size.height());
    Put("\" xmlns=\"http://www.w3.org/2000/svg\" version=\"1.2\" baseProfile=\"tiny\">\n");
    // Every element says only how it differs from these: its fill, and its
    // stroke when that is not the usual black hairline.
    Put("<g fill=\"none\" fill-rule=\"evenodd\" stroke=\"#000000\" stroke-width=\"1\" "
        "stroke-linecap=\"butt\" stroke-linejoin=\"miter\" stroke-miterlimit=\"2\">\n");
}

bool TSvgCanvas::Finish()
{
    if (m_fontGroupOpen) Put("</g>\n");
    m_fontGroupOpen = false;
    Put("</g>\n</svg>\n");
    EndElement();
    m_ok = m_ok && (m_buffer.empty() || m_out.write(m_buffer.data(), qint64(m_buffer.size())) ==
                                            qint64(m_buffer.size()));
    m_buffer.clear();
    return m_ok;
}

void TSvgCanvas::EndElement()
{
    if (m_buffer.size() < kFlushBytes || !m_ok) return;
    m_ok = m_out.write(m_buffer.data(), qint64(m_buffer.size())) == qint64(m_buffer.size());
    m_buffer.clear();
}

void TSvgCanvas::Put(int v)
{
    char digits[16];
    const auto end = std::to_chars(digits, digits + sizeof digits, v).ptr;
    m_buffer.append(digits, end);
}

void TSvgCanvas::PutHalf(int twice)
{
    Put(twice / 2);
    if (twice % 2) Put(".5");
}

void TSvgCanvas::PutColor(TColor c)
{
    static const char kHex[] = "0123456789abcdef";
    const int parts[] = {ColorRed(c), ColorGreen(c), ColorBlue(c)};
    m_buffer += '#';
    for (const int v : parts) {
        m_buffer += kHex[v >> 4];
        m_buffer += kHex[v & 15];
    }
}

// Characters that XML cannot hold even escaped (control characters other
// than tab) are left out: one of them would make the whole file unreadable.
void TSvgCanvas::PutText(const QString& text)
{
    for (const char c : text.toStdString()) {
        switch (c) {
        case '&':
            Put("&amp;");
            break;
        case '<':
            Put("&lt;");
            break;
        case '>':
            Put("&gt;");
            break;
        default:
            if (static_cast<unsigned char>(c) >= 0x20 || c == '\t') m_buffer += c;
        }
    }
}

void TSvgCanvas::SetPenWidth(int w)
{
    m_penWidth = std::max(1, w);
}

void TSvgCanvas::SetFont(const TFont& f)
{
    if (m_metrics && f.Name == m_font.Name && f.Size == m_font.Size) return;
    m_font = f;
    m_metrics.reset();
}

const QFontMetrics& TSvgCanvas::Metrics()
{
    if (!m_metrics) {
        m_qfont = ToQFont(m_font);
        m_metrics.emplace(m_qfont);
        m_fontWritten = false;
    }
    return *m_metrics;
}

// Text elements take their font from a group, opened again only when the
// font changes; the shapes drawn meanwhile fall inside it, which does them
// no harm.
void TSvgCanvas::EnsureFontGroup()
{
    Metrics();
    if (m_fontWritten) return;
    if (m_fontGroupOpen) Put("</g>\n");
    Put("<g font-family=\"");
    PutText(m_qfont.family());
    Put("\" font-size=\"");
    Put(m_qfont.pixelSize());
    Put("\" font-weight=\"");
    Put(m_qfont.weight());
    Put("\" font-style=\"normal\" xml:space=\"preserve\">\n");
    m_fontGroupOpen = true;
    m_fontWritten = true;
}

// Inverting has no meaning in a file: like the painter device, it draws black.
TColor TSvgCanvas::Ink() const
{
    return m_penMode == TPenMode::Copy ? m_penColor : clBlack;
}

void TSvgCanvas::StrokeAttributes()
{
    if (Ink() != clBlack) {
        Put(" stroke=\"");
        PutColor(Ink());
        Put("\"");
    }
    if (m_penWidth != 1) {
        Put(" stroke-width=\"");
        Put(m_penWidth);
        Put("\"");
    }
    // One pen width on, one off, as the painter's dotted pen.
    if (m_penStyle == TPenStyle::Dotted) {
        Put(" stroke-dasharray=\"");
        Put(m_penWidth);
        Put(",");
        Put(m_penWidth);
        Put("\"");
    }
}

void TSvgCanvas::FillAttribute()
{
    if (m_brushStyle == TBrushStyle::Clear) return;
    Put(" fill=\"");
    PutColor(m_brushColor);
    Put("\"");
}

void TSvgCanvas::FilledBox(int x, int y, int w, int h, TColor c)
{
    Put("<rect x=\"");
    Put(x);
    Put("\" y=\"");
    Put(y);
    Put("\" width=\"");
    Put(w);
    Put("\" height=\"");
    Put(h);
    Put("\" fill=\"");
    PutColor(c);
    Put("\" stroke=\"none\"/>\n");
    EndElement();
}

void TSvgCanvas::FillRect(const TRect& r)
{
    if (r.Right <= r.Left || r.Bottom <= r.Top) return;
    FilledBox(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top, m_brushColor);
}

// As the painter canvas: the outline runs through the box's last pixels, so
// the stroked box is one pixel smaller; a figure too thin to have an inside
// is filled with the pen.
void TSvgCanvas::ClosedFigure(const TRect& box, bool ellipse)
{
    const int w = box.Right - box.Left, h = box.Bottom - box.Top;
    if (w <= 2 || h <= 2) return FilledBox(box.Left, box.Top, w, h, Ink());
    if (ellipse) {
        Put("<ellipse cx=\"");
        PutHalf(2 * box.Left + w - 1);
        Put("\" cy=\"");
        PutHalf(2 * box.Top + h - 1);
        Put("\" rx=\"");
        PutHalf(w - 1);
        Put("\" ry=\"");
        PutHalf(h - 1);
    } else {
        Put("<rect x=\"");
        Put(box.Left);
        Put("\" y=\"");
        Put(box.Top);
        Put("\" width=\"");
        Put(w - 1);
        Put("\" height=\"");
        Put(h - 1);
    }
    Put("\"");
    FillAttribute();
    StrokeAttributes();
    Put("/>\n");
    EndElement();
}

void TSvgCanvas::Rectangle(const TRect& r)
{
    const TRect n = Normalized(r);
    if (n.Right > n.Left && n.Bottom > n.Top) ClosedFigure(n, false);
}

void TSvgCanvas::Ellipse(const TRect& r)
{
    const TRect n = Normalized(r);
    if (n.Right > n.Left && n.Bottom > n.Top) ClosedFigure(n, true);
}

void TSvgCanvas::Points(const QPolygon& points)
{
    Put(" points=\"");
    for (int i = 0; i < points.size(); ++i) {
        if (i > 0) Put(" ");
        Put(points[i].x());
        Put(",");
        Put(points[i].y());
    }
    Put("\"");
}

void TSvgCanvas::Polygon(const TPoint* points, int count)
{
    if (count < 2) return;
    QPolygon polygon(count);
    for (int i = 0; i < count; ++i)
        polygon.setPoint(i, points[i].x, points[i].y);
    Put("<polygon");
    Points(polygon);
    FillAttribute();
    StrokeAttributes();
    Put("/>\n");
    EndElement();
}

void TSvgCanvas::MoveTo(TPoint p)
{
    m_position = QPoint(p.x, p.y);
    m_trace.clear();
    m_trace << m_position;
}

// The line is drawn whole: in a file the last pixel does not matter.
void TSvgCanvas::LineTo(TPoint p)
{
    const QPoint from = m_position;
    m_position = QPoint(p.x, p.y);
    m_trace << m_position;
    if (from == m_position) return;
    Put("<line x1=\"");
    Put(from.x());
    Put("\" y1=\"");
    Put(from.y());
    Put("\" x2=\"");
    Put(p.x);
    Put("\" y2=\"");
    Put(p.y);
    Put("\"");
    StrokeAttributes();
    Put("/>\n");
    EndElement();
}

void TSvgCanvas::SetPixel(TPoint p, TColor c)
{
    FilledBox(p.x, p.y, 1, 1, c);
}

void TSvgCanvas::FloodFill(TPoint p, TColor border)
{
    (void)border;
    if (m_brushStyle == TBrushStyle::Clear || m_trace.size() < 3 ||
        !m_trace.containsPoint({p.x, p.y}, Qt::OddEvenFill))
        return;
    Put("<polygon");
    Points(m_trace);
    FillAttribute();
    Put(" stroke=\"none\"/>\n<polyline");
    Points(m_trace);
    StrokeAttributes();
    Put("/>\n");
    EndElement();
}

void TSvgCanvas::DrawText(const TRect& r, const std::string& text, int align)
{
    const std::optional<TPlacedText> placed = PlaceText(r, text, align, Metrics());
    if (!placed) return;
    EnsureFontGroup();
    for (const TPlacedLine& line : placed->Lines) {
        Put("<text x=\"");
        Put(line.X);
        Put("\" y=\"");
        Put(line.Baseline);
        Put("\" fill=\"");
        PutColor(m_fontColor);
        Put("\" stroke=\"none\">");
        PutText(line.Text);
        Put("</text>\n");
        for (const QRect& u : line.Underlines)
            FilledBox(u.x(), u.y(), u.width(), u.height(), m_fontColor);
    }
    EndElement();
}

bool WriteSvgPicture(QIODevice& out, const TShem& shem, QSize size, int scale, const TFont& font)
{
    TSvgCanvas canvas(out, size);
    shem.Render(scale, font, canvas);
    return canvas.Finish();
}

} // namespace kb
