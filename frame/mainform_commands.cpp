// The commands of the main window that use its dialogs (Align, Size, the
// property dialogs, Options, the full-screen view, the Pascal export) and
// the template menus of the document context menu. The work itself is done
// by the commands library; here it is bound to the active document.
#include "frame/mainform.h"

#include "docwin/childd.h"
#include "docwin/fullview/fullview.h"
#include "docwin/messagebox.h"
#include "frame/commands/documentcommands.h"
#include "frame/dialogs/alignform.h"
#include "frame/dialogs/blockprop.h"
#include "frame/dialogs/linkprop.h"
#include "frame/dialogs/optionsform.h"
#include "frame/dialogs/propertiescommand.h"
#include "frame/dialogs/sizeform.h"
#include "pasexport/ui/expform.h"

#include <QAction>
#include <QMenu>

#include <new>

namespace kb {

namespace {

template <typename T> T& Once(T*& dialog, QWidget* parent)
{
    if (!dialog) dialog = new T(parent);
    return *dialog;
}

} // namespace

void TMainForm::LoadTemplates(const QString& folder)
{
    m_templates = FindTemplates(folder);
    // A template item's tag is its index in the list.
    auto withTemplate = [this](bool (*use)(TChildD&, const QString&)) {
        return [this, use](int index) {
            TChildD* doc = ActiveDocument();
            if (doc && index >= 0 && index < int(m_templates.size()))
                use(*doc, m_templates[size_t(index)].Path);
        };
    };
    BuildTemplateMenus(m_templates, Command(TCommandId::ReplaceTemplates)->menu(),
                       Command(TCommandId::InsertTemplates)->menu(),
                       withTemplate(kb::ReplaceWithTemplate), withTemplate(kb::InsertTemplate));
}

void TMainForm::AskAndAlignBlocks()
{
    TChildD* doc = ActiveDocument();
    TAlignF& dialog = Once(m_alignForm, this);
    dialog.Reset();
    if (doc && dialog.Execute()) kb::AlignBlocks(*doc, dialog.Horizontal(), dialog.Vertical());
}

void TMainForm::AskAndSizeBlocks()
{
    TChildD* doc = ActiveDocument();
    TSizeF& dialog = Once(m_sizeForm, this);
    dialog.Reset();
    if (doc && dialog.Execute()) kb::SizeBlocks(*doc, dialog.WidthRule(), dialog.HeightRule());
}

void TMainForm::EditSelectionProperties()
{
    if (TChildD* doc = ActiveDocument())
        EditProperties(*doc, Once(m_blockProp, this), Once(m_linkProp, this));
}

void TMainForm::EditOptions()
{
    TColor background = m_background;
    int seconds = m_autosaveInterval;
    if (!Once(m_options, this).Edit(m_standSize, background, seconds, m_language)) return;
    SetBackground(background);
    SetAutosaveInterval(seconds);
}

void TMainForm::ShowFullScreenPreview()
{
    TChildD* doc = ActiveDocument();
    if (!doc) return;
    if (doc->EditorOpen()) doc->CommitEditor();
    TFullViewForm& view = Once(m_fullView, this);
    view.SetDocument(doc);
    view.Execute();
}

void TMainForm::ExportPascal()
{
    TChildD* doc = ActiveDocument();
    if (!doc) return;
    // The text being typed is part of what the export shows.
    if (doc->EditorOpen()) doc->CommitEditor();
    // The export runs as the window shows; running out of memory in it is
    // told, not an abort.
    try {
        Once(m_expForm, this).ShowExport(doc->Shem().SaveToBytes());
    } catch (const std::bad_alloc&) {
        MessageBox(this, QMessageBox::Critical,
                   tr("Not enough memory to turn the block diagram into Pascal."));
    }
}

} // namespace kb
