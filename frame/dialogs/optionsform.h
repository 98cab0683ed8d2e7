// TOptionsForm, the Options dialog: the standard size of each block kind
// (used by Insert > Block), the documents' background colour, the
// autosave interval in seconds and the interface language, edited on a
// working copy.
#pragma once

#include "frame/services/settings.h"

#include <QColor>
#include <QDialog>

#include <array>
#include <functional>
#include <optional>

class QComboBox;
class QPushButton;

namespace kb {

class TSpinField;

using TStandSizes = std::array<TBlockSize, 10>;
// Asks the user for a colour starting from current; none when cancelled.
using TColorPicker = std::function<std::optional<QColor>(const QColor& current, QWidget* parent)>;

class TOptionsForm : public QDialog
{
    Q_OBJECT

public:
    explicit TOptionsForm(QWidget* parent = nullptr);

    // Takes a working copy of the table and the colour, as at every showing,
    // and shows the first kind.
    void SetValues(const TStandSizes& sizes, TColor background,
                   int autosaveSeconds = kDefaultAutosaveInterval);
    const TStandSizes& Sizes() const { return m_sizes; }
    TColor Background() const { return m_background; }
    int AutosaveSeconds() const;
    // The "Language" setting the list shows: "en" or "ru" (anything else).
    void SetLanguage(const QString& language);
    QString Language() const;
    // Shows the dialog modally; true when OK was pressed and something
    // changed, the arguments then holding the new values.
    bool Edit(TStandSizes& sizes, TColor& background, int& autosaveSeconds, QString& language);
    bool Edit(TStandSizes& sizes, TColor& background, int& autosaveSeconds);
    bool Edit(TStandSizes& sizes, TColor& background);
    // Replaces the colour dialog (tests); an empty picker restores it.
    void SetColorPicker(TColorPicker picker);

    // The block kind of list entry i: no entry stands for joint points.
    static int KindOfEntry(int i);

    QComboBox* KindList() const { return m_kinds; }
    TSpinField* WidthField() const { return m_width; }
    TSpinField* HeightField() const { return m_height; }
    TSpinField* AutosaveField() const { return m_autosave; }
    QPushButton* ColorPanel() const { return m_panel; }
    QComboBox* LanguageList() const { return m_language; }

public slots:
    void accept() override;

private:
    void ShowEntry(int i);
    void StoreFields();
    void ShowColor();
    void PanelClick();

    TStandSizes m_sizes{};
    TColor m_background = kDefaultBackground;
    TColorPicker m_picker;
    QComboBox* m_kinds;
    TSpinField* m_width;
    TSpinField* m_height;
    QPushButton* m_panel;
    TSpinField* m_autosave;
    QComboBox* m_language;
};

} // namespace kb
