#include "frame/dialogs/optionsform.h"

#include "docwin/drawing/icons.h"
#include "docwin/drawing/paintercanvas.h"
#include "frame/dialogs/dialogbuttons.h"
#include "frame/dialogs/spinfield.h"
#include "model/shemobj.h"

#include <QColorDialog>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <algorithm>

namespace kb {

namespace {

// What a width or height field left empty becomes.
constexpr int kEmptyFieldValue = 20;

const char* const kEntryNames[] = {QT_TRANSLATE_NOOP("kb::TOptionsForm", "Square"),
                                   QT_TRANSLATE_NOOP("kb::TOptionsForm", "Ellipse"),
                                   QT_TRANSLATE_NOOP("kb::TOptionsForm", "Rhomb"),
                                   QT_TRANSLATE_NOOP("kb::TOptionsForm", "Parallelogram"),
                                   QT_TRANSLATE_NOOP("kb::TOptionsForm", "Text"),
                                   QT_TRANSLATE_NOOP("kb::TOptionsForm", "Comments"),
                                   QT_TRANSLATE_NOOP("kb::TOptionsForm", "Document"),
                                   QT_TRANSLATE_NOOP("kb::TOptionsForm", "Predefined process"),
                                   QT_TRANSLATE_NOOP("kb::TOptionsForm", "Page divider")};

// Each language is named in itself, so that a user who cannot read the
// current one still finds their own.
const std::pair<const char*, const char*> kLanguages[] = {{"ru", "Русский"}, {"en", "English"}};

std::optional<QColor> PickWithDialog(const QColor& current, QWidget* parent)
{
    const QColor c = QColorDialog::getColor(current, parent);
    if (!c.isValid()) return std::nullopt;
    return c;
}

QLabel* StaticText(const char* name, const QString& caption, QWidget* parent)
{
    auto* label = new QLabel(caption, parent);
    label->setObjectName(QLatin1String(name));
    return label;
}

} // namespace

int TOptionsForm::KindOfEntry(int i)
{
    return i <= bkParallelogram ? i : i + 1;
}

TOptionsForm::TOptionsForm(QWidget* parent)
    : QDialog(parent), m_picker(PickWithDialog), m_kinds(new QComboBox(this)),
      m_width(new TSpinField(20, 255, this)), m_height(new TSpinField(10, 255, this)),
      m_panel(new QPushButton(tr("Change"), this)),
      m_autosave(new TSpinField(kMinAutosaveInterval, kMaxAutosaveInterval, this)),
      m_language(new QComboBox(this))
{
    setObjectName(QStringLiteral("OptionsForm"));
    // The Russian interface has always shown this dialog without a title. A
    // catalogue cannot hold an empty translation, so a blank one stands for it.
    setWindowTitle(tr("Options").trimmed());
    m_kinds->setObjectName(QStringLiteral("ComboBox1"));
    int i = 0;
    for (const char* name : kEntryNames)
        m_kinds->addItem(KindIcon(KindOfEntry(i++)), tr(name));
    m_width->setObjectName(QStringLiteral("SpinEdit1"));
    m_height->setObjectName(QStringLiteral("SpinEdit2"));
    m_width->SetEmptyValue(kEmptyFieldValue);
    m_height->SetEmptyValue(kEmptyFieldValue);
    m_panel->setObjectName(QStringLiteral("Panel1"));
    m_autosave->setObjectName(QStringLiteral("SpinEdit3"));
    m_autosave->SetEmptyValue(kDefaultAutosaveInterval);
    m_language->setObjectName(QStringLiteral("LanguageList"));
    for (const auto& [setting, name] : kLanguages)
        m_language->addItem(QString::fromUtf8(name), QLatin1String(setting));

    auto* grid = new QGridLayout;
    grid->addWidget(StaticText("StaticText1", tr("Size of standard block."), this), 0, 0, 1, 3);
    grid->addWidget(StaticText("StaticText2", tr("Type of block"), this), 1, 0);
    grid->addWidget(StaticText("StaticText3", tr("Width"), this), 1, 1);
    grid->addWidget(StaticText("StaticText4", tr("Height"), this), 1, 2);
    grid->addWidget(m_kinds, 2, 0);
    grid->addWidget(m_width, 2, 1);
    grid->addWidget(m_height, 2, 2);
    grid->addWidget(StaticText("StaticText5", tr("Background color"), this), 3, 0);
    grid->addWidget(m_panel, 3, 1);
    grid->addWidget(StaticText("StaticText6", tr("Autosave, s"), this), 4, 0);
    grid->addWidget(m_autosave, 4, 1);
    QLabel* languageLabel = StaticText("StaticText7", tr("Interface language"), this);
    languageLabel->setBuddy(m_language);
    grid->addWidget(languageLabel, 5, 0);
    grid->addWidget(m_language, 5, 1, 1, 2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(OkCancelRow(this));

    connect(m_kinds, &QComboBox::currentIndexChanged, this, &TOptionsForm::ShowEntry);
    connect(m_width, &QSpinBox::editingFinished, this, &TOptionsForm::StoreFields);
    connect(m_height, &QSpinBox::editingFinished, this, &TOptionsForm::StoreFields);
    connect(m_panel, &QPushButton::clicked, this, &TOptionsForm::PanelClick);
}

void TOptionsForm::SetValues(const TStandSizes& sizes, TColor background, int autosaveSeconds)
{
    m_sizes = sizes;
    m_background = background;
    m_autosave->setValue(autosaveSeconds);
    {
        const QSignalBlocker blocker(m_kinds);
        m_kinds->setCurrentIndex(0);
    }
    ShowEntry(0);
    ShowColor();
}

int TOptionsForm::AutosaveSeconds() const
{
    return m_autosave->cleanText().isEmpty() ? kDefaultAutosaveInterval : m_autosave->Reading();
}

void TOptionsForm::SetLanguage(const QString& language)
{
    // A value the list does not hold means the first language, Russian.
    m_language->setCurrentIndex(std::max(0, m_language->findData(language)));
}

QString TOptionsForm::Language() const
{
    return m_language->currentData().toString();
}

bool TOptionsForm::Edit(TStandSizes& sizes, TColor& background, int& autosaveSeconds,
                        QString& language)
{
    SetValues(sizes, background, autosaveSeconds);
    SetLanguage(language);
    const QString shown = Language(); // what was stored, as the list reads it
    if (exec() != QDialog::Accepted) return false;
    const int seconds = AutosaveSeconds();
    if (m_sizes == sizes && m_background == background && seconds == autosaveSeconds &&
        Language() == shown)
        return false;
    sizes = m_sizes;
    background = m_background;
    autosaveSeconds = seconds;
    language = Language();
    return true;
}

bool TOptionsForm::Edit(TStandSizes& sizes, TColor& background, int& autosaveSeconds)
{
    QString language = Language();
    return Edit(sizes, background, autosaveSeconds, language);
}

bool TOptionsForm::Edit(TStandSizes& sizes, TColor& background)
{
    int seconds = kDefaultAutosaveInterval;
    return Edit(sizes, background, seconds);
}

void TOptionsForm::SetColorPicker(TColorPicker picker)
{
    m_picker = picker ? std::move(picker) : TColorPicker(PickWithDialog);
}

void TOptionsForm::accept()
{
    // OK pressed with Enter in a field: what it shows is what is kept.
    StoreFields();
    QDialog::accept();
}

void TOptionsForm::ShowEntry(int i)
{
    if (i < 0) return;
    const TBlockSize& size = m_sizes[size_t(KindOfEntry(i))];
    for (auto [field, value] : {std::pair{m_width, size.Width}, {m_height, size.Height}}) {
        const QSignalBlocker blocker(field);
        field->setValue(value);
    }
}

void TOptionsForm::StoreFields()
{
    const int i = m_kinds->currentIndex();
    if (i < 0) return;
    for (TSpinField* field : {m_width, m_height})
        if (field->cleanText().isEmpty()) field->setValue(kEmptyFieldValue);
    m_sizes[size_t(KindOfEntry(i))] = {m_width->Reading(), m_height->Reading()};
}

void TOptionsForm::ShowColor()
{
    m_panel->setStyleSheet(QStringLiteral("QPushButton#Panel1 { background-color: %1; }")
                               .arg(ToQColor(m_background).name()));
}

void TOptionsForm::PanelClick()
{
    const std::optional<QColor> c = m_picker(ToQColor(m_background), this);
    if (!c) return;
    m_background = RGBColor(c->red(), c->green(), c->blue());
    ShowColor();
}

} // namespace kb
