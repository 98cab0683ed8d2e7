#include "frame/dialogs/linkstylelist.h"

#include "docwin/drawing/paintercanvas.h"

#include <QAbstractItemView>
#include <QPainter>
#include <QStyleOptionComboBox>
#include <QStylePainter>
#include <QStyledItemDelegate>

namespace kb {

namespace {

TColor ToTColor(const QColor& c)
{
    return RGBColor(c.red(), c.green(), c.blue());
}

class TStyleItemDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override
    {
        const bool selected = option.state & QStyle::State_Selected;
        const QColor background =
            option.palette.color(selected ? QPalette::Highlight : QPalette::Base);
        DrawLinkStyleItem(*painter, option.rect, index.row(), selected, background);
    }
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const override
    {
        return {option.rect.width(), kLinkStyleItemHeight};
    }
};

} // namespace

void DrawLinkStyleItem(QPainter& painter, const QRect& r, int style, bool selected,
                       const QColor& background)
{
    painter.save();
    TPainterCanvas canvas(painter);
    // Edges as the list gives them: right and bottom just outside the item.
    const int left = r.left(), right = r.left() + r.width();
    const int y = (r.top() + r.top() + r.height()) / 2;
    canvas.SetBrushStyle(TBrushStyle::Solid);
    canvas.SetBrushColor(ToTColor(background));
    canvas.FillRect({left, r.top(), right, r.top() + r.height()});
    canvas.SetPenStyle(TPenStyle::Solid);
    canvas.SetPenColor(selected ? clWhite : clBlack);
    auto polyline = [&](std::initializer_list<TPoint> points) {
        canvas.MoveTo(*points.begin());
        for (auto p = points.begin() + 1; p != points.end(); ++p)
            canvas.LineTo(*p);
    };
    const int arrows = style % 4;
    if (arrows == 1 || arrows == 3)
        polyline({{right - 3, y}, {right - 10, y - 3}, {right - 10, y + 3}, {right - 3, y}});
    if (arrows == 2 || arrows == 3)
        polyline({{left + 3, y}, {left + 10, y - 3}, {left + 10, y + 3}, {left + 3, y}});
    canvas.SetPenStyle(style > 3 ? TPenStyle::Dotted : TPenStyle::Solid);
    polyline({{left + 3, y}, {right - 3, y}});
    painter.restore();
}

TLinkStyleList::TLinkStyleList(QWidget* parent) : QComboBox(parent)
{
    for (int s = 0; s < kLinkStyleCount; ++s)
        addItem(QString(), s);
    setItemDelegate(new TStyleItemDelegate(this));
    setMinimumWidth(100);
}

void TLinkStyleList::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    const QRect field =
        style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    if (currentIndex() < 0) return;
    const bool focused = hasFocus();
    DrawLinkStyleItem(painter, field, currentIndex(), focused,
                      palette().color(focused ? QPalette::Highlight : QPalette::Base));
}

} // namespace kb
