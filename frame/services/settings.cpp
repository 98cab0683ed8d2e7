#include "frame/services/settings.h"

#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>

namespace kb {

namespace {

// Kind names in the StandSize value names, by block kind code.
constexpr std::array<const char*, 10> kKindNames = {
    "Square", "Ellipse", "Rhomb",    "Parallelogram", "Point",
    "Text",   "Comment", "Document", "Process",       "Page"};

// Docked rows and positions are small; floating ones are screen pixels,
// which may be negative on a desktop that extends left of the primary screen.
constexpr int kMaxDockRow = 63;
constexpr int kMaxScreenCoord = 32767;
// A window must show at least this much of itself on some screen to be reachable.
constexpr int kMinVisible = 32;

std::optional<int> ReadInt(const QSettings& store, const QString& name)
{
    const QVariant v = store.value(name);
    if (!v.isValid()) return std::nullopt;
    if (v.typeId() == QMetaType::Bool) return v.toBool() ? 1 : 0;
    bool ok = false;
    const int i = v.toInt(&ok);
    if (!ok) return std::nullopt;
    return i;
}

std::optional<int> ReadIntIn(const QSettings& store, const QString& name, int lo, int hi)
{
    const std::optional<int> v = ReadInt(store, name);
    if (v && (*v < lo || *v > hi)) return std::nullopt;
    return v;
}

std::optional<bool> ReadBool(const QSettings& store, const QString& name)
{
    const std::optional<int> v = ReadInt(store, name);
    if (!v) return std::nullopt;
    return *v != 0;
}

std::optional<QString> ReadString(const QSettings& store, const QString& name)
{
    const QVariant v = store.value(name);
    if (v.typeId() != QMetaType::QString) return std::nullopt;
    return v.toString();
}

template <typename T> void Assign(T& target, const std::optional<T>& value)
{
    if (value) target = *value;
}

bool ShowsOnSomeScreen(const QRect& window, const QList<QRect>& screens)
{
    if (screens.isEmpty()) return true;
    const int needW = std::min(kMinVisible, window.width());
    const int needH = std::min(kMinVisible, window.height());
    for (const QRect& screen : screens) {
        const QRect seen = screen.intersected(window);
        if (seen.width() >= needW && seen.height() >= needH) return true;
    }
    return false;
}

std::optional<QRect> ReadPlacement(const QSettings& store, const QList<QRect>& screens)
{
    const auto top = ReadIntIn(store, "TWind", -kMaxScreenCoord, kMaxScreenCoord);
    const auto left = ReadIntIn(store, "LWind", -kMaxScreenCoord, kMaxScreenCoord);
    const auto height = ReadIntIn(store, "HWind", 1, kMaxScreenCoord);
    const auto width = ReadIntIn(store, "WWind", 1, kMaxScreenCoord);
    // A placement is one thing: any part missing or wrong discards all of it.
    if (!top || !left || !height || !width) return std::nullopt;
    const QRect r(*left, *top, *width, *height);
    if (!ShowsOnSomeScreen(r, screens)) return std::nullopt;
    return r;
}

void ReadToolbar(const QSettings& store, const QString& prefix, TToolbarState& bar)
{
    Assign(bar.Visible, ReadBool(store, prefix + "Vis"));
    // Dock first: the row and position mean different things afloat.
    Assign(bar.Dock, ReadIntIn(store, prefix + "Dock", dcFloating, dcRight));
    const bool floating = bar.Dock == dcFloating;
    const int rowLo = floating ? -kMaxScreenCoord : 0;
    const int rowHi = floating ? kMaxScreenCoord : kMaxDockRow;
    const int posLo = floating ? -kMaxScreenCoord : 0;
    if (const auto row = ReadIntIn(store, prefix + "Row", rowLo, rowHi)) bar.Row = row;
    if (const auto pos = ReadIntIn(store, prefix + "Pos", posLo, kMaxScreenCoord)) bar.Pos = pos;
}

void WriteToolbar(QSettings& store, const QString& prefix, const TToolbarState& bar)
{
    store.setValue(prefix + "Vis", bar.Visible ? 1 : 0);
    store.setValue(prefix + "Dock", bar.Dock);
    store.setValue(prefix + "Row", bar.Row.value_or(0));
    store.setValue(prefix + "Pos", bar.Pos.value_or(0));
}

QStringList ReadRecentFiles(QSettings& store)
{
    QStringList files;
    store.beginGroup("Files");
    for (const QString& name : store.childKeys()) {
        if (files.size() == kMaxRecentFiles) break;
        const std::optional<QString> file = ReadString(store, name);
        if (file && !file->isEmpty()) files.append(*file);
    }
    store.endGroup();
    return files;
}

void WriteRecentFiles(QSettings& store, const QStringList& files)
{
    store.remove("Files");
    store.beginGroup("Files");
    const int n = std::min<int>(int(files.size()), kMaxRecentFiles);
    for (int i = 0; i < n; ++i)
        store.setValue(QString::number(i + 1), files[i]);
    store.endGroup();
}

void ReadStandSize(QSettings& store, std::array<TBlockSize, 10>& sizes)
{
    store.beginGroup("StandSize");
    for (size_t k = 0; k < sizes.size(); ++k) {
        const QString name = kKindNames[k];
        Assign(sizes[k].Width, ReadIntIn(store, name + "X", 1, kMaxCoord));
        Assign(sizes[k].Height, ReadIntIn(store, name + "Y", 1, kMaxCoord));
    }
    store.endGroup();
}

void WriteStandSize(QSettings& store, const std::array<TBlockSize, 10>& sizes)
{
    store.beginGroup("StandSize");
    for (size_t k = 0; k < sizes.size(); ++k) {
        const QString name = kKindNames[k];
        store.setValue(name + "X", sizes[k].Width);
        store.setValue(name + "Y", sizes[k].Height);
    }
    store.endGroup();
}

} // namespace

QString ProgramFolder()
{
    return QDir::toNativeSeparators(QCoreApplication::applicationDirPath() + '/');
}

QString DocumentsFolder()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QDir(folder).exists()) folder = QDir::homePath();
    return QDir::toNativeSeparators(folder + '/');
}

QList<QRect> AvailableScreens()
{
    QList<QRect> screens;
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        for (const QScreen* s : QGuiApplication::screens())
            screens.append(s->availableGeometry());
    return screens;
}

TSettings DefaultSettings()
{
    TSettings s;
    s.LastFolder = DocumentsFolder();
    return s;
}

TSettings LoadSettings(QSettings& store, const QList<QRect>& screens)
{
    TSettings s = DefaultSettings();
    // A folder that has gone since would only open the dialog somewhere odd.
    if (const auto path = ReadString(store, "Path"); path && QDir(*path).exists())
        s.LastFolder = *path;
    if (const auto path = ReadString(store, "PicturePath"); path && QDir(*path).exists())
        s.PicturePath = *path;
    Assign(s.Maximized, ReadBool(store, "FullWind"));
    if (!s.Maximized) s.Placement = ReadPlacement(store, screens);
    ReadToolbar(store, "Stand", s.Standard);
    ReadToolbar(store, "Spec", s.Special);
    ReadToolbar(store, "Align", s.Align);
    if (const auto bg = ReadIntIn(store, "BackGround", 0, 0xFFFFFF)) s.Background = TColor(*bg);
    Assign(s.ListEnabled, ReadBool(store, "ListEnable"));
    Assign(s.GridEnabled, ReadBool(store, "GridEnable"));
    s.RecentFiles = ReadRecentFiles(store);
    ReadStandSize(store, s.StandSize);
    if (const auto seconds =
            ReadIntIn(store, "AutosaveInterval", kMinAutosaveInterval, kMaxAutosaveInterval))
        s.AutosaveInterval = *seconds;
    if (const auto v = ReadIntIn(store, "LinkDirection", 0, 3)) s.LinkDirection = *v;
    if (const auto v = ReadString(store, "Language"))
        s.Language = *v == QLatin1String("en") ? QStringLiteral("en") : QStringLiteral("ru");
    return s;
}

void SaveSettings(QSettings& store, const TSettings& s)
{
    store.setValue("Path", s.LastFolder);
    if (!s.PicturePath.isEmpty()) store.setValue("PicturePath", s.PicturePath);
    store.setValue("FullWind", s.Maximized ? 1 : 0);
    if (s.Placement) {
        store.setValue("TWind", s.Placement->top());
        store.setValue("LWind", s.Placement->left());
        store.setValue("HWind", s.Placement->height());
        store.setValue("WWind", s.Placement->width());
    }
    WriteToolbar(store, "Stand", s.Standard);
    WriteToolbar(store, "Spec", s.Special);
    WriteToolbar(store, "Align", s.Align);
    store.setValue("BackGround", int(s.Background & 0xFFFFFF));
    store.setValue("ListEnable", s.ListEnabled ? 1 : 0);
    store.setValue("GridEnable", s.GridEnabled ? 1 : 0);
    WriteRecentFiles(store, s.RecentFiles);
    WriteStandSize(store, s.StandSize);
    store.setValue("AutosaveInterval", s.AutosaveInterval);
    store.setValue("LinkDirection", s.LinkDirection);
    store.setValue("Language", s.Language);
    store.sync();
}

} // namespace kb
