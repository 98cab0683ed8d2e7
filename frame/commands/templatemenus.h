// The template catalogue: every .bls file under the template folder beside
// the program, and the two menus that offer them, "Replace to" > "Templates"
// and "Insert " > "Templates", built in step so an item's tag is the same
// template index in both.
#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

class QMenu;

namespace kb {

struct TTemplate
{
    QString Caption;
    QString Path;        // full file name
    QStringList Folders; // the subfolders below the template folder, outermost first
};
using TTemplateList = std::vector<TTemplate>;

// programFolder + "template".
QString TemplateFolder(const QString& programFolder);

// The file name up to the first lower-case ".bls": empty for "LOOP.BLS",
// whose extension is written in capitals.
QString TemplateCaption(const QString& fileName);

// Every file under folder whose name contains ".bls" in any case, in the
// order of the recursive search.
TTemplateList FindTemplates(const QString& folder);

using TTemplateClick = std::function<void(int index)>;

// Appends one item per template (tag = its index) to both roots, with one
// submenu per folder, shared by the templates in it. Without templates the
// two roots' own menu items are hidden.
void BuildTemplateMenus(const TTemplateList& templates, QMenu* replaceRoot, QMenu* insertRoot,
                        const TTemplateClick& onReplace, const TTemplateClick& onInsert);

} // namespace kb
