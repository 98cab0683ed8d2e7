// The system clipboard for the code editor: plain text, converted between
// the editor's Windows-1251 lines joined with CR LF and the platform's text.
#pragma once

#include "pasexport/codeedit/codebuffer.h"

namespace kb {

class TQtClipboard : public TTextClipboard
{
public:
    bool HasText() const override;
    // Any line breaks the platform uses arrive as CR LF.
    std::string Text() const override;
    void SetText(const std::string& text) override;
};

} // namespace kb
