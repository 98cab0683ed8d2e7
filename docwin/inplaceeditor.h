// The borderless edit box laid over a block's text rectangle. Block texts
// are Windows-1251, so the box takes only characters that code page holds:
// a key with any other character is refused with a beep, a paste with a
// message, and nothing typed is lost when the text goes into the block.
#pragma once

#include <QPlainTextEdit>

#include <string>

namespace kb {

class TInPlaceEditor : public QPlainTextEdit
{
    Q_OBJECT

public:
    explicit TInPlaceEditor(QWidget* parent = nullptr);

    // The text as a block keeps it: Windows-1251 bytes, lines joined by CR LF.
    // False (out holding '?' for them) when some character has no byte there.
    bool BlockText(std::string& out) const;
    void SetBlockText(const std::string& cp1251);
    // 0 centre, 1 left, 2 right; other values centre.
    void SetAlign(int align);
    int Align() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;
    // The keys typed into the box go back to the document once it closes,
    // so Ctrl+Z or an arrow right after Escape acts on the diagram.
    void hideEvent(QHideEvent* event) override;
};

// What the editor says when a pasted text cannot be kept.
QString UnrepresentablePasteMessage();

} // namespace kb
