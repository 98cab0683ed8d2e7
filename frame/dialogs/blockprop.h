// TBlockProp, the block properties dialog: kind, text, position, size and
// the filling and dotted flags of one block, edited on a copy of its record.
#pragma once

#include "model/shemobj.h"

#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QAbstractButton;

namespace kb {

class TInPlaceEditor;
class TSpinField;

class TBlockProp : public QDialog
{
    Q_OBJECT

public:
    explicit TBlockProp(QWidget* parent = nullptr);

    // Fills the dialog from b, as at every showing.
    void SetBlock(const Block& b);
    // The edited copy; a block pushed past 65535 is moved back inside whole.
    Block EditedBlock() const;
    // Shows the dialog modally on b; true when OK was pressed and the record
    // changed, b then holding the edited one. Whoever applies it calls
    // ChangeKind before copying the record over the block's.
    bool Edit(Block& b);

    QAbstractButton* KindButton(int kind) const;
    QCheckBox* FillingBox() const { return m_filling; }
    QCheckBox* DottedBox() const { return m_dotted; }
    TSpinField* LeftField() const { return m_left; }
    TSpinField* TopField() const { return m_top; }
    TSpinField* WidthField() const { return m_width; }
    TSpinField* HeightField() const { return m_height; }
    TInPlaceEditor* TextField() const { return m_text; }

private:
    QWidget* CreateKindBar();
    QWidget* CreatePanel(const char* name, const QString& caption, const char* label1,
                         const QString& caption1, TSpinField* field1, const char* label2,
                         const QString& caption2, TSpinField* field2);
    void ConnectHandlers();
    void ShowKind();
    void ShowFillingBox();
    void ShowDottedBox();
    void KindClick(int kind);
    void DottedClick(bool on);
    void TextChange();
    void LeftChange();
    void TopChange();
    void WidthChange();
    void HeightChange();

    Block m_block;
    QButtonGroup* m_kinds = nullptr;
    TInPlaceEditor* m_text = nullptr;
    TSpinField* m_left = nullptr;
    TSpinField* m_top = nullptr;
    TSpinField* m_width = nullptr;
    TSpinField* m_height = nullptr;
    QCheckBox* m_filling = nullptr;
    QCheckBox* m_dotted = nullptr;
};

} // namespace kb
