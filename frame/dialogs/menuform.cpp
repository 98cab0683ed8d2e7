#include "frame/dialogs/menuform.h"

#include "docwin/childhost.h"
#include "docwin/drawing/icons.h"
#include "model/shemobj.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionToolButton>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace kb {

namespace {

constexpr QPoint kButtonPoint{8, 8};

void SetToolIcon(QToolButton* button, const QIcon& icon)
{
    if (!button) return;
    // A button showing an action takes its picture from the action.
    if (QAction* a = button->defaultAction())
        a->setIcon(icon);
    else
        button->setIcon(icon);
}

int ToolCodeOf(const QToolButton* button, const QToolButton* linkTool)
{
    return button == linkTool ? tcLink : tcJointPoint;
}

} // namespace

QIcon JointModeIcon(int mode)
{
    QImage image = KindImage(bkJoint);
    QPainter p(&image);
    p.setPen(Qt::black);
    p.drawLine(10, 3, 14, 3);                // minus: delete a point
    if (mode == 0) p.drawLine(12, 1, 12, 5); // plus: add one
    return QIcon(QPixmap::fromImage(image));
}

TMenuF::TMenuF(QWidget* parent)
    : QWidget(parent, Qt::Popup | Qt::FramelessWindowHint), m_timer(new QTimer(this))
{
    setObjectName(QStringLiteral("MenuF"));
    m_timer->setObjectName(QStringLiteral("Timer1"));
    m_timer->setInterval(kHoldMs);
    m_timer->setSingleShot(true);
    connect(m_timer, &QTimer::timeout, this, &TMenuF::Timer1Timer);
    m_jointIcons[0] = JointModeIcon(0);
    m_jointIcons[1] = JointModeIcon(1);

    m_links = CreateChoices("ToolBar1", 4, kLinkHeight, m_linkChoices);
    for (int v = 0; v < 4; ++v) {
        LinkChoice(v)->setIcon(LinkStyleIcon(v));
        connect(LinkChoice(v), &QToolButton::clicked, this, [this, v] { ChooseLink(v); });
    }
    m_directionMenu = CreateDirectionMenu();
    m_joints = CreateChoices("ToolBar2", 2, kJointHeight, m_jointChoices);
    for (int v = 0; v < 2; ++v) {
        JointChoice(v)->setIcon(m_jointIcons[v]);
        connect(JointChoice(v), &QToolButton::clicked, this, [this, v] { ChooseJoint(v); });
    }
}

// A column of buttons filling the palette's width; its height is shared out.
QWidget* TMenuF::CreateChoices(const char* name, int count, int height,
                               std::vector<QToolButton*>& buttons)
{
    auto* column = new QWidget(this);
    column->setObjectName(QLatin1String(name));
    column->setGeometry(0, 0, kWidth, height);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (int tag = 0; tag < count; ++tag) {
        auto* button = new QToolButton(column);
        button->setObjectName(QStringLiteral("%1Button%2").arg(QLatin1String(name)).arg(tag));
        button->setAutoRaise(true);
        button->setIconSize(QSize(16, 16));
        button->setFixedSize(kWidth, height / count);
        layout->addWidget(button);
        buttons.push_back(button);
    }
    column->hide();
    return column;
}

QToolButton* TMenuF::LinkChoice(int direction) const
{
    return direction >= 0 && direction < int(m_linkChoices.size())
               ? m_linkChoices[size_t(direction)]
               : nullptr;
}

QToolButton* TMenuF::JointChoice(int mode) const
{
    return mode >= 0 && mode < int(m_jointChoices.size()) ? m_jointChoices[size_t(mode)] : nullptr;
}

// The four directions with their pictures; the current one is checked.
QMenu* TMenuF::CreateDirectionMenu()
{
    auto* menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("LinkDirectionMenu"));
    m_directions = new QActionGroup(menu);
    const char* const captions[] = {QT_TR_NOOP("No arrows"), QT_TR_NOOP("Arrow at the end"),
                                    QT_TR_NOOP("Arrow at the start"),
                                    QT_TR_NOOP("Arrows at both ends")};
    for (int v = 0; v < 4; ++v) {
        QAction* a = menu->addAction(LinkStyleIcon(v), tr(captions[v]));
        a->setObjectName(QStringLiteral("LinkArrow%1").arg(v));
        a->setCheckable(true);
        a->setChecked(v == m_direction);
        m_directions->addAction(a);
        connect(a, &QAction::triggered, this, [this, v] { ChooseLink(v); });
    }
    return menu;
}

void TMenuF::AttachLinkTool(QToolButton* button)
{
    m_linkTool = button;
    if (!button) return;
    button->installEventFilter(this);
    button->setMenu(m_directionMenu);
    button->setPopupMode(QToolButton::MenuButtonPopup);
}

void TMenuF::ShowLinkDirection(int direction)
{
    m_direction = direction & 3;
    m_directions->actions().at(m_direction)->setChecked(true);
    SetToolIcon(m_linkTool, LinkStyleIcon(m_direction));
}

// The small arrow of a button with a menu opens the menu: a press there is
// not a press on the tool.
bool TMenuF::OnMenuArrow(const QToolButton* button, QPoint p) const
{
    if (button->popupMode() != QToolButton::MenuButtonPopup || !button->menu()) return false;
    QStyleOptionToolButton option;
    option.initFrom(button);
    option.features = QStyleOptionToolButton::MenuButtonPopup | QStyleOptionToolButton::HasMenu;
    option.subControls = QStyle::SC_ToolButton | QStyle::SC_ToolButtonMenu;
    return button->style()
        ->subControlRect(QStyle::CC_ToolButton, &option, QStyle::SC_ToolButtonMenu, button)
        .contains(p);
}

void TMenuF::AttachJointTool(QToolButton* button)
{
    m_jointTool = button;
    if (button) button->installEventFilter(this);
}

void TMenuF::SetJointIcons(const QIcon& add, const QIcon& remove)
{
    m_jointIcons[0] = add;
    m_jointIcons[1] = remove;
    JointChoice(0)->setIcon(add);
    JointChoice(1)->setIcon(remove);
}

bool TMenuF::eventFilter(QObject* watched, QEvent* event)
{
    auto* button = qobject_cast<QToolButton*>(watched);
    if (button && (button == m_linkTool || button == m_jointTool)) {
        // Only a press is a mouse event here; the cast waits for the type check.
        if (event->type() == QEvent::MouseButtonPress) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() == Qt::LeftButton &&
                !OnMenuArrow(button, mouse->position().toPoint()))
                Press(button);
        } else if (event->type() == QEvent::MouseButtonRelease) {
            m_timer->stop(); // a short click only picks the tool
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TMenuF::Press(QToolButton* button)
{
    m_pressed = button;
    // The tool goes down at once, the other tools of its group up.
    if (QAction* a = button->defaultAction(); a && a->isCheckable())
        a->setChecked(true);
    else if (button->isCheckable())
        button->setChecked(true);
    emit ToolPressed(ToolCodeOf(button, m_linkTool));
    m_timer->start();
}

void TMenuF::Timer1Timer()
{
    m_timer->stop();
    QToolButton* pressed = m_pressed;
    if (!pressed) return;
    const bool links = pressed == m_linkTool;
    m_links->setVisible(links);
    m_joints->setVisible(!links);
    resize(kWidth, links ? kLinkHeight : kJointHeight);
    move(Placement(pressed->mapToGlobal(kButtonPoint)));
    show();
    ReleaseCapture(pressed);
}

// Beside the dock that holds the toolbar, away from the window's edge.
QPoint TMenuF::Placement(QPoint p) const
{
    const auto* bar = m_pressed ? qobject_cast<QToolBar*>(m_pressed->parentWidget()) : nullptr;
    const auto* window = bar ? qobject_cast<QMainWindow*>(bar->parentWidget()) : nullptr;
    if (!window || bar->isFloating()) return p;
    switch (window->toolBarArea(bar)) {
    case Qt::LeftToolBarArea:
        return {p.x(), p.y() - height()};
    case Qt::RightToolBarArea:
        return {p.x() - width(), p.y()};
    default:
        return p;
    }
}

// The pressed button would stay down under the palette without its release.
void TMenuF::ReleaseCapture(QToolButton* button)
{
    m_pressed = nullptr;
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(kButtonPoint),
                        QPointF(button->mapToGlobal(kButtonPoint)), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QCoreApplication::sendEvent(button, &release);
}

void TMenuF::ChooseLink(int direction)
{
    ShowLinkDirection(direction);
    hide();
    emit LinkDirectionChosen(direction);
}

void TMenuF::ChooseJoint(int mode)
{
    m_jointMode = mode;
    SetToolIcon(m_jointTool, m_jointIcons[mode]);
    hide();
    emit JointModeChosen(mode);
}

} // namespace kb
