// The drawn pictures of the toolbars and menus, pixel for pixel against the
// stored ones at 16 and 24 pixels. They use no system font, so they are the
// same on every machine; after a deliberate change, run with
// KB_UPDATE_ICON_GOLDENS=1 to rewrite tests/frame/icons/ and look at them.
#include "docwin/drawing/icons.h"
#include "frame/toolicons.h"
#include "model/shemobj.h"

#include <QDir>
#include <QFile>
#include <QIcon>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>
#include <vector>

using namespace kb;

namespace {

struct TPicture
{
    QString Name;
    std::function<QImage(int)> Draw;
};

std::vector<TPicture> Pictures()
{
    std::vector<TPicture> all;
    for (int kind = 0; kind < kBlockKindCount; ++kind)
        all.push_back({QStringLiteral("kind%1").arg(kind),
                       [kind](int size) { return KindImage(kind, size); }});
    for (int style = 0; style < 8; ++style)
        all.push_back({QStringLiteral("link%1").arg(style),
                       [style](int size) { return LinkStyleImage(style, size); }});
    for (const char* name :
         {"new",         "open",         "save",       "print",      "delete",      "cut",
          "copy",        "paste",        "find",       "replace",    "undo",        "redo",
          "scale",       "list",         "grid",       "fullscreen", "textleft",    "textcenter",
          "textright",   "select",       "edittext",   "pointadd",   "pointdelete", "hand",
          "alignleft",   "alignhcenter", "alignright", "spaceh",     "aligntop",    "alignvcenter",
          "alignbottom", "spacev"})
        all.push_back({QLatin1String(name),
                       [n = QString::fromLatin1(name)](int size) { return ToolImage(n, size); }});
    return all;
}

QString GoldenPath(const QString& name, int size)
{
    return QStringLiteral(KB_SOURCE_DIR "/tests/frame/icons/%1-%2.png").arg(name).arg(size);
}

QImage Normalised(const QImage& image)
{
    return image.convertToFormat(QImage::Format_ARGB32);
}

} // namespace

TEST(IconGoldens, EveryDrawnPictureMatchesItsStoredOneAtBothSizes)
{
    const bool update = qEnvironmentVariableIsSet("KB_UPDATE_ICON_GOLDENS");
    for (const TPicture& picture : Pictures())
        for (const int size : kIconSizes) {
            const QImage drawn = Normalised(picture.Draw(size));
            const QString path = GoldenPath(picture.Name, size);
            ASSERT_EQ(drawn.size(), QSize(size, size)) << qPrintable(path);
            if (update) {
                ASSERT_TRUE(drawn.save(path)) << qPrintable(path);
                continue;
            }
            const QImage stored = Normalised(QImage(path));
            ASSERT_FALSE(stored.isNull()) << "missing " << qPrintable(path);
            EXPECT_EQ(drawn, stored) << qPrintable(path);
        }
}

TEST(IconGoldens, NoPictureIsBlankAndNoTwoAreAlike)
{
    const QImage blank = Normalised(KindImage(-1, 16));
    std::vector<std::pair<QString, QImage>> seen;
    for (const TPicture& picture : Pictures()) {
        const QImage drawn = Normalised(picture.Draw(16));
        EXPECT_NE(drawn, blank) << qPrintable(picture.Name);
        for (const auto& [name, other] : seen)
            EXPECT_NE(drawn, other)
                << qPrintable(picture.Name) << " looks like " << qPrintable(name);
        seen.emplace_back(picture.Name, drawn);
    }
}

TEST(StandardIcons, ComeFromTheDesktopThemeAndFallBackToTheDrawnOnes)
{
    // A theme that has a picture for New and for actual size, nothing else.
    QTemporaryDir themes;
    QDir(themes.path()).mkpath(QStringLiteral("probe/16x16/actions"));
    QFile index(themes.filePath(QStringLiteral("probe/index.theme")));
    ASSERT_TRUE(index.open(QIODevice::WriteOnly));
    index.write("[Icon Theme]\nName=probe\nDirectories=16x16/actions\n\n"
                "[16x16/actions]\nSize=16\nType=Fixed\n");
    index.close();
    QImage red(16, 16, QImage::Format_ARGB32);
    red.fill(Qt::red);
    for (const char* name : {"document-new", "zoom-original"})
        ASSERT_TRUE(red.save(themes.filePath(
            QStringLiteral("probe/16x16/actions/%1.png").arg(QLatin1String(name)))));
    const QStringList oldPaths = QIcon::themeSearchPaths();
    const QString oldTheme = QIcon::themeName();
    QIcon::setThemeSearchPaths({themes.path()});
    QIcon::setThemeName(QStringLiteral("probe"));

    auto pixels = [](const QIcon& icon) { return Normalised(icon.pixmap(16, 16).toImage()); };
    EXPECT_EQ(pixels(StandardIcon(QStringLiteral("new"))), Normalised(red));
    // Scale is actual size, not a magnifier that reads as Find.
    EXPECT_EQ(pixels(StandardIcon(QStringLiteral("scale"))), Normalised(red));
    EXPECT_EQ(pixels(StandardIcon(QStringLiteral("open"))),
              Normalised(ToolImage(QStringLiteral("open"), 16)));
    EXPECT_EQ(pixels(StandardIcon(QStringLiteral("redo"))),
              Normalised(ToolImage(QStringLiteral("redo"), 16)));
    // Pictures that are not standard commands never come from the theme.
    EXPECT_EQ(pixels(StandardIcon(QStringLiteral("grid"))),
              Normalised(ToolImage(QStringLiteral("grid"), 16)));

    QIcon::setThemeName(oldTheme);
    QIcon::setThemeSearchPaths(oldPaths);
}
