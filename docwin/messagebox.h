// Every message the editor shows goes through MessageBox, so that tests can
// answer the questions and read the texts without a modal dialog.
#pragma once

#include <QMessageBox>
#include <QString>

#include <functional>

namespace kb {

// The caption of every message box of the editor.
QString MessageCaption();

using TMessageBoxFn = std::function<QMessageBox::StandardButton(
    QWidget* parent, QMessageBox::Icon icon, const QString& text,
    QMessageBox::StandardButtons buttons)>;

// Shows a modal box with MessageCaption(); returns the button pressed.
QMessageBox::StandardButton MessageBox(QWidget* parent, QMessageBox::Icon icon, const QString& text,
                                       QMessageBox::StandardButtons buttons = QMessageBox::Ok);

// Replaces the real dialog (an empty function restores it); returns the old one.
TMessageBoxFn SetMessageBoxHook(TMessageBoxFn hook);

} // namespace kb
