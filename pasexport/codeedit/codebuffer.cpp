// The text, the selection, the view and the clipboard commands.
#include "pasexport/codeedit/codebuffer.h"

#include <algorithm>

namespace kb {

void TCodeBuffer::SetLines(std::vector<std::string> lines)
{
    m_lines = std::move(lines);
    m_caret = m_anchor = {};
    m_hasSel = m_dragging = false;
    m_topLine = m_leftChar = 1;
}

TTextPos TCodeBuffer::Clamped(TTextPos p) const
{
    return {std::max(0, p.Col), std::clamp(p.Line, 0, std::max(0, LineCount() - 1))};
}

void TCodeBuffer::SetCaret(TTextPos p)
{
    m_caret = m_anchor = Clamped(p);
    m_hasSel = false;
    KeepCaretVisible();
}

std::string& TCodeBuffer::LineAt(int line)
{
    if (line >= LineCount()) m_lines.resize(size_t(line) + 1);
    return m_lines[size_t(line)];
}

void TCodeBuffer::SetTopLine(int line)
{
    m_topLine = std::clamp(line, 1, std::max(1, LineCount()));
}

void TCodeBuffer::SetLeftChar(int col)
{
    m_leftChar = std::clamp(col, 1, kHorizontalRange);
}

void TCodeBuffer::SetViewSize(int visibleLines, int visibleCols)
{
    m_visibleLines = std::max(1, visibleLines);
    m_visibleCols = std::max(1, visibleCols);
}

void TCodeBuffer::MoveTo(TTextPos p, bool extend)
{
    if (extend && !m_hasSel) {
        m_anchor = m_caret;
        m_hasSel = true;
    } else if (!extend) {
        m_hasSel = false;
    }
    m_caret = Clamped(p);
    if (!extend) m_anchor = m_caret;
    KeepCaretVisible();
}

// Lines by one at the edges; columns 25 at a time past the right border.
void TCodeBuffer::KeepCaretVisible()
{
    if (m_caret.Line < m_topLine - 1)
        m_topLine = m_caret.Line + 1;
    else if (m_caret.Line >= m_topLine - 1 + m_visibleLines)
        m_topLine = m_caret.Line - m_visibleLines + 2;
    if (m_caret.Col < m_leftChar - 1) m_leftChar = m_caret.Col + 1;
    while (m_caret.Col >= m_leftChar - 1 + m_visibleCols && m_leftChar + 25 <= kHorizontalRange)
        m_leftChar += 25;
}

void TCodeBuffer::MouseDown(TTextPos p)
{
    SetCaret(p);
    m_dragging = true;
}

void TCodeBuffer::MouseMove(TTextPos p)
{
    if (!m_dragging) return;
    m_caret = Clamped(p);
    m_hasSel = true;
    KeepCaretVisible();
}

std::string TCodeBuffer::SelectedText() const
{
    if (!HasSelection()) return {};
    const TTextPos a = SelStart(), b = SelEnd();
    auto part = [this](int line, int from, int to) {
        const std::string& s = m_lines[size_t(line)];
        const size_t f = std::min(size_t(from), s.size());
        return s.substr(f, std::min(size_t(to), s.size()) - f);
    };
    if (a.Line == b.Line) return part(a.Line, a.Col, b.Col);
    std::string text = part(a.Line, a.Col, int(m_lines[size_t(a.Line)].size()));
    for (int line = a.Line + 1; line < b.Line; ++line)
        text += "\r\n" + m_lines[size_t(line)];
    return text + "\r\n" + part(b.Line, 0, b.Col);
}

void TCodeBuffer::Copy(TTextClipboard& clipboard) const
{
    if (HasSelection()) clipboard.SetText(SelectedText());
}

void TCodeBuffer::Cut(TTextClipboard& clipboard)
{
    Copy(clipboard);
    DeleteSelection();
}

void TCodeBuffer::Paste(const TTextClipboard& clipboard)
{
    if (!clipboard.HasText()) return;
    DeleteSelection();
    InsertText(clipboard.Text());
}

void TCodeBuffer::DeleteSelection()
{
    if (!HasSelection()) {
        m_hasSel = false;
        return;
    }
    const TTextPos a = SelStart(), b = SelEnd();
    std::string& first = m_lines[size_t(a.Line)];
    const std::string& last = m_lines[size_t(b.Line)];
    const size_t from = std::min(size_t(a.Col), first.size());
    const std::string rest = last.substr(std::min(size_t(b.Col), last.size()));
    first = first.substr(0, from) + rest;
    m_lines.erase(m_lines.begin() + a.Line + 1, m_lines.begin() + b.Line + 1);
    m_caret = m_anchor = {int(from), a.Line};
    m_hasSel = false;
    KeepCaretVisible();
}

void TCodeBuffer::SelectAll()
{
    if (m_lines.empty()) return;
    m_anchor = {};
    m_caret = {int(m_lines.back().size()), LineCount() - 1};
    m_hasSel = true;
    KeepCaretVisible();
}

void TCodeBuffer::InsertText(std::string_view text)
{
    std::vector<std::string> parts;
    for (size_t start = 0;;) {
        const size_t end = text.find("\r\n", start);
        parts.emplace_back(text.substr(start, end == std::string_view::npos ? end : end - start));
        if (end == std::string_view::npos) break;
        start = end + 2;
    }
    std::string& line = LineAt(m_caret.Line);
    if (line.size() < size_t(m_caret.Col)) line.resize(size_t(m_caret.Col), ' ');
    const std::string after = line.substr(size_t(m_caret.Col));
    line.resize(size_t(m_caret.Col));
    line += parts.front();
    if (parts.size() == 1) {
        line += after;
        m_caret.Col += int(parts.front().size());
    } else {
        parts.back() += after;
        m_lines.insert(m_lines.begin() + m_caret.Line + 1, parts.begin() + 1, parts.end());
        m_caret = {int(parts.back().size() - after.size()), m_caret.Line + int(parts.size()) - 1};
    }
    m_anchor = m_caret;
    m_hasSel = false;
    KeepCaretVisible();
}

} // namespace kb
