// What a document window needs from the frame around it: the tools and
// choices that all documents share, the clipboard diagram, the status bar and
// the save command. The main window implements it; tests use a stand-in.
#pragma once

#include "model/canvas.h"

#include <QPoint>
#include <QString>

namespace kb {

class TChildD;
class TShem;

// Tool codes of the main window's tool palette.
enum TToolCode : int {
    tcSelect = 0,
    tcEditText = 1,
    tcRectangle = 2,
    tcEllipse = 3,
    tcRhomb = 4,
    tcParallelogram = 5,
    tcJointPoint = 6,
    tcText = 7,
    tcComment = 8,
    tcDocument = 9,
    tcProcess = 10,
    tcDivider = 11,
    tcLink = 12,
    tcPan = 13,
};

class TChildHost
{
public:
    virtual ~TChildHost() = default;

    virtual int CurrentTool() const = 0;
    virtual void SetCurrentTool(int tool) = 0;
    // Direction code (0..3) that new links get.
    virtual int LinkDirection() const = 0;
    // The joint-point tool deletes points instead of adding them.
    virtual bool JointDeleteMode() const = 0;

    // The diagram Cut and Copy fill and Paste reads; shared by all documents.
    virtual TShem& Clipboard() = 0;

    virtual QString FontName() const = 0;
    virtual TColor Background() const = 0;

    // Panel 0 shows a diagram point, panel 1 a pixel vector.
    virtual void ShowStatus(int panel, const QString& text) = 0;

    // Saves doc (asking for a name when it has none). The close prompt relies
    // on doc's modified flag afterwards, not on the result.
    virtual bool SaveDocument(TChildD& doc) = 0;

    // The context menu of the document windows.
    virtual void ShowDocumentMenu(TChildD& doc, QPoint globalPos) = 0;
};

} // namespace kb
