// A stand-in for the main window around a TChildD under test: it records
// what the window tells its frame and lets a test answer the save command.
#pragma once

#include "docwin/childd.h"
#include "model/listsink.h"

#include <QString>

#include <functional>
#include <map>
#include <vector>

namespace kb::test {

class TRecordingList : public TListSink
{
public:
    bool Visible = true;
    std::vector<TListRow> Rows;

    bool IsVisible() const override { return Visible; }
    void BeginUpdate() override {}
    void EndUpdate() override {}
    void ClearRows() override { Rows.clear(); }
    void AppendRow(const TListRow& row) override { Rows.push_back(row); }
};

class TFakeHost : public TChildHost
{
public:
    int Tool = tcSelect;
    int Direction = 0;
    bool DeleteJoints = false;
    QString Font = QStringLiteral("Courier");
    TColor Color = RGBColor(192, 192, 192);
    TShem ClipboardDiagram;
    TRecordingList List;
    const TChildD* Active = nullptr; // null: every document counts as active
    std::map<int, QString> Status;
    int SaveCalls = 0;
    // What the save command does; by default it succeeds.
    std::function<bool(TChildD&)> Save = [](TChildD& doc) {
        doc.SetModified(false);
        return true;
    };

    int CurrentTool() const override { return Tool; }
    void SetCurrentTool(int tool) override { Tool = tool; }
    int LinkDirection() const override { return Direction; }
    bool JointDeleteMode() const override { return DeleteJoints; }
    TShem& Clipboard() override { return ClipboardDiagram; }
    TListSink* ListSink() override { return &List; }
    bool IsActiveDocument(const TChildD& doc) const override { return !Active || Active == &doc; }
    QString FontName() const override { return Font; }
    TColor Background() const override { return Color; }
    void ShowStatus(int panel, const QString& text) override { Status[panel] = text; }
    bool SaveDocument(TChildD& doc) override
    {
        ++SaveCalls;
        return Save(doc);
    }
    void DocumentChanged(TChildD&) override {}
    void ShowDocumentMenu(TChildD&, QPoint) override {}
};

} // namespace kb::test
