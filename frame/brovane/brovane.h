/* brovane: the graphic-export module of the Kestrabin editor.
 *
 * A shared library beside the editor program (brovane.dll, libbrovane.so,
 * libbrovane.dylib). The editor looks up the two functions below by name
 * when it starts; when the library or a function is missing, File > Export >
 * "to graphic file" is simply unavailable.
 *
 * Threads: both functions run on the editor's user interface thread. SaveTo
 * draws text, so a Qt GUI application object must exist in the process.
 *
 * This header compiles as C and as C++.
 */
#ifndef KESTRABIN_BROVANE_H
#define KESTRABIN_BROVANE_H

#include <stddef.h>

#if defined(_WIN32)
#if defined(BROVANE_BUILD)
#define BROVANE_API __declspec(dllexport)
#else
#define BROVANE_API __declspec(dllimport)
#endif
#else
#define BROVANE_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* The save dialog's filter in Qt's form, "Name (*.ext);;Name (*.ext)", one
 * entry per picture format. The text is static: it stays valid while the
 * library is loaded and the caller never frees it. */
typedef const char* (*BrovaneGetFilterFn)(void);

/* Writes the diagram, given as the bytes of a .bls file, as a picture into
 * fileName (UTF-8). The format follows the name's extension, in any letter
 * case: .png, .bmp (raster, 2 pixels per diagram unit), .svg, .pdf (vector).
 * The picture is the print rendering: black on white, no selection, no grid.
 * fontName (UTF-8, NULL for the default) and fontSize (points, 0 or less for
 * the default) give the block text font.
 *
 * Returns 0 on success. Otherwise returns a non-zero code and, when error is
 * not NULL, writes a zero-terminated UTF-8 sentence for the user into error,
 * cut to errorSize bytes. The caller owns every buffer. */
typedef int (*BrovaneSaveToFn)(const unsigned char* bls, size_t size, const char* fileName,
                               const char* fontName, int fontSize, char* error, size_t errorSize);

enum {
    BROVANE_OK = 0,
    BROVANE_BAD_DIAGRAM = 1,   /* the bytes are not a readable diagram */
    BROVANE_EMPTY_DIAGRAM = 2, /* the diagram has no blocks to draw */
    BROVANE_BAD_FORMAT = 3,    /* the extension names no supported format */
    BROVANE_WRITE_FAILED = 4,  /* the file could not be written */
    BROVANE_NO_APPLICATION = 5 /* no Qt GUI application in the process */
};

BROVANE_API const char* GetFilter(void);
BROVANE_API int SaveTo(const unsigned char* bls, size_t size, const char* fileName,
                       const char* fontName, int fontSize, char* error, size_t errorSize);

#ifdef __cplusplus
} /* extern "C" */
#endif

#endif /* KESTRABIN_BROVANE_H */
