#include "frame/language/mainhints.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>
#include <QToolBar>

namespace kb {

namespace {

struct THintRow
{
    const char* Control; // object name of the menu or toolbar
    const char* Hint;
};

// The texts are the main window's, translated in its context.
constexpr THintRow kHints[] = {
    {"Standart", QT_TRANSLATE_NOOP("kb::TMainForm", "Standard toolbar.")},
    {"Special", QT_TRANSLATE_NOOP("kb::TMainForm", "Toolbar for drawing block diagrams.")},
    {"FileItem", QT_TRANSLATE_NOOP("kb::TMainForm", "Work with block-diagram files.")},
    {"Edit1", QT_TRANSLATE_NOOP("kb::TMainForm", "Editing of the block diagram.")},
    {"View1", QT_TRANSLATE_NOOP("kb::TMainForm", "View of the block-diagram window.")},
    {"Window1", QT_TRANSLATE_NOOP("kb::TMainForm", "Arrangement of the block-diagram windows.")},
    {"Help1", QT_TRANSLATE_NOOP("kb::TMainForm", "Help and information about the program.")},
};

QObject* FindCommand(QWidget& main, const QString& name)
{
    if (auto* a = main.findChild<QAction*>(name)) return a;
    // A menu's hint belongs to the action that opens it.
    if (auto* m = main.findChild<QMenu*>(name)) return m->menuAction();
    return main.findChild<QToolBar*>(name);
}

} // namespace

QStringList SetMainWindowHints(QWidget& main)
{
    QStringList missing;
    for (const THintRow& row : kHints) {
        const QString name = QLatin1String(row.Control);
        const QString hint = QCoreApplication::translate("kb::TMainForm", row.Hint);
        QObject* command = FindCommand(main, name);
        if (auto* a = qobject_cast<QAction*>(command)) {
            a->setStatusTip(hint);
            a->setToolTip(hint);
        } else if (auto* w = qobject_cast<QWidget*>(command)) {
            w->setStatusTip(hint);
            w->setToolTip(hint);
        } else {
            missing.append(name);
        }
    }
    // A toolbar button shows no caption: a screen reader names it by its
    // hint, in the language the user reads.
    for (QToolBar* bar : main.findChildren<QToolBar*>())
        for (QAction* a : bar->actions())
            if (QWidget* button = bar->widgetForAction(a)) button->setAccessibleName(a->toolTip());
    return missing;
}

} // namespace kb
