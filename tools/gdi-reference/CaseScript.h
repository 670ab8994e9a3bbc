/* Draws the cases of a case file through the GDI calls the game makes. The same source builds
   as C for the Windows reference tool and as C++ against our platform; each side hands in the
   few calls that differ between them (the canvas, pictures and the keyed copy). */
#ifndef GDI_REFERENCE_CASE_SCRIPT_H
#define GDI_REFERENCE_CASE_SCRIPT_H

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

#define CASE_NAME_MAX 64

typedef struct CaseHost {
  void* context;
  /* A memory DC holding a width x height bitmap; NULL when it can't be made. */
  HDC (*beginCanvas)(void* context, const char* name, int width, int height);
  /* The case is drawn: write or compare the canvas, then free it. 0 stops the run. */
  int (*endCanvas)(void* context, const char* name, HDC canvas);
  /* A bitmap made from 0x00RRGGBB pixels, rows top first; NULL on failure. */
  HBITMAP (*makePicture)(void* context, int width, int height, const unsigned int* pixels);
  /* PatBlt PATCOPY with a solid brush selected. */
  void (*solidPattern)(HDC dc, int left, int top, int width, int height, COLORREF colour);
  /* The phone's colour-keyed, stretching copy; a negative height mirrors top to bottom. */
  void (*keyedCopy)(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY, int srcWidth,
                    int srcHeight, COLORREF key);
  /* Messages about bad input, with the line they concern. */
  void (*report)(void* context, int line, const char* message);
} CaseHost;

/* Runs every case of `text` (a whole case file); pictures are read from `pictureDir`.
   Returns the number of cases run, or -1 after a bad line (reported, nothing more drawn). */
int runCaseScript(const char* text, const char* pictureDir, const CaseHost* host);

/* Reads an uncompressed 24- or 32-bit BMP into 0x00RRGGBB pixels (malloc'd, top row first). */
unsigned int* readBmpFile(const char* path, int* width, int* height);

#ifdef __cplusplus
}
#endif

#endif
