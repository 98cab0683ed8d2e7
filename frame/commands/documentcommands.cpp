#include "frame/commands/documentcommands.h"

#include "docwin/childd.h"
#include "docwin/messagebox.h"
#include "frame/commands/blockalign.h"
#include "frame/commands/blockkind.h"
#include "frame/commands/templates.h"

namespace kb {

namespace {

// Runs command on the document's diagram and selection as one undo step.
template <typename Command> bool Run(TChildD& doc, TAction action, Command command)
{
    if (doc.EditorOpen()) doc.CommitEditor();
    return doc.Edit(action, [&](TEdit& edit) {
        edit.TouchAll();
        const TSelectionTarget target{
            edit.Shem(), edit.Selection(),
            [&edit](const std::vector<TShemObj*>& entries) { edit.Remove(entries); }};
        return bool(command(target));
    });
}

std::unique_ptr<TShem> LoadOrReport(TChildD& doc, const QString& path)
{
    QString error;
    std::unique_ptr<TShem> pattern = LoadTemplate(path, &error);
    if (!pattern) MessageBox(&doc, QMessageBox::Warning, error);
    return pattern;
}

} // namespace

TPoint ContextPoint(const TChildD& doc)
{
    const TPoint p = doc.ToDiagram(doc.Anchor());
    return {ClampCoord(p.x), ClampCoord(p.y)};
}

bool AlignBlocks(TChildD& doc, int horizontal, int vertical)
{
    return Run(doc, TAction::Align, [&](const TSelectionTarget& target) {
        return AlignBlocks(target, horizontal, vertical);
    });
}

bool SizeBlocks(TChildD& doc, const TSizeRule& width, const TSizeRule& height)
{
    return Run(doc, TAction::Resize,
               [&](const TSelectionTarget& target) { return SizeBlocks(target, width, height); });
}

bool AlignToGrid(TChildD& doc)
{
    return Run(doc, TAction::Align,
               [](const TSelectionTarget& target) { return AlignToGrid(target); });
}

bool ChangeBlockType(TChildD& doc, int kind)
{
    return Run(doc, TAction::ChangeKind,
               [&](const TSelectionTarget& target) { return ChangeBlockType(target, kind); });
}

bool InsertBlock(TChildD& doc, int kind, TPoint extent)
{
    TShemObj* block = nullptr;
    const TPoint at = ContextPoint(doc);
    if (!Run(doc, TAction::CreateBlock, [&](const TSelectionTarget& target) {
            block = InsertBlock(target, kind, at, extent);
            return block != nullptr;
        }))
        return false;
    doc.OpenEditor(block);
    doc.Host().SetCurrentTool(tcSelect);
    return true;
}

bool InsertTemplate(TChildD& doc, const QString& path)
{
    const std::unique_ptr<TShem> pattern = LoadOrReport(doc, path);
    const TPoint at = ContextPoint(doc);
    return pattern && Run(doc, TAction::InsertTemplate, [&](const TSelectionTarget& target) {
               return InsertTemplate(target, *pattern, at);
           });
}

bool ReplaceWithTemplate(TChildD& doc, const QString& path)
{
    const std::unique_ptr<TShem> pattern = LoadOrReport(doc, path);
    return pattern && Run(doc, TAction::ReplaceWithTemplate, [&](const TSelectionTarget& target) {
               return ReplaceWithTemplate(target, *pattern);
           });
}

} // namespace kb
