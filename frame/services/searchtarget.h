// What Find and Replace need from the main window: the active diagram, its
// selection, and a way to show a hit. The main window implements it; tests
// use a fake.
#pragma once

#include <QString>

class QWidget;

namespace kb {

class TShem;
class TShemObj;

class TSearchTarget
{
public:
    virtual ~TSearchTarget() = default;

    // The active document's diagram; null when no document is active.
    virtual TShem* ActiveDiagram() = 0;
    // The first entry of the active document's selection; null when empty.
    virtual TShemObj* SearchStart() = 0;
    // Centres the view on the block of entry, makes entry the only selected
    // entry and repaints.
    virtual void ShowFound(TShemObj* entry) = 0;
    // Block texts were replaced: mark the document modified, refresh its
    // object list and repaint.
    virtual void MarkModified() = 0;
    // Tells the user something; by default an information message box.
    virtual void Inform(const QString& text);
    // The parent of the message boxes.
    virtual QWidget* MessageParent() { return nullptr; }
};

} // namespace kb
