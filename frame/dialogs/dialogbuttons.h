// The OK and Cancel buttons the dialogs share, named Button1 and Button2.
#pragma once

#include <QDialog>
#include <QHBoxLayout>

namespace kb {

// A row with OK (the default button, accepts) and Cancel (rejects).
QHBoxLayout* OkCancelRow(QDialog* dialog);

} // namespace kb
