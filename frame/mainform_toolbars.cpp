// The three dockable toolbars: Standard (file, edit and view commands, the
// font box, text alignment), Special (the tool palette) and the Alignment
// palette. Their buttons show the commands' own actions.
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

} // namespace

QIcon TMainForm::CommandIcon(const TCommand& command) const
{
    switch (command.IconSource) {
    case TIconSource::Standard:
        return StandardIcon(QLatin1String(command.Icon));
    case TIconSource::Drawn:
        return ToolIcon(QLatin1String(command.Icon));
    case TIconSource::Tool:
        return ToolCodeIcon(command.Data, m_linkDirection, m_jointDelete);
    default:
        return {};
    }
}

QToolButton* TMainForm::AddToolButton(QToolBar* bar, TCommandId id)
{
    QAction* a = Command(id);
    bar->addAction(a);
    auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(a));
    button->setObjectName(QLatin1String(CommandOf(id).ButtonName));
    return button;
}

void TMainForm::CreateToolbars()
{
    CreateStandardBar();
    CreateSpecialBar();
    CreateAlignBar();
}

void TMainForm::CreateStandardBar()
{
    using enum TCommandId;
    m_standard = new QToolBar(tr("Standard", "toolbar"), this);
    m_standard->setObjectName(QStringLiteral("Standart"));
    m_standard->setIconSize(QSize(16, 16));
    addToolBar(Qt::TopToolBarArea, m_standard);
    auto add = [this](std::initializer_list<TCommandId> ids) {
        for (TCommandId id : ids)
            AddToolButton(m_standard, id);
    };
    add({FileNew, FileOpen, FileSave, Print});
    m_standard->addSeparator();
    add({Delete, Cut, Copy, Paste});
    m_standard->addSeparator();

    // The button drops down a menu of its own, which hides its items
    // without a document; View > Scale disables them.
    auto* scaleMenu = new QMenu(this);
    FillScaleMenu(scaleMenu, QStringLiteral("x %1"), true);
    QToolButton* scale = AddToolButton(m_standard, Scale);
    scale->setMenu(scaleMenu);
    scale->setPopupMode(QToolButton::InstantPopup);
    add({Listing, Grid, FullScreen});
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
    connect(m_fontCombo, &QComboBox::textActivated, this, &TMainForm::SetDocumentFont);
    m_standard->addWidget(m_fontCombo);
    m_standard->addSeparator();
    add({TextLeft, TextCenter, TextRight});
}

void TMainForm::CreateSpecialBar()
{
    m_special = new QToolBar(tr("Special", "toolbar"), this);
    m_special->setObjectName(QStringLiteral("Special"));
    m_special->setIconSize(QSize(16, 16));
    addToolBar(Qt::BottomToolBarArea, m_special);
    m_tools = new QActionGroup(this);
    m_tools->setExclusive(true);
    for (int id = int(TCommandId::ToolSelect); id <= int(TCommandId::ToolDivider); ++id) {
        QAction* tool = Command(TCommandId(id));
        tool->setChecked(tool->data().toInt() == m_tool);
        m_tools->addAction(tool);
        AddToolButton(m_special, TCommandId(id));
    }
    CreateToolPalette();
}

void TMainForm::CreateToolPalette()
{
    // Holding the link or link-point tool opens the palette of its choices.
    m_toolPalette = new TMenuF(this);
    m_toolPalette->SetJointIcons(ToolIcon(QStringLiteral("pointadd")),
                                 ToolIcon(QStringLiteral("pointdelete")));
    m_toolPalette->AttachLinkTool(
        qobject_cast<QToolButton*>(m_special->widgetForAction(Command(TCommandId::ToolLink))));
    m_toolPalette->AttachJointTool(qobject_cast<QToolButton*>(
        m_special->widgetForAction(Command(TCommandId::ToolJointPoint))));
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
    Command(TCommandId::ToolJointPoint)
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
    for (int id = int(TCommandId::AlignLefts); id <= int(TCommandId::SpaceVertically); ++id)
        AddToolButton(m_alignBar, TCommandId(id));
    m_alignBar->hide();
}

} // namespace kb
