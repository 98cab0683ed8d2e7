// Autosave and crash recovery: every modified document is copied into the
// autosave folder one interval (the AutosaveInterval setting) after its first
// change not yet in a copy; the copies of an editor that died are offered at
// the next start.
#include "frame/autosave/documentautosave.h"
#include "frame/autosave/recoverdialog.h"
#include "frame/mainform.h"

#include "docwin/childd.h"
#include "docwin/messagebox.h"

#include <QDir>

namespace kb {

void TMainForm::EnableAutosave(const QString& folder)
{
    m_autosave = std::make_unique<TAutosaveStore>(folder);
    if (!m_autosave->IsActive())
        ShowStatus(1, tr("Autosave is unavailable: no access to the folder %1")
                          .arg(QDir::toNativeSeparators(folder)));
    for (TChildD* doc : Documents())
        WatchForAutosave(*doc);
}

void TMainForm::WatchForAutosave(TChildD& doc)
{
    if (!m_autosave || doc.findChild<TDocumentAutosave*>()) return;
    TChildD* d = &doc;
    // The document owns its autosave, and closing it (saved or not) deletes
    // that and its file: only a crash leaves one behind.
    auto* autosave = new TDocumentAutosave(
        *m_autosave,
        [d] {
            TAutosaveRecord r;
            r.OriginalPath = d->FileName();
            r.Caption = d->windowTitle();
            const std::vector<uint8_t> bytes = d->Shem().SaveToBytes();
            r.Diagram =
                QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
            return r;
        },
        d, m_autosaveInterval * 1000);
    // Every change of the diagram reaches the document's one notification;
    // back at the saved state (a save, or undoing to it) the copy goes.
    connect(&d->Document(), &TDiagramDocument::Changed, autosave,
            [autosave, d](const TChange& change) {
                if (!change.Diagram() && !change.State) return;
                if (d->Modified() && change.Diagram())
                    autosave->DocumentChanged();
                else if (!d->Modified())
                    autosave->DocumentSettled();
            });
    if (doc.Modified()) autosave->DocumentChanged();
}

void TMainForm::SetAutosaveInterval(int seconds)
{
    m_autosaveInterval = std::clamp(seconds, kMinAutosaveInterval, kMaxAutosaveInterval);
    for (TChildD* doc : Documents())
        if (auto* autosave = doc->findChild<TDocumentAutosave*>())
            autosave->SetInterval(m_autosaveInterval * 1000);
}

void TMainForm::RecoverAutosaves()
{
    if (!m_autosave) return;
    const std::vector<TStaleAutosave> stale = m_autosave->StaleFiles();
    if (stale.empty()) return;
    TRecoverDialog dialog(stale, this);
    dialog.exec();
    for (const TStaleAutosave& s : dialog.Chosen())
        OpenRecovered(s);
    for (const TStaleAutosave& s : dialog.ToDiscard())
        m_autosave->Discard(s.File);
}

void TMainForm::OpenRecovered(const TStaleAutosave& stale)
{
    const TAutosaveRecord& r = stale.Record;
    auto doc = std::make_unique<TChildD>(*this);
    const auto* bytes = reinterpret_cast<const uint8_t*>(r.Diagram.constData());
    // What the copy holds is in no file yet: the document starts modified.
    if (!doc->LoadFromBytes(std::span(bytes, size_t(r.Diagram.size())), nullptr, false)) {
        MessageBox(this, QMessageBox::Warning,
                   tr("Cannot recover %1: the copy is damaged.").arg(DisplayName(r)));
        return; // the copy stays on disk for another try
    }
    // A recovered document carries its own file name, so that Save writes it
    // where it belongs; unless that file is open already, when it would let
    // two windows edit one file.
    if (!r.OriginalPath.isEmpty() && !FindDocument(r.OriginalPath)) {
        doc->SetFileName(r.OriginalPath);
        doc->setWindowTitle(QDir::toNativeSeparators(r.OriginalPath));
    } else {
        doc->setWindowTitle(DisplayName(r) + tr(" (recovered)"));
    }
    TChildD* shown = AddDocumentWindow(std::move(doc));
    // Written under this session at once, before the old copy is removed.
    if (auto* autosave = shown->findChild<TDocumentAutosave*>()) autosave->WriteNow();
    m_autosave->Discard(stale.File);
}

} // namespace kb
