// TmCustomEdit, the program's own code editor control: it paints a
// TCodeBuffer in a fixed-pitch font with a gutter, a right-edge marker, bold
// keywords, the selection and the caret, and feeds it keys and mouse moves.
#pragma once

#include "pasexport/codeedit/codebuffer.h"
#include "pasexport/codeedit/codewords.h"

#include <QAbstractScrollArea>
#include <QColor>
#include <QFont>

namespace kb {

class TmCustomEdit : public QAbstractScrollArea
{
    Q_OBJECT
public:
    explicit TmCustomEdit(QWidget* parent = nullptr);

    TCodeBuffer& Buffer() { return m_buffer; }
    const TCodeBuffer& Buffer() const { return m_buffer; }
    const std::vector<std::string>& Lines() const { return m_buffer.Lines(); }
    void SetLines(std::vector<std::string> lines);
    void SetWords(const std::vector<std::string>& words) { m_words.Assign(words); }

    // A proportional font is not taken: the control keeps its fixed-pitch
    // face and takes only the new font's size and style.
    void SetEditorFont(const QFont& font);
    QFont EditorFont() const { return m_font; }
    void SetTextColor(const QColor& color);
    void SetGutterWidth(int width);
    int GutterWidth() const { return m_gutterWidth; }
    void SetGutterColor(const QColor& color);
    void SetRightEdge(int column);
    int RightEdge() const { return m_rightEdge; }
    void SetTopLine(int line);
    void SetLeftChar(int column);
    void SetReadOnly(bool on) { m_buffer.SetReadOnly(on); }

    int CharWidth() const { return m_charWidth; }
    int LineHeight() const { return m_lineHeight; }
    // Where column 0 of the text lies on the viewport.
    int TextOriginX() const;
    // The text position under a viewport point.
    TTextPos PosAt(QPoint p) const;

    // The clipboard commands of the context menu.
    void CutToClipboard();
    void CopyToClipboard();
    void PasteFromClipboard();
    void ClearSelection();
    void SelectAll();

    QSize sizeHint() const override { return {200, 150}; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void UpdateMetrics();
    void Changed();
    void PaintLine(class QPainter& p, int line, int y) const;

    TCodeBuffer m_buffer;
    TKeywordSet m_words;
    QFont m_font;
    QColor m_textColor;
    QColor m_gutterColor;
    int m_gutterWidth = 30;
    int m_rightEdge = 80;
    int m_charWidth = 8;
    int m_lineHeight = 16;
    int m_ascent = 12;
    bool m_syncing = false;
};

} // namespace kb
