// The three dockable toolbars: Standard (file, edit and view commands, the
// font box, text alignment), Special (the tool palette) and the Alignment
// palette.
#include "frame/mainform.h"

#include "docwin/childd.h"
#include "docwin/drawing/icons.h"
#include "frame/dialogs/menuform.h"
#include "frame/toolicons.h"

#include <QAction>
#include <QActionGroup>
#include <QComboBox>
#include <QFontDatabase>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>

namespace kb {

namespace {

struct TToolSpec
{
    const char* Name;
    int Code;
    const char* Hint;
};

// In the order the palette shows them.
constexpr TToolSpec kTools[] = {
    {"ToolButton9", tcSelect, QT_TRANSLATE_NOOP("kb::TMainForm", "Select objects")},
    {"ToolButton10", tcEditText, QT_TRANSLATE_NOOP("kb::TMainForm", "Edit text in objects")},
    {"ToolButton11", tcRectangle, QT_TRANSLATE_NOOP("kb::TMainForm", "Create rectangle")},
    {"ToolButton16", tcEllipse, QT_TRANSLATE_NOOP("kb::TMainForm", "Create ellipse")},
    {"ToolButton12", tcRhomb, QT_TRANSLATE_NOOP("kb::TMainForm", "Create rhomb")},
    {"ToolButton13", tcParallelogram, QT_TRANSLATE_NOOP("kb::TMainForm", "Create parallelogram")},
    {"ToolButton14", tcJointPoint,
     QT_TRANSLATE_NOOP("kb::TMainForm", "Add delete point into link")},
    {"ToolButton17", tcText, QT_TRANSLATE_NOOP("kb::TMainForm", "Create text block")},
    {"ToolButton15", tcComment, QT_TRANSLATE_NOOP("kb::TMainForm", "Create comment")},
    {"ToolButton18", tcDocument, QT_TRANSLATE_NOOP("kb::TMainForm", "Create document")},
    {"ToolButton20", tcProcess, QT_TRANSLATE_NOOP("kb::TMainForm", "Create predefined process")},
    {"ToolButton21", tcLink,
     QT_TRANSLATE_NOOP(
         "kb::TMainForm",
         "Create link. Arrowheads: the small arrow beside the button, or hold the button down")},
    {"ToolButton22", tcPan, QT_TRANSLATE_NOOP("kb::TMainForm", "Move document.")},
    {"ToolButton23", tcDivider, QT_TRANSLATE_NOOP("kb::TMainForm", "Create page divider.")},
};

QIcon ToolCodeIcon(int code, int linkDirection, bool jointDelete)
{
    switch (code) {
    case tcSelect:
        return ToolIcon(QStringLiteral("select"));
    case tcEditText:
        return ToolIcon(QStringLiteral("edittext"));
    case tcJointPoint:
        return ToolIcon(jointDelete ? QStringLiteral("pointdelete") : QStringLiteral("pointadd"));
    case tcLink:
        return LinkStyleIcon(linkDirection);
    case tcPan:
        return ToolIcon(QStringLiteral("hand"));
    default:
        return KindIcon(code - 2); // the creating tools make kind code - 2
    }
}

void SetHint(QAction* a, const QString& hint)
{
    a->setToolTip(hint);
    a->setStatusTip(hint);
}

// The menu commands that have a standard picture show it beside their text.
void SetStandardMenuIcons(const TMainForm& main)
{
    const std::pair<const char*, const char*> commands[] = {
        {"FileNewItem", "new"},  {"FileOpenItem", "open"}, {"FileSaveItem", "save"},
        {"Print1", "print"},     {"CutItem", "cut"},       {"CopyItem", "copy"},
        {"PasteItem", "paste"},  {"DeleteItem", "delete"}, {"Find1", "find"},
        {"Replace1", "replace"}, {"Undo1", "undo"},        {"Redo1", "redo"},
        {"Scale1", "scale"}};
    for (const auto& [action, icon] : commands)
        if (QAction* a = main.Action(QLatin1String(action)))
            a->setIcon(StandardIcon(QLatin1String(icon)));
}

} // namespace

void TMainForm::CreateToolbars()
{
    CreateStandardBar();
    CreateSpecialBar();
    CreateAlignBar();
    SetStandardMenuIcons(*this);
}

void TMainForm::CreateStandardBar()
{
    m_standard = new QToolBar(tr("Standard", "toolbar"), this);
    m_standard->setObjectName(QStringLiteral("Standart"));
    m_standard->setIconSize(QSize(16, 16));
    addToolBar(Qt::TopToolBarArea, m_standard);

    auto button = [this](const char* name, const char* icon, const QString& hint,
                         void (TMainForm::*slot)()) {
        QAction* a = NewAction(name, hint);
        a->setIcon(StandardIcon(QLatin1String(icon)));
        SetHint(a, hint);
        m_standard->addAction(a);
        m_standard->widgetForAction(a)->setObjectName(QLatin1String(name));
        if (slot) connect(a, &QAction::triggered, this, slot);
        return a;
    };
    button("NewButton", "new", tr("New block diagram"), &TMainForm::FileNewItemClick);
    button("OpenButton", "open", tr("Open block diagram"), &TMainForm::FileOpenItemClick);
    button("SaveButton", "save", tr("Save active block diagram"), &TMainForm::FileSaveItemClick);
    button("PrintButton", "print", tr("Print active block diagram"), &TMainForm::Print1Click);
    m_standard->addSeparator();
    button("DeleteButton", "delete", tr("Delete selected objects"), &TMainForm::DeleteItemClick);
    button("CutButton", "cut", tr("Cut selected objects"), &TMainForm::CutItemClick);
    button("CopyButton", "copy", tr("Copy selected objects"), &TMainForm::CopyItemClick);
    button("PasteButton", "paste", tr("Paste objects"), &TMainForm::PasteItemClick);
    m_standard->addSeparator();

    QAction* scale = button("ScaleButton", "scale", tr("Scale", "hint"), nullptr);
    auto* scaleMenu = new QMenu(this);
    FillScaleMenu(scaleMenu, QStringLiteral("x %1"), true);
    scale->setMenu(scaleMenu);
    if (auto* b = qobject_cast<QToolButton*>(m_standard->widgetForAction(scale)))
        b->setPopupMode(QToolButton::InstantPopup);
    button("ListButton", "list", tr("Show list of objects"), &TMainForm::ListingClick)
        ->setCheckable(true);
    button("GridButton", "grid", tr("Show grid"), &TMainForm::Grid1Click)->setCheckable(true);
    button("FullScreen", "fullscreen", tr("Full-screen preview", "hint"),
           &TMainForm::Fullscreenpreview1Click);
    m_standard->addSeparator();

    m_fontCombo = new QComboBox(this);
    m_fontCombo->setObjectName(QStringLiteral("FontCombo"));
    m_fontCombo->setToolTip(tr("Select font to all object"));
    m_fontCombo->setStatusTip(m_fontCombo->toolTip());
    m_fontCombo->setMinimumContentsLength(14);
    m_fontCombo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_fontCombo->addItems(QFontDatabase::families());
    // The documents ask for this name even where the system substitutes it.
    if (m_fontCombo->findText(m_fontName) < 0) m_fontCombo->insertItem(0, m_fontName);
    m_fontCombo->setCurrentIndex(m_fontCombo->findText(m_fontName));
    connect(m_fontCombo, &QComboBox::textActivated, this, &TMainForm::FontComboChange);
    m_standard->addWidget(m_fontCombo);
    m_standard->addSeparator();

    const std::tuple<const char*, const char*, const char*, int> aligns[] = {
        {"TextAlignLeft", "textleft",
         QT_TRANSLATE_NOOP("kb::TMainForm", "Align text into block to left."), 1},
        {"TextAlignCenter", "textcenter",
         QT_TRANSLATE_NOOP("kb::TMainForm", "Align text into block to center."), 0},
        {"TextAlignRight", "textright",
         QT_TRANSLATE_NOOP("kb::TMainForm", "Align text into block to right."), 2}};
    for (const auto& [name, icon, hint, code] : aligns) {
        QAction* a = button(name, icon, tr(hint), nullptr);
        a->setData(code);
        connect(a, &QAction::triggered, this, [this, c = code] { TextAlignClick(c); });
    }
}

void TMainForm::CreateSpecialBar()
{
    m_special = new QToolBar(tr("Special", "toolbar"), this);
    m_special->setObjectName(QStringLiteral("Special"));
    m_special->setIconSize(QSize(16, 16));
    addToolBar(Qt::BottomToolBarArea, m_special);
    m_tools = new QActionGroup(this);
    m_tools->setExclusive(true);
    for (const TToolSpec& t : kTools) {
        QAction* a = NewAction(t.Name, tr(t.Hint));
        SetHint(a, tr(t.Hint));
        a->setIcon(ToolCodeIcon(t.Code, m_linkDirection, m_jointDelete));
        a->setCheckable(true);
        a->setChecked(t.Code == m_tool);
        a->setData(t.Code);
        m_tools->addAction(a);
        m_special->addAction(a);
        m_special->widgetForAction(a)->setObjectName(QLatin1String(t.Name));
        connect(a, &QAction::triggered, this, [this, code = t.Code] { SetCurrentTool(code); });
    }

    CreateToolPalette();
}

void TMainForm::CreateToolPalette()
{
    // Holding the link or link-point tool opens the palette of its choices.
    m_toolPalette = new TMenuF(this);
    m_toolPalette->SetJointIcons(ToolIcon(QStringLiteral("pointadd")),
                                 ToolIcon(QStringLiteral("pointdelete")));
    m_toolPalette->AttachLinkTool(qobject_cast<QToolButton*>(
        m_special->widgetForAction(Action(QStringLiteral("ToolButton21")))));
    m_toolPalette->AttachJointTool(qobject_cast<QToolButton*>(
        m_special->widgetForAction(Action(QStringLiteral("ToolButton14")))));
    connect(m_toolPalette, &TMenuF::ToolPressed, this, &TMainForm::SetCurrentTool);
    connect(m_toolPalette, &TMenuF::LinkDirectionChosen, this, &TMainForm::SetLinkDirection);
    connect(m_toolPalette, &TMenuF::JointModeChosen, this,
            [this](int mode) { SetJointDeleteMode(mode == 1); });
}

void TMainForm::SetLinkDirection(int direction)
{
    m_linkDirection = direction & 3;
    m_toolPalette->ShowLinkDirection(m_linkDirection);
    SetCurrentTool(tcLink);
}

void TMainForm::SetJointDeleteMode(bool deleting)
{
    m_jointDelete = deleting;
    Action(QStringLiteral("ToolButton14"))
        ->setIcon(ToolCodeIcon(tcJointPoint, m_linkDirection, m_jointDelete));
    SetCurrentTool(tcJointPoint);
}

void TMainForm::CreateAlignBar()
{
    m_alignBar = new QToolBar(tr("Alignment Palette"), this);
    m_alignBar->setObjectName(QStringLiteral("AlignBar"));
    m_alignBar->setIconSize(QSize(16, 16));
    m_alignBar->setToolTip(tr("Toolbar for aligning blocks."));
    addToolBar(Qt::LeftToolBarArea, m_alignBar);
    const std::tuple<const char*, const char*, const char*, int, int> buttons[] = {
        {"ToolbarButton971", "alignleft", QT_TRANSLATE_NOOP("kb::TMainForm", "Align left edges"), 1,
         0},
        {"ToolbarButton972", "alignhcenter",
         QT_TRANSLATE_NOOP("kb::TMainForm", "Align horizontal centers"), 2, 0},
        {"ToolbarButton973", "alignright", QT_TRANSLATE_NOOP("kb::TMainForm", "Align right edges"),
         3, 0},
        {"ToolbarButton974", "spaceh",
         QT_TRANSLATE_NOOP("kb::TMainForm", "Space equally, horizontally"), 4, 0},
        {"ToolbarButton976", "aligntop", QT_TRANSLATE_NOOP("kb::TMainForm", "Align tops"), 0, 1},
        {"ToolbarButton978", "alignvcenter",
         QT_TRANSLATE_NOOP("kb::TMainForm", "Align vertical centers"), 0, 2},
        {"ToolbarButton977", "alignbottom", QT_TRANSLATE_NOOP("kb::TMainForm", "Align bottoms"), 0,
         3},
        {"ToolbarButton975", "spacev",
         QT_TRANSLATE_NOOP("kb::TMainForm", "Space equally, vertically"), 0, 4},
    };
    for (const auto& [name, icon, hint, h, v] : buttons) {
        QAction* a = NewAction(name, tr(hint));
        a->setIcon(ToolIcon(QLatin1String(icon)));
        SetHint(a, tr(hint));
        m_alignBar->addAction(a);
        m_alignBar->widgetForAction(a)->setObjectName(QLatin1String(name));
        connect(a, &QAction::triggered, this, [this, h = h, v = v] { AlignBlocks(h, v); });
    }
    m_alignBar->hide();
}

} // namespace kb
