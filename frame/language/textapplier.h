// TTextApplier puts a language's texts into the windows of one main window:
// the windows that exist get theirs at once, the ones the main window makes
// at their first use get theirs when they are first shown, before the user
// sees them. A row whose control is not there is skipped and remembered, so
// a table that has fallen behind its windows shows up in a test, not a crash.
#pragma once

#include "frame/language/texttable.h"

#include <QObject>
#include <QStringList>

#include <span>

class QWidget;

namespace kb {

class TTextApplier : public QObject
{
public:
    // The applier is a child of root: root and the windows it owns (its
    // dialogs and their kin) are the ones it fills.
    TTextApplier(std::span<const TWindowTexts> tables, QWidget& root);

    void Apply();

    // "Window.Control" (with "[index]" for entries) of each row not applied.
    const QStringList& Misses() const { return m_misses; }
    // Windows of the tables not shown yet.
    const QStringList& Waiting() const { return m_waiting; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ApplyTo(QWidget& window, const TWindowTexts& table);
    QWidget* FindWindow(const QString& name) const;
    bool Owns(const QObject* window) const;

    std::span<const TWindowTexts> m_tables;
    QWidget& m_root;
    QStringList m_waiting;
    QStringList m_misses;
};

} // namespace kb
