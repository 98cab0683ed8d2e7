#include "frame/toolicons.h"

#include "docwin/drawing/icons.h"
#include "model/shemobj.h"

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

// A lens and its handle; dx moves it left to make room.
void Magnifier(QPainter& p, qreal dx)
{
    p.setPen(QPen(Qt::black, 1.5));
    p.drawEllipse(QRectF(2 + dx, 1.5, 8, 8));
    p.setPen(QPen(Qt::black, 2.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(9 + dx, 9), QPointF(13 + dx, 13));
}

// A half turn ending in an arrowhead: back (undo) or forward (redo).
void TurnArrow(QPainter& p, bool forward)
{
    if (forward) {
        p.translate(16, 0);
        p.scale(-1, 1);
    }
    p.setPen(QPen(QColor(32, 64, 160), 2, Qt::SolidLine, Qt::FlatCap));
    QPainterPath turn;
    turn.moveTo(4, 6);
    turn.lineTo(10, 6);
    turn.arcTo(QRectF(6, 6, 8, 8), 90, -180);
    turn.lineTo(6, 14);
    p.drawPath(turn);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(32, 64, 160));
    const QPointF head[] = {{1, 6}, {6, 2}, {6, 10}};
    p.drawPolygon(head, 3);
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
             // Actual size, "1:1": a magnifier would read as Find.
             p.drawRect(QRectF(0.5, 2.5, 15, 11));
             DrawIconText(p, QStringLiteral("1:1"), {4.5, 4.5}, 1);
         }},
        {"find", [](QPainter& p) { Magnifier(p, 0); }},
        {"replace",
         [](QPainter& p) {
             Magnifier(p, -1);
             p.setPen(QPen(Qt::darkGreen, 1));
             p.drawLine(QPointF(9.5, 13.5), QPointF(15.5, 13.5));
             p.drawLine(QPointF(13.5, 11.5), QPointF(15.5, 13.5));
             p.drawLine(QPointF(13.5, 15.5), QPointF(15.5, 13.5));
         }},
        {"undo", [](QPainter& p) { TurnArrow(p, false); }},
        {"redo", [](QPainter& p) { TurnArrow(p, true); }},
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

// Editing text in a block: a text cursor inside a rectangle.
QImage EditTextImage(int size)
{
    QImage image = KindImage(bkRectangle, size);
    if (size < 16) return image;
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, size != 16);
    p.scale(size / 16.0, size / 16.0);
    p.setPen(QPen(QColor(32, 64, 160), 1));
    p.drawLine(QPointF(8.5, 4.5), QPointF(8.5, 11.5));
    p.drawLine(QPointF(6.5, 4.5), QPointF(10.5, 4.5));
    p.drawLine(QPointF(6.5, 11.5), QPointF(10.5, 11.5));
    return image;
}

} // namespace

QImage ToolImage(const QString& name, int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    if (name == QLatin1String("edittext")) return EditTextImage(size);
    const auto it = Painters().find(name);
    if (it == Painters().end() || size < 16) return image;
    QPainter p(&image);
    // Drawn for 16 pixels; larger sizes smooth the stretched lines.
    p.setRenderHint(QPainter::Antialiasing, size != 16);
    p.scale(size / 16.0, size / 16.0);
    p.setPen(QPen(Qt::black, 1));
    it->second(p);
    p.end();
    return image;
}

QIcon ToolIcon(const QString& name)
{
    if (name != QLatin1String("edittext") && Painters().count(name) == 0) return {};
    return IconOfSizes([&name](int size) { return ToolImage(name, size); });
}

QIcon StandardIcon(const QString& name)
{
    static const std::map<QString, QString> themeNames = {
        {"new", "document-new"},          {"open", "document-open"}, {"save", "document-save"},
        {"print", "document-print"},      {"cut", "edit-cut"},       {"copy", "edit-copy"},
        {"paste", "edit-paste"},          {"delete", "edit-delete"}, {"find", "edit-find"},
        {"replace", "edit-find-replace"}, {"undo", "edit-undo"},     {"redo", "edit-redo"},
        {"scale", "zoom-original"},
    };
    const auto it = themeNames.find(name);
    if (it == themeNames.end()) return ToolIcon(name);
    return QIcon::fromTheme(it->second, ToolIcon(name));
}

} // namespace kb
