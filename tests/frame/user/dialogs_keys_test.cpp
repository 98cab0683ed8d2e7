// What a user meets in the windows: Escape closes each dialog of ours,
// titles are exactly the windows' own texts, the standard keys work and the
// keyboard returns to the document after the in-place editor closes.
#include "docwin/childd.h"
#include "docwin/messagebox.h"
#include "frame/autosave/recoverdialog.h"
#include "frame/mainform.h"
#include "frame/startup.h"
#include "pasexport/ui/expform.h"
#include "tests/frame/shellsupport.h"
#include "tests/frame/user/whenshown.h"

#include <QAction>
#include <QDialog>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace kb;
using kb::test::WhenShown;
using kb::test::WriteDiagram;

namespace {

Block Box(int left, int top, const char* text)
{
    Block b;
    b.SetRect({left, top, left + 80, top + 20});
    b.Text = text;
    return b;
}

class UserWindows : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
        main.show();
        QApplication::setActiveWindow(&main);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
        doc = main.NewDocument();
        TShem s;
        s.AddBlock(Box(10, 10, "first"));
        s.AddBlock(Box(10, 100, "second"));
        TLink link;
        link.EndA = s.Get(0);
        link.EndB = s.Get(1);
        link.PosA = {32767, 65535};
        link.PosB = {32767, 0};
        s.AddLink(link);
        ASSERT_TRUE(doc->LoadFromBytes(s.SaveToBytes()));
    }
    void TearDown() override
    {
        for (TChildD* d : main.Documents())
            d->Document().MarkSaved(); // nothing may stop the window going
    }

    // Runs command, presses Escape in the modal dialog it shows (in the
    // widget that has the keyboard), and tells whether that closed it. A
    // dialog Escape leaves open is closed by force so the test goes on.
    struct TEscapeResult
    {
        bool Shown = false;
        bool Closed = false;
        QString Title;
    };
    template <typename T = QDialog> TEscapeResult EscapeFrom(const std::function<void()>& command)
    {
        TEscapeResult r;
        WhenShown<T>([&r](T* d) {
            r.Shown = true;
            r.Title = d->windowTitle();
            QWidget* target = QApplication::focusWidget();
            if (!target || target->window() != d) target = d;
            QTest::keyClick(target, Qt::Key_Escape);
            r.Closed = !d->isVisible();
            if (!r.Closed) d->done(QDialog::Rejected);
        });
        command();
        QTest::qWait(50); // a modeless dialog's Escape is handled by now
        return r;
    }

    TMainForm main;
    TChildD* doc = nullptr;
};

} // namespace

TEST_F(UserWindows, EscapeClosesEveryDialogOfOurs)
{
    const auto trigger = [this](TCommandId id) {
        return [this, id] { main.Command(id)->trigger(); };
    };
    const auto selectFirst = [this](int count) {
        std::vector<TShemObj*> selection;
        for (int i = 0; i < count; ++i)
            selection.push_back(doc->Shem().Get(i));
        doc->SetSelection(selection);
    };
    struct TCase
    {
        const char* Name;
        TCommandId Command;
        int Selected;
    };
    // A diagram the export turns into Pascal without a message.
    TChildD* loop = main.OpenDocument(QStringLiteral(KB_SOURCE_DIR "/examples/loop.bls"));
    ASSERT_TRUE(loop);
    const TEscapeResult pascal = EscapeFrom<TExpForm>(trigger(TCommandId::ExportPascal));
    main.ActivateDocument(*doc);
    EXPECT_TRUE(pascal.Shown);
    EXPECT_TRUE(pascal.Closed) << "the Pascal export window";
    for (const TCase& c :
         {TCase{"Options", TCommandId::Options, 0}, TCase{"HelpAboutItem", TCommandId::About, 0},
          TCase{"MenuItem1", TCommandId::AlignDialog, 2},
          TCase{"MenuItem2", TCommandId::SizeDialog, 2},
          TCase{"Properties1", TCommandId::Properties, 1},
          TCase{"Fullscreenpreview1", TCommandId::FullScreen, 0}}) {
        selectFirst(c.Selected);
        const TEscapeResult r = EscapeFrom(trigger(c.Command));
        EXPECT_TRUE(r.Shown) << c.Name;
        EXPECT_TRUE(r.Closed) << c.Name << ": Escape left \"" << r.Title.toStdString() << '"';
    }
    // A link's properties are a dialog of their own.
    doc->SetSelection({doc->Shem().Get(2)});
    EXPECT_TRUE(EscapeFrom(trigger(TCommandId::Properties)).Closed);

    // The search dialogs are not modal; Escape closes them just the same.
    main.Command(TCommandId::Find)->trigger();
    QDialog* find = main.OpenSearchDialog();
    ASSERT_TRUE(find);
    QTest::keyClick(find, Qt::Key_Escape);
    EXPECT_FALSE(find->isVisible());

    TStaleAutosave stale;
    stale.Record.Caption = QStringLiteral("Блок-схема №1");
    stale.Record.SavedAt = QDateTime::currentDateTime();
    TRecoverDialog recover({stale}, &main);
    EXPECT_TRUE(EscapeFrom([&] { recover.exec(); }).Closed);
}

TEST_F(UserWindows, TitlesAreTheWindowsOwnTexts)
{
    NameApplication();
    // Qt appends a display name to every title; with none set it has its own name only.
    EXPECT_EQ(QGuiApplication::applicationDisplayName(), QCoreApplication::applicationName());

    EXPECT_EQ(EscapeFrom([this] { main.Command(TCommandId::Options)->trigger(); }).Title,
              QString());
    QString boxTitle;
    WhenShown<QMessageBox>([&](QMessageBox* box) {
        boxTitle = box->windowTitle();
        box->done(QMessageBox::Ok);
    });
    MessageBox(&main, QMessageBox::Information, QStringLiteral("Текст не найден."));
    EXPECT_EQ(boxTitle, QStringLiteral("Редактор блок-схем."));
}

TEST_F(UserWindows, StandardKeysSaveSaveAsPrintAndClose)
{
    const auto keys = [this](TCommandId id) {
        QStringList shown;
        for (const QKeySequence& k : main.Command(id)->shortcuts())
            shown.append(k.toString());
        return shown;
    };
    // The first key is the one the menu shows.
    EXPECT_EQ(keys(TCommandId::FileSave).value(0), QStringLiteral("Ctrl+S"));
    EXPECT_EQ(keys(TCommandId::FileSaveAs).value(0), QStringLiteral("Ctrl+Shift+S"));
    EXPECT_EQ(keys(TCommandId::Print).value(0), QStringLiteral("Ctrl+P"));
    EXPECT_EQ(keys(TCommandId::FileClose).mid(0, 2),
              (QStringList{QStringLiteral("Ctrl+F4"), QStringLiteral("Ctrl+W")}));

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("keys.bls"));
    bool asked = false;
    WhenShown<QFileDialog>([&](QFileDialog* d) {
        asked = true;
        kb::test::TypeName(d, path);
    });
    QTest::keyClick(doc, Qt::Key_S, Qt::ControlModifier); // never saved: asks for a name
    ASSERT_TRUE(asked);
    ASSERT_TRUE(QFileInfo::exists(path));
    // The window the dialog returns to is active again, as on a desktop.
    QApplication::setActiveWindow(&main);
    const qint64 before = QFileInfo(path).size();

    QTest::keyClick(doc, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(doc, Qt::Key_D, Qt::ControlModifier); // duplicates both blocks
    ASSERT_TRUE(doc->Modified());
    QTest::keyClick(doc, Qt::Key_S, Qt::ControlModifier);
    EXPECT_FALSE(doc->Modified());
    EXPECT_GT(QFileInfo(path).size(), before);

    bool printAsked = false;
    WhenShown<QPrintDialog>([&](QPrintDialog* d) {
        printAsked = true;
        d->reject();
    });
    QTest::keyClick(doc, Qt::Key_P, Qt::ControlModifier);
    EXPECT_TRUE(printAsked);

    QTest::keyClick(doc, Qt::Key_W, Qt::ControlModifier);
    QTRY_VERIFY(main.Documents().isEmpty());
}

TEST_F(UserWindows, AfterEscapeTheKeysGoToTheDocument)
{
    doc->setFocus();
    const TPoint lt = doc->ToPixels({10, 10});
    const TPoint rb = doc->ToPixels({90, 30});
    const QPoint centre((lt.x + rb.x) / 2, (lt.y + rb.y) / 2);
    // Edit the text of the first block: the text tool, a click on the block.
    main.Command(TCommandId::ToolEditText)->trigger();
    QTest::mouseClick(doc, Qt::LeftButton, {}, centre);
    ASSERT_TRUE(doc->EditorOpen());
    QTest::keyClick(doc->Editor(), Qt::Key_End, Qt::ControlModifier);
    QTest::keyClicks(doc->Editor(), QStringLiteral("!"));
    QTest::keyClick(doc->Editor(), Qt::Key_Escape);
    ASSERT_FALSE(doc->EditorOpen());
    ASSERT_EQ(doc->Shem().Get(0)->block().Text, "first!");

    EXPECT_EQ(QApplication::focusWidget(), doc);
    QWidget* keyboard = QApplication::focusWidget() ? QApplication::focusWidget() : &main;
    // Ctrl+Z right after Escape takes the typed text back, and Ctrl+Y redoes it.
    QTest::keyClick(keyboard, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(doc->Shem().Get(0)->block().Text, "first");
    QTest::keyClick(keyboard, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(doc->Shem().Get(0)->block().Text, "first!");
    // Keys the document handles itself: Ctrl+arrows move the selection.
    QTest::keyClick(keyboard, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(keyboard, Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(doc->Shem().Get(0)->block().Left, 11);
    EXPECT_TRUE(doc->Modified());
}
