// TFullViewForm, the full-screen view: a document's diagram on a maximized
// window without caption, scroll bars, grid or selection marks, for reading
// and presenting. Panning and zooming here move the document window's own
// origin and scale, so the document stays where the user last looked.
#pragma once

#include "docwin/childd.h"

#include <QDialog>
#include <QPointer>

#include <array>

class QMenu;

namespace kb {

class TFullViewForm : public QDialog
{
    Q_OBJECT

public:
    // The screen the view is laid out for, whatever the real one measures.
    static constexpr int kRegionWidth = 800;
    static constexpr int kRegionHeight = 600;
    static constexpr std::array<int, 4> kZooms{1, 2, 4, 8};

    explicit TFullViewForm(QWidget* parent = nullptr);

    // The document shown, set before each showing; never owned, and
    // forgotten when its window goes.
    void SetDocument(TChildD* doc);
    TChildD* Document() const { return m_doc; }
    // Shows the view maximized and modally, until Escape or "Exit".
    int Execute();

    // Diagram units drawn: origin to origin + (round(800 / s), round(600 / s)).
    static TRect RegionOf(TPoint origin, int scale);
    TRect Region() const { return m_region; }
    // Draws what the view shows into image, which sets the size of the area.
    void Draw(QImage& image) const;

    QMenu* ContextMenu() const { return m_menu; }
    // Checks exactly the zoom item of the document's scale, as the context
    // menu does when it opens.
    void PrepareMenu();
    // The zoom items: the document's scale becomes s (1, 2, 4 or 8).
    void ZoomClick(int s);

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void CreateMenu();
    // Region and font afresh from the document; then repaint.
    void FollowDocument();
    void PanTo(QPoint mouse);
    TColor ViewColor() const;

    QPointer<TChildD> m_doc;
    QMetaObject::Connection m_followed;
    TRect m_region;
    TFont m_font;
    QPoint m_anchor;
    bool m_dragging = false;
    QMenu* m_menu = nullptr;
    std::array<QAction*, 4> m_zoomItems{};
};

} // namespace kb
