// The template catalogue and its two menus.
#include "frame/commands/templatemenus.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kb;

namespace {

class TemplateMenus : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    QMenu replaceRoot;
    QMenu insertRoot;
    std::vector<int> replaced, inserted;

    void SetUp() override
    {
        replaceRoot.setTitle(QStringLiteral("Templates"));
        insertRoot.setTitle(QStringLiteral("Templates"));
    }
    void Touch(const QString& relative)
    {
        const QString path = dir.filePath(relative);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    void Build(const TTemplateList& list)
    {
        BuildTemplateMenus(
            list, &replaceRoot, &insertRoot, [this](int i) { replaced.push_back(i); },
            [this](int i) { inserted.push_back(i); });
    }
    static QMenu* Submenu(QMenu& root, const QString& caption)
    {
        for (QAction* a : root.actions())
            if (a->menu() && a->text() == caption) return a->menu();
        return nullptr;
    }
};

TEST_F(TemplateMenus, CapitalExtensionIsFoundWithAnEmptyCaption)
{
    Touch(QStringLiteral("LOOP.BLS"));
    Touch(QStringLiteral("notes.txt"));
    const TTemplateList list = FindTemplates(dir.path());
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].Caption, QString());
    EXPECT_TRUE(list[0].Folders.isEmpty());
    EXPECT_EQ(QFileInfo(list[0].Path).fileName(), QStringLiteral("LOOP.BLS"));
    EXPECT_EQ(TemplateCaption(QStringLiteral("/t/a.bls.bls")), QStringLiteral("a"));
}

TEST_F(TemplateMenus, TemplatesOfOneFolderShareOneSubmenuInBothTrees)
{
    Touch(QStringLiteral("Подпрограмма.bls"));
    Touch(QStringLiteral("Циклы/Для.bls"));
    Touch(QStringLiteral("Циклы/Пока.bls"));
    Touch(QStringLiteral("Циклы/Вложенные/Два.bls"));
    const TTemplateList list = FindTemplates(dir.path());
    ASSERT_EQ(list.size(), 4u);
    Build(list);

    for (QMenu* root : {&replaceRoot, &insertRoot}) {
        ASSERT_EQ(root->actions().size(), 2) << "the folder and the top-level template";
        QMenu* loops = Submenu(*root, QStringLiteral("Циклы"));
        ASSERT_TRUE(loops);
        QStringList captions;
        for (QAction* a : loops->actions())
            if (!a->menu()) captions << a->text();
        EXPECT_EQ(captions, (QStringList{QStringLiteral("Для"), QStringLiteral("Пока")}));
        EXPECT_TRUE(Submenu(*loops, QStringLiteral("Вложенные")));
    }

    // Each item's tag is its index in the list, the same in both trees.
    QMenu* loops = Submenu(insertRoot, QStringLiteral("Циклы"));
    for (QAction* a : loops->actions())
        if (!a->menu()) {
            const int i = a->data().toInt();
            EXPECT_EQ(list[size_t(i)].Caption, a->text());
            a->trigger();
        }
    Submenu(replaceRoot, QStringLiteral("Циклы"))->actions().front()->trigger();
    EXPECT_EQ(inserted.size(), 2u);
    ASSERT_EQ(replaced.size(), 1u);
    EXPECT_EQ(list[size_t(replaced[0])].Caption, QStringLiteral("Для"));
}

TEST_F(TemplateMenus, NoTemplatesHideBothMenus)
{
    Build(FindTemplates(dir.filePath(QStringLiteral("template"))));
    EXPECT_FALSE(replaceRoot.menuAction()->isVisible());
    EXPECT_FALSE(insertRoot.menuAction()->isVisible());
}

} // namespace
