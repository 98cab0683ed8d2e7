#include "frame/commands/templatemenus.h"

#include "frame/services/findfiles.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>

namespace kb {

namespace {

// A menu caption shows '&' as a mnemonic mark unless it is doubled.
QString MenuText(const QString& caption)
{
    QString text = caption;
    return text.replace(QLatin1Char('&'), QLatin1String("&&"));
}

QStringList FoldersBelow(const QString& root, const QString& path)
{
    const QString relative = QDir(root).relativeFilePath(QFileInfo(path).absolutePath());
    QStringList parts = relative.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    parts.removeAll(QStringLiteral("."));
    return parts;
}

// The submenu of node captioned folder, made when there is none yet.
QMenu* SubmenuFor(QMenu* node, const QString& folder)
{
    const QString text = MenuText(folder);
    for (QAction* a : node->actions())
        if (a->menu() && a->text() == text) return a->menu();
    return node->addMenu(text);
}

void AddTemplateItem(QMenu* node, const TTemplate& t, int index, const TTemplateClick& onClick)
{
    QAction* item = node->addAction(MenuText(t.Caption));
    item->setData(index);
    QObject::connect(item, &QAction::triggered, item, [onClick, index] {
        if (onClick) onClick(index);
    });
}

} // namespace

QString TemplateFolder(const QString& programFolder)
{
    return QDir(programFolder).filePath(QStringLiteral("template"));
}

QString TemplateCaption(const QString& fileName)
{
    const QString name = QFileInfo(fileName).fileName();
    const qsizetype end = name.indexOf(QLatin1String(".bls"));
    return end < 0 ? QString() : name.left(end);
}

TTemplateList FindTemplates(const QString& folder)
{
    TTemplateList list;
    for (const QString& path : FindFiles(folder, QStringLiteral(".bls")))
        list.push_back({TemplateCaption(path), path, FoldersBelow(folder, path)});
    return list;
}

void BuildTemplateMenus(const TTemplateList& templates, QMenu* replaceRoot, QMenu* insertRoot,
                        const TTemplateClick& onReplace, const TTemplateClick& onInsert)
{
    for (int i = 0; i < int(templates.size()); ++i) {
        const TTemplate& t = templates[size_t(i)];
        QMenu* replaceNode = replaceRoot;
        QMenu* insertNode = insertRoot;
        for (const QString& folder : t.Folders) {
            replaceNode = SubmenuFor(replaceNode, folder);
            insertNode = SubmenuFor(insertNode, folder);
        }
        AddTemplateItem(replaceNode, t, i, onReplace);
        AddTemplateItem(insertNode, t, i, onInsert);
    }
    if (templates.empty()) {
        replaceRoot->menuAction()->setVisible(false);
        insertRoot->menuAction()->setVisible(false);
    }
}

} // namespace kb
