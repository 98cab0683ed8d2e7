#include "docwin/cursors.h"

#include <QPainter>
#include <QPixmap>
#include <QWidget>

#include <array>
#include <optional>

namespace kb {

namespace {

constexpr int kSize = 32;

// The arrow every own cursor starts from, its tip at the hot spot (1, 1).
void DrawArrow(QPainter& p)
{
    const QPointF arrow[] = {{1, 1}, {1, 17}, {5, 13}, {8, 20}, {10, 19}, {7, 12}, {12, 12}};
    p.setPen(QPen(Qt::white, 1));
    p.setBrush(Qt::black);
    p.drawPolygon(arrow, int(std::size(arrow)));
}

// A plain segment with a dot at each end: where a link will run.
void DrawLinkMark(QPainter& p)
{
    p.setPen(QPen(Qt::black, 2));
    p.drawLine(14, 26, 28, 14);
    p.setBrush(Qt::black);
    p.drawEllipse(QPointF(14, 26), 2, 2);
    p.drawEllipse(QPointF(28, 14), 2, 2);
}

// A small block: the link would attach here.
void DrawBlockMark(QPainter& p)
{
    p.setPen(QPen(Qt::black, 2));
    p.drawLine(12, 28, 21, 19);
    p.setBrush(Qt::white);
    p.drawRect(20, 12, 10, 8);
}

// A bend of a link with a sign beside it: add or remove a joint point.
void DrawCornerMark(QPainter& p, bool plus)
{
    p.setPen(QPen(Qt::black, 2));
    p.drawLine(12, 30, 20, 22);
    p.drawLine(20, 22, 30, 28);
    p.fillRect(18, 20, 4, 4, Qt::black);
    p.drawLine(22, 13, 30, 13);
    if (plus) p.drawLine(26, 9, 26, 17);
}

QCursor OwnCursor(TCursorId id)
{
    QPixmap pix(kSize, kSize);
    pix.fill(Qt::transparent);
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing, false);
    DrawArrow(p);
    switch (id) {
    case TCursorId::Link:
        DrawLinkMark(p);
        break;
    case TCursorId::BlockLink:
        DrawBlockMark(p);
        break;
    case TCursorId::CornerPlus:
        DrawCornerMark(p, true);
        break;
    default:
        DrawCornerMark(p, false);
        break;
    }
    p.end();
    return QCursor(pix, 1, 1);
}

QCursor MakeCursor(TCursorId id)
{
    switch (id) {
    case TCursorId::Link:
    case TCursorId::BlockLink:
    case TCursorId::CornerPlus:
    case TCursorId::CornerMinus:
        return OwnCursor(id);
    case TCursorId::HandClosed:
        return Qt::ClosedHandCursor;
    case TCursorId::Move:
        return Qt::SizeAllCursor;
    case TCursorId::SizeNS:
        return Qt::SizeVerCursor;
    case TCursorId::SizeNESW:
        return Qt::SizeBDiagCursor;
    case TCursorId::SizeWE:
        return Qt::SizeHorCursor;
    case TCursorId::SizeNWSE:
        return Qt::SizeFDiagCursor;
    case TCursorId::Hand:
        return Qt::OpenHandCursor;
    case TCursorId::IBeam:
        return Qt::IBeamCursor;
    case TCursorId::Default:
        break;
    }
    return Qt::ArrowCursor;
}

} // namespace

const QCursor& ToolCursor(TCursorId id)
{
    constexpr int kCount = int(TCursorId::IBeam) + 1;
    // Never freed: a cursor picture must not outlive the application object,
    // and static destructors run after it is gone.
    static auto* cache = new std::array<std::optional<QCursor>, kCount>;
    const int i = int(id) >= 0 && int(id) < kCount ? int(id) : 0;
    auto& slot = (*cache)[size_t(i)];
    if (!slot) slot = MakeCursor(TCursorId(i));
    return *slot;
}

void SetToolCursor(QWidget& widget, TCursorId id)
{
    widget.setCursor(ToolCursor(id));
}

TCursorId HandleCursor(int handle)
{
    switch (handle) {
    case 1:
    case 5:
        return TCursorId::SizeNS;
    case 2:
    case 6:
        return TCursorId::SizeNESW;
    case 3:
    case 7:
        return TCursorId::SizeWE;
    default:
        return TCursorId::SizeNWSE;
    }
}

} // namespace kb
