// Runs a modal dialog in a test: what the user does is queued to run inside
// the dialog's own event loop, which it then ends with OK or Cancel.
#pragma once

#include <QDialog>
#include <QTimer>

#include <functional>

namespace kb::test {

inline void WhenShown(QDialog& dialog, std::function<void()> act, bool ok = true)
{
    QTimer::singleShot(0, &dialog, [&dialog, act = std::move(act), ok] {
        if (act) act();
        if (ok)
            dialog.accept();
        else
            dialog.reject();
    });
}

} // namespace kb::test
