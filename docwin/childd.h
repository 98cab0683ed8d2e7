// TChildD, the document window: the view and the tools over one document
// (TDiagramDocument, which owns the diagram, the selection, the undo history,
// the modified flag and the file name). The window shows the diagram
// scrolled and scaled, keeps the state of the mouse tools and the in-place
// text editor, and makes every change through the document.
//
// The window itself (life, view transform, scrolling, repaint, hover hint,
// close prompt) is childd.cpp and childd_view.cpp; the mouse tools are
// childd_tools.cpp, in-place text and keys childd_text.cpp, and the commands
// on the selection childd_commands.cpp; the undo history is the document's.
#pragma once

#include "docwin/childhost.h"
#include "docwin/document.h"
#include "docwin/drawing/shapedraw.h"
#include "model/shem.h"

#include <QImage>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <vector>

class QPlainTextEdit;
class QScrollBar;

namespace kb {

enum class TDragState : uint8_t {
    None,
    CreateBlock,
    RubberBand,
    MoveSelection,
    CreateLink,
    ResizeBlock,
    Pan,
    MoveLinkEnd,
};

class TChildD : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kScrollBarThickness = 16;

    explicit TChildD(TChildHost& host, QWidget* parent = nullptr);
    ~TChildD() override;

    TChildHost& Host() const { return m_host; }
    TDiagramDocument& Document() { return *m_doc; }
    const TDiagramDocument& Document() const { return *m_doc; }
    const TShem& Shem() const { return m_doc->Shem(); }

    // Replaces the diagram with the file's bytes; false (diagram untouched)
    // when they are not a diagram. A recovered copy (saved false) is not
    // what any file holds, so the document starts modified.
    bool LoadFromBytes(std::span<const uint8_t> data, TLoadReport* report = nullptr,
                       bool saved = true);

    // --- document state
    bool Modified() const { return m_doc->Modified(); }
    const QString& FileName() const { return m_doc->FileName(); }
    void SetFileName(const QString& fileName) { m_doc->SetFileName(fileName); }
    bool Grid() const { return m_grid; }
    void SetGrid(bool grid);
    bool CanUndo() const { return m_doc->CanUndo(); }
    bool CanRedo() const { return m_doc->CanRedo(); }
    void Undo();
    void Redo();
    // Makes a change through the document, after ending any drag; tells the
    // user when it is refused for the size of the diagram. True when done.
    bool Edit(TAction action, const std::function<bool(TEdit&)>& change);

    // --- view
    int Scale() const { return m_scale; }
    // s is 1, 2, 4 or 8; other values are ignored.
    void SetScale(int s);
    TPoint Origin() const { return m_origin; }
    // The pixels the diagram is drawn in: the client area left of the
    // vertical and above the horizontal scroll bar.
    TRect ViewRect() const { return m_view; }
    TViewTransform Transform() const;
    TPoint ToPixels(TPoint diagram) const;
    TPoint ToDiagram(TPoint pixel) const;
    QScrollBar* HorzScrollBar() const { return m_hbar; }
    QScrollBar* VertScrollBar() const { return m_vbar; }
    // Scrolls so that the scroll bars and the origin show (x, y).
    void ScrollTo(TPoint origin);

    void RecomputeView();
    // Redraws the whole view into the back buffer and shows it.
    void Repaint();
    void CenterOnBlock(const Block& block);

    const TFont& CanvasFont() const { return m_font; }
    void SetFontName(const QString& name);
    TColor WindowColor() const { return m_color; }
    void SetWindowColor(TColor color);
    // The back buffer; feedback while dragging is drawn straight into it.
    TCanvas& Canvas() { return *m_canvas; }
    const QImage& BackBuffer() const { return m_buffer; }

    // --- selection
    const std::vector<TShemObj*>& Selection() const { return m_doc->Selection(); }
    void SetSelection(std::vector<TShemObj*> selection);
    bool IsSelected(const TShemObj* entry) const { return m_doc->IsSelected(entry); }
    int CountSelectedBlocks() const;
    // The union of the selected blocks' rectangles; (65535, 65535, 0, 0)
    // when no block is selected.
    TRect SelectionBounds() const;

    // --- in-place text editing and keys (childd_text.cpp)
    bool EditorOpen() const;
    QPlainTextEdit* Editor() const { return m_editor; }
    TShemObj* TextTarget() const { return m_textTarget; }
    void OpenEditor(TShemObj* block);
    void CommitEditor();
    void EditorCut();
    void EditorCopy();
    void EditorPaste();
    // Alignment 0 centre, 1 left, 2 right, of the open editor and its block.
    void SetEditorAlign(int align);
    // A key pressed elsewhere (the object list) handled as if pressed here;
    // true when it was consumed.
    bool PassKey(QKeyEvent* event) { return FormKeyDown(event); }

    // --- commands on the selection (childd_commands.cpp)
    void DeleteSelection();
    void CopySelection();
    void Paste();
    void DuplicateSelection();
    void SelectAll();
    void SetTextAlign(int align);
    void JoinSquare();

signals:
    // The in-place editor opened or closed: Cut, Copy and Paste change target.
    void EditorToggled();

public:
    // The last mouse position in pixels: where the context menu inserts.
    TPoint Anchor() const { return m_anchor; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void wheelEvent(QWheelEvent* event) override; // childd_wheel.cpp
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Follows the document: forgets the entries it no longer holds, repaints.
    void DocumentChanged(const TChange& change);
    // Commits the pending text; joinLast makes it part of the last step.
    void CommitText(bool joinLast);
    void CommitResize();

    // The close prompt; true when the window may close.
    bool FormCloseQuery();
    void FormResize();
    void LayoutScrollBars();
    void ApplyScaleFont();
    void UpdateBufferSize();
    void DrawGrid();
    void DrawEntries();
    // Status panel 0 and the block's text as a hint under the mouse.
    void HoverHint(TPoint pixel, QPoint globalPos);

    // Mouse tools (childd_tools.cpp).
    void FormMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers keys, TPoint pixel);
    void FormMouseMove(Qt::KeyboardModifiers keys, TPoint pixel, QPoint globalPos);
    void FormMouseUp(Qt::MouseButton button, Qt::KeyboardModifiers keys, TPoint pixel);
    // Text and keys (childd_text.cpp). FormKeyDown returns true when it
    // consumed the key; it sees keys before the in-place editor does.
    void FormDblClick();
    bool FormKeyDown(QKeyEvent* event);
    void CreateEditor();

    // Editing helpers: the presses, drags and releases by tool and drag state
    // (childd_tools.cpp), the text tool and arrow keys (childd_text.cpp).
    void SelectToolDown(Qt::KeyboardModifiers keys, TPoint pixel);
    void JointToolDown(TPoint pixel);
    void DeleteJointPoint(TShemObj* joint);
    void LinkToolDown(Qt::KeyboardModifiers keys, TPoint pixel);
    void PanToolDown(TPoint pixel);
    void CreatingToolDown(TPoint pixel);
    void HoverCursor(TPoint pixel);
    void DragTo(Qt::KeyboardModifiers keys, TPoint pixel);
    void EndDrag(Qt::KeyboardModifiers keys, TPoint pixel);
    // Draws the drag's rectangle or line with the inverting pen; drawing it
    // again erases it.
    void InvertFeedback();
    // Ends a drag that no release finished (another press or a command came
    // first): its feedback goes and a half-done resize still counts as a change.
    void AbandonDrag();
    void AutoScroll(TPoint pixel);
    void PanTo(TPoint pixel);
    void ResizeBlockTo(TPoint p);
    void FinishCreateBlock(Qt::KeyboardModifiers keys, TPoint pixel);
    void FinishRubberBand(Qt::KeyboardModifiers keys);
    void FinishMove(TPoint pixel);
    void FinishLink(Qt::KeyboardModifiers keys, TPoint pixel);
    void FinishMoveLinkEnd(Qt::KeyboardModifiers keys, TPoint pixel);
    // Moves the scroll bars without their own repaints, then takes the origin
    // from them and repaints once.
    void SetScrollPositions(int h, int v);
    void TextToolDown(TPoint pixel);
    void ArrowKey(int key, Qt::KeyboardModifiers keys);
    // Ctrl+wheel: steps up (positive) or down the scales around pointer.
    void WheelZoom(int steps, QPoint pointer);

    TChildHost& m_host;
    TDiagramDocument* m_doc = nullptr; // a child object: goes with the window

    // View.
    int m_scale = 2;
    TPoint m_origin;
    TRect m_view;
    QScrollBar* m_hbar = nullptr;
    QScrollBar* m_vbar = nullptr;
    QImage m_buffer;
    std::unique_ptr<TCanvas> m_canvas;
    TFont m_font;
    TColor m_color = clWhite;

    // Mouse tools: pixel points, and the entries a drag works on.
    TPoint m_anchor;
    TPoint m_current;
    TDragState m_dragState = TDragState::None;
    uint8_t m_handle = 0;
    uint8_t m_linkEnd = 0; // 1 while end A of m_movedLink moves, 0 for end B
    TShemObj* m_linkStart = nullptr;
    TShemObj* m_resized = nullptr;
    TRect m_resizedFrom; // the block's rectangle when the resize began
    TShemObj* m_movedLink = nullptr;
    // Wheel movement not yet a whole unit (pixels) or notch (Ctrl).
    QPoint m_wheelRest;

    // In-place text editing.
    QPlainTextEdit* m_editor = nullptr;
    TShemObj* m_textTarget = nullptr;

    bool m_grid = false;
    bool m_panning = false;
};

} // namespace kb
