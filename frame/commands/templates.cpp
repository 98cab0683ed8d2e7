#include "frame/commands/templates.h"

#include "docwin/editops.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace kb {

namespace {

bool HasBlock(const TShem& shem)
{
    for (int i = 0; i < shem.Count(); ++i)
        if (shem.Get(i)->IsBlock()) return true;
    return false;
}

QString Quoted(const QString& path)
{
    return QStringLiteral("«%1»").arg(QFileInfo(path).fileName());
}

// Where the template's bounds start so that all of it lies in the diagram.
TPoint FittedCorner(TPoint at, const TRect& bounds)
{
    const int32_t w = bounds.Right - bounds.Left;
    const int32_t h = bounds.Bottom - bounds.Top;
    return {std::clamp(at.x, 0, kMaxCoord - w), std::clamp(at.y, 0, kMaxCoord - h)};
}

// Pastes pattern with its bounds' corner at `at`; the copies go to *pasted.
void PasteAt(TShem& shem, const TShem& pattern, TPoint at, std::vector<TShemObj*>* pasted)
{
    const TRect bounds = pattern.Bounds();
    const TPoint corner = FittedCorner(at, bounds);
    shem.PasteFrom(pattern, {corner.x - bounds.Left, corner.y - bounds.Top}, pasted);
}

// The blocks at and below y0 move down by dy, then those at and right of x0
// move right by dx: the room the template takes beyond the replaced block.
void MakeRoom(TShem& shem, TPoint corner, int64_t dx, int64_t dy)
{
    for (int i = 0; i < shem.Count(); ++i) {
        Block* b = shem.Get(i)->IsBlock() ? &shem.Get(i)->block() : nullptr;
        if (b && b->Top >= corner.y) b->SetRect(MovedInside(b->Rect(), 0, dy));
    }
    for (int i = 0; i < shem.Count(); ++i) {
        Block* b = shem.Get(i)->IsBlock() ? &shem.Get(i)->block() : nullptr;
        if (b && b->Left >= corner.x) b->SetRect(MovedInside(b->Rect(), dx, 0));
    }
}

struct TTopAndBottom
{
    TShemObj* Topmost = nullptr;
    TShemObj* Lowest = nullptr;
};

TTopAndBottom TopAndBottomOf(const std::vector<TShemObj*>& entries)
{
    TTopAndBottom r;
    for (TShemObj* e : entries) {
        if (!e->IsBlock()) continue;
        if (!r.Topmost || e->block().Top < r.Topmost->block().Top) r.Topmost = e;
        if (!r.Lowest || e->block().Bottom > r.Lowest->block().Bottom) r.Lowest = e;
    }
    return r;
}

// Every link end on `from` goes to `to.Lowest` when it lies below from's
// centre, otherwise to `to.Topmost`; the attachment positions stay.
void MoveLinkEnds(TShem& shem, TShemObj* from, const TTopAndBottom& to)
{
    const Block& b = from->block();
    const TPoint centre = MidPoint({b.Left, b.Top}, {b.Right, b.Bottom});
    auto newEnd = [&](TPoint pos) {
        return shem.AttachPoint(pos, from).y > centre.y ? to.Lowest : to.Topmost;
    };
    for (int i = 0; i < shem.Count(); ++i) {
        if (!shem.Get(i)->IsLink()) continue;
        TLink& l = shem.Get(i)->link();
        if (l.EndA == from) l.EndA = newEnd(l.PosA);
        if (l.EndB == from) l.EndB = newEnd(l.PosB);
    }
}

} // namespace

std::unique_ptr<TShem> LoadTemplate(const QString& path, QString* error)
{
    auto fail = [&](const QString& text) {
        if (error) *error = text;
        return nullptr;
    };
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(
            QCoreApplication::translate("kb::TTemplates", "Could not read the template file %1.")
                .arg(Quoted(path)));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return fail(
            QCoreApplication::translate("kb::TTemplates", "Could not read the template file %1.")
                .arg(Quoted(path)));
    auto shem = std::make_unique<TShem>();
    const auto* data = reinterpret_cast<const uint8_t*>(bytes.constData());
    if (!shem->LoadFromStream({data, size_t(bytes.size())}))
        return fail(QCoreApplication::translate("kb::TTemplates",
                                                "The template file %1 is not a block diagram.")
                        .arg(Quoted(path)));
    if (!HasBlock(*shem))
        return fail(QCoreApplication::translate("kb::TTemplates", "The template %1 has no block.")
                        .arg(Quoted(path)));
    return shem;
}

bool InsertTemplate(const TSelectionTarget& target, const TShem& pattern, TPoint at)
{
    if (!HasBlock(pattern)) return false;
    target.Selection.clear();
    PasteAt(target.Shem, pattern, at, &target.Selection);
    return true;
}

bool ReplaceWithTemplate(const TSelectionTarget& target, const TShem& pattern)
{
    const auto first = std::find_if(target.Selection.begin(), target.Selection.end(),
                                    [](const TShemObj* e) { return e && e->IsBlock(); });
    if (first == target.Selection.end() || !HasBlock(pattern)) return false;
    TShemObj* replaced = *first;
    const Block old = replaced->block();
    const TRect bounds = pattern.Bounds();
    const TPoint corner{old.Left, old.Top};
    MakeRoom(target.Shem, corner, int64_t(bounds.Right - bounds.Left) - old.Width(),
             int64_t(bounds.Bottom - bounds.Top) - old.Height());

    std::vector<TShemObj*> pasted;
    PasteAt(target.Shem, pattern, corner, &pasted);
    MoveLinkEnds(target.Shem, replaced, TopAndBottomOf(pasted));
    target.Remove({replaced});
    ForgetRemoved(target);
    return true;
}

} // namespace kb
