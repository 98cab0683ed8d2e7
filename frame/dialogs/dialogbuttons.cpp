#include "frame/dialogs/dialogbuttons.h"

#include <QCoreApplication>
#include <QPushButton>

namespace kb {

QHBoxLayout* OkCancelRow(QDialog* dialog)
{
    auto* row = new QHBoxLayout;
    auto* ok = new QPushButton(QCoreApplication::translate("kb::TDialogButtons", "OK"), dialog);
    ok->setObjectName(QStringLiteral("Button1"));
    ok->setDefault(true);
    auto* cancel =
        new QPushButton(QCoreApplication::translate("kb::TDialogButtons", "Cancel"), dialog);
    cancel->setObjectName(QStringLiteral("Button2"));
    QObject::connect(ok, &QPushButton::clicked, dialog, &QDialog::accept);
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    row->addStretch();
    row->addWidget(ok);
    row->addWidget(cancel);
    return row;
}

} // namespace kb
