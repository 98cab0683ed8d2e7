// Documents of the main window: creating, opening, saving and closing them,
// and the recent files they leave behind.
#include "frame/mainform.h"

#include "docwin/childd.h"
#include "docwin/messagebox.h"
#include "frame/docfile.h"
#include "frame/filedialogs.h"

#include <QDir>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>

namespace kb {

namespace {

QString Shown(const QString& fileName)
{
    return QDir::toNativeSeparators(fileName);
}

} // namespace

TChildD* TMainForm::ActiveDocument() const
{
    // The current window stays current while the application is inactive.
    QMdiSubWindow* sub = m_mdi->currentSubWindow();
    return sub ? qobject_cast<TChildD*>(sub->widget()) : nullptr;
}

QList<TChildD*> TMainForm::Documents() const
{
    QList<TChildD*> docs;
    for (QMdiSubWindow* sub : m_mdi->subWindowList(QMdiArea::CreationOrder))
        if (auto* doc = qobject_cast<TChildD*>(sub->widget())) docs.append(doc);
    return docs;
}

TChildD* TMainForm::FindDocument(const QString& fileName) const
{
    for (TChildD* doc : Documents())
        if (SameFile(doc->FileName(), fileName)) return doc;
    return nullptr;
}

QMdiSubWindow* TMainForm::SubWindowOf(const TChildD& doc) const
{
    for (QMdiSubWindow* sub : m_mdi->subWindowList())
        if (sub->widget() == &doc) return sub;
    return nullptr;
}

void TMainForm::ActivateDocument(TChildD& doc)
{
    QMdiSubWindow* sub = SubWindowOf(doc);
    if (!sub) return;
    if (sub->isMinimized()) sub->showNormal();
    m_mdi->setActiveSubWindow(sub);
    sub->raise();
}

TChildD* TMainForm::AddDocumentWindow(std::unique_ptr<TChildD> doc)
{
    TChildD* shown = doc.get();
    WatchForAutosave(*shown);
    connect(&shown->Document(), &TDiagramDocument::Changed, this,
            [this, shown](const TChange& change) { FollowDocument(*shown, change); });
    connect(shown, &TChildD::EditorToggled, this, [this, shown] {
        if (shown == ActiveDocument()) UpdateCommandStates();
    });
    QMdiSubWindow* sub = m_mdi->addSubWindow(doc.release());
    sub->setAttribute(Qt::WA_DeleteOnClose);
    // File > Close owns Ctrl+F4; the window menu's own copy would make the
    // key ambiguous, and then neither would act.
    if (QMenu* system = sub->systemMenu())
        for (QAction* a : system->actions())
            if (a->shortcut() == QKeySequence(QKeySequence::Close) ||
                a->shortcut() == QKeySequence(tr("Ctrl+F4")))
                a->setShortcut({});
    // Each new window a little below and right of the one before, so that
    // all their captions stay in sight.
    const int step = int(m_mdi->subWindowList().size() - 1) % 8 * 24;
    sub->setGeometry(step, step, std::max(m_mdi->width() * 3 / 4, 320),
                     std::max(m_mdi->height() * 3 / 4, 240));
    sub->show();
    m_mdi->setActiveSubWindow(sub);
    UpdateMenuItems();
    FillAreaWithLoneDocument(*sub);
    return shown;
}

TChildD* TMainForm::NewDocument()
{
    auto doc = std::make_unique<TChildD>(*this);
    // Numbered by the windows that exist now, the new one included.
    doc->setWindowTitle(m_newPrefix + QString::number(m_mdi->subWindowList().size() + 1));
    return AddDocumentWindow(std::move(doc));
}

TChildD* TMainForm::OpenDocument(const QString& fileName)
{
    if (fileName.isEmpty()) return nullptr;
    const QString path = AbsoluteFileName(fileName);
    // Two windows on one file would let one save overwrite the other's work.
    if (TChildD* open = FindDocument(path)) {
        ActivateDocument(*open);
        m_recent.Add(open->FileName());
        return open;
    }
    std::vector<uint8_t> data;
    QString reason;
    if (!ReadDiagramFile(path, data, &reason)) {
        ReportOpenFailure(path, reason);
        return nullptr;
    }
    auto doc = std::make_unique<TChildD>(*this);
    TLoadReport report;
    if (!doc->LoadFromBytes(data, &report)) {
        ReportOpenFailure(path, LoadRefusalReason(report));
        return nullptr;
    }
    doc->setWindowTitle(Shown(path));
    doc->SetFileName(path);
    TChildD* shown = AddDocumentWindow(std::move(doc));
    m_recent.Add(path);
    if (!report.Clean()) MessageBox(this, QMessageBox::Warning, DamageMessage(path, report));
    return shown;
}

void TMainForm::ReportOpenFailure(const QString& fileName, const QString& reason)
{
    m_recent.Remove(fileName);
    MessageBox(this, QMessageBox::Warning,
               tr("Cannot load the file %1:\n%2").arg(Shown(fileName), reason));
}

bool TMainForm::SaveDocument(TChildD& doc)
{
    if (doc.FileName().isEmpty()) return SaveDocumentAs(doc);
    // A text still being typed belongs in the file.
    if (doc.EditorOpen()) doc.CommitEditor();
    QString reason;
    if (!WriteDiagramFile(doc.FileName(), doc.Shem(), &reason)) {
        MessageBox(this, QMessageBox::Critical,
                   tr("Cannot save the file %1:\n%2\nThe changes are not saved.")
                       .arg(Shown(doc.FileName()), reason));
        return false;
    }
    doc.Document().MarkSaved();
    m_recent.Add(doc.FileName());
    return true;
}

bool TMainForm::SaveDocumentAs(TChildD& doc)
{
    const QString suggested = doc.FileName().isEmpty() ? m_lastFolder : doc.FileName();
    const QString chosen = FileDialogs().AskSaveFile(this, suggested, m_openFilter);
    if (chosen.isEmpty()) return false;
    const QString path = AbsoluteFileName(chosen);
    m_lastFolder = QFileInfo(path).absolutePath() + QLatin1Char('/');
    if (TChildD* other = FindDocument(path); other && other != &doc) {
        MessageBox(
            this, QMessageBox::Warning,
            tr("The file %1 is open in another window. Close that window or choose another name.")
                .arg(Shown(path)));
        return false;
    }
    const QString previous = doc.FileName();
    doc.SetFileName(path);
    if (!SaveDocument(doc)) {
        doc.SetFileName(previous);
        return false;
    }
    doc.setWindowTitle(Shown(path));
    return true;
}

bool TMainForm::CloseAllDocuments()
{
    // The most recently created first; one refusal keeps the rest open too.
    const QList<QMdiSubWindow*> subs = m_mdi->subWindowList(QMdiArea::CreationOrder);
    for (auto it = subs.rbegin(); it != subs.rend(); ++it)
        if (!(*it)->close()) return false;
    return true;
}

// --- File menu

void TMainForm::AskAndOpenDocuments()
{
    const QStringList files = FileDialogs().AskOpenFiles(this, m_lastFolder, m_openFilter);
    for (const QString& f : files)
        OpenDocument(f);
    if (!files.isEmpty()) m_lastFolder = QFileInfo(files.first()).absolutePath() + QLatin1Char('/');
}

} // namespace kb
