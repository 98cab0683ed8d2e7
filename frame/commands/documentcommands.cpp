#include "frame/commands/documentcommands.h"

#include "docwin/childd.h"
#include "docwin/messagebox.h"
#include "frame/commands/blockalign.h"
#include "frame/commands/blockkind.h"
#include "frame/commands/templates.h"

namespace kb {

namespace {

// Marks and repaints after a change, and brings the object list's kinds,
// positions and sizes up to date; passes the result through.
bool Finish(TChildD& doc, bool changed)
{
    if (changed) {
        doc.SetModified(true);
        doc.ForgetRemovedEntries();
        doc.Shem().RefreshList();
        doc.Repaint();
    }
    return changed;
}

std::unique_ptr<TShem> LoadOrReport(TChildD& doc, const QString& path)
{
    QString error;
    std::unique_ptr<TShem> pattern = LoadTemplate(path, &error);
    if (!pattern) MessageBox(&doc, QMessageBox::Warning, error);
    return pattern;
}

} // namespace

TSelectionTarget TargetOf(TChildD& doc, bool withUndo)
{
    TSelectionTarget target{doc.Shem(), doc.Selection(), {}};
    if (withUndo) target.Snapshot = [&doc] { doc.TakeSnapshot(); };
    return target;
}

TPoint ContextPoint(const TChildD& doc)
{
    const TPoint p = doc.ToDiagram(doc.Anchor());
    return {ClampCoord(p.x), ClampCoord(p.y)};
}

bool AlignBlocks(TChildD& doc, int horizontal, int vertical)
{
    return Finish(doc, AlignBlocks(TargetOf(doc, true), horizontal, vertical));
}

bool SizeBlocks(TChildD& doc, const TSizeRule& width, const TSizeRule& height)
{
    return Finish(doc, SizeBlocks(TargetOf(doc, false), width, height));
}

bool AlignToGrid(TChildD& doc)
{
    return Finish(doc, AlignToGrid(TargetOf(doc, true)));
}

bool ChangeBlockType(TChildD& doc, int kind)
{
    return Finish(doc, ChangeBlockType(TargetOf(doc, false), kind));
}

bool InsertBlock(TChildD& doc, int kind, TPoint extent)
{
    TShemObj* block = InsertBlock(TargetOf(doc, true), kind, ContextPoint(doc), extent);
    if (!block) return false;
    Finish(doc, true);
    doc.OpenEditor(block);
    doc.Host().SetCurrentTool(tcSelect);
    doc.Repaint();
    return true;
}

bool InsertTemplate(TChildD& doc, const QString& path)
{
    const std::unique_ptr<TShem> pattern = LoadOrReport(doc, path);
    return pattern && Finish(doc, InsertTemplate(TargetOf(doc, true), *pattern, ContextPoint(doc)));
}

bool ReplaceWithTemplate(TChildD& doc, const QString& path)
{
    const std::unique_ptr<TShem> pattern = LoadOrReport(doc, path);
    return pattern && Finish(doc, ReplaceWithTemplate(TargetOf(doc, false), *pattern));
}

} // namespace kb
