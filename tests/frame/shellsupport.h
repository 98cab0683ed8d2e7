// Shared pieces of the main window tests: a recorder that answers message
// boxes, and small diagram files in a temporary folder.
#pragma once

#include "docwin/messagebox.h"
#include "model/shem.h"

#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include <string>
#include <vector>

namespace kb::test {

// Records every message box and answers it with Answer.
class TMessageRecorder
{
public:
    TMessageRecorder()
    {
        SetMessageBoxHook(
            [this](QWidget*, QMessageBox::Icon, const QString& text, QMessageBox::StandardButtons) {
                Texts.append(text);
                return Answer;
            });
    }
    ~TMessageRecorder() { SetMessageBoxHook({}); }

    QStringList Texts;
    QMessageBox::StandardButton Answer = QMessageBox::Ok;
};

// A diagram of one rectangle with the given text.
inline std::vector<uint8_t> OneBlockDiagram(const std::string& text)
{
    TShem s;
    Block b;
    b.Left = 10;
    b.Top = 10;
    b.Right = 90;
    b.Bottom = 30;
    b.Text = text;
    s.AddBlock(b);
    return s.SaveToBytes();
}

inline QString WriteFile(const QTemporaryDir& dir, const QString& name,
                         const std::vector<uint8_t>& bytes)
{
    const QString path = dir.filePath(name);
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size()));
    return path;
}

inline QString WriteDiagram(const QTemporaryDir& dir, const QString& name,
                            const std::string& text = "x")
{
    return WriteFile(dir, name, OneBlockDiagram(text));
}

} // namespace kb::test
