// The main window's use of the services: settings, plug-ins, the graphic
// export module, printing, find and replace, help.
#include "frame/mainform.h"

#include "docwin/childd.h"
#include "docwin/messagebox.h"
#include "frame/filedialogs.h"
#include "frame/objectlist.h"
#include "frame/services/exportmodule.h"
#include "frame/services/help.h"
#include "frame/services/pluginhost.h"
#include "frame/services/printing.h"
#include "frame/services/searchdialogs.h"
#include "frame/services/searchtarget.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMdiArea>
#include <QMenu>
#include <QStatusBar>
#include <QToolBar>

#include <algorithm>
#include <optional>
#include <tuple>

namespace kb {

namespace {

Qt::ToolBarArea AreaOf(int dock)
{
    switch (dock) {
    case dcBottom:
        return Qt::BottomToolBarArea;
    case dcLeft:
        return Qt::LeftToolBarArea;
    case dcRight:
        return Qt::RightToolBarArea;
    default:
        return Qt::TopToolBarArea;
    }
}

int DockOf(Qt::ToolBarArea area)
{
    switch (area) {
    case Qt::BottomToolBarArea:
        return dcBottom;
    case Qt::LeftToolBarArea:
        return dcLeft;
    case Qt::RightToolBarArea:
        return dcRight;
    default:
        return dcTop;
    }
}

// Find and replace work on the active document through this.
class TMainFormSearch : public TSearchTarget
{
public:
    explicit TMainFormSearch(TMainForm& main) : m_main(main) {}

    const TShem* ActiveDiagram() override
    {
        TChildD* doc = m_main.ActiveDocument();
        return doc ? &doc->Shem() : nullptr;
    }
    TShemObj* SearchStart() override
    {
        TChildD* doc = m_main.ActiveDocument();
        return doc && !doc->Selection().empty() ? doc->Selection().front() : nullptr;
    }
    void ShowFound(TShemObj* entry) override
    {
        TChildD* doc = m_main.ActiveDocument();
        if (!doc || !entry) return;
        if (entry->IsBlock()) doc->CenterOnBlock(entry->block());
        doc->SetSelection({entry});
        doc->Repaint();
    }
    void ChangeTexts(const std::function<bool(TShem&)>& replace) override
    {
        TChildD* doc = m_main.ActiveDocument();
        if (!doc) return;
        if (doc->EditorOpen()) doc->CommitEditor();
        doc->Edit(TAction::Replace, [&](TEdit& edit) {
            edit.TouchAll();
            return replace(edit.Shem());
        });
    }
    QWidget* MessageParent() override { return &m_main; }

private:
    TMainForm& m_main;
};

} // namespace

// Qt lays the bars of one dock area out in the order they are added, a
// break starting a new row: adding them sorted by stored row and position
// rebuilds the layout. A floating bar cannot be floated again through Qt's
// API; it comes back docked at the top.
void TMainForm::PlaceToolbars(std::vector<std::pair<QToolBar*, TToolbarState>> bars)
{
    std::stable_sort(bars.begin(), bars.end(), [](const auto& a, const auto& b) {
        const auto key = [](const TToolbarState& t) {
            return std::tuple(int(AreaOf(t.Dock)), t.Row.value_or(0), t.Pos.value_or(0));
        };
        return key(a.second) < key(b.second);
    });
    std::optional<std::pair<Qt::ToolBarArea, int>> previous;
    for (const auto& [bar, state] : bars) {
        const Qt::ToolBarArea area = AreaOf(state.Dock);
        const int row = state.Row.value_or(0);
        if (previous && previous->first == area && previous->second != row) addToolBarBreak(area);
        addToolBar(area, bar);
        bar->setVisible(state.Visible);
        previous = {area, row};
    }
}

TToolbarState TMainForm::ToolbarState(QToolBar* bar) const
{
    TToolbarState state;
    state.Visible = bar->isVisible();
    if (bar->isFloating()) {
        state.Dock = dcFloating;
        state.Row = bar->y();
        state.Pos = bar->x();
        return state;
    }
    const Qt::ToolBarArea area = toolBarArea(bar);
    state.Dock = DockOf(area);
    // Rows are the distinct lines the bars of this area stand on, counted
    // from the window's edge; the position is the offset along the line.
    const bool across = area == Qt::TopToolBarArea || area == Qt::BottomToolBarArea;
    const auto line = [across](const QToolBar* b) { return across ? b->y() : b->x(); };
    std::vector<int> lines;
    for (const QToolBar* other : findChildren<QToolBar*>(QString(), Qt::FindDirectChildrenOnly))
        if (!other->isFloating() && toolBarArea(other) == area) lines.push_back(line(other));
    std::sort(lines.begin(), lines.end());
    lines.erase(std::unique(lines.begin(), lines.end()), lines.end());
    if (area == Qt::BottomToolBarArea || area == Qt::RightToolBarArea)
        std::reverse(lines.begin(), lines.end());
    state.Row = int(std::find(lines.begin(), lines.end(), line(bar)) - lines.begin());
    state.Pos = across ? bar->x() : bar->y();
    return state;
}

void TMainForm::ApplySettings(const TSettings& s)
{
    m_lastFolder = s.LastFolder;
    if (s.Maximized)
        setWindowState(windowState() | Qt::WindowMaximized);
    else if (s.Placement)
        setGeometry(*s.Placement);
    PlaceToolbars({{m_standard, s.Standard}, {m_special, s.Special}, {m_alignBar, s.Align}});
    // The Special bar shows exactly while a document is open.
    m_special->setVisible(!m_mdi->subWindowList().isEmpty());
    SetBackground(s.Background);
    SetListVisible(s.ListEnabled);
    SetGridCheck(s.GridEnabled);
    m_recent.SetFiles(s.RecentFiles);
    m_standSize = s.StandSize;
    SetAutosaveInterval(s.AutosaveInterval);
}

TSettings TMainForm::CollectSettings() const
{
    TSettings s = DefaultSettings();
    s.LastFolder = m_lastFolder;
    s.Maximized = isMaximized();
    s.Placement = isMaximized() ? normalGeometry() : geometry();
    s.Standard = ToolbarState(m_standard);
    s.Special = ToolbarState(m_special);
    s.Align = ToolbarState(m_alignBar);
    s.Background = m_background;
    s.ListEnabled = Action(QStringLiteral("Listing"))->isChecked();
    s.GridEnabled = Action(QStringLiteral("Grid1"))->isChecked();
    s.RecentFiles = m_recent.Files();
    s.StandSize = m_standSize;
    s.AutosaveInterval = m_autosaveInterval;
    return s;
}

const TBlockSize& TMainForm::StandardSize(int kind) const
{
    return m_standSize[size_t(kind >= 0 && kind < kBlockKindCount ? kind : 0)];
}

void TMainForm::LoadPlugIns(const QString& folder)
{
    if (!m_plugIns) m_plugIns = std::make_unique<TPlugInHost>();
    const size_t before = m_plugIns->PlugIns().size();
    m_plugIns->Load(folder, TPlugInHost::ProgramHandle());
    const auto& plugIns = m_plugIns->PlugIns();
    for (size_t i = before; i < plugIns.size(); ++i) {
        QAction* item = m_importMenu->addAction(plugIns[i].Name);
        item->setStatusTip(plugIns[i].Hint);
        item->setData(int(i));
        connect(item, &QAction::triggered, this, [this, i] { m_plugIns->ImportFiles(int(i)); });
    }
    if (!m_plugIns->Errors().isEmpty())
        statusBar()->showMessage(m_plugIns->Errors().join(QLatin1Char(' ')), 10000);
}

void TMainForm::LoadExportModule(const QString& folder)
{
    if (!m_exportModule) m_exportModule = std::make_unique<TExportModule>();
    m_exportModule->Load(folder);
}

void TMainForm::BMP1Click()
{
    TChildD* doc = ActiveDocument();
    if (!doc) return;
    if (!m_exportModule || !m_exportModule->Available()) {
        MessageBox(this, QMessageBox::Warning,
                   QStringLiteral("Модуль экспорта в графический файл не найден."));
        return;
    }
    const QString suggested =
        doc->FileName().isEmpty() ? m_lastFolder : QFileInfo(doc->FileName()).completeBaseName();
    const QString name = FileDialogs().AskSaveFile(this, suggested, m_exportModule->Filter());
    if (name.isEmpty()) return;
    if (doc->EditorOpen()) doc->CommitEditor();
    QString error;
    if (!m_exportModule->SaveTo(doc->Shem().SaveToBytes(), name, QFont(m_fontName), &error))
        MessageBox(this, QMessageBox::Warning,
                   QStringLiteral("Не могу сохранить рисунок %1:\n%2")
                       .arg(QDir::toNativeSeparators(name), error));
}

void TMainForm::Print1Click()
{
    TChildD* doc = ActiveDocument();
    if (doc && doc->EditorOpen()) doc->CommitEditor();
    PrintDiagram(this, doc ? &doc->Shem() : nullptr, QFont(m_fontName));
}

TSearchDialogs& TMainForm::SearchDialogs()
{
    if (!m_search) {
        m_searchTarget = std::make_unique<TMainFormSearch>(*this);
        m_search = std::make_unique<TSearchDialogs>(*m_searchTarget, this);
    }
    return *m_search;
}

void TMainForm::Find1Click()
{
    if (ActiveDocument()) SearchDialogs().ShowFind();
}

void TMainForm::Replace1Click()
{
    if (ActiveDocument()) SearchDialogs().ShowReplace();
}

void TMainForm::N3Click()
{
    OpenHelp(this);
}

} // namespace kb
