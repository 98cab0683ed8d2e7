// The drop-down list of the eight link styles, each item a picture of the
// line with its arrowheads (bit 0 at the right end, bit 1 at the left end,
// bit 2 dotted), drawn by the list itself, also in the closed list.
#pragma once

#include <QComboBox>

class QPainter;

namespace kb {

constexpr int kLinkStyleCount = 8;
constexpr int kLinkStyleItemHeight = 16;

// Draws style's picture filling r with background; the pen is white for a
// selected item and black otherwise.
void DrawLinkStyleItem(QPainter& painter, const QRect& r, int style, bool selected,
                       const QColor& background);

class TLinkStyleList : public QComboBox
{
    Q_OBJECT

public:
    explicit TLinkStyleList(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace kb
