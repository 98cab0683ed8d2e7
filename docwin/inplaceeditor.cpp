#include "docwin/inplaceeditor.h"

#include "docwin/messagebox.h"
#include "model/cp1251.h"

#include <QApplication>
#include <QHideEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QTextDocument>
#include <QTextOption>

namespace kb {

namespace {

bool Representable(const QString& text)
{
    return RepresentableIn1251(text.toStdString());
}

Qt::Alignment AlignmentOf(int align)
{
    switch (align) {
    case 1:
        return Qt::AlignLeft;
    case 2:
        return Qt::AlignRight;
    default:
        return Qt::AlignHCenter;
    }
}

} // namespace

QString UnrepresentablePasteMessage()
{
    return QCoreApplication::translate(
        "kb::TInPlaceEditor",
        "The pasted text has characters that Windows-1251 does not have. The text is not pasted.");
}

TInPlaceEditor::TInPlaceEditor(QWidget* parent) : QPlainTextEdit(parent)
{
    setFrameShape(QFrame::NoFrame);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The text should sit where the block draws it, without an extra margin.
    document()->setDocumentMargin(0);
}

bool TInPlaceEditor::BlockText(std::string& out) const
{
    QString text = toPlainText();
    text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return Utf8ToCp1251(text.toStdString(), out);
}

void TInPlaceEditor::SetBlockText(const std::string& cp1251)
{
    QString text = QString::fromStdString(Cp1251ToUtf8(cp1251));
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    setPlainText(text);
}

void TInPlaceEditor::SetAlign(int align)
{
    QTextOption option = document()->defaultTextOption();
    option.setAlignment(AlignmentOf(align));
    document()->setDefaultTextOption(option);
}

int TInPlaceEditor::Align() const
{
    const Qt::Alignment a = document()->defaultTextOption().alignment();
    if (a & Qt::AlignLeft) return 1;
    if (a & Qt::AlignRight) return 2;
    return 0;
}

void TInPlaceEditor::keyPressEvent(QKeyEvent* event)
{
    if (!Representable(event->text())) {
        QApplication::beep();
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void TInPlaceEditor::hideEvent(QHideEvent* event)
{
    QPlainTextEdit::hideEvent(event);
    // Left alone, Qt hands the focus to the next widget of the main window
    // (the object list, the font box). Not when the document itself hides.
    QWidget* doc = parentWidget();
    if (hasFocus() && doc && doc->isVisible()) doc->setFocus(Qt::OtherFocusReason);
}

void TInPlaceEditor::inputMethodEvent(QInputMethodEvent* event)
{
    if (Representable(event->commitString())) {
        QPlainTextEdit::inputMethodEvent(event);
        return;
    }
    QApplication::beep();
    QInputMethodEvent withoutCommit(event->preeditString(), event->attributes());
    QPlainTextEdit::inputMethodEvent(&withoutCommit);
}

void TInPlaceEditor::insertFromMimeData(const QMimeData* source)
{
    if (source && source->hasText() && !Representable(source->text())) {
        MessageBox(this, QMessageBox::Warning, UnrepresentablePasteMessage());
        return;
    }
    QPlainTextEdit::insertFromMimeData(source);
}

} // namespace kb
