#include "frame/services/findfiles.h"

#include "testenv.h"

#include <QDir>

#include <gtest/gtest.h>

namespace kb {
namespace {

QStringList Relative(const QTemporaryDir& root, const QStringList& paths)
{
    QStringList names;
    for (const QString& p : paths)
        names.append(QDir(root.path()).relativeFilePath(p));
    return names;
}

TEST(FindFiles, MatchesAnywhereInTheNameIgnoringCaseFilesBeforeSubfolders)
{
    QTemporaryDir root;
    QDir dir(root.path());
    ASSERT_TRUE(dir.mkpath("a/deep"));
    ASSERT_TRUE(dir.mkpath("b"));
    ASSERT_TRUE(dir.mkpath(".hidden"));
    for (const char* name : {"z.so", "a/deep/d.so", "a/c.so", "b/B.SO", "X.SO", "x.so.bak",
                             "readme.txt", ".h.so", ".hidden/h.so"})
        ASSERT_TRUE(test::WriteAll(dir.filePath(name), "x"));

    EXPECT_EQ(Relative(root, FindFiles(root.path(), ".so")),
              QStringList({"X.SO", "x.so.bak", "z.so", "a/c.so", "a/deep/d.so", "b/B.SO"}));
}

TEST(FindFiles, MissingFolderGivesNothing)
{
    QTemporaryDir root;
    EXPECT_TRUE(FindFiles(root.filePath("plugin"), ".so").isEmpty());
}

} // namespace
} // namespace kb
