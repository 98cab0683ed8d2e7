/* Kestrabin import plug-in interface.
 *
 * An import plug-in is a shared library in the editor's plugin/ folder (found
 * recursively; any file whose name contains the platform's library suffix, in
 * any letter case). The editor binds four functions by name and adds one item
 * to File > Import for each plug-in. The editor itself exports LoadFile.
 *
 * Threads: every call, in both directions, happens on the editor's user
 * interface thread. ImportFiles may run modal dialogs and call LoadFile any
 * number of times before it returns.
 *
 * Strings: zero-terminated, UTF-8 (the system's 8-bit encoding on Linux).
 *
 * This header compiles as C and as C++.
 */
#ifndef KESTRABIN_PLUGIN_H
#define KESTRABIN_PLUGIN_H

#if defined(_WIN32)
#define KB_EXPORT __declspec(dllexport)
#else
#define KB_EXPORT __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Called once, right after the library is loaded. host is the editor's
 * program module (on Windows its HMODULE, elsewhere the handle of
 * dlopen(NULL)); the plug-in keeps it to find LoadFile by name with
 * KbHostSymbol. */
typedef void (*KbInitFn)(void* host);

/* The Import menu caption and the status-bar hint. The plug-in owns the
 * returned text, which must stay valid until the next call into the plug-in;
 * the editor copies it at once. */
typedef const char* (*KbGetNameFn)(void);
typedef const char* (*KbGetHintFn)(void);

/* Called when the user chooses the plug-in's menu item. The result is the
 * plug-in's own status (for Vellucor, the number of files it opened); the
 * editor does not use it. */
typedef int (*KbImportFilesFn)(void);

/* Exported by the editor program: opens fileName as a document (or brings it
 * to the front when it is open already). The editor copies the name; the
 * caller keeps ownership. */
typedef void (*KbLoadFileFn)(const char* fileName);

#ifdef __cplusplus
} /* extern "C" */
#endif

#if defined(_WIN32)
#include <windows.h>
static inline void* KbHostSymbol(void* host, const char* name)
{
    return (void*)GetProcAddress((HMODULE)host, name);
}
#else
#include <dlfcn.h>
static inline void* KbHostSymbol(void* host, const char* name)
{
    return dlsym(host, name);
}
#endif

#endif /* KESTRABIN_PLUGIN_H */
