#include "frame/language/mainhints.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>
#include <QToolBar>

namespace kb {

namespace {

struct THintRow
{
    const char* Control; // object name of the action, menu or toolbar
    const char* Hint;
};

// The texts are the main window's, translated in its context; a hint that
// repeats a toolbar button's says the same in every language.
constexpr THintRow kHints[] = {
    {"Standart", QT_TRANSLATE_NOOP("kb::TMainForm", "Standard toolbar.")},
    {"Special", QT_TRANSLATE_NOOP("kb::TMainForm", "Toolbar for drawing block diagrams.")},
    {"FileItem", QT_TRANSLATE_NOOP("kb::TMainForm", "Work with block-diagram files.")},
    {"FileNewItem", QT_TRANSLATE_NOOP("kb::TMainForm", "New block diagram")},
    {"FileOpenItem", QT_TRANSLATE_NOOP("kb::TMainForm", "Open an existing block diagram.")},
    {"FileCloseItem", QT_TRANSLATE_NOOP("kb::TMainForm", "Close the active block diagram.")},
    {"FileSaveItem",
     QT_TRANSLATE_NOOP("kb::TMainForm", "Save the active file under the same name")},
    {"FileSaveAsItem",
     QT_TRANSLATE_NOOP("kb::TMainForm", "Save the active file under another name.")},
    {"Options",
     QT_TRANSLATE_NOOP("kb::TMainForm",
                       "Change the sizes of the standard blocks and the background color.")},
    {"Print1", QT_TRANSLATE_NOOP("kb::TMainForm", "Print active block diagram")},
    {"Import1", QT_TRANSLATE_NOOP("kb::TMainForm", "Import using a plug-in")},
    {"FileExportItem", QT_TRANSLATE_NOOP("kb::TMainForm", "Export the active block diagram.")},
    {"BMP1", QT_TRANSLATE_NOOP("kb::TMainForm", "Save the block diagram in a graphic file.")},
    {"toPascal1",
     QT_TRANSLATE_NOOP("kb::TMainForm", "Get a Pascal procedure from the block diagram.")},
    {"FileExitItem",
     QT_TRANSLATE_NOOP("kb::TMainForm", "Finish work and close the editor window.")},
    {"Edit1", QT_TRANSLATE_NOOP("kb::TMainForm", "Editing of the block diagram.")},
    {"DeleteItem", QT_TRANSLATE_NOOP("kb::TMainForm", "Delete selected objects")},
    {"CutItem", QT_TRANSLATE_NOOP("kb::TMainForm", "Cut the selected objects to the clipboard.")},
    {"CopyItem", QT_TRANSLATE_NOOP("kb::TMainForm", "Copy the selected objects to the clipboard.")},
    {"PasteItem", QT_TRANSLATE_NOOP("kb::TMainForm", "Paste objects")},
    {"SelectAllItem",
     QT_TRANSLATE_NOOP("kb::TMainForm", "Select all objects of the block diagram.")},
    {"Find1", QT_TRANSLATE_NOOP("kb::TMainForm", "Find text in blocks.")},
    {"Replace1", QT_TRANSLATE_NOOP("kb::TMainForm", "Replace text in blocks.")},
    {"JoinSquare1", QT_TRANSLATE_NOOP("kb::TMainForm", "Join all consecutive rectangles.")},
    {"DuplicateItem", QT_TRANSLATE_NOOP("kb::TMainForm", "Duplicate selected objects.")},
    {"View1", QT_TRANSLATE_NOOP("kb::TMainForm", "View of the block-diagram window.")},
    {"Scale1", QT_TRANSLATE_NOOP("kb::TMainForm", "Change the scale of the block diagram.")},
    {"Fullscreenpreview1",
     QT_TRANSLATE_NOOP("kb::TMainForm", "Show the block diagram on the whole screen.")},
    {"Grid1", QT_TRANSLATE_NOOP("kb::TMainForm", "Show or hide the grid.")},
    {"Listing", QT_TRANSLATE_NOOP("kb::TMainForm", "Show or hide the list of objects.")},
    {"Statusbar1", QT_TRANSLATE_NOOP("kb::TMainForm", "Show or hide the status bar.")},
    {"Toolbars1", QT_TRANSLATE_NOOP("kb::TMainForm", "Show or hide the toolbars.")},
    {"Standart1", QT_TRANSLATE_NOOP("kb::TMainForm", "Show or hide the standard toolbar.")},
    {"Special1", QT_TRANSLATE_NOOP("kb::TMainForm", "Show or hide the special toolbar.")},
    {"Align1", QT_TRANSLATE_NOOP("kb::TMainForm", "Show or hide the alignment toolbar.")},
    {"Window1", QT_TRANSLATE_NOOP("kb::TMainForm", "Arrangement of the block-diagram windows.")},
    {"WindowCascadeItem", QT_TRANSLATE_NOOP("kb::TMainForm", "Arrange the windows in a cascade.")},
    {"WindowTileItem", QT_TRANSLATE_NOOP("kb::TMainForm", "Arrange the windows side by side.")},
    {"WindowArrangeItem",
     QT_TRANSLATE_NOOP("kb::TMainForm", "Arrange the icons of the minimized windows.")},
    {"WindowMinimizeItem", QT_TRANSLATE_NOOP("kb::TMainForm", "Minimize all windows.")},
    {"N3", QT_TRANSLATE_NOOP("kb::TMainForm", "Open the editor's help.")},
    {"HelpAboutItem", QT_TRANSLATE_NOOP("kb::TMainForm", "Show information about the program.")},
    {"AligntoGrid1", QT_TRANSLATE_NOOP("kb::TMainForm", "Align the selected blocks to the grid.")},
    {"MenuItem1", QT_TRANSLATE_NOOP("kb::TMainForm", "Align the selected blocks.")},
    {"MenuItem2", QT_TRANSLATE_NOOP("kb::TMainForm", "Change the sizes of the selected blocks.")},
    {"Delete1", QT_TRANSLATE_NOOP("kb::TMainForm", "Delete selected objects")},
    {"Cut1", QT_TRANSLATE_NOOP("kb::TMainForm", "Cut selected objects")},
    {"Copy1", QT_TRANSLATE_NOOP("kb::TMainForm", "Copy selected objects")},
    {"Paste1", QT_TRANSLATE_NOOP("kb::TMainForm", "Paste objects")},
    {"Duplicate1", QT_TRANSLATE_NOOP("kb::TMainForm", "Duplicate selected objects.")},
    {"MenuItem4", QT_TRANSLATE_NOOP("kb::TMainForm", "Replace the selected objects.")},
    {"Block1", QT_TRANSLATE_NOOP("kb::TMainForm", "Change the kind of the selected objects.")},
    {"MenuItem5",
     QT_TRANSLATE_NOOP("kb::TMainForm", "Change the kind of the selected objects to rectangle.")},
    {"MenuItem6",
     QT_TRANSLATE_NOOP("kb::TMainForm", "Change the kind of the selected objects to ellipse.")},
    {"MenuItem7",
     QT_TRANSLATE_NOOP("kb::TMainForm", "Change the kind of the selected objects to rhomb.")},
    {"MenuItem8", QT_TRANSLATE_NOOP("kb::TMainForm",
                                    "Change the kind of the selected objects to parallelogram.")},
    {"Comment1",
     QT_TRANSLATE_NOOP("kb::TMainForm", "Change the kind of the selected objects to comment.")},
    {"Document1",
     QT_TRANSLATE_NOOP("kb::TMainForm", "Change the kind of the selected objects to document.")},
    {"Process1",
     QT_TRANSLATE_NOOP("kb::TMainForm", "Change the kind of the selected objects to process.")},
    {"Page1", QT_TRANSLATE_NOOP("kb::TMainForm",
                                "Change the kind of the selected objects to page divider.")},
    {"Templates1",
     QT_TRANSLATE_NOOP("kb::TMainForm", "Replace the selected block with a template.")},
    {"Properties1",
     QT_TRANSLATE_NOOP("kb::TMainForm", "Change the properties of the selected object.")},
    {"Insert1", QT_TRANSLATE_NOOP("kb::TMainForm", "Insert a block of the standard size.")},
    {"Block2", QT_TRANSLATE_NOOP("kb::TMainForm", "Insert a block of the chosen kind.")},
    {"Rectangle1", QT_TRANSLATE_NOOP("kb::TMainForm", "Insert a rectangle.")},
    {"Ellipse1", QT_TRANSLATE_NOOP("kb::TMainForm", "Insert an ellipse.")},
    {"Rhomb1", QT_TRANSLATE_NOOP("kb::TMainForm", "Insert a rhomb.")},
    {"Parallelogram1", QT_TRANSLATE_NOOP("kb::TMainForm", "Insert a parallelogram.")},
    {"Text1", QT_TRANSLATE_NOOP("kb::TMainForm", "Insert a text block.")},
    {"Comment2", QT_TRANSLATE_NOOP("kb::TMainForm", "Insert a comment.")},
    {"Document2", QT_TRANSLATE_NOOP("kb::TMainForm", "Insert a document.")},
    {"Process2", QT_TRANSLATE_NOOP("kb::TMainForm", "Insert a process.")},
    {"Page2", QT_TRANSLATE_NOOP("kb::TMainForm", "Insert a page divider.")},
    {"Templates2", QT_TRANSLATE_NOOP("kb::TMainForm", "Insert a block-diagram template.")},
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
