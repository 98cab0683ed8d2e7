#include "docwin/drawing/icons.h"

#include "docwin/drawing/rastercanvas.h"
#include "docwin/drawing/shapedraw.h"

#include <QPixmap>

namespace kb {
namespace {

constexpr int kIconSize = 16;

QImage Blank()
{
    QImage image(kIconSize, kIconSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

// Where each kind sits in the icon: most fill a landscape box, the joint
// point is a dot and the divider is as tall as a page corner.
Block SampleBlock(int kind)
{
    Block b;
    b.Kind = uint8_t(kind);
    b.SetRect({1, 3, 15, 13});
    switch (kind) {
    case bkEllipse:
        b.SetRect({0, 3, 16, 13});
        break;
    case bkRhomb:
        b.SetRect({0, 1, 16, 15});
        break;
    case bkParallelogram:
        b.SetRect({0, 3, 16, 13});
        break;
    case bkJoint:
        b.SetRect({5, 5, 11, 11});
        break;
    case bkText:
        b.Text = "T";
        b.SetRect({0, 0, 16, 16});
        break;
    case bkCommentary:
        b.SetRect({4, 1, 14, 15});
        break;
    case bkDivider:
        b.SetRect({2, 1, 14, 15});
        break;
    default:
        break;
    }
    return b;
}

} // namespace

QImage KindImage(int kind)
{
    QImage image = Blank();
    if (kind < 0 || kind >= kBlockKindCount) return image;
    TRasterCanvas canvas(image);
    canvas.SetFont({"Arial", 8});
    canvas.SetFontColor(clBlack);
    // Joint points show as a filled dot, as when selected.
    DrawBlock(canvas, SampleBlock(kind), kind == bkJoint, TViewTransform{{0, 0}, 1}, clWhite);
    return image;
}

// A link between two invisible blocks, drawn by the link drawing itself.
QImage LinkStyleImage(int style)
{
    QImage image = Blank();
    if (style < 0 || style > 7) return image;
    TShem shem;
    Block end;
    end.Kind = bkText;
    end.SetRect({1, 8, 1, 8});
    TShemObj* a = shem.Get(shem.AddBlock(end));
    end.SetRect({14, 8, 14, 8});
    TShemObj* b = shem.Get(shem.AddBlock(end));
    TLink link;
    link.Style = uint8_t(style);
    link.EndA = a;
    link.EndB = b;
    TRasterCanvas canvas(image);
    DrawLink(canvas, shem, link, false, TViewTransform{{0, 0}, 1}, clWhite);
    return image;
}

QIcon KindIcon(int kind)
{
    return QIcon(QPixmap::fromImage(KindImage(kind)));
}
QIcon LinkStyleIcon(int style)
{
    return QIcon(QPixmap::fromImage(LinkStyleImage(style)));
}

} // namespace kb
