#include "frame/services/findfiles.h"
#include "frame/services/pluginhost.h"

#include "testenv.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
std::vector<std::string> g_loaded;
}

// The editor's export, as the fixtures find it in the host program.
extern "C" KB_EXPORT void LoadFile(const char* fileName)
{
    g_loaded.emplace_back(fileName);
}

namespace kb {
namespace {

class PlugInHostTest : public ::testing::Test
{
protected:
    void SetUp() override { g_loaded.clear(); }

    // Copies a fixture into the plug-in folder under name, with "%" standing
    // for the platform's library suffix and "%^" for it in capitals.
    void Put(const char* fixture, QString name)
    {
        name.replace("%^", LibrarySuffix().toUpper());
        name.replace("%", LibrarySuffix());
        const QString target = m_plugins.filePath(name);
        QDir().mkpath(QFileInfo(target).absolutePath());
        ASSERT_TRUE(QFile::copy(fixture, target)) << target.toStdString();
    }

    QStringList LoadedFiles() const
    {
        QStringList names;
        for (const TPlugIn& p : m_host.PlugIns())
            names.append(QDir(m_plugins.path()).relativeFilePath(p.FileName));
        return names;
    }

    QTemporaryDir m_plugins;
    TPlugInHost m_host;
};

TEST_F(PlugInHostTest, LoadsEveryMatchingLibraryFilesBeforeSubfolders)
{
    Put(KB_FIXTURE_GOOD, "sub/inner%");
    Put(KB_FIXTURE_GOOD, "A_UPPER%^");
    Put(KB_FIXTURE_GOOD, "b%.bak");
    m_host.Load(m_plugins.path(), TPlugInHost::ProgramHandle());

    const QString suffix = LibrarySuffix();
    EXPECT_EQ(LoadedFiles(), QStringList({"A_UPPER" + suffix.toUpper(), "b" + suffix + ".bak",
                                          "sub/inner" + suffix}));
    EXPECT_TRUE(m_host.Errors().isEmpty());
    ASSERT_EQ(m_host.PlugIns().size(), 3u);
    EXPECT_EQ(m_host.PlugIns()[0].Name, "Fixture import");
    EXPECT_EQ(m_host.PlugIns()[0].Hint, "Imports one fixture file");
}

TEST_F(PlugInHostTest, ImportCallsBackIntoTheEditor)
{
    Put(KB_FIXTURE_GOOD, "good%");
    m_host.Load(m_plugins.path(), TPlugInHost::ProgramHandle());
    ASSERT_TRUE(m_host.ImportFiles(0));
    EXPECT_EQ(g_loaded, std::vector<std::string>{"imported-by-fixture.bls"});
    EXPECT_FALSE(m_host.ImportFiles(1));
    EXPECT_FALSE(m_host.ImportFiles(-1));
}

TEST_F(PlugInHostTest, BrokenFilesAreSkippedAndReportedWithoutRunningThem)
{
    Put(KB_FIXTURE_NOHINT, "nohint%");
    Put(KB_FIXTURE_GOOD, "good%");
    ASSERT_TRUE(test::WriteAll(m_plugins.filePath("notes" + LibrarySuffix() + ".txt"), "text"));
    m_host.Load(m_plugins.path(), TPlugInHost::ProgramHandle());

    EXPECT_EQ(LoadedFiles(), QStringList({"good" + LibrarySuffix()}));
    ASSERT_EQ(m_host.Errors().size(), 2);
    EXPECT_TRUE(m_host.Errors()[0].contains("GetHint")) << m_host.Errors()[0].toStdString();
    EXPECT_TRUE(m_host.Errors()[1].contains("notes")) << m_host.Errors()[1].toStdString();
    // The incomplete plug-in's Init would have called LoadFile.
    EXPECT_TRUE(g_loaded.empty());
}

TEST_F(PlugInHostTest, NoPluginFolderMeansNoPlugins)
{
    m_host.Load(m_plugins.filePath("plugin"), TPlugInHost::ProgramHandle());
    EXPECT_TRUE(m_host.PlugIns().empty());
    EXPECT_TRUE(m_host.Errors().isEmpty());
}

} // namespace
} // namespace kb
