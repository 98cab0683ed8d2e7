#include "tools/blstool/diagramio.h"

#include "tools/blstool/commands.h"

#include "docwin/drawing/atomicdevice.h"

#include <QFile>

#include <algorithm>
#include <cstdio>

namespace blstool {

void Fail(const QString& message)
{
    std::fprintf(stderr, "blstool: %s\n", message.toLocal8Bit().constData());
}

bool ReadFile(const QString& path, std::vector<uint8_t>& data)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        Fail(QStringLiteral("cannot open %1: %2").arg(path, f.errorString()));
        return false;
    }
    // Read a piece at a time up to the limit: a device or a file that grows
    // has no size to check in advance.
    data.clear();
    constexpr qint64 kPiece = 1 << 20;
    if (!f.isSequential())
        data.reserve(size_t(std::min<qint64>(f.size(), kb::kMaxFileBytes) + kPiece));
    while (true) {
        if (qint64(data.size()) > kb::kMaxFileBytes || f.size() > kb::kMaxFileBytes) {
            Fail(QStringLiteral("%1 is refused: it is larger than %2 MiB")
                     .arg(path)
                     .arg(kb::kMaxFileBytes >> 20));
            return false;
        }
        const size_t at = data.size();
        data.resize(at + size_t(kPiece));
        const qint64 got = f.read(reinterpret_cast<char*>(data.data() + at), kPiece);
        data.resize(at + size_t(std::max<qint64>(got, 0)));
        if (got < 0) {
            Fail(QStringLiteral("cannot read %1: %2").arg(path, f.errorString()));
            return false;
        }
        if (got == 0) return true;
    }
}

bool WriteFileAtomically(const QString& path, const std::vector<uint8_t>& data)
{
    const kb::TWriteStatus status = kb::WriteFileAtomically(kb::NativeFileName(path), data);
    if (!status.Ok()) Fail(QString::fromLocal8Bit(status.Error.c_str()));
    return status.Ok();
}

int SaveDiagram(const QString& path, const kb::TShem& shem)
{
    std::vector<uint8_t> bytes;
    if (!shem.SaveToStream(bytes)) {
        Fail(QStringLiteral("cannot save %1: %2")
                 .arg(path, QString::fromStdString(kb::SaveRefusalText(shem.Count()))));
        return InvalidInput;
    }
    return WriteFileAtomically(path, bytes) ? Ok : InvalidInput;
}

int LoadDiagram(const QString& path, kb::TShem& shem, kb::TLoadReport& report)
{
    try {
        if (shem.LoadFromFile(kb::NativeFileName(path), &report)) return Ok;
    } catch (const kb::TFileError&) {
        // Qt words the reason the same way the other commands print it.
        QFile f(path);
        Fail(f.open(QIODevice::ReadOnly)
                 ? QStringLiteral("cannot read %1: %2").arg(path, f.errorString())
                 : QStringLiteral("cannot open %1: %2").arg(path, f.errorString()));
        return InvalidInput;
    }
    if (report.Refusal != kb::TLoadRefusal::None)
        Fail(QStringLiteral("%1 is refused: %2")
                 .arg(path, QString::fromStdString(report.RefusalText())));
    else
        Fail(QStringLiteral("%1 is not a diagram file (it does not start with \"%2\")")
                 .arg(path, QString::fromLatin1(kb::kFileMagic.data(), kb::kFileMagic.size())));
    return InvalidInput;
}

} // namespace blstool
