#include "frame/dialogs/blockprop.h"

#include "docwin/drawing/icons.h"
#include "docwin/editops.h"
#include "docwin/inplaceeditor.h"
#include "frame/dialogs/dialogbuttons.h"
#include "frame/dialogs/spinfield.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace kb {

namespace {

// The kinds a block can be given here; a joint point has its own dialog.
constexpr int kKindTags[] = {bkRectangle,  bkEllipse,  bkRhomb,   bkParallelogram, bkText,
                             bkCommentary, bkDocument, bkProcess, bkDivider};

constexpr int kMinExtent = 3;
constexpr int kMaxExtent = 600;

bool Fillable(const Block& b)
{
    return (b.Kind <= bkParallelogram || b.Kind == bkDivider) && !b.Dotted;
}

bool Dottable(const Block& b)
{
    return b.Kind != bkText && b.Kind != bkCommentary;
}

QLabel* NamedLabel(const char* name, const QString& caption, QWidget* parent)
{
    auto* label = new QLabel(caption, parent);
    label->setObjectName(QLatin1String(name));
    return label;
}

TSpinField* NamedField(const char* name, int minimum, int maximum, QWidget* parent)
{
    auto* field = new TSpinField(minimum, maximum, parent);
    field->setObjectName(QLatin1String(name));
    return field;
}

} // namespace

TBlockProp::TBlockProp(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("BlockProp"));
    setWindowTitle(tr("Properties of block"));

    m_text = new TInPlaceEditor(this);
    m_text->setObjectName(QStringLiteral("Memo1"));
    m_text->setFrameShape(QFrame::StyledPanel);
    m_text->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_left = NamedField("SpinEdit1", 0, kMaxCoord, this);
    m_top = NamedField("SpinEdit2", 0, kMaxCoord, this);
    m_width = NamedField("SpinEdit3", kMinExtent, kMaxExtent, this);
    m_height = NamedField("SpinEdit4", kMinExtent, kMaxExtent, this);
    m_filling = new QCheckBox(tr("Filling interior "), this);
    m_filling->setObjectName(QStringLiteral("CheckBox1"));
    m_dotted = new QCheckBox(tr("Dotted outline "), this);
    m_dotted->setObjectName(QStringLiteral("CheckBox2"));

    auto* panels = new QHBoxLayout;
    panels->addWidget(CreatePanel("StaticText1", tr("Position"), "Label1", tr("Left"), m_left,
                                  "Label2", tr("Top"), m_top));
    panels->addWidget(CreatePanel("StaticText2", tr("Size"), "Label3", tr("Width"), m_width,
                                  "Label4", tr("Height"), m_height));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(CreateKindBar());
    layout->addWidget(m_text);
    layout->addLayout(panels);
    layout->addWidget(m_filling);
    layout->addWidget(m_dotted);
    layout->addLayout(OkCancelRow(this));
    ConnectHandlers();
}

QWidget* TBlockProp::CreateKindBar()
{
    auto* bar = new QToolBar(this);
    bar->setObjectName(QStringLiteral("ToolBar1"));
    bar->setIconSize(QSize(16, 16));
    m_kinds = new QButtonGroup(this);
    m_kinds->setExclusive(true);
    int n = 0;
    for (int kind : kKindTags) {
        auto* button = new QToolButton(bar);
        button->setObjectName(QStringLiteral("ToolButton%1").arg(++n));
        button->setIcon(KindIcon(kind));
        button->setCheckable(true);
        button->setAutoRaise(true);
        m_kinds->addButton(button, kind);
        bar->addWidget(button);
    }
    return bar;
}

QWidget* TBlockProp::CreatePanel(const char* name, const QString& caption, const char* label1,
                                 const QString& caption1, TSpinField* field1, const char* label2,
                                 const QString& caption2, TSpinField* field2)
{
    auto* panel = new QFrame(this);
    panel->setFrameShape(QFrame::StyledPanel);
    auto* grid = new QGridLayout(panel);
    grid->addWidget(NamedLabel(name, caption, panel), 0, 0, 1, 2);
    grid->addWidget(NamedLabel(label1, caption1, panel), 1, 0);
    grid->addWidget(field1, 1, 1);
    grid->addWidget(NamedLabel(label2, caption2, panel), 2, 0);
    grid->addWidget(field2, 2, 1);
    return panel;
}

void TBlockProp::ConnectHandlers()
{
    connect(m_kinds, &QButtonGroup::idClicked, this, &TBlockProp::KindClick);
    connect(m_dotted, &QCheckBox::clicked, this, &TBlockProp::DottedClick);
    connect(m_filling, &QCheckBox::clicked, this, [this](bool on) { m_block.Filled = on; });
    connect(m_text, &QPlainTextEdit::textChanged, this, &TBlockProp::TextChange);
    connect(m_left, &TSpinField::Changed, this, &TBlockProp::LeftChange);
    connect(m_top, &TSpinField::Changed, this, &TBlockProp::TopChange);
    connect(m_width, &TSpinField::Changed, this, &TBlockProp::WidthChange);
    connect(m_height, &TSpinField::Changed, this, &TBlockProp::HeightChange);
}

void TBlockProp::SetBlock(const Block& b)
{
    m_block = b;
    {
        const QSignalBlocker text(m_text);
        m_text->SetBlockText(b.Text);
    }
    ShowFillingBox();
    ShowDottedBox();
    ShowKind();
    for (auto [field, value] : {std::pair{m_left, b.Left},
                                {m_top, b.Top},
                                {m_width, b.Width()},
                                {m_height, b.Height()}}) {
        const QSignalBlocker blocker(field);
        field->setValue(value);
    }
}

Block TBlockProp::EditedBlock() const
{
    Block b = m_block;
    b.SetRect(MovedInside(b.Rect(), 0, 0));
    return b;
}

bool TBlockProp::Edit(Block& b)
{
    SetBlock(b);
    if (exec() != QDialog::Accepted) return false;
    const Block edited = EditedBlock();
    if (edited == b) return false;
    b = edited;
    return true;
}

QAbstractButton* TBlockProp::KindButton(int kind) const
{
    return m_kinds->button(kind);
}

void TBlockProp::ShowKind()
{
    // An exclusive group always keeps one button down; a kind without a
    // button (a joint point) shows none.
    m_kinds->setExclusive(false);
    for (QAbstractButton* button : m_kinds->buttons())
        button->setChecked(m_kinds->id(button) == m_block.Kind);
    m_kinds->setExclusive(true);
}

void TBlockProp::ShowFillingBox()
{
    const bool enabled = Fillable(m_block);
    m_filling->setEnabled(enabled);
    m_filling->setChecked(enabled && m_block.Filled);
}

void TBlockProp::ShowDottedBox()
{
    const bool enabled = Dottable(m_block);
    m_dotted->setEnabled(enabled);
    m_dotted->setChecked(enabled && m_block.Dotted);
}

void TBlockProp::KindClick(int kind)
{
    m_block.Kind = uint8_t(kind);
    ShowFillingBox();
    ShowDottedBox();
    // A flag whose box the new kind disables is cleared.
    m_block.Filled = m_filling->isChecked();
    m_block.Dotted = m_dotted->isChecked();
}

void TBlockProp::DottedClick(bool on)
{
    m_block.Dotted = on;
    ShowFillingBox();
}

void TBlockProp::TextChange()
{
    // Characters outside Windows-1251 never get in: the field refuses them.
    m_text->BlockText(m_block.Text);
}

void TBlockProp::LeftChange()
{
    m_block.Left = m_left->Reading();
    m_block.Right = m_block.Left + m_width->Reading();
}

void TBlockProp::TopChange()
{
    m_block.Top = m_top->Reading();
    m_block.Bottom = m_block.Top + m_height->Reading();
}

void TBlockProp::WidthChange()
{
    m_block.Right = m_block.Left + m_width->Reading();
}

void TBlockProp::HeightChange()
{
    m_block.Bottom = m_block.Top + m_height->Reading();
}

} // namespace kb
