// LoadFile is found by name in the running program, as a plug-in finds it,
// and opens its file once.
#include "docwin/childd.h"
#include "frame/mainform.h"
#include "include/kestrabin/plugin.h"
#include "tests/frame/shellsupport.h"

#include <gtest/gtest.h>

using namespace kb;

TEST(LoadFile, IsExportedFromTheProgramAndOpensTheFile)
{
    void* program = dlopen(nullptr, RTLD_NOW);
    ASSERT_NE(program, nullptr);
    auto loadFile = reinterpret_cast<KbLoadFileFn>(KbHostSymbol(program, "LoadFile"));
    ASSERT_NE(loadFile, nullptr);

    // Before the main window exists it has nothing to open into.
    loadFile("/nowhere.bls");
    loadFile(nullptr);

    QTemporaryDir dir;
    kb::test::TMessageRecorder messages;
    TMainForm main;
    main.show();
    const QByteArray path = QFile::encodeName(kb::test::WriteDiagram(dir, QStringLiteral("ü.bls")));
    loadFile(path.constData());
    ASSERT_EQ(main.Documents().size(), 1);
    EXPECT_EQ(main.Documents()[0]->FileName(), QFile::decodeName(path));
    loadFile(path.constData());
    EXPECT_EQ(main.Documents().size(), 1);
    loadFile(nullptr);
    EXPECT_TRUE(messages.Texts.isEmpty());
}
