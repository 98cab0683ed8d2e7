// The preferences the main window takes at start-up and gives back at the end.
#include "docwin/childd.h"
#include "frame/autosave/documentautosave.h"
#include "frame/dialogs/optionsform.h"
#include "frame/dialogs/spinfield.h"
#include "frame/mainform.h"
#include "frame/objectlist.h"
#include "tests/frame/shellsupport.h"

#include <QAction>
#include <QApplication>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace kb;

TEST(MainFormSettings, AppliedSettingsComeBackUnchanged)
{
    TMainForm main;
    main.show();
    TSettings s = DefaultSettings();
    s.LastFolder = QStringLiteral("/data/diagrams/");
    s.Align = {true, dcRight, 0, 0};
    s.Standard = {true, dcBottom, 0, 0};
    s.Background = RGBColor(255, 255, 224);
    s.ListEnabled = true;
    s.GridEnabled = true;
    s.RecentFiles = {QStringLiteral("/a.bls"), QStringLiteral("/b.bls")};
    s.StandSize[bkRhomb] = {120, 40};
    main.ApplySettings(s);

    EXPECT_TRUE(main.ObjectList()->IsVisible());
    EXPECT_TRUE(main.Command(TCommandId::Listing)->isChecked());
    EXPECT_TRUE(
        main.StandardBar()->findChild<QToolButton*>(QStringLiteral("ListButton"))->isChecked());
    EXPECT_TRUE(main.Command(TCommandId::Grid)->isChecked());
    EXPECT_EQ(main.toolBarArea(main.AlignBar()), Qt::RightToolBarArea);
    EXPECT_TRUE(main.AlignBar()->isVisible());
    // The Special bar shows only while a document is open, whatever was stored.
    EXPECT_FALSE(main.SpecialBar()->isVisible());
    EXPECT_EQ(main.StandardSize(bkRhomb).Width, 120);

    TChildD* doc = main.NewDocument();
    EXPECT_EQ(doc->WindowColor(), RGBColor(255, 255, 224));
    EXPECT_TRUE(doc->Grid());

    const TSettings back = main.CollectSettings();
    EXPECT_EQ(back.LastFolder, s.LastFolder);
    EXPECT_EQ(back.Align.Dock, dcRight);
    EXPECT_EQ(back.Standard.Dock, dcBottom);
    EXPECT_TRUE(back.Align.Visible);
    EXPECT_EQ(back.Background, s.Background);
    EXPECT_TRUE(back.ListEnabled);
    EXPECT_TRUE(back.GridEnabled);
    EXPECT_EQ(back.RecentFiles, s.RecentFiles);
    EXPECT_EQ(back.StandSize, s.StandSize);
    EXPECT_FALSE(back.Maximized);
    ASSERT_TRUE(back.Placement.has_value());
    EXPECT_EQ(*back.Placement, main.geometry());
}

TEST(MainFormSettings, BackgroundReachesEveryOpenDocument)
{
    TMainForm main;
    main.show();
    TChildD* a = main.NewDocument();
    TChildD* b = main.NewDocument();
    main.SetBackground(RGBColor(1, 2, 3));
    EXPECT_EQ(a->WindowColor(), RGBColor(1, 2, 3));
    EXPECT_EQ(b->WindowColor(), RGBColor(1, 2, 3));
    EXPECT_EQ(b->BackBuffer().pixel(3, 3), qRgb(1, 2, 3));
}

TEST(MainFormSettings, TheAutosaveIntervalIsSetInOptionsAndStored)
{
    QTemporaryDir dir;
    kb::test::TMessageRecorder answers;
    answers.Answer = QMessageBox::No;
    TMainForm main;
    main.show();
    EXPECT_EQ(main.CollectSettings().AutosaveInterval, 60);
    main.EnableAutosave(dir.filePath(QStringLiteral("autosave")));
    TChildD* doc = main.NewDocument();
    kb::test::DrawRectangle(main, *doc);
    auto* autosave = doc->findChild<TDocumentAutosave*>();
    ASSERT_TRUE(autosave && autosave->Pending());

    kb::test::WhenModalShows<TOptionsForm>([](TOptionsForm& d) {
        EXPECT_EQ(d.AutosaveField()->value(), 60);
        d.AutosaveField()->setValue(2);
    });
    main.Command(TCommandId::Options)->trigger();
    EXPECT_EQ(main.AutosaveInterval(), 2);
    EXPECT_EQ(main.CollectSettings().AutosaveInterval, 2);
    // The running countdown is cut short; it still counts from the change.
    EXPECT_EQ(autosave->Interval(), 2000);
    EXPECT_LE(autosave->Timer().remainingTime(), 2000);
    QTRY_VERIFY_WITH_TIMEOUT(!autosave->Pending(), 10000);
}
