#include "pasexport/ui/mycustomedit.h"

#include "model/cp1251.h"
#include "pasexport/ui/qtclipboard.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>

namespace kb {

TmCustomEdit::TmCustomEdit(QWidget* parent) : QAbstractScrollArea(parent)
{
    QFont font(QStringLiteral("Courier New"), 10);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    m_font = font;
    m_textColor = palette().color(QPalette::WindowText);
    m_gutterColor = palette().color(QPalette::Button);
    setFocusPolicy(Qt::StrongFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    viewport()->setCursor(Qt::IBeamCursor);
    viewport()->setMouseTracking(true);
    viewport()->setAutoFillBackground(false);
    resize(sizeHint());
    UpdateMetrics();
}

void TmCustomEdit::SetLines(std::vector<std::string> lines)
{
    m_buffer.SetLines(std::move(lines));
    Changed();
}

void TmCustomEdit::SetEditorFont(const QFont& font)
{
    // The toolkit knows which faces are fixed-pitch better than a comparison
    // of average and widest glyph, which wide symbols upset in mono faces.
    if (QFontInfo(font).fixedPitch()) {
        m_font = font;
    } else {
        if (font.pixelSize() > 0)
            m_font.setPixelSize(font.pixelSize());
        else
            m_font.setPointSizeF(font.pointSizeF());
        m_font.setWeight(font.weight());
        m_font.setItalic(font.italic());
        m_font.setUnderline(font.underline());
        m_font.setStrikeOut(font.strikeOut());
    }
    UpdateMetrics();
}

void TmCustomEdit::SetTextColor(const QColor& color)
{
    m_textColor = color;
    viewport()->update();
}

void TmCustomEdit::SetGutterWidth(int width)
{
    m_gutterWidth = std::max(0, width);
    UpdateMetrics();
}

void TmCustomEdit::SetGutterColor(const QColor& color)
{
    m_gutterColor = color;
    viewport()->update();
}

void TmCustomEdit::SetRightEdge(int column)
{
    m_rightEdge = column;
    viewport()->update();
}

void TmCustomEdit::SetTopLine(int line)
{
    m_buffer.SetTopLine(line);
    Changed();
}

void TmCustomEdit::SetLeftChar(int column)
{
    m_buffer.SetLeftChar(column);
    Changed();
}

void TmCustomEdit::UpdateMetrics()
{
    const QFontMetrics m(m_font);
    m_charWidth = std::max(1, m.averageCharWidth());
    m_lineHeight = std::max(1, m.height() + m.leading());
    m_ascent = m.ascent();
    const QSize client = viewport()->size();
    m_buffer.SetViewSize((client.height() - 4) / m_lineHeight, (client.width() - 4) / m_charWidth);
    Changed();
}

// Brings the scroll bars in line with the buffer and repaints.
void TmCustomEdit::Changed()
{
    m_syncing = true;
    QScrollBar* v = verticalScrollBar();
    v->setRange(0, std::max(0, m_buffer.LineCount() - 1));
    v->setPageStep(m_buffer.VisibleLines());
    v->setSingleStep(1);
    v->setValue(m_buffer.TopLine() - 1);
    QScrollBar* h = horizontalScrollBar();
    h->setRange(0, std::max(0, TCodeBuffer::kHorizontalRange - m_buffer.VisibleCols()));
    h->setPageStep(m_buffer.VisibleCols());
    h->setSingleStep(1);
    h->setValue(m_buffer.LeftChar() - 1);
    m_syncing = false;
    viewport()->update();
}

void TmCustomEdit::scrollContentsBy(int, int)
{
    if (m_syncing) return;
    m_buffer.SetTopLine(verticalScrollBar()->value() + 1);
    m_buffer.SetLeftChar(horizontalScrollBar()->value() + 1);
    viewport()->update();
}

int TmCustomEdit::TextOriginX() const
{
    return m_gutterWidth - (m_buffer.LeftChar() - 1) * m_charWidth + 2;
}

TTextPos TmCustomEdit::PosAt(QPoint p) const
{
    const int col = (p.x() - TextOriginX() + m_charWidth / 2) / m_charWidth;
    const int line = (p.y() - 2) / m_lineHeight + m_buffer.TopLine() - 1;
    return {std::max(0, col), std::max(0, line)};
}

void TmCustomEdit::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    UpdateMetrics();
}

namespace {

QString Display(std::string_view bytes)
{
    return QString::fromStdString(Cp1251ToUtf8(bytes));
}

} // namespace

void TmCustomEdit::PaintLine(QPainter& p, int line, int y) const
{
    const std::string& text = m_buffer.Lines()[size_t(line)];
    const bool sel = m_buffer.HasSelection();
    const TTextPos a = m_buffer.SelStart(), b = m_buffer.SelEnd();
    // The selected columns of this line, [from, to).
    const int from = !sel || line < a.Line || line > b.Line ? 0 : line == a.Line ? a.Col : 0;
    const int to = !sel || line < a.Line || line > b.Line ? 0
                   : line == b.Line                       ? b.Col
                                                          : int(text.size());
    QFont bold = m_font;
    bold.setBold(true);
    const QPalette& pal = palette();
    for (const TTextRun& run : SplitWords(text)) {
        p.setFont(run.Word && m_words.Contains(std::string_view(text).substr(run.Start, run.Length))
                      ? bold
                      : m_font);
        // Cut the run where the selection starts and ends.
        int cuts[] = {int(run.Start), std::clamp(from, int(run.Start), int(run.Start + run.Length)),
                      std::clamp(to, int(run.Start), int(run.Start + run.Length)),
                      int(run.Start + run.Length)};
        for (int k = 0; k < 3; ++k) {
            const int s = cuts[k], e = std::max(s, cuts[k + 1]);
            if (e <= s) continue;
            const int x = TextOriginX() + s * m_charWidth;
            const bool selected = k == 1;
            if (selected)
                p.fillRect(x, y, (e - s) * m_charWidth, m_lineHeight,
                           pal.color(QPalette::Highlight));
            p.setPen(selected ? pal.color(QPalette::HighlightedText) : m_textColor);
            p.drawText(QPoint(x, y + m_ascent),
                       Display(std::string_view(text).substr(size_t(s), size_t(e - s))));
        }
    }
}

void TmCustomEdit::paintEvent(QPaintEvent*)
{
    QPainter p(viewport());
    const int h = viewport()->height();
    const QPalette& pal = palette();
    p.fillRect(viewport()->rect(), pal.color(QPalette::Base));

    const int top = m_buffer.TopLine() - 1;
    const int last = std::min(m_buffer.LineCount(), top + m_buffer.VisibleLines() + 1);
    for (int line = std::max(0, top); line < last; ++line)
        PaintLine(p, line, m_lineHeight * (line - top) + 2);

    p.fillRect(TextOriginX() + m_rightEdge * m_charWidth, 0, 1, h, QColor(192, 192, 192));

    p.fillRect(0, 0, m_gutterWidth, h, m_gutterColor);
    p.fillRect(m_gutterWidth - 2, 0, 1, h, pal.color(QPalette::Light));
    p.fillRect(m_gutterWidth - 1, 0, 1, h, pal.color(QPalette::Dark));
    p.fillRect(m_gutterWidth + 1, 0, 2, h, pal.color(QPalette::Base));

    const TTextPos c = m_buffer.Caret();
    if (hasFocus() && c.Line >= top)
        p.fillRect(TextOriginX() + c.Col * m_charWidth, m_lineHeight * (c.Line - top) + 2, 2,
                   m_lineHeight - 2, m_textColor);
}

namespace {

bool EditKeyOf(int qtKey, TEditKey& key)
{
    switch (qtKey) {
    case Qt::Key_Left:
        key = TEditKey::Left;
        return true;
    case Qt::Key_Right:
        key = TEditKey::Right;
        return true;
    case Qt::Key_Up:
        key = TEditKey::Up;
        return true;
    case Qt::Key_Down:
        key = TEditKey::Down;
        return true;
    case Qt::Key_Home:
        key = TEditKey::Home;
        return true;
    case Qt::Key_End:
        key = TEditKey::End;
        return true;
    case Qt::Key_PageUp:
        key = TEditKey::PageUp;
        return true;
    case Qt::Key_PageDown:
        key = TEditKey::PageDown;
        return true;
    case Qt::Key_Insert:
        key = TEditKey::Insert;
        return true;
    case Qt::Key_Backspace:
        key = TEditKey::Back;
        return true;
    case Qt::Key_Delete:
        key = TEditKey::Delete;
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        key = TEditKey::Enter;
        return true;
    default:
        return false;
    }
}

} // namespace

void TmCustomEdit::keyPressEvent(QKeyEvent* event)
{
    const Qt::KeyboardModifiers mods = event->modifiers();
    TQtClipboard clipboard;
    TEditKey key;
    if (EditKeyOf(event->key(), key)) {
        m_buffer.Key(key, {bool(mods & Qt::ShiftModifier), bool(mods & Qt::ControlModifier)},
                     clipboard);
    } else if (event->matches(QKeySequence::Copy)) {
        m_buffer.Copy(clipboard);
    } else if (event->matches(QKeySequence::SelectAll)) {
        m_buffer.SelectAll();
    } else if (event->key() == Qt::Key_Escape) {
        // Escape belongs to the window around the editor: it closes it.
        event->ignore();
        return;
    } else if (!event->text().isEmpty() && !(mods & (Qt::ControlModifier | Qt::AltModifier))) {
        std::string bytes;
        Utf8ToCp1251(event->text().toStdString(), bytes);
        for (char c : bytes)
            if (uint8_t(c) >= 32 && c != 127) m_buffer.TypeChar(c);
    } else {
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    Changed();
}

void TmCustomEdit::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) return QAbstractScrollArea::mousePressEvent(event);
    setFocus(Qt::MouseFocusReason);
    m_buffer.MouseDown(PosAt(event->position().toPoint()));
    Changed();
}

void TmCustomEdit::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    viewport()->setCursor(at.x() < m_gutterWidth ? Qt::ArrowCursor : Qt::IBeamCursor);
    if (event->buttons() & Qt::LeftButton) {
        m_buffer.MouseMove(PosAt(at));
        Changed();
    }
}

void TmCustomEdit::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) m_buffer.MouseUp();
}

void TmCustomEdit::focusInEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update();
}

void TmCustomEdit::focusOutEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update();
}

void TmCustomEdit::CutToClipboard()
{
    TQtClipboard clipboard;
    m_buffer.Cut(clipboard);
    Changed();
}

void TmCustomEdit::CopyToClipboard()
{
    TQtClipboard clipboard;
    m_buffer.Copy(clipboard);
}

void TmCustomEdit::PasteFromClipboard()
{
    TQtClipboard clipboard;
    m_buffer.Paste(clipboard);
    Changed();
}

void TmCustomEdit::ClearSelection()
{
    m_buffer.DeleteSelection();
    Changed();
}

void TmCustomEdit::SelectAll()
{
    m_buffer.SelectAll();
    Changed();
}

} // namespace kb
