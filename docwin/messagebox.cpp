#include "docwin/messagebox.h"

#include <QCoreApplication>

namespace kb {

namespace {

TMessageBoxFn& Hook()
{
    static TMessageBoxFn hook;
    return hook;
}

QMessageBox::StandardButton DefaultButton(QMessageBox::StandardButtons buttons)
{
    for (auto b : {QMessageBox::Yes, QMessageBox::Ok})
        if (buttons & b) return b;
    return QMessageBox::NoButton;
}

} // namespace

QString MessageCaption()
{
    return QCoreApplication::translate("kb::TMessageBox", "Block-diagram editor.");
}

QMessageBox::StandardButton MessageBox(QWidget* parent, QMessageBox::Icon icon, const QString& text,
                                       QMessageBox::StandardButtons buttons)
{
    if (Hook()) return Hook()(parent, icon, text, buttons);
    QMessageBox box(icon, MessageCaption(), text, buttons, parent);
    box.setDefaultButton(DefaultButton(buttons));
    return QMessageBox::StandardButton(box.exec());
}

TMessageBoxFn SetMessageBoxHook(TMessageBoxFn hook)
{
    TMessageBoxFn old = std::move(Hook());
    Hook() = std::move(hook);
    return old;
}

} // namespace kb
