#include "docwin/drawing/textlayout.h"

#include "model/cp1251.h"
#include "model/shemobj.h"

#include <algorithm>

namespace kb {

TMnemonicText StripMnemonics(const QString& text)
{
    TMnemonicText out;
    out.Text.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'&') {
            out.Text += text[i];
            continue;
        }
        if (++i == text.size()) break;
        if (text[i] != u'&') out.Underlined.push_back(int(out.Text.size()));
        out.Text += text[i];
    }
    return out;
}

namespace {

bool IsBreak(QChar c)
{
    return c == u'\r' || c == u'\n';
}

class TWrapper
{
public:
    TWrapper(const QString& text, int width, const QFontMetrics& metrics, int maxLines)
        : m_text(text), m_width(width), m_metrics(metrics), m_maxLines(maxLines)
    {
    }

    std::vector<TTextLine> Run()
    {
        int pos = 0;
        const int n = int(m_text.size());
        while (!Full()) {
            int end = pos;
            while (end < n && !IsBreak(m_text[end]))
                ++end;
            Paragraph(pos, end);
            if (end == n) break;
            pos = end + (m_text[end] == u'\r' && end + 1 < n && m_text[end + 1] == u'\n' ? 2 : 1);
        }
        return std::move(m_lines);
    }

private:
    bool Full() const { return int(m_lines.size()) >= m_maxLines; }

    int Width(int from, int to) const
    {
        return m_metrics.horizontalAdvance(m_text.mid(from, to - from));
    }

    void Emit(int from, int to) { m_lines.push_back({from, to - from, Width(from, to)}); }

    void Paragraph(int pos, int end)
    {
        if (pos == end) Emit(pos, pos);
        while (pos < end && !Full())
            pos = Line(pos, end);
    }

    // Lays out one line from pos; returns where the next line starts. Each
    // word is measured once, with the spaces before it, so that a long text
    // costs time in proportion to its length.
    int Line(int pos, int end)
    {
        int lineEnd = pos, next = pos, width = 0;
        bool first = true;
        for (int word = pos; word < end;) {
            int wordEnd = word;
            while (wordEnd < end && m_text[wordEnd] != u' ')
                ++wordEnd;
            const int wider = width + Width(lineEnd, wordEnd);
            if (wider > m_width) {
                if (first) return BrokenWord(pos, end);
                break;
            }
            first = false;
            width = wider;
            lineEnd = wordEnd;
            next = wordEnd;
            while (next < end && m_text[next] == u' ')
                ++next;
            word = next;
        }
        Emit(pos, lineEnd);
        return next;
    }

    // As many characters as fit, at least one, so that layout always advances.
    int BrokenWord(int pos, int end)
    {
        int to = pos + 1;
        int width = m_metrics.horizontalAdvance(m_text[pos]);
        while (to < end && m_text[to] != u' ') {
            width += m_metrics.horizontalAdvance(m_text[to]);
            if (width > m_width) break;
            ++to;
        }
        Emit(pos, to);
        return to;
    }

    const QString& m_text;
    int m_width;
    const QFontMetrics& m_metrics;
    int m_maxLines;
    std::vector<TTextLine> m_lines;
};

} // namespace

std::vector<TTextLine> WrapText(const QString& text, int width, const QFontMetrics& metrics,
                                int maxLines)
{
    return TWrapper(text, width, metrics, maxLines).Run();
}

TRect AtLeastOneLine(const TRect& r, int lineHeight)
{
    const int height = r.Bottom - r.Top;
    if (height >= lineHeight) return r;
    TRect box = r;
    box.Top = r.Top - (lineHeight - height) / 2;
    box.Bottom = box.Top + lineHeight;
    return box;
}

std::optional<TPlacedText> PlaceText(const TRect& r, const std::string& text, int align,
                                     const QFontMetrics& metrics)
{
    const int width = r.Right - r.Left;
    const int lineHeight = metrics.height();
    // Lower than half a line, not even the first line shows.
    if (text.empty() || width <= 0 || 2 * (r.Bottom - r.Top) < lineHeight) return std::nullopt;
    TPlacedText placed;
    placed.Box = AtLeastOneLine(r, lineHeight);
    const TMnemonicText shown = StripMnemonics(QString::fromStdString(Cp1251ToUtf8(text)));
    const std::vector<TTextLine> lines =
        WrapText(shown.Text, width, metrics, (placed.Box.Bottom - placed.Box.Top) / lineHeight);
    placed.Overflows = std::any_of(lines.begin(), lines.end(),
                                   [width](const TTextLine& l) { return l.Width > width; });
    auto underline = shown.Underlined.begin();
    int top = placed.Box.Top;
    for (const TTextLine& line : lines) {
        if (top + lineHeight > placed.Box.Bottom) break;
        TPlacedLine& out = placed.Lines.emplace_back();
        out.Text = shown.Text.mid(line.Start, line.Length);
        out.X = align == taLeft    ? r.Left
                : align == taRight ? r.Right - line.Width
                                   : r.Left + (width - line.Width) / 2;
        out.Baseline = top + metrics.ascent();
        for (; underline != shown.Underlined.end() && *underline < line.Start + line.Length;
             ++underline) {
            if (*underline < line.Start) continue;
            const int ux = out.X + metrics.horizontalAdvance(
                                       shown.Text.mid(line.Start, *underline - line.Start));
            out.Underlines.emplace_back(ux, out.Baseline + metrics.underlinePos(),
                                        metrics.horizontalAdvance(shown.Text[*underline]),
                                        std::max(1, metrics.lineWidth()));
        }
        top += lineHeight;
    }
    return placed;
}

} // namespace kb
