#include "pasexport/ui/expform.h"

#include "pasexport/expunit.h"

#include <QMenu>
#include <QMessageBox>
#include <QShowEvent>
#include <QVBoxLayout>

namespace kb {

namespace {

// The words the export window shows in bold.
const std::vector<std::string> kPascalWords = {"abstract",
                                               "and",
                                               "array",
                                               "as",
                                               "asm",
                                               "assembler",
                                               "automated",
                                               "begin",
                                               "case",
                                               "cdecl",
                                               "class",
                                               "const",
                                               "constructor",
                                               "default",
                                               "destructor",
                                               "dispid",
                                               "dispinterface",
                                               "div",
                                               "do",
                                               "downto",
                                               "dynamic",
                                               "else",
                                               "end",
                                               "except",
                                               "export",
                                               "exports",
                                               "far",
                                               "file",
                                               "finalization",
                                               "finally",
                                               "for",
                                               "forward",
                                               "function",
                                               "goto",
                                               "if",
                                               "implementation",
                                               "in",
                                               "index",
                                               "inherited",
                                               "initialization",
                                               "inline",
                                               "interface",
                                               "is",
                                               "label",
                                               "library",
                                               "message",
                                               "mod",
                                               "name",
                                               "near",
                                               "nil",
                                               "nodefault",
                                               "not",
                                               "object",
                                               "of",
                                               "or",
                                               "out",
                                               "override",
                                               "packed",
                                               "private",
                                               "procedure",
                                               "program",
                                               "property",
                                               "protected",
                                               "public",
                                               "published",
                                               "raise",
                                               "read",
                                               "readonly",
                                               "record",
                                               "register",
                                               "repeat",
                                               "resident",
                                               "resourcestring",
                                               "set",
                                               "shl",
                                               "shr",
                                               "stdcall",
                                               "stored",
                                               "string",
                                               "stringresource",
                                               "then",
                                               "threadvar",
                                               "to",
                                               "try",
                                               "type",
                                               "unit",
                                               "until",
                                               "uses",
                                               "var",
                                               "virtual",
                                               "while",
                                               "with",
                                               "write",
                                               "writeonly",
                                               "xor"};

QAction* AddItem(QMenu* menu, const char* name, const QString& text)
{
    QAction* a = menu->addAction(text);
    a->setObjectName(QString::fromLatin1(name));
    return a;
}

} // namespace

TExpForm::TExpForm(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("ExpForm"));
    setWindowTitle(tr("Pascal procedure (function) of block-diagram file"));
    move(200, 108);
    resize(405, 375);
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));

    m_memo = new TmCustomEdit(this);
    m_memo->setObjectName(QStringLiteral("Memo1"));
    QFont code(QStringLiteral("Courier New"));
    code.setStyleHint(QFont::TypeWriter);
    code.setFixedPitch(true);
    code.setPixelSize(13);
    m_memo->SetEditorFont(code);
    m_memo->SetTextColor(palette().color(QPalette::WindowText));
    m_memo->SetGutterWidth(0);
    m_memo->SetGutterColor(palette().color(QPalette::Button));
    m_memo->SetRightEdge(80);
    m_memo->SetReadOnly(true);
    m_memo->SetWords(kPascalWords);
    m_memo->SetLines({std::string()});
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_memo);

    m_popup = new QMenu(this);
    m_popup->setObjectName(QStringLiteral("PopupMenu1"));
    connect(AddItem(m_popup, "Cut1", tr("Cut")), &QAction::triggered, m_memo,
            &TmCustomEdit::CutToClipboard);
    connect(AddItem(m_popup, "Copy1", tr("Copy")), &QAction::triggered, m_memo,
            &TmCustomEdit::CopyToClipboard);
    connect(AddItem(m_popup, "Paste1", tr("Paste")), &QAction::triggered, m_memo,
            &TmCustomEdit::PasteFromClipboard);
    connect(AddItem(m_popup, "Delete1", tr("Delete")), &QAction::triggered, m_memo,
            &TmCustomEdit::ClearSelection);
    m_popup->addSeparator();
    connect(AddItem(m_popup, "SelectAll1", tr("Select All")), &QAction::triggered, m_memo,
            &TmCustomEdit::SelectAll);
    m_memo->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_memo, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { m_popup->popup(m_memo->mapToGlobal(at)); });
}

void TExpForm::ShowExport(const std::vector<uint8_t>& diagram)
{
    m_stream = diagram;
    exec();
}

void TExpForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // Only the program's own showing runs the export, not the window system
    // bringing the window back.
    if (!event->spontaneous()) RunExport();
}

void TExpForm::RunExport()
{
    std::vector<std::string> lines = m_memo->Lines();
    for (const std::string& message : ExportPascal(m_stream, lines))
        ShowError(QString::fromStdString(message));
    m_memo->SetLines(std::move(lines));
}

void TExpForm::ShowError(const QString& message)
{
    if (m_errorSink) {
        m_errorSink(message);
        return;
    }
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Error"), message, QMessageBox::Ok, this);
    box.exec();
}

} // namespace kb
