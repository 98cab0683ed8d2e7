#include "frame/docfile.h"

#include "docwin/drawing/atomicdevice.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <filesystem>

namespace kb {

namespace {

std::filesystem::path NativePath(const QString& fileName)
{
#ifdef _WIN32
    return std::filesystem::path(fileName.toStdWString());
#else
    return std::filesystem::path(QFile::encodeName(fileName).toStdString());
#endif
}

QString ReadReason(const QFile& f)
{
    switch (f.error()) {
    case QFileDevice::PermissionsError:
        return QStringLiteral("нет прав на чтение файла.");
    case QFileDevice::OpenError:
        return f.exists() ? QStringLiteral("файл не открывается.")
                          : QStringLiteral("файл не найден.");
    default:
        return QStringLiteral("ошибка чтения файла.");
    }
}

QString WriteReason(const TWriteStatus& status)
{
    switch (status.Failure) {
    case TWriteFailure::NoSpace:
        return QStringLiteral("не хватает места на диске.");
    case TWriteFailure::NoPermission:
        return QStringLiteral("нет прав на запись.");
    case TWriteFailure::NoFolder:
        return QStringLiteral("файл не удаётся создать: нет такой папки.");
    default:
        return QStringLiteral("ошибка записи (%1).")
            .arg(QString::fromLocal8Bit(status.Error.c_str()));
    }
}

bool HasMagic(QFile& f)
{
    const QByteArray head = f.read(qint64(kFileMagic.size()));
    return head.size() == qsizetype(kFileMagic.size()) &&
           std::equal(kFileMagic.begin(), kFileMagic.end(), head.begin());
}

} // namespace

QString AbsoluteFileName(const QString& fileName)
{
    return fileName.isEmpty() ? QString() : QDir::cleanPath(QFileInfo(fileName).absoluteFilePath());
}

bool SameFile(const QString& a, const QString& b)
{
    if (a.isEmpty() || b.isEmpty()) return false;
    std::error_code ec;
    if (std::filesystem::equivalent(NativePath(a), NativePath(b), ec) && !ec) return true;
    return AbsoluteFileName(a) == AbsoluteFileName(b);
}

bool ReadDiagramFile(const QString& fileName, std::vector<uint8_t>& data, QString* error)
{
    QFile f(fileName);
    if (QFileInfo(fileName).isDir()) {
        *error = QStringLiteral("это папка, а не файл.");
        return false;
    }
    if (!f.open(QIODevice::ReadOnly)) {
        *error = ReadReason(f);
        return false;
    }
    // The header and the size are checked before the rest is read: a large
    // file of another kind must not fill the memory.
    if (!HasMagic(f)) {
        *error = f.error() != QFileDevice::NoError ? ReadReason(f) : NotADiagramReason();
        return false;
    }
    if (f.size() > kMaxFileBytes) {
        TLoadReport tooLarge;
        tooLarge.Refusal = TLoadRefusal::TooLarge;
        *error = LoadRefusalReason(tooLarge);
        return false;
    }
    f.seek(0);
    const QByteArray bytes = f.readAll();
    if (f.error() != QFileDevice::NoError) {
        *error = ReadReason(f);
        return false;
    }
    data.assign(bytes.begin(), bytes.end());
    return true;
}

bool WriteDiagramFile(const QString& fileName, const TShem& shem, QString* error)
{
    std::vector<uint8_t> bytes;
    if (!shem.SaveToStream(bytes)) {
        *error = QStringLiteral("в блок-схеме %1 элементов, а файл вмещает не больше %2.")
                     .arg(shem.Count())
                     .arg(kMaxEntries);
        return false;
    }
    const TWriteStatus status = WriteFileAtomically(NativeFileName(fileName), bytes);
    if (!status.Ok()) *error = WriteReason(status);
    return status.Ok();
}

QString NotADiagramReason()
{
    return QStringLiteral("это не файл блок-схемы (нет заголовка %1).")
        .arg(QLatin1String(kFileMagic.data(), qsizetype(kFileMagic.size())));
}

QString LoadRefusalReason(const TLoadReport& report)
{
    switch (report.Refusal) {
    case TLoadRefusal::TooLarge:
        return QStringLiteral("файл больше %1 МиБ, а блок-схема столько не занимает.")
            .arg(kMaxFileBytes >> 20);
    case TLoadRefusal::TooManyEntries:
        return QStringLiteral("в файле %1 записей, а блок-схема вмещает не больше %2.")
            .arg(report.Records)
            .arg(kMaxEntries);
    case TLoadRefusal::OutOfMemory:
        return QStringLiteral("не хватает памяти, чтобы загрузить файл.");
    case TLoadRefusal::None:
        break;
    }
    return NotADiagramReason();
}

QString DamageMessage(const QString& fileName, const TLoadReport& report)
{
    QString text = QStringLiteral("Файл %1 повреждён; открыто то, что удалось прочитать.")
                       .arg(QDir::toNativeSeparators(fileName));
    if (report.DroppedLinks > 0)
        text += QStringLiteral("\nУдалено связей без конца или замкнутых друг на друга: %1.")
                    .arg(report.DroppedLinks);
    // A badly damaged file can list thousands of problems; a few tell enough.
    constexpr size_t kShown = 10;
    if (!report.Problems.empty()) {
        text += QStringLiteral("\n\nПодробности:");
        for (size_t i = 0; i < report.Problems.size() && i < kShown; ++i)
            text += QStringLiteral("\n- ") + QString::fromStdString(report.Problems[i]);
        if (report.Problems.size() > kShown)
            text += QStringLiteral("\n(и ещё %1)").arg(report.Problems.size() - kShown);
    }
    return text;
}

} // namespace kb
