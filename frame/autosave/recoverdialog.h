// The dialog offered at start when autosave files of an editor that did not
// exit cleanly are found: which documents to recover, which to discard.
#pragma once

#include "frame/autosave/autosavestore.h"

#include <QDialog>

class QTreeWidget;

namespace kb {

class TRecoverDialog : public QDialog
{
    Q_OBJECT

public:
    TRecoverDialog(const std::vector<TStaleAutosave>& files, QWidget* parent = nullptr);

    // After "Recover": the files whose box is ticked, in list order.
    std::vector<TStaleAutosave> Chosen() const;
    // After either button: the files to delete (all but the chosen ones).
    std::vector<TStaleAutosave> ToDiscard() const;

    QTreeWidget* List() const { return m_list; }

private:
    std::vector<TStaleAutosave> m_files;
    QTreeWidget* m_list = nullptr;
    bool m_recover = false;
};

// The name a recovered document is listed under: its file, or the caption
// of a never-saved document.
QString DisplayName(const TAutosaveRecord& record);

} // namespace kb
