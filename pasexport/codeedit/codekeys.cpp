// The keyboard: caret movement, the editing keys and typing.
#include "pasexport/codeedit/codebuffer.h"
#include "pasexport/codeedit/codewords.h"

#include <algorithm>

namespace kb {

namespace {

bool Blank(char c)
{
    return c == ' ' || c == '\t';
}

int IndentOf(const std::string& line)
{
    int n = 0;
    while (n < int(line.size()) && Blank(line[size_t(n)]))
        ++n;
    return n;
}

bool HasText(const std::string& line)
{
    return IndentOf(line) < int(line.size());
}

} // namespace

void TCodeBuffer::Key(TEditKey key, TKeyMods mods, TTextClipboard& clipboard)
{
    const int len = m_lines.empty() ? 0 : int(m_lines[size_t(m_caret.Line)].size());
    const TTextPos c = m_caret;
    const bool last = c.Line + 1 >= LineCount();
    switch (key) {
    case TEditKey::Left:
        if (mods.Ctrl)
            MoveTo(WordLeft(), mods.Shift);
        else if (c.Col > 0)
            MoveTo({c.Col - 1, c.Line}, mods.Shift);
        else if (c.Line > 0)
            MoveTo({int(m_lines[size_t(c.Line) - 1].size()), c.Line - 1}, mods.Shift);
        else
            MoveTo(c, mods.Shift);
        break;
    case TEditKey::Right:
        if (c.Col >= len)
            MoveTo(last ? c : TTextPos{0, c.Line + 1}, mods.Shift);
        else
            MoveTo(mods.Ctrl ? WordRight() : TTextPos{c.Col + 1, c.Line}, mods.Shift);
        break;
    case TEditKey::Up:
        MoveTo({c.Col, c.Line - 1}, mods.Shift);
        break;
    case TEditKey::Down:
        MoveTo({c.Col, c.Line + 1}, mods.Shift);
        break;
    case TEditKey::Home:
        MoveTo(mods.Ctrl ? TTextPos{} : TTextPos{0, c.Line}, mods.Shift);
        break;
    case TEditKey::End:
        MoveTo(mods.Ctrl ? TTextPos{0, LineCount() - 1} : TTextPos{len, c.Line}, mods.Shift);
        break;
    case TEditKey::PageUp:
    case TEditKey::PageDown:
        Page(key == TEditKey::PageUp ? -1 : 1);
        MoveTo({c.Col, c.Line + (key == TEditKey::PageUp ? -1 : 1) * m_visibleLines}, mods.Shift);
        break;
    case TEditKey::Insert:
        if (mods.Ctrl)
            Copy(clipboard);
        else if (mods.Shift)
            Paste(clipboard);
        m_insert = !m_insert;
        break;
    case TEditKey::Back:
    case TEditKey::Delete:
    case TEditKey::Enter:
        if (HasSelection())
            DeleteSelection();
        else if (key == TEditKey::Back)
            Backspace();
        else if (key == TEditKey::Delete)
            DeleteForward();
        else
            Enter();
        break;
    }
}

void TCodeBuffer::Page(int direction)
{
    const int maxTop = std::max(1, LineCount() - m_visibleLines + 1);
    m_topLine = std::clamp(m_topLine + direction * m_visibleLines, 1, maxTop);
}

TTextPos TCodeBuffer::WordLeft() const
{
    const std::string& line = m_lines.empty() ? std::string() : m_lines[size_t(m_caret.Line)];
    int pos = std::min(m_caret.Col, int(line.size()));
    if (pos == 0)
        return m_caret.Line > 0
                   ? TTextPos{int(m_lines[size_t(m_caret.Line) - 1].size()), m_caret.Line - 1}
                   : m_caret;
    while (pos > 0 && IsWordDelimiter(line[size_t(pos) - 1]))
        --pos;
    while (pos > 0 && !IsWordDelimiter(line[size_t(pos) - 1]))
        --pos;
    return {pos, m_caret.Line};
}

TTextPos TCodeBuffer::WordRight() const
{
    const std::string& line = m_lines[size_t(m_caret.Line)];
    int pos = m_caret.Col;
    while (pos < int(line.size()) && IsWordDelimiter(line[size_t(pos)]))
        ++pos;
    while (pos < int(line.size()) && !IsWordDelimiter(line[size_t(pos)]))
        ++pos;
    return {pos, m_caret.Line};
}

// The indentation of the nearest line above `line` that has text and is
// indented less than `below`; 0 when there is none.
int TCodeBuffer::IndentAbove(int line, int below) const
{
    for (int l = line - 1; l >= 0; --l) {
        const std::string& s = m_lines[size_t(l)];
        if (HasText(s) && IndentOf(s) < below) return IndentOf(s);
    }
    return 0;
}

void TCodeBuffer::Backspace()
{
    if (m_lines.empty()) return;
    const TTextPos c = m_caret;
    std::string& line = m_lines[size_t(c.Line)];
    if (line.empty() && c.Col == 0) {
        if (LineCount() == 1) return; // the text keeps one line
        m_lines.erase(m_lines.begin() + c.Line);
        MoveTo(c.Line > 0 ? TTextPos{int(m_lines[size_t(c.Line) - 1].size()), c.Line - 1}
                          : TTextPos{},
               false);
    } else if (c.Col > int(line.size())) {
        MoveTo({c.Col - 1, c.Line}, false);
    } else if (c.Col == 0) {
        if (c.Line == 0) return;
        std::string& prev = m_lines[size_t(c.Line) - 1];
        const int join = int(prev.size());
        prev += line;
        m_lines.erase(m_lines.begin() + c.Line);
        MoveTo({join, c.Line - 1}, false);
    } else if (c.Col == IndentOf(line)) {
        const int to = IndentAbove(c.Line, c.Col);
        line.erase(size_t(to), size_t(c.Col - to));
        MoveTo({to, c.Line}, false);
    } else {
        line.erase(size_t(c.Col) - 1, 1);
        MoveTo({c.Col - 1, c.Line}, false);
    }
}

void TCodeBuffer::DeleteForward()
{
    if (m_lines.empty()) return;
    const TTextPos c = m_caret;
    std::string& line = m_lines[size_t(c.Line)];
    if (c.Col < int(line.size())) {
        line.erase(size_t(c.Col), 1);
        return;
    }
    if (c.Line + 1 >= LineCount()) return;
    line.resize(size_t(c.Col), ' ');
    line += m_lines[size_t(c.Line) + 1];
    m_lines.erase(m_lines.begin() + c.Line + 1);
}

void TCodeBuffer::Enter()
{
    const TTextPos c = m_caret;
    std::string& line = LineAt(c.Line);
    const int indent = IndentOf(line);
    if (c.Col >= int(line.size())) {
        int at = 0;
        for (int l = c.Line; l >= 0; --l)
            if (HasText(m_lines[size_t(l)])) {
                at = IndentOf(m_lines[size_t(l)]);
                break;
            }
        m_lines.insert(m_lines.begin() + c.Line + 1, std::string());
        MoveTo({at, c.Line + 1}, false);
    } else if (c.Col <= indent) {
        m_lines.insert(m_lines.begin() + c.Line, std::string());
        MoveTo({c.Col, c.Line + 1}, false);
    } else {
        std::string moved = line.substr(0, size_t(indent)) + line.substr(size_t(c.Col));
        line.resize(size_t(c.Col));
        m_lines.insert(m_lines.begin() + c.Line + 1, std::move(moved));
        MoveTo({indent, c.Line + 1}, false);
    }
}

void TCodeBuffer::TypeChar(char c)
{
    if (m_readOnly) return;
    DeleteSelection();
    std::string& line = LineAt(m_caret.Line);
    const auto col = size_t(m_caret.Col);
    if (line.size() < col) line.resize(col, ' ');
    if (m_insert || col == line.size())
        line.insert(col, 1, c);
    else
        line[col] = c;
    while (!line.empty() && line.back() == ' ')
        line.pop_back();
    MoveTo({m_caret.Col + 1, m_caret.Line}, false);
}

} // namespace kb
