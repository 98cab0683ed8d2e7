// Acting on the real dialogs the editor opens: a modal dialog runs its own
// event loop, so the test's steps are queued to run once it is on screen.
#pragma once

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <functional>

#include <gtest/gtest.h>
#include <memory>

namespace kb::test {

// Calls act with the first shown top-level window of type T, once, as soon
// as there is one (checked every 20 ms for at most five seconds). Returns a
// flag that tells whether it ran.
template <typename T>
std::shared_ptr<bool> WhenShown(std::function<void(T*)> act, int timeoutMs = 5000)
{
    auto ran = std::make_shared<bool>(false);
    auto* timer = new QTimer(qApp);
    auto tries = std::make_shared<int>(timeoutMs / 20);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, act, ran, tries] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* t = qobject_cast<T*>(w); t && t->isVisible()) {
                timer->stop();
                timer->deleteLater();
                *ran = true;
                act(t);
                // A step that failed must not leave a modal dialog waiting
                // for ever: the test then fails instead of hanging.
                if (auto* d = qobject_cast<QDialog*>(static_cast<QWidget*>(t)); d && d->isVisible())
                    QTimer::singleShot(3000, d, [d = QPointer<QDialog>(d)] {
                        if (d && d->isVisible()) {
                            ADD_FAILURE() << "the dialog was left open";
                            d->done(QDialog::Rejected);
                        }
                    });
                return;
            }
        if (--*tries <= 0) {
            timer->stop();
            timer->deleteLater();
        }
    });
    timer->start(20);
    return ran;
}

// Types a name into the dialog's file name box and presses its Open or
// Save button, as a user does once the dialog has listed its folder (it
// reads folders in the background and may redo the box meanwhile).
inline void TypeName(QFileDialog* d, const QString& name)
{
    auto* edit = d->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    auto* buttons = d->findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
    ASSERT_TRUE(edit && buttons);
    QPushButton* ok = buttons->button(QDialogButtonBox::Open);
    if (!ok) ok = buttons->button(QDialogButtonBox::Save);
    ASSERT_TRUE(ok);
    for (int attempt = 0; attempt < 5 && d->isVisible(); ++attempt) {
        QTest::qWait(200);
        QTest::mouseClick(edit, Qt::LeftButton);
        edit->selectAll();
        QTest::keyClicks(edit, name);
        QTest::qWait(200);
        if (edit->text() != name || !ok->isEnabled()) continue;
        QTest::mouseClick(ok, Qt::LeftButton);
        QTest::qWait(50);
    }
    EXPECT_FALSE(d->isVisible()) << "the dialog did not take " << name.toStdString();
}

} // namespace kb::test
