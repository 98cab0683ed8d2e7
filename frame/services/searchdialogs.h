// The non-modal Find and Replace dialogs. They stay open between searches
// and drive the active document through a TSearchTarget.
#pragma once

#include "frame/services/searchcommands.h"

#include <QDialog>
#include <QPointer>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QGridLayout;
class QVBoxLayout;

namespace kb {

class TSearchTarget;

// What both dialogs share: the search text, match case, Find Next, Cancel.
class TSearchDialog : public QDialog
{
    Q_OBJECT
public:
    TSearchDialog(TSearchTarget& target, QWidget* parent);

    virtual TSearchQuery Query() const;
    void SetSearchText(const QString& text);
    void SetMatchCase(bool on);

    QPushButton* FindNextButton() const { return m_findNext; }

public slots:
    TSearchOutcome FindNextClicked();

protected:
    // Adds a command button to the right-hand column, above Cancel.
    QPushButton* AddButton(const QString& text, const char* objectName);
    QGridLayout* Grid() const { return m_grid; }
    TSearchTarget& Target() const { return m_target; }
    virtual void UpdateButtons();

private:
    TSearchTarget& m_target;
    QGridLayout* m_grid = nullptr;
    QLineEdit* m_text = nullptr;
    QCheckBox* m_matchCase = nullptr;
    QPushButton* m_findNext = nullptr;
    QPushButton* m_cancel = nullptr;
    QVBoxLayout* m_buttons = nullptr;
};

class TFindDialog : public TSearchDialog
{
    Q_OBJECT
public:
    TFindDialog(TSearchTarget& target, QWidget* parent = nullptr);
};

class TReplaceDialog : public TSearchDialog
{
    Q_OBJECT
public:
    TReplaceDialog(TSearchTarget& target, QWidget* parent = nullptr);

    TSearchQuery Query() const override;
    void SetReplacement(const QString& text);

    QPushButton* ReplaceButton() const { return m_replace; }
    QPushButton* ReplaceAllButton() const { return m_replaceAll; }

public slots:
    TSearchOutcome ReplaceClicked();
    TSearchOutcome ReplaceAllClicked();

protected:
    void UpdateButtons() override;

private:
    QLineEdit* m_replacement = nullptr;
    QPushButton* m_replace = nullptr;
    QPushButton* m_replaceAll = nullptr;
};

// The pair as the main window uses it: Edit > Find shows Find and closes
// Replace, Edit > Replace the other way round, and both close when the
// last document goes.
class TSearchDialogs
{
public:
    // The dialogs are children of parent, which deletes them; without a
    // parent this object does.
    TSearchDialogs(TSearchTarget& target, QWidget* parent);
    ~TSearchDialogs();
    TSearchDialogs(const TSearchDialogs&) = delete;
    TSearchDialogs& operator=(const TSearchDialogs&) = delete;

    void ShowFind();
    void ShowReplace();
    void CloseAll();

    TFindDialog* Find() const { return m_find; }
    TReplaceDialog* Replace() const { return m_replace; }

private:
    QPointer<TFindDialog> m_find;
    QPointer<TReplaceDialog> m_replace;
};

} // namespace kb
