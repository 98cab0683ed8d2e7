// The main window's commands on the selected blocks and its dialogs: the
// Alignment palette, the document context menu, Options, the full-screen
// view and the Pascal export. The work itself is done by the commands
// library; here they are bound to the active document.
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

// The "Replace to" > "Block" and "Insert " > "Block " items, by the kind in their data.
constexpr const char* kReplaceKindItems[] = {"MenuItem5", "MenuItem6", "MenuItem7", "MenuItem8",
                                             "Comment1",  "Document1", "Process1",  "Page1"};
constexpr const char* kInsertKindItems[] = {"Rectangle1",     "Ellipse1", "Rhomb1",
                                            "Parallelogram1", "Text1",    "Comment2",
                                            "Document2",      "Process2", "Page2"};

template <typename T> T& Once(T*& dialog, QWidget* parent)
{
    if (!dialog) dialog = new T(parent);
    return *dialog;
}

} // namespace

void TMainForm::ConnectDocumentMenu()
{
    auto on = [this](const char* name, void (TMainForm::*slot)()) {
        connect(Action(QLatin1String(name)), &QAction::triggered, this, slot);
    };
    on("AligntoGrid1", &TMainForm::AligntoGrid1Click);
    on("MenuItem1", &TMainForm::MenuItem1Click);
    on("MenuItem2", &TMainForm::MenuItem2Click);
    on("Properties1", &TMainForm::Properties1Click);
    for (const char* name : kReplaceKindItems) {
        QAction* a = Action(QLatin1String(name));
        connect(a, &QAction::triggered, this,
                [this, a] { ChangeBlockTypeClick(a->data().toInt()); });
    }
    for (const char* name : kInsertKindItems) {
        QAction* a = Action(QLatin1String(name));
        connect(a, &QAction::triggered, this, [this, a] { InsertBlockClick(a->data().toInt()); });
    }
}

void TMainForm::LoadTemplates(const QString& folder)
{
    m_templates = FindTemplates(folder);
    BuildTemplateMenus(
        m_templates, Action(QStringLiteral("Templates1"))->menu(),
        Action(QStringLiteral("Templates2"))->menu(), [this](int i) { ReplaceWithTemplate(i); },
        [this](int i) { InsertTemplate(i); });
}

void TMainForm::AlignBlocks(int horizontal, int vertical)
{
    if (TChildD* doc = ActiveDocument()) kb::AlignBlocks(*doc, horizontal, vertical);
}

void TMainForm::AligntoGrid1Click()
{
    if (TChildD* doc = ActiveDocument()) AlignToGrid(*doc);
}

void TMainForm::MenuItem1Click()
{
    TChildD* doc = ActiveDocument();
    TAlignF& dialog = Once(m_alignForm, this);
    dialog.Reset();
    if (doc && dialog.Execute()) kb::AlignBlocks(*doc, dialog.Horizontal(), dialog.Vertical());
}

void TMainForm::MenuItem2Click()
{
    TChildD* doc = ActiveDocument();
    TSizeF& dialog = Once(m_sizeForm, this);
    dialog.Reset();
    if (doc && dialog.Execute()) kb::SizeBlocks(*doc, dialog.WidthRule(), dialog.HeightRule());
}

void TMainForm::ChangeBlockTypeClick(int kind)
{
    if (TChildD* doc = ActiveDocument()) ChangeBlockType(*doc, kind);
}

void TMainForm::InsertBlockClick(int kind)
{
    if (TChildD* doc = ActiveDocument()) {
        const TBlockSize& size = StandardSize(kind);
        InsertBlock(*doc, kind, {size.Width, size.Height});
    }
}

void TMainForm::InsertTemplate(int index)
{
    TChildD* doc = ActiveDocument();
    if (doc && index >= 0 && index < int(m_templates.size()))
        kb::InsertTemplate(*doc, m_templates[size_t(index)].Path);
}

void TMainForm::ReplaceWithTemplate(int index)
{
    TChildD* doc = ActiveDocument();
    if (doc && index >= 0 && index < int(m_templates.size()))
        kb::ReplaceWithTemplate(*doc, m_templates[size_t(index)].Path);
}

void TMainForm::Properties1Click()
{
    if (TChildD* doc = ActiveDocument())
        EditProperties(*doc, Once(m_blockProp, this), Once(m_linkProp, this));
}

void TMainForm::OptionsClick()
{
    TColor background = m_background;
    int seconds = m_autosaveInterval;
    if (!Once(m_options, this).Edit(m_standSize, background, seconds, m_language)) return;
    SetBackground(background);
    SetAutosaveInterval(seconds);
}

void TMainForm::Fullscreenpreview1Click()
{
    TChildD* doc = ActiveDocument();
    if (!doc) return;
    if (doc->EditorOpen()) doc->CommitEditor();
    TFullViewForm& view = Once(m_fullView, this);
    view.SetDocument(doc);
    view.Execute();
}

void TMainForm::toPascal1Click()
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
