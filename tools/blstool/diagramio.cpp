#include "tools/blstool/diagramio.h"

#include "tools/blstool/commands.h"

#include "docwin/drawing/atomicdevice.h"

#include <QFile>

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
    const QByteArray bytes = f.readAll();
    if (f.error() != QFileDevice::NoError) {
        Fail(QStringLiteral("cannot read %1: %2").arg(path, f.errorString()));
        return false;
    }
    data.assign(bytes.begin(), bytes.end());
    return true;
}

bool WriteFileAtomically(const QString& path, const std::vector<uint8_t>& data)
{
    const kb::TWriteStatus status = kb::WriteFileAtomically(kb::NativeFileName(path), data);
    if (!status.Ok()) Fail(QString::fromLocal8Bit(status.Error.c_str()));
    return status.Ok();
}

int LoadDiagram(const QString& path, kb::TShem& shem, kb::TLoadReport& report)
{
    std::vector<uint8_t> data;
    if (!ReadFile(path, data)) return InvalidInput;
    if (!shem.LoadFromStream(data, &report)) {
        Fail(QStringLiteral("%1 is not a diagram file (it does not start with \"%2\")")
                 .arg(path, QString::fromLatin1(kb::kFileMagic.data(), kb::kFileMagic.size())));
        return InvalidInput;
    }
    return Ok;
}

} // namespace blstool
