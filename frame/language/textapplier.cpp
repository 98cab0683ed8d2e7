#include "frame/language/textapplier.h"

#include "frame/dialogs/radiogroup.h"
#include "frame/language/filefilter.h"
#include "frame/mainform.h"
#include "frame/objectlist.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QRadioButton>
#include <QToolBar>

namespace kb {

namespace {

// Menu and toolbar commands are actions; a toolbar button carries its
// action's name too, and the hint belongs to the action that it shows. The
// search stays out of the dialogs a window owns: they are windows of their
// own, with names of their own.
QObject* FindControl(QWidget& window, const QString& name)
{
    QObject* found = nullptr;
    QList<QObject*> queue{&window};
    for (qsizetype i = 0; i < queue.size(); ++i)
        for (QObject* child : queue[i]->children()) {
            if (qobject_cast<QDialog*>(child)) continue;
            if (child->objectName() == name) {
                if (qobject_cast<QAction*>(child)) return child;
                if (!found) found = child;
            }
            queue.append(child);
        }
    return found;
}

QLabel* LabelOf(QWidget& window, const QObject* control)
{
    for (QLabel* label : window.findChildren<QLabel*>())
        if (label->buddy() == control) return label;
    return nullptr;
}

bool SetCaption(QObject* control, const QString& text)
{
    if (auto* a = qobject_cast<QAction*>(control)) {
        a->setText(text);
    } else if (auto* m = qobject_cast<QMenu*>(control)) {
        m->setTitle(text);
    } else if (auto* b = qobject_cast<QAbstractButton*>(control)) {
        b->setText(text);
    } else if (auto* l = qobject_cast<QLabel*>(control)) {
        l->setText(text);
    } else if (auto* g = qobject_cast<QGroupBox*>(control)) {
        g->setTitle(text);
    } else if (auto* w = qobject_cast<QWidget*>(control);
               w && (w->isWindow() || qobject_cast<QToolBar*>(w))) {
        w->setWindowTitle(text);
    } else {
        return false;
    }
    return true;
}

// A toolbar button has no caption of its own: a screen reader names it by
// its hint, in the language the user reads.
void NameToolbarButtons(const QAction& a, const QString& hint)
{
    for (QObject* o : a.associatedObjects())
        if (auto* w = qobject_cast<QWidget*>(o); w && qobject_cast<QToolBar*>(w->parentWidget()))
            w->setAccessibleName(hint);
}

// The status bar shows the status tip; the tooltip shows by the pointer.
bool SetHint(QObject* control, const QString& text)
{
    if (auto* m = qobject_cast<QMenu*>(control)) control = m->menuAction();
    if (auto* a = qobject_cast<QAction*>(control)) {
        a->setToolTip(text);
        a->setStatusTip(text);
        NameToolbarButtons(*a, text);
    } else if (auto* w = qobject_cast<QWidget*>(control)) {
        w->setToolTip(text);
        w->setStatusTip(text);
        if (qobject_cast<QToolBar*>(w->parentWidget())) w->setAccessibleName(text);
    } else {
        return false;
    }
    return true;
}

// Entries are replaced in place; their number never changes.
bool SetItem(QObject* control, int index, const QString& text)
{
    if (index < 0) return false;
    if (auto* g = qobject_cast<TRadioGroup*>(control)) {
        if (index >= g->Items().size()) return false;
        g->Items()[index]->setText(text);
    } else if (auto* c = qobject_cast<QComboBox*>(control)) {
        if (index >= c->count()) return false;
        c->setItemText(index, text);
    } else if (auto* l = qobject_cast<TObjectList*>(control)) {
        QStringList& headers = l->Model().Headers;
        if (index >= headers.size()) return false;
        headers[index] = text;
        emit l->Model().headerDataChanged(Qt::Horizontal, index, index);
    } else {
        return false;
    }
    return true;
}

bool ApplyRow(QWidget& window, const TTextRow& row)
{
    const QString text = QString::fromUtf8(row.Text);
    if (row.Kind == TTextKind::OpenFilter || row.Kind == TTextKind::NewDocumentPrefix) {
        auto* main = qobject_cast<TMainForm*>(&window);
        if (!main) return false;
        if (row.Kind == TTextKind::OpenFilter)
            main->SetOpenFilter(QtFileFilter(text));
        else
            main->SetNewDocumentPrefix(text);
        return true;
    }
    const QString name = QString::fromLatin1(row.Control);
    QObject* control = name.isEmpty() ? &window : FindControl(window, name);
    if (!control) return false;
    switch (row.Kind) {
    case TTextKind::Caption:
        return SetCaption(control, text);
    case TTextKind::Hint:
        return SetHint(control, text);
    case TTextKind::Item:
        return SetItem(control, row.Index, text);
    case TTextKind::Label:
        if (QLabel* label = LabelOf(window, control)) return SetCaption(label, text);
        return false;
    default:
        return false;
    }
}

QString RowName(const QString& window, const TTextRow& row)
{
    QString name = window + QLatin1Char('.') + QString::fromLatin1(row.Control);
    if (row.Kind == TTextKind::Item) name += QStringLiteral("[%1]").arg(row.Index);
    return name;
}

} // namespace

TTextApplier::TTextApplier(std::span<const TWindowTexts> tables, QWidget& root)
    : QObject(&root), m_tables(tables), m_root(root)
{
}

void TTextApplier::Apply()
{
    m_waiting.clear();
    for (const TWindowTexts& table : m_tables) {
        const QString name = QString::fromLatin1(table.Window);
        if (QWidget* window = FindWindow(name))
            ApplyTo(*window, table);
        else
            m_waiting.append(name);
    }
    // Watching every event of the program costs little, and only until the
    // last window has been shown.
    if (!m_waiting.isEmpty()) qApp->installEventFilter(this);
}

void TTextApplier::ApplyTo(QWidget& window, const TWindowTexts& table)
{
    for (const TTextRow& row : table.Rows)
        if (!ApplyRow(window, row)) m_misses.append(RowName(window.objectName(), row));
}

QWidget* TTextApplier::FindWindow(const QString& name) const
{
    if (m_root.objectName() == name) return &m_root;
    for (QWidget* w : m_root.findChildren<QWidget*>(name))
        if (w->isWindow()) return w;
    return nullptr;
}

bool TTextApplier::Owns(const QObject* window) const
{
    for (const QObject* o = window; o; o = o->parent())
        if (o == &m_root) return true;
    return false;
}

bool TTextApplier::eventFilter(QObject* watched, QEvent* event)
{
    // The show event comes before the window is painted, and after its
    // constructor has made every control.
    if (event->type() != QEvent::Show || !watched->isWidgetType()) return false;
    auto* window = static_cast<QWidget*>(watched);
    const qsizetype waiting = m_waiting.indexOf(window->objectName());
    if (waiting < 0 || !window->isWindow() || !Owns(window)) return false;
    m_waiting.removeAt(waiting);
    for (const TWindowTexts& table : m_tables)
        if (window->objectName() == QLatin1String(table.Window)) ApplyTo(*window, table);
    if (m_waiting.isEmpty()) qApp->removeEventFilter(this);
    return false;
}

} // namespace kb
