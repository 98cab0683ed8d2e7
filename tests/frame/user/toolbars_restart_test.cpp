// The toolbars come back as the user left them: the main window is closed as
// the user quits it (its documents close first, every bar is hidden by
// then), the settings are written as the editor writes them on exit, and a
// second main window starts from the same store.
#include "docwin/childd.h"
#include "frame/mainform.h"

#include <QAction>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <gtest/gtest.h>

using namespace kb;

namespace {

class ToolbarsAfterRestart : public ::testing::Test
{
protected:
    std::unique_ptr<QSettings> Store()
    {
        return std::make_unique<QSettings>(dir.filePath("Marlowen.conf"), QSettings::IniFormat);
    }

    // Starts a main window from the store, lets setUp act on it, quits it and
    // writes its settings back, as the program does around its main loop.
    void RunSession(const std::function<void(TMainForm&)>& use)
    {
        auto store = Store();
        TMainForm main;
        main.ApplySettings(LoadSettings(*store));
        main.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
        use(main);
        main.Command(TCommandId::Exit)->trigger();
        ASSERT_FALSE(main.isVisible());
        SaveSettings(*store, main.CollectSettings());
    }

    static bool Checked(TMainForm& main, TCommandId id) { return main.Command(id)->isChecked(); }

    QTemporaryDir dir;
};

} // namespace

TEST_F(ToolbarsAfterRestart, ShownBarsStayShownWithAndWithoutADocumentAtExit)
{
    RunSession([](TMainForm& main) { main.NewDocument(); }); // quits with a document open
    RunSession([](TMainForm&) {});                           // and without one
    EXPECT_TRUE(Store()->value("StandVis").toBool());
    EXPECT_TRUE(Store()->value("SpecVis").toBool());

    RunSession([](TMainForm& main) {
        EXPECT_TRUE(main.StandardBar()->isVisible());
        EXPECT_TRUE(Checked(main, TCommandId::ShowStandardBar));
        EXPECT_TRUE(Checked(main, TCommandId::ShowSpecialBar));
        EXPECT_FALSE(main.SpecialBar()->isVisible()) << "no document yet";
        main.NewDocument();
        EXPECT_TRUE(main.SpecialBar()->isVisible());
        EXPECT_FALSE(main.AlignBar()->isVisible());
        EXPECT_FALSE(Checked(main, TCommandId::ShowAlignBar));
    });
}

TEST_F(ToolbarsAfterRestart, BarsTheUserHidOrShowedKeepThatChoice)
{
    RunSession([](TMainForm& main) {
        main.NewDocument();
        // View > Toolbars: hide Standard and Special, show the Alignment palette.
        main.Command(TCommandId::ShowStandardBar)->trigger();
        main.Command(TCommandId::ShowSpecialBar)->trigger();
        main.Command(TCommandId::ShowAlignBar)->trigger();
        EXPECT_FALSE(main.StandardBar()->isVisible());
        EXPECT_FALSE(main.SpecialBar()->isVisible());
        EXPECT_TRUE(main.AlignBar()->isVisible());
        // A new document does not bring back the bar the user hid.
        main.NewDocument();
        EXPECT_FALSE(main.SpecialBar()->isVisible());
    });
    RunSession([](TMainForm& main) {
        EXPECT_FALSE(main.StandardBar()->isVisible());
        EXPECT_FALSE(Checked(main, TCommandId::ShowStandardBar));
        EXPECT_TRUE(main.AlignBar()->isVisible());
        EXPECT_TRUE(Checked(main, TCommandId::ShowAlignBar));
        main.NewDocument();
        EXPECT_FALSE(main.SpecialBar()->isVisible());
        EXPECT_FALSE(Checked(main, TCommandId::ShowSpecialBar));
        // The bars' own menu (a right click on them) is a choice too.
        main.StandardBar()->toggleViewAction()->trigger();
        EXPECT_TRUE(Checked(main, TCommandId::ShowStandardBar));
    });
    RunSession([](TMainForm& main) { EXPECT_TRUE(main.StandardBar()->isVisible()); });
}
