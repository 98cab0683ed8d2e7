// The mouse wheel over a document: it scrolls vertically, with Shift
// horizontally, and with Ctrl steps the scale through 1, 2, 4, 8 keeping the
// diagram point under the pointer where it is. Touchpads send pixel deltas
// and high-resolution wheels fractions of a notch: both add up until they
// make a whole unit, so slow movements are not lost.
#include "docwin/childd.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>

namespace kb {

namespace {

constexpr int kNotch = QWheelEvent::DefaultDeltasPerStep; // 120
// One wheel line moves the view by this many screen pixels.
constexpr int kLinePixels = 20;

int NextScale(int scale, int steps)
{
    static constexpr int kScales[] = {1, 2, 4, 8};
    int i = 0;
    while (i < 3 && kScales[i] != scale)
        ++i;
    return kScales[std::clamp(i + steps, 0, 3)];
}

// Whole units out of an accumulated amount; the rest stays for next time.
int TakeWhole(int& accumulated, int unit)
{
    const int whole = accumulated / unit; // truncates towards zero
    accumulated -= whole * unit;
    return whole;
}

} // namespace

void TChildD::wheelEvent(QWheelEvent* event)
{
    if (m_dragState != TDragState::None) return event->accept();
    if (EditorOpen()) CommitEditor(); // the box would float over the wrong place
    const Qt::KeyboardModifiers keys = event->modifiers();
    QPoint pixels = event->pixelDelta();
    QPoint angle = event->angleDelta();
    // Shift turns the wheel sideways (some systems have done so already).
    if (keys & Qt::ShiftModifier) {
        if (pixels.x() == 0) pixels = {pixels.y(), 0};
        if (angle.x() == 0) angle = {angle.y(), 0};
    }
    if (keys & Qt::ControlModifier) {
        m_wheelRest.ry() += angle.y() != 0 ? angle.y() : angle.x();
        const int steps = TakeWhole(m_wheelRest.ry(), kNotch);
        if (steps != 0) WheelZoom(steps, event->position().toPoint());
        return event->accept();
    }
    // Screen pixels to scroll, positive moving the view down or right.
    QPoint move;
    if (!pixels.isNull()) {
        move = -pixels;
    } else {
        const int line = kLinePixels * QApplication::wheelScrollLines();
        move = {-angle.x() * line / kNotch, -angle.y() * line / kNotch};
    }
    m_wheelRest += move;
    const int dx = TakeWhole(m_wheelRest.rx(), m_scale);
    const int dy = TakeWhole(m_wheelRest.ry(), m_scale);
    if (dx != 0 || dy != 0) SetScrollPositions(m_hbar->value() + dx, m_vbar->value() + dy);
    event->accept();
}

void TChildD::WheelZoom(int steps, QPoint pointer)
{
    const int scale = NextScale(m_scale, steps);
    m_wheelRest = {};
    if (scale == m_scale) return;
    const TPoint pixel{pointer.x(), pointer.y()};
    const TPoint fixed = ToDiagram(pixel);
    SetScale(scale);
    // The same diagram point under the same pixel at the new scale.
    // (Rounded as the view transform rounds, so the point maps back exactly.)
    SetScrollPositions(fixed.x - RoundEven(double(pixel.x - m_view.Left) / scale),
                       fixed.y - RoundEven(double(pixel.y - m_view.Top) / scale));
}

} // namespace kb
