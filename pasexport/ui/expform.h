// TExpForm, the export window: shows the Pascal text of a diagram in a
// read-only code editor with keyword highlighting and an edit context menu.
// Created once and reused; every showing runs the export on the diagram
// stream the "to Pascal" command filled.
#pragma once

#include "pasexport/ui/mycustomedit.h"

#include <QDialog>

#include <cstdint>
#include <functional>
#include <vector>

class QMenu;

namespace kb {

class TExpForm : public QDialog
{
    Q_OBJECT
public:
    explicit TExpForm(QWidget* parent = nullptr);

    // What "to Pascal" does: replaces the stream's content and shows the
    // window modally.
    void ShowExport(const std::vector<uint8_t>& diagram);

    // The diagram stream, cleared and written by the caller before showing.
    std::vector<uint8_t>& DiagramStream() { return m_stream; }
    // Runs the export on the stream into the editor; showing does this too.
    void RunExport();

    // Where the export's messages go; by default the "Error" box. For tests.
    using TErrorSink = std::function<void(const QString& message)>;
    void SetErrorSink(TErrorSink sink) { m_errorSink = std::move(sink); }

    TmCustomEdit* Memo1() const { return m_memo; }
    QMenu* PopupMenu1() const { return m_popup; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void ShowError(const QString& message);

    std::vector<uint8_t> m_stream;
    TmCustomEdit* m_memo;
    QMenu* m_popup;
    TErrorSink m_errorSink;
};

} // namespace kb
