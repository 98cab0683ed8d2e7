// A stand-in for the main window around a TChildD under test: it records
// what the window tells its frame and lets a test answer the save command.
#pragma once

#include "docwin/childd.h"

#include <QString>

#include <functional>
#include <map>
#include <type_traits>
#include <vector>

namespace kb::test {

class TFakeHost : public TChildHost
{
public:
    int Tool = tcSelect;
    int Direction = 0;
    bool DeleteJoints = false;
    QString Font = QStringLiteral("Courier");
    TColor Color = RGBColor(192, 192, 192);
    TShem ClipboardDiagram;
    std::map<int, QString> Status;
    int SaveCalls = 0;
    // What the save command does; by default it succeeds.
    std::function<bool(TChildD&)> Save = [](TChildD& doc) {
        doc.Document().MarkSaved();
        return true;
    };

    int CurrentTool() const override { return Tool; }
    void SetCurrentTool(int tool) override { Tool = tool; }
    int LinkDirection() const override { return Direction; }
    bool JointDeleteMode() const override { return DeleteJoints; }
    TShem& Clipboard() override { return ClipboardDiagram; }
    QString FontName() const override { return Font; }
    TColor Background() const override { return Color; }
    void ShowStatus(int panel, const QString& text) override { Status[panel] = text; }
    bool SaveDocument(TChildD& doc) override
    {
        ++SaveCalls;
        return Save(doc);
    }
    void ShowDocumentMenu(TChildD&, QPoint) override {}
};

// Set-up: adds an entry through the document's own change path and counts
// it as saved, as if it had come with the file.
template <typename T> TShemObj* SetUpEntry(TChildD& doc, const T& value)
{
    TShemObj* e = nullptr;
    doc.Document().Edit(TAction::Paste, [&](TEdit& edit) {
        if constexpr (std::is_same_v<T, Block>)
            e = edit.AddBlock(value);
        else
            e = edit.AddLink(value);
        return true;
    });
    doc.Document().MarkSaved();
    return e;
}

} // namespace kb::test
