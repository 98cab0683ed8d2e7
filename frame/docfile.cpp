#include "frame/docfile.h"

#include "docwin/drawing/atomicdevice.h"

#include <QCoreApplication>
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
        return QCoreApplication::translate("kb::TDocFile", "no permission to read the file.");
    case QFileDevice::OpenError:
        return f.exists() ? QCoreApplication::translate("kb::TDocFile", "the file does not open.")
                          : QCoreApplication::translate("kb::TDocFile", "the file is not found.");
    default:
        return QCoreApplication::translate("kb::TDocFile", "error reading the file.");
    }
}

QString WriteReason(const TWriteStatus& status)
{
    switch (status.Failure) {
    case TWriteFailure::NoSpace:
        return QCoreApplication::translate("kb::TDocFile", "not enough space on the disk.");
    case TWriteFailure::NoPermission:
        return QCoreApplication::translate("kb::TDocFile", "no permission to write.");
    case TWriteFailure::NoFolder:
        return QCoreApplication::translate("kb::TDocFile",
                                           "the file cannot be created: there is no such folder.");
    default:
        return QCoreApplication::translate("kb::TDocFile", "write error (%1).")
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
        *error = QCoreApplication::translate("kb::TDocFile", "this is a folder, not a file.");
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
        *error = QCoreApplication::translate(
                     "kb::TDocFile",
                     "the block diagram has %1 entries, and a file holds no more than %2.")
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
    return QCoreApplication::translate("kb::TDocFile",
                                       "this is not a block-diagram file (no header %1).")
        .arg(QLatin1String(kFileMagic.data(), qsizetype(kFileMagic.size())));
}

QString LoadRefusalReason(const TLoadReport& report)
{
    switch (report.Refusal) {
    case TLoadRefusal::TooLarge:
        return QCoreApplication::translate(
                   "kb::TDocFile",
                   "the file is larger than %1 MiB, and a block diagram never takes that much.")
            .arg(kMaxFileBytes >> 20);
    case TLoadRefusal::TooManyEntries:
        return QCoreApplication::translate(
                   "kb::TDocFile",
                   "the file has %1 records, and a block diagram holds no more than %2.")
            .arg(report.Records)
            .arg(kMaxEntries);
    case TLoadRefusal::OutOfMemory:
        return QCoreApplication::translate("kb::TDocFile", "not enough memory to load the file.");
    case TLoadRefusal::None:
        break;
    }
    return NotADiagramReason();
}

QString DamageMessage(const QString& fileName, const TLoadReport& report)
{
    QString text = QCoreApplication::translate(
                       "kb::TDocFile", "The file %1 is damaged; what could be read is open.")
                       .arg(QDir::toNativeSeparators(fileName));
    if (report.DroppedLinks > 0)
        text += QCoreApplication::translate(
                    "kb::TDocFile", "\nLinks removed without an end or closed on each other: %1.")
                    .arg(report.DroppedLinks);
    // A badly damaged file can list thousands of problems; a few tell enough.
    constexpr size_t kShown = 10;
    if (!report.Problems.empty()) {
        text += QCoreApplication::translate("kb::TDocFile", "\n\nDetails:");
        for (size_t i = 0; i < report.Problems.size() && i < kShown; ++i)
            text += QStringLiteral("\n- ") + QString::fromStdString(report.Problems[i]);
        if (report.Problems.size() > kShown)
            text += QCoreApplication::translate("kb::TDocFile", "\n(and %1 more)")
                        .arg(report.Problems.size() - kShown);
    }
    return text;
}

} // namespace kb
