#include "frame/services/help.h"
#include "frame/services/printing.h"

#include "docwin/messagebox.h"
#include "model/shem.h"

#include "testenv.h"

#include <QFont>

#include <gtest/gtest.h>

namespace kb {
namespace {

// Catches the message boxes a command shows instead of opening them.
class TMessageCatcher
{
public:
    TMessageCatcher()
        : m_old(SetMessageBoxHook([this](QWidget*, QMessageBox::Icon, const QString& text,
                                         QMessageBox::StandardButtons) {
              m_texts.append(text);
              return QMessageBox::Ok;
          }))
    {
    }
    ~TMessageCatcher() { SetMessageBoxHook(m_old); }
    const QStringList& Texts() const { return m_texts; }

private:
    QStringList m_texts;
    TMessageBoxFn m_old;
};

TEST(Help, PageIsInstalledBesideTheProgram)
{
    const QByteArray page = test::ReadAll(QString(KB_BIN_DIR) + "/help/index.html");
    EXPECT_TRUE(page.contains("<html lang=\"ru\">"));
    for (const char* section :
         {"id=\"tools\"", "id=\"menus\"", "id=\"templates\"", "id=\"pascal\"", "id=\"import\""})
        EXPECT_TRUE(page.contains(section)) << section;
    EXPECT_TRUE(HelpPagePath().endsWith("/help/index.html"));
}

TEST(Help, MissingPageIsReported)
{
    TMessageCatcher messages;
    QTemporaryDir dir;
    EXPECT_FALSE(OpenHelp(nullptr, dir.filePath("help/index.html")));
    ASSERT_EQ(messages.Texts().size(), 1);
    EXPECT_TRUE(messages.Texts()[0].contains("help"));
}

TEST(Print, DiagramWithoutBlocksSaysSoInsteadOfAskingForAPrinter)
{
    TMessageCatcher messages;
    TShem shem;
    PrintDiagram(nullptr, &shem, QFont());
    EXPECT_EQ(messages.Texts(),
              QStringList{QStringLiteral("В блок-схеме нет блоков: печатать нечего.")});
    PrintDiagram(nullptr, nullptr, QFont()); // no document: nothing at all
    EXPECT_EQ(messages.Texts().size(), 1);
}

} // namespace
} // namespace kb
