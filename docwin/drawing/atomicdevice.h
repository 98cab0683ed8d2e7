// The atomic file writer of the model for Qt code: a file name as the writer
// takes it, and a QIODevice for writers that draw into a device (pictures).
#pragma once

#include "model/atomicfile.h"

#include <QFile>
#include <QIODevice>
#include <QString>

#include <string>

namespace kb {

// The name in the form TAtomicFile takes: the file system's bytes on POSIX,
// UTF-8 on Windows.
inline std::string NativeFileName(const QString& fileName)
{
#ifdef _WIN32
    return fileName.toStdString();
#else
    return QFile::encodeName(fileName).toStdString();
#endif
}

// Like QSaveFile, but every write is checked and the data synced before the
// file replaces the old one: open, write, then commit or cancelWriting.
class TAtomicDevice : public QIODevice
{
public:
    explicit TAtomicDevice(const QString& fileName, TSync sync = TSync::Now)
        : m_file(NativeFileName(fileName), sync)
    {
    }
    ~TAtomicDevice() override { cancelWriting(); }

    bool open(OpenMode mode) override
    {
        if ((mode & ReadOnly) || !m_file.Open()) return Failed();
        return QIODevice::open(mode | Unbuffered);
    }
    bool isSequential() const override { return true; }
    bool commit()
    {
        const bool ok = m_file.Commit();
        if (isOpen()) QIODevice::close();
        return ok || Failed();
    }
    void cancelWriting()
    {
        m_file.Discard();
        if (isOpen()) QIODevice::close();
    }
    const TAtomicFile& File() const { return m_file; }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override
    {
        if (m_file.Write(data, size_t(size))) return size;
        Failed();
        return -1;
    }

private:
    bool Failed()
    {
        setErrorString(
            m_file.Failed()
                ? QString::fromLocal8Bit(m_file.Error().c_str())
                : QStringLiteral("cannot write %1").arg(QString::fromStdString(m_file.Path())));
        return false;
    }

    TAtomicFile m_file;
};

} // namespace kb
