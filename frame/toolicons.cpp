#include "frame/toolicons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <functional>
#include <map>

namespace kb {

namespace {

using TPainterFn = std::function<void(QPainter&)>;

void Lines(QPainter& p, int x, int y, int w, int rows, int gap)
{
    for (int i = 0; i < rows; ++i)
        p.drawLine(x, y + i * gap, x + w, y + i * gap);
}

void Sheet(QPainter& p, int x, int y, int w, int h)
{
    p.setBrush(Qt::white);
    p.drawRect(x, y, w, h);
    p.setBrush(Qt::NoBrush);
}

void TextLines(QPainter& p, int align)
{
    const int widths[] = {12, 8, 12, 6};
    for (int i = 0; i < 4; ++i) {
        const int w = widths[i];
        const int x = align == 1 ? 2 : align == 2 ? 14 - w : 8 - w / 2;
        p.drawLine(x, 3 + i * 3, x + w, 3 + i * 3);
    }
}

// Two boxes and, in red, the line they are aligned to.
void Aligned(QPainter& p, const QRect& a, const QRect& b, QLine guide)
{
    p.setBrush(QColor(128, 160, 224));
    p.drawRect(a);
    p.drawRect(b);
    p.setPen(QPen(Qt::red, 1));
    p.drawLine(guide);
}

const std::map<QString, TPainterFn>& Painters()
{
    static const std::map<QString, TPainterFn> painters = {
        {"new", [](QPainter& p) { Sheet(p, 3, 1, 10, 14); }},
        {"open",
         [](QPainter& p) {
             p.setBrush(QColor(240, 208, 96));
             p.drawRect(1, 4, 14, 10);
             p.drawRect(1, 2, 5, 2);
         }},
        {"save",
         [](QPainter& p) {
             p.setBrush(QColor(64, 96, 192));
             p.drawRect(1, 1, 14, 14);
             Sheet(p, 4, 1, 8, 5);
             p.fillRect(5, 10, 6, 5, Qt::white);
         }},
        {"print",
         [](QPainter& p) {
             Sheet(p, 4, 1, 8, 5);
             p.setBrush(Qt::lightGray);
             p.drawRect(1, 6, 14, 6);
             Sheet(p, 4, 10, 8, 5);
         }},
        {"delete",
         [](QPainter& p) {
             p.setPen(QPen(Qt::red, 2));
             p.drawLine(3, 3, 13, 13);
             p.drawLine(13, 3, 3, 13);
         }},
        {"cut",
         [](QPainter& p) {
             p.drawEllipse(2, 10, 4, 4);
             p.drawEllipse(10, 10, 4, 4);
             p.drawLine(5, 10, 11, 1);
             p.drawLine(11, 10, 5, 1);
         }},
        {"copy",
         [](QPainter& p) {
             Sheet(p, 1, 1, 8, 10);
             Sheet(p, 6, 5, 8, 10);
         }},
        {"paste",
         [](QPainter& p) {
             p.setBrush(QColor(176, 128, 64));
             p.drawRect(1, 2, 10, 13);
             Sheet(p, 6, 6, 8, 9);
         }},
        {"scale",
         [](QPainter& p) {
             p.setPen(QPen(Qt::black, 2));
             p.drawEllipse(2, 2, 8, 8);
             p.drawLine(10, 10, 14, 14);
         }},
        {"list",
         [](QPainter& p) {
             Sheet(p, 1, 1, 14, 14);
             Lines(p, 3, 4, 10, 4, 3);
         }},
        {"grid",
         [](QPainter& p) {
             for (int x = 1; x < 16; x += 3)
                 for (int y = 1; y < 16; y += 3)
                     p.drawPoint(x, y);
         }},
        {"fullscreen",
         [](QPainter& p) {
             p.drawRect(1, 2, 14, 11);
             p.fillRect(2, 3, 13, 2, QColor(64, 96, 192));
         }},
        {"textleft", [](QPainter& p) { TextLines(p, 1); }},
        {"textcenter", [](QPainter& p) { TextLines(p, 0); }},
        {"textright", [](QPainter& p) { TextLines(p, 2); }},
        {"select",
         [](QPainter& p) {
             p.setBrush(Qt::white);
             const QPoint arrow[] = {{4, 1}, {4, 13}, {7, 10}, {9, 15}, {11, 14}, {9, 9}, {13, 9}};
             p.drawPolygon(arrow, 7);
         }},
        {"edittext",
         [](QPainter& p) {
             QFont f = p.font();
             f.setPixelSize(13);
             f.setBold(true);
             p.setFont(f);
             p.drawText(QRect(0, 0, 16, 16), Qt::AlignCenter, QStringLiteral("T"));
         }},
        {"textblock",
         [](QPainter& p) {
             QFont f = p.font();
             f.setPixelSize(10);
             p.setFont(f);
             p.drawText(QRect(0, 0, 16, 16), Qt::AlignCenter, QStringLiteral("Abc"));
         }},
        {"pointadd",
         [](QPainter& p) {
             p.drawLine(1, 14, 14, 1);
             p.fillRect(6, 6, 4, 4, Qt::black);
             p.setPen(QPen(Qt::darkGreen, 2));
             p.drawLine(10, 13, 15, 13);
             p.drawLine(12, 11, 12, 15);
         }},
        {"pointdelete",
         [](QPainter& p) {
             p.drawLine(1, 14, 14, 1);
             p.fillRect(6, 6, 4, 4, Qt::black);
             p.setPen(QPen(Qt::red, 2));
             p.drawLine(10, 13, 15, 13);
         }},
        {"hand",
         [](QPainter& p) {
             p.setBrush(QColor(255, 224, 192));
             p.drawRoundedRect(3, 6, 10, 9, 2, 2);
             for (int x = 3; x <= 12; x += 3)
                 p.drawRoundedRect(x, 1, 2, 7, 1, 1);
         }},
        {"alignleft",
         [](QPainter& p) {
             Aligned(p, {3, 2, 10, 4}, {3, 9, 6, 4}, {2, 0, 2, 15});
         }},
        {"alignhcenter",
         [](QPainter& p) {
             Aligned(p, {2, 2, 12, 4}, {5, 9, 6, 4}, {8, 0, 8, 15});
         }},
        {"alignright",
         [](QPainter& p) {
             Aligned(p, {2, 2, 10, 4}, {6, 9, 6, 4}, {13, 0, 13, 15});
         }},
        {"spaceh",
         [](QPainter& p) {
             Aligned(p, {0, 5, 3, 6}, {6, 5, 3, 6}, {0, 14, 15, 14});
             p.setPen(Qt::black);
             p.setBrush(QColor(128, 160, 224));
             p.drawRect(12, 5, 3, 6);
         }},
        {"aligntop",
         [](QPainter& p) {
             Aligned(p, {2, 3, 4, 10}, {9, 3, 4, 6}, {0, 2, 15, 2});
         }},
        {"alignvcenter",
         [](QPainter& p) {
             Aligned(p, {2, 2, 4, 12}, {9, 5, 4, 6}, {0, 8, 15, 8});
         }},
        {"alignbottom",
         [](QPainter& p) {
             Aligned(p, {2, 2, 4, 10}, {9, 6, 4, 6}, {0, 13, 15, 13});
         }},
        {"spacev",
         [](QPainter& p) {
             Aligned(p, {5, 0, 6, 3}, {5, 6, 6, 3}, {14, 0, 14, 15});
             p.setPen(Qt::black);
             p.setBrush(QColor(128, 160, 224));
             p.drawRect(5, 12, 6, 3);
         }},
    };
    return painters;
}

} // namespace

QIcon ToolIcon(const QString& name)
{
    const auto it = Painters().find(name);
    if (it == Painters().end()) return {};
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setPen(QPen(Qt::black, 1));
    it->second(p);
    p.end();
    return QIcon(pixmap);
}

} // namespace kb
