// TMenuF, the tool sub-palette: holding the mouse for 500 ms on the link
// tool or the link-point tool of the Special toolbar opens a small borderless
// palette beside it, offering the link direction (four pictures) or the
// joint-point mode (add or delete). The link directions are also in a menu
// behind a small arrow on the link tool's button, for users who never hold
// a button down. A choice changes the tool button's picture and is
// announced by a signal; the main window keeps the values.
#pragma once

#include <QIcon>
#include <QWidget>

#include <vector>

class QActionGroup;
class QMenu;
class QTimer;
class QToolButton;

namespace kb {

class TMenuF : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kHoldMs = 500;
    static constexpr int kWidth = 28;
    static constexpr int kLinkHeight = 92;
    static constexpr int kJointHeight = 48;
    static constexpr int kFirstLinkImage = 7;
    static constexpr int kFirstJointImage = 11;

    explicit TMenuF(QWidget* parent = nullptr);

    // The Special toolbar's link tool (code 12) and link-point tool (code 6).
    // The buttons keep working as before; a press also starts the hold. The
    // link tool also gets the menu of directions on its arrow.
    void AttachLinkTool(QToolButton* button);
    void AttachJointTool(QToolButton* button);
    // Pictures of the two joint-point modes, on the palette and the tool.
    void SetJointIcons(const QIcon& add, const QIcon& remove);

    int LinkDirection() const { return m_direction; }
    // Shows a direction chosen elsewhere (the stored one) without announcing it.
    void ShowLinkDirection(int direction);
    QMenu* LinkDirectionMenu() const { return m_directionMenu; }
    int JointMode() const { return m_jointMode; }
    // The choices as the tool buttons' image indexes: 7 + direction, 11 + mode.
    int LinkImageIndex() const { return kFirstLinkImage + m_direction; }
    int JointImageIndex() const { return kFirstJointImage + m_jointMode; }

    QTimer* HoldTimer() const { return m_timer; }
    QToolButton* LinkChoice(int direction) const;
    QToolButton* JointChoice(int mode) const;

public slots:
    // The hold timer fired: opens the palette for the pressed tool.
    void Timer1Timer();

signals:
    // A press on an attached tool chose it (the tool code: 12 or 6).
    void ToolPressed(int toolCode);
    void LinkDirectionChosen(int direction);
    void JointModeChosen(int mode);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* CreateChoices(const char* name, int count, int height,
                           std::vector<QToolButton*>& buttons);
    void Press(QToolButton* button);
    void ChooseLink(int direction);
    void ChooseJoint(int mode);
    QPoint Placement(QPoint p) const;
    void ReleaseCapture(QToolButton* button);
    QMenu* CreateDirectionMenu();
    bool OnMenuArrow(const QToolButton* button, QPoint p) const;

    QTimer* m_timer;
    QWidget* m_links;
    QWidget* m_joints;
    QMenu* m_directionMenu;
    QActionGroup* m_directions;
    std::vector<QToolButton*> m_linkChoices;
    std::vector<QToolButton*> m_jointChoices;
    QToolButton* m_linkTool = nullptr;
    QToolButton* m_jointTool = nullptr;
    QToolButton* m_pressed = nullptr;
    QIcon m_jointIcons[2];
    int m_direction = 0;
    int m_jointMode = 0;
};

// The joint-point pictures used until the main window gives its own.
QIcon JointModeIcon(int mode);

} // namespace kb
