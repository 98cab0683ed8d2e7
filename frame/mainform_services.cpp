// The main window's use of the services: settings, plug-ins, the graphic
// export module, printing, find and replace, help.
#include "frame/mainform.h"

#include "docwin/childd.h"
#include "docwin/messagebox.h"
#include "frame/dialogs/menuform.h"
#include "frame/filedialogs.h"
#include "frame/objectlist.h"
#include "frame/services/exportmodule.h"
#include "frame/services/help.h"
#include "frame/services/pluginhost.h"
#include "frame/services/printing.h"
#include "frame/services/searchdialogs.h"
#include "frame/services/searchtarget.h"
#include "frame/startup.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QLayout>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>

#include <algorithm>
#include <optional>
#include <tuple>

#include <new>

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

QRect PixelRect(const TChildD& doc, const Block& b)
{
    const TPoint lt = doc.ToPixels({b.Left, b.Top});
    const TPoint rb = doc.ToPixels({b.Right, b.Bottom});
    return QRect(QPoint(lt.x, lt.y), QPoint(rb.x, rb.y));
}

// The part of the view left free by the dialog where the block fits best:
// the strip above, below, left or right of the dialog with the most room.
QRect FreeStrip(const QRect& view, const QRect& cover, QSize block)
{
    const QRect strips[] = {
        QRect(QPoint(view.left(), view.top()), QPoint(view.right(), cover.top() - 1)),
        QRect(QPoint(view.left(), cover.bottom() + 1), QPoint(view.right(), view.bottom())),
        QRect(QPoint(view.left(), view.top()), QPoint(cover.left() - 1, view.bottom())),
        QRect(QPoint(cover.right() + 1, view.top()), QPoint(view.right(), view.bottom()))};
    QRect best;
    bool bestFits = false;
    for (QRect strip : strips) {
        strip = strip.intersected(view);
        if (strip.isEmpty()) continue;
        const bool fits = strip.width() >= block.width() && strip.height() >= block.height();
        const auto area = qint64(strip.width()) * strip.height();
        if (best.isEmpty() || (fits && !bestFits) ||
            (fits == bestFits && area > qint64(best.width()) * best.height())) {
            best = strip;
            bestFits = fits;
        }
    }
    return best;
}

// Find and Replace show what they found where their dialog does not hide
// it: centred as usual when the dialog is clear of it, else centred in the
// largest free part of the view; where the view cannot scroll that far (the
// diagram's edge), the dialog steps aside.
void ShowBlockClearOf(TChildD& doc, const Block& block, QWidget* dialog)
{
    doc.CenterOnBlock(block);
    if (!dialog || !dialog->isVisible()) return;
    const QRect frame = dialog->frameGeometry();
    const QRect cover(doc.mapFromGlobal(frame.topLeft()), frame.size());
    if (!PixelRect(doc, block).intersects(cover)) return;

    const TRect v = doc.ViewRect();
    const QRect view(QPoint(v.Left, v.Top), QPoint(v.Right - 1, v.Bottom - 1));
    const QRect strip = FreeStrip(view, cover, PixelRect(doc, block).size());
    if (!strip.isEmpty()) {
        const TPoint centre = MidPoint({block.Left, block.Top}, {block.Right, block.Bottom});
        const int s = doc.Scale();
        const QPoint target = strip.center();
        doc.ScrollTo({centre.x - RoundEven(double(target.x() - v.Left) / s),
                      centre.y - RoundEven(double(target.y() - v.Top) / s)});
    }
    const QRect shown = PixelRect(doc, block);
    if (!shown.intersects(cover)) return;
    // Beside the block, on the side of the view with more room.
    const bool right = shown.center().x() < view.center().x();
    const int x = right ? std::min(shown.right() + 1, view.right() - frame.width())
                        : std::max(shown.left() - frame.width(), view.left());
    const QPoint at = doc.mapToGlobal(QPoint(x, cover.top()));
    dialog->move(dialog->pos() + (at - frame.topLeft()));
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
        if (entry->IsBlock()) ShowBlockClearOf(*doc, entry->block(), m_main.OpenSearchDialog());
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
    // Never the bar's isVisible(): by the time the settings are written the
    // main window and with it every bar is hidden.
    state.Visible = ToolbarCheck(bar)->isChecked();
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
    m_picturePath = s.PicturePath;
    if (s.Maximized)
        setWindowState(windowState() | Qt::WindowMaximized);
    else if (s.Placement)
        setGeometry(*s.Placement);
    else if (const QScreen* where = screen())
        setGeometry(FirstStartPlacement(where->availableGeometry()));
    PlaceToolbars({{m_standard, s.Standard}, {m_special, s.Special}, {m_alignBar, s.Align}});
    ToolbarCheck(m_standard)->setChecked(s.Standard.Visible);
    ToolbarCheck(m_special)->setChecked(s.Special.Visible);
    ToolbarCheck(m_alignBar)->setChecked(s.Align.Visible);
    ShowChosenToolbars();
    SetBackground(s.Background);
    SetListVisible(s.ListEnabled);
    SetGridCheck(s.GridEnabled);
    m_recent.SetFiles(s.RecentFiles);
    m_standSize = s.StandSize;
    SetAutosaveInterval(s.AutosaveInterval);
    m_language = s.Language;
    m_linkDirection = s.LinkDirection & 3;
    m_toolPalette->ShowLinkDirection(m_linkDirection);
}

// In normal state rather than maximised: the document keeps its frame and
// buttons, and further documents cascade over it as usual.
void TMainForm::FillAreaWithLoneDocument(QMdiSubWindow& sub)
{
    // Before the main window is shown its document area has no real size.
    if (m_mdi->subWindowList().size() != 1 || !m_mdi->isVisible() || sub.isMaximized()) return;
    // The first document brings the Special toolbar, which takes its room
    // from the document area only once the layout has run.
    if (layout()) layout()->activate();
    sub.setGeometry(m_mdi->viewport()->rect());
}

TSettings TMainForm::CollectSettings() const
{
    TSettings s = DefaultSettings();
    s.LastFolder = m_lastFolder;
    s.PicturePath = m_picturePath;
    s.Maximized = isMaximized();
    s.Placement = isMaximized() ? normalGeometry() : geometry();
    s.Standard = ToolbarState(m_standard);
    s.Special = ToolbarState(m_special);
    s.Align = ToolbarState(m_alignBar);
    s.Background = m_background;
    s.ListEnabled = Command(TCommandId::Listing)->isChecked();
    s.GridEnabled = Command(TCommandId::Grid)->isChecked();
    s.RecentFiles = m_recent.Files();
    s.StandSize = m_standSize;
    s.AutosaveInterval = m_autosaveInterval;
    s.Language = m_language;
    s.LinkDirection = m_linkDirection;
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
        connect(item, &QAction::triggered, this, [this, i] {
            // The import runs inside this call; running out of memory in it
            // is told, not an abort.
            try {
                m_plugIns->ImportFiles(int(i));
            } catch (const std::bad_alloc&) {
                MessageBox(this, QMessageBox::Critical,
                           tr("Not enough memory to finish the import."));
            }
        });
    }
    if (!m_plugIns->Errors().isEmpty())
        statusBar()->showMessage(m_plugIns->Errors().join(QLatin1Char(' ')), 10000);
}

void TMainForm::LoadExportModule(const QString& folder)
{
    if (!m_exportModule) m_exportModule = std::make_unique<TExportModule>();
    m_exportModule->Load(folder);
}

void TMainForm::ExportPicture()
{
    TChildD* doc = ActiveDocument();
    if (!doc) return;
    if (!m_exportModule || !m_exportModule->Available()) {
        MessageBox(this, QMessageBox::Warning, tr("The graphic-export module is not found."));
        return;
    }
    const QString folder = m_picturePath.isEmpty() ? m_lastFolder : m_picturePath;
    const QString suggested =
        doc->FileName().isEmpty()
            ? folder
            : QDir(folder).filePath(QFileInfo(doc->FileName()).completeBaseName());
    const QString name = FileDialogs().AskSavePicture(this, suggested, m_exportModule->Filter());
    if (name.isEmpty()) return;
    m_picturePath = QFileInfo(name).absolutePath() + QLatin1Char('/');
    if (doc->EditorOpen()) doc->CommitEditor();
    QString error;
    if (!m_exportModule->SaveTo(doc->Shem().SaveToBytes(), name, DocumentFont(*doc), &error))
        MessageBox(
            this, QMessageBox::Warning,
            tr("Cannot save the picture %1:\n%2").arg(QDir::toNativeSeparators(name), error));
}

void TMainForm::PrintActiveDocument()
{
    TChildD* doc = ActiveDocument();
    if (doc && doc->EditorOpen()) doc->CommitEditor();
    PrintDiagram(this, doc ? &doc->Shem() : nullptr, doc ? DocumentFont(*doc) : QFont(m_fontName));
}

QDialog* TMainForm::OpenSearchDialog() const
{
    if (!m_search) return nullptr;
    for (QDialog* d :
         {static_cast<QDialog*>(m_search->Find()), static_cast<QDialog*>(m_search->Replace())})
        if (d && d->isVisible()) return d;
    return nullptr;
}

TSearchDialogs& TMainForm::SearchDialogs()
{
    if (!m_search) {
        m_searchTarget = std::make_unique<TMainFormSearch>(*this);
        m_search = std::make_unique<TSearchDialogs>(*m_searchTarget, this);
    }
    return *m_search;
}

} // namespace kb
