#include "frame/services/association.h"

#include "testenv.h"

#include <QStandardPaths>

#include <gtest/gtest.h>

namespace kb {
namespace {

using test::ReadAll;
using test::TScopedEnv;

#ifndef Q_OS_WIN
class AssociationTest : public ::testing::Test
{
protected:
    QString Desktop() const { return ReadAll(m_data.filePath("applications/kestrabin.desktop")); }
    QString Mime() const { return ReadAll(m_data.filePath("mime/packages/kestrabin-diagram.xml")); }

    QTemporaryDir m_data;
    TScopedEnv m_env{"XDG_DATA_HOME", m_data.path()};
};

TEST_F(AssociationTest, IsWrittenIntoTheUserDataFolder)
{
    ASSERT_EQ(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation), m_data.path());
    QString error;
    ASSERT_TRUE(WriteFileAssociation("/opt/kestrabin/kestrabin", &error, false))
        << error.toStdString();
    EXPECT_TRUE(Desktop().contains("\nExec=\"/opt/kestrabin/kestrabin\" %F\n"));
    EXPECT_TRUE(Desktop().contains("MimeType=application/x-kestrabin-diagram;"));
    EXPECT_TRUE(Mime().contains("<glob pattern=\"*.bls\"/>"));
    EXPECT_TRUE(Mime().contains("type=\"application/x-kestrabin-diagram\""));
}

TEST_F(AssociationTest, FollowsTheProgramAfterAMove)
{
    ASSERT_TRUE(WriteFileAssociation("/opt/old/kestrabin", nullptr, false));
    ASSERT_TRUE(WriteFileAssociation("/home/u/new place/kestrabin", nullptr, false));
    EXPECT_FALSE(Desktop().contains("/opt/old"));
    EXPECT_TRUE(Desktop().contains("Exec=\"/home/u/new place/kestrabin\" %F"));
}

TEST_F(AssociationTest, UnwritableDataFolderIsReportedNotFatal)
{
    ASSERT_TRUE(test::WriteAll(m_data.filePath("applications"), "a file, not a folder"));
    QString error;
    EXPECT_FALSE(WriteFileAssociation("/opt/kestrabin/kestrabin", &error, false));
    EXPECT_FALSE(error.isEmpty());
}
#endif

TEST(DesktopEntry, QuotesCharactersTheLauncherWouldInterpret)
{
    const QString text = DesktopEntryText("/x/a\"b$c`d\\e%f/kestrabin");
    EXPECT_TRUE(text.contains(R"(Exec="/x/a\\"b\\$c\\`d\\\\e%%f/kestrabin" %F)"))
        << text.toStdString();
}

} // namespace
} // namespace kb
