#include "frame/services/settings.h"

#include <QDir>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace kb {
namespace {

const QList<QRect> kOneScreen = {QRect(0, 0, 1920, 1080)};

class SettingsTest : public ::testing::Test
{
protected:
    std::unique_ptr<QSettings> Store()
    {
        return std::make_unique<QSettings>(m_dir.filePath("Marlowen.conf"), QSettings::IniFormat);
    }
    TSettings Load() { return LoadSettings(*Store(), kOneScreen); }

    QTemporaryDir m_dir;
};

TEST_F(SettingsTest, FirstStartGivesTheDefaults)
{
    const TSettings s = Load();
    // Never the installation folder, where a save would be refused or worse.
    EXPECT_EQ(s.LastFolder, DocumentsFolder());
    EXPECT_NE(s.LastFolder, ProgramFolder());
    EXPECT_TRUE(QDir(s.LastFolder).exists());
    EXPECT_TRUE(s.LastFolder.endsWith('/') || s.LastFolder.endsWith('\\'));
    EXPECT_TRUE(s.PicturePath.isEmpty());
    EXPECT_FALSE(s.Maximized);
    EXPECT_FALSE(s.Placement.has_value());
    EXPECT_EQ(s.Standard, (TToolbarState{true, dcTop, 0, 0}));
    EXPECT_EQ(s.Special, (TToolbarState{true, dcBottom, 0, 4}));
    EXPECT_EQ(s.Align, (TToolbarState{false, dcLeft, {}, {}}));
    EXPECT_EQ(s.Background, RGBColor(192, 192, 192));
    EXPECT_FALSE(s.ListEnabled);
    EXPECT_FALSE(s.GridEnabled);
    EXPECT_TRUE(s.RecentFiles.isEmpty());
    for (const TBlockSize& size : s.StandSize)
        EXPECT_EQ(size, (TBlockSize{80, 20}));
}

TEST_F(SettingsTest, MaximisedWindowIgnoresTheStoredPlacement)
{
    auto store = Store();
    store->setValue("FullWind", 1);
    store->setValue("TWind", 10);
    store->setValue("LWind", 20);
    store->setValue("HWind", 300);
    store->setValue("WWind", 400);
    store->sync();
    const TSettings s = Load();
    EXPECT_TRUE(s.Maximized);
    EXPECT_FALSE(s.Placement.has_value());
}

TEST_F(SettingsTest, PlacementIsUsedOnlyWhenTheWindowCanBeSeen)
{
    struct Case
    {
        int top, left, height, width;
        bool kept;
    };
    const Case cases[] = {
        {10, 20, 300, 400, true},    {1050, 1900, 300, 400, false}, // only a sliver in the corner
        {10, 5000, 300, 400, false},                                // right of every screen
        {10, 20, -300, 400, false},                                 // negative size
        {10, 20, 300, 0, false},
    };
    for (const Case& c : cases) {
        auto store = Store();
        store->setValue("FullWind", 0);
        store->setValue("TWind", c.top);
        store->setValue("LWind", c.left);
        store->setValue("HWind", c.height);
        store->setValue("WWind", c.width);
        store->sync();
        const TSettings s = Load();
        EXPECT_EQ(s.Placement.has_value(), c.kept) << c.top << "," << c.left;
        if (c.kept) {
            EXPECT_EQ(*s.Placement, QRect(c.left, c.top, c.width, c.height));
        }
    }
}

TEST_F(SettingsTest, OnlyFiveRecentFilesAreReadAndExactlyOneToFiveWritten)
{
    auto store = Store();
    for (int i = 1; i <= 8; ++i)
        store->setValue(QString("Files/%1").arg(i), QString("/d/file%1.bls").arg(i));
    store->sync();
    TSettings s = Load();
    ASSERT_EQ(s.RecentFiles.size(), 5);
    EXPECT_EQ(s.RecentFiles.first(), "/d/file1.bls");
    EXPECT_EQ(s.RecentFiles.last(), "/d/file5.bls");

    s.RecentFiles.prepend("/d/new.bls");
    SaveSettings(*Store(), s);
    auto written = Store();
    written->beginGroup("Files");
    EXPECT_EQ(written->childKeys(), QStringList({"1", "2", "3", "4", "5"}));
    EXPECT_EQ(written->value("1").toString(), "/d/new.bls");
    EXPECT_EQ(written->value("5").toString(), "/d/file4.bls");
}

TEST_F(SettingsTest, ToolbarRowAndPositionApplyOnlyWhenStored)
{
    auto store = Store();
    store->setValue("AlignVis", 1);
    store->setValue("AlignRow", 2);
    store->sync();
    TSettings s = Load();
    EXPECT_TRUE(s.Align.Visible);
    EXPECT_EQ(s.Align.Row, 2);
    EXPECT_FALSE(s.Align.Pos.has_value());

    store->setValue("AlignPos", 30);
    store->sync();
    s = Load();
    EXPECT_EQ(s.Align.Pos, 30);
}

TEST_F(SettingsTest, FloatingToolbarKeepsItsScreenPosition)
{
    auto store = Store();
    store->setValue("StandDock", 0);
    store->setValue("StandRow", -150); // a screen left of the primary one
    store->setValue("StandPos", 700);
    store->sync();
    const TSettings s = Load();
    EXPECT_EQ(s.Standard, (TToolbarState{true, dcFloating, -150, 700}));
}

TEST_F(SettingsTest, DamagedValuesFallBackToTheirDefaults)
{
    auto store = Store();
    store->setValue("Path", "/no/such/folder/anywhere");
    store->setValue("FullWind", "yes please");
    store->setValue("StandDock", 9);
    store->setValue("SpecRow", -1);
    store->setValue("BackGround", "grey");
    store->setValue("GridEnable", "x");
    store->setValue("StandSize/SquareX", -5);
    store->setValue("StandSize/SquareY", 70000);
    store->setValue("StandSize/RhombX", 120);
    store->setValue("AutosaveInterval", 0);
    store->sync();
    const TSettings s = Load();
    EXPECT_EQ(s.LastFolder, DocumentsFolder());
    EXPECT_FALSE(s.Maximized);
    EXPECT_EQ(s.Standard.Dock, dcTop);
    EXPECT_EQ(s.Special.Row, 0);
    EXPECT_EQ(s.Background, kDefaultBackground);
    EXPECT_FALSE(s.GridEnabled);
    EXPECT_EQ(s.StandSize[0], (TBlockSize{80, 20}));
    EXPECT_EQ(s.StandSize[2], (TBlockSize{120, 20}));
    EXPECT_EQ(s.AutosaveInterval, 60);
    store->setValue("AutosaveInterval", 3601);
    store->sync();
    EXPECT_EQ(Load().AutosaveInterval, 60);
}

TEST_F(SettingsTest, SavedSettingsReadBackTheSame)
{
    TSettings s = DefaultSettings();
    s.LastFolder = m_dir.path();
    s.PicturePath = m_dir.filePath("pictures");
    QDir(m_dir.path()).mkdir("pictures");
    s.Placement = QRect(30, 40, 640, 480);
    s.Standard = {false, dcRight, 1, 12};
    s.Special = {true, dcFloating, 200, 300};
    s.Align = {true, dcBottom, 0, 8};
    s.Background = RGBColor(10, 20, 30);
    s.ListEnabled = true;
    s.GridEnabled = true;
    s.RecentFiles = {"/a.bls", "/b.bls"};
    s.StandSize[9] = {33, 44};
    s.AutosaveInterval = 3600;
    SaveSettings(*Store(), s);

    const TSettings r = Load();
    EXPECT_EQ(r.LastFolder, s.LastFolder);
    EXPECT_EQ(r.PicturePath, s.PicturePath);
    EXPECT_EQ(r.Placement, s.Placement);
    EXPECT_EQ(r.Standard, s.Standard);
    EXPECT_EQ(r.Special, s.Special);
    EXPECT_EQ(r.Align, s.Align);
    EXPECT_EQ(r.Background, s.Background);
    EXPECT_TRUE(r.ListEnabled);
    EXPECT_TRUE(r.GridEnabled);
    EXPECT_EQ(r.RecentFiles, s.RecentFiles);
    EXPECT_EQ(r.StandSize, s.StandSize);
    EXPECT_EQ(r.AutosaveInterval, 3600);
    EXPECT_EQ(Store()->value("AutosaveInterval").toInt(), 3600) << "a top-level value";
    // Booleans go out as numbers, as the value types require.
    EXPECT_EQ(Store()->value("ListEnable").toString(), "1");
    EXPECT_EQ(Store()->value("StandSize/PageX").toInt(), 33);
}

} // namespace
} // namespace kb
