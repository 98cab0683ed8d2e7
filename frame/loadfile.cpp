// LoadFile, exported by name from the editor program: import plug-ins call it
// to open the diagrams they wrote (see include/kestrabin/plugin.h). It lives
// in the executable itself, so that dlsym on the program finds it.
#include "frame/mainform.h"
#include "include/kestrabin/plugin.h"

extern "C" KB_EXPORT void LoadFile(const char* fileName)
{
    // The caller keeps the name; it is copied before anything else runs.
    if (!fileName) return;
    const QString name = QString::fromLocal8Bit(fileName);
    if (kb::TMainForm* main = kb::TMainForm::Instance()) main->OpenDocument(name);
}
