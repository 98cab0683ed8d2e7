// The text model of the code editor control: lines of 8-bit characters
// (Windows-1251, one column per byte), a caret that may stand beyond the end
// of its line, a stream selection, insert or overwrite mode, the view's first
// visible line and column, and every key and clipboard rule. The widget only
// paints this state and turns events into these calls.
#pragma once

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

namespace kb {

// A place in the text, both parts 0-based.
struct TTextPos
{
    int Col = 0;
    int Line = 0;
    friend bool operator==(const TTextPos&, const TTextPos&) = default;
    // Text order; written out because Qt's moc cannot read <compare>.
    friend bool operator<(const TTextPos& a, const TTextPos& b)
    {
        return a.Line != b.Line ? a.Line < b.Line : a.Col < b.Col;
    }
};

enum class TEditKey {
    Left,
    Right,
    Up,
    Down,
    Home,
    End,
    PageUp,
    PageDown,
    Insert,
    Back,
    Delete,
    Enter
};

struct TKeyMods
{
    bool Shift = false;
    bool Ctrl = false;
};

// The clipboard as the editor sees it: text in the editor's code page, lines
// joined with CR LF.
class TTextClipboard
{
public:
    virtual ~TTextClipboard() = default;
    virtual bool HasText() const = 0;
    virtual std::string Text() const = 0;
    virtual void SetText(const std::string& text) = 0;
};

class TCodeBuffer
{
public:
    TCodeBuffer() = default;

    const std::vector<std::string>& Lines() const { return m_lines; }
    int LineCount() const { return int(m_lines.size()); }
    // Replaces the text; the caret goes to the start and the view to the top.
    void SetLines(std::vector<std::string> lines);

    TTextPos Caret() const { return m_caret; }
    void SetCaret(TTextPos p);
    bool HasSelection() const { return m_hasSel && m_anchor != m_caret; }
    TTextPos SelStart() const { return std::min(m_anchor, m_caret); }
    TTextPos SelEnd() const { return std::max(m_anchor, m_caret); }
    bool InsertMode() const { return m_insert; }
    bool ReadOnly() const { return m_readOnly; }
    void SetReadOnly(bool on) { m_readOnly = on; }

    // The view: first visible line and column (1-based) and how much fits.
    int TopLine() const { return m_topLine; }
    int LeftChar() const { return m_leftChar; }
    void SetTopLine(int line);
    void SetLeftChar(int col);
    void SetViewSize(int visibleLines, int visibleCols);
    int VisibleLines() const { return m_visibleLines; }
    int VisibleCols() const { return m_visibleCols; }
    static constexpr int kHorizontalRange = 1024;

    // Keys; the clipboard serves Ctrl+Insert and Shift+Insert.
    void Key(TEditKey key, TKeyMods mods, TTextClipboard& clipboard);
    // A printable character typed (ignored when read-only).
    void TypeChar(char c);

    // A left press sets the caret and starts a selection there; moving with
    // the button down extends it.
    void MouseDown(TTextPos p);
    void MouseMove(TTextPos p);
    void MouseUp() { m_dragging = false; }

    // Lines of a multi-line selection are joined with CR LF.
    std::string SelectedText() const;
    void Copy(TTextClipboard& clipboard) const;
    void Cut(TTextClipboard& clipboard);
    void Paste(const TTextClipboard& clipboard);
    void DeleteSelection();
    void SelectAll();
    // Inserts at the caret, splitting at CR LF; the caret ends after the text.
    void InsertText(std::string_view text);

private:
    TTextPos Clamped(TTextPos p) const;
    std::string& LineAt(int line); // makes the line exist
    void MoveTo(TTextPos p, bool extend);
    void KeepCaretVisible();
    void Backspace();
    void DeleteForward();
    void Enter();
    void Page(int direction);
    TTextPos WordLeft() const;
    TTextPos WordRight() const;
    int IndentAbove(int line, int below) const;

    std::vector<std::string> m_lines{std::string()};
    TTextPos m_caret;
    TTextPos m_anchor;
    bool m_hasSel = false;
    bool m_dragging = false;
    bool m_insert = true;
    bool m_readOnly = false;
    int m_topLine = 1;
    int m_leftChar = 1;
    int m_visibleLines = 1;
    int m_visibleCols = 1;
};

} // namespace kb
