// What Find and Replace need from the main window: the active diagram, its
// selection, and a way to show a hit. The main window implements it; tests
// use a fake.
#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace kb {

class TShem;
class TShemObj;

class TSearchTarget
{
public:
    virtual ~TSearchTarget() = default;

    // The active document's diagram; null when no document is active.
    virtual const TShem* ActiveDiagram() = 0;
    // The first entry of the active document's selection; null when empty.
    virtual TShemObj* SearchStart() = 0;
    // Centres the view on the block of entry, makes entry the only selected
    // entry and repaints.
    virtual void ShowFound(TShemObj* entry) = 0;
    // Runs replace on the active diagram as one change of its document
    // (recorded for undo, marked modified, shown); replace returns whether it
    // changed anything.
    virtual void ChangeTexts(const std::function<bool(TShem&)>& replace) = 0;
    // Tells the user something; by default an information message box.
    virtual void Inform(const QString& text);
    // The parent of the message boxes.
    virtual QWidget* MessageParent() { return nullptr; }
};

} // namespace kb
