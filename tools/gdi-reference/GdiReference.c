/* Draws every case of a case file with the Windows GDI (Wine's DIB engine under wine) and
   writes each canvas as NAME.bmp into the output folder.
   Usage: gdi-reference.exe CASES.txt PICTURE_DIR OUTPUT_DIR */
#include <stdio.h>
#include <stdlib.h>
#include <windows.h>

#include "CaseScript.h"

typedef struct Canvas {
  HDC dc;
  HBITMAP bitmap;
  HGDIOBJ previous;
  unsigned int* bits;
  int width, height;
} Canvas;

typedef struct Output {
  const char* folder;
  Canvas canvas;
} Output;

/* A 32-bit top-down DIB section, so the DIB engine draws, not a display driver. */
static HBITMAP makeDib(int width, int height, unsigned int** bits) {
  BITMAPINFO info;
  void* data = NULL;
  HBITMAP bitmap;
  ZeroMemory(&info, sizeof(info));
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  bitmap = CreateDIBSection(NULL, &info, DIB_RGB_COLORS, &data, NULL, 0);
  *bits = (unsigned int*)data;
  return bitmap;
}

static HDC beginCanvas(void* context, const char* name, int width, int height) {
  Canvas* canvas = &((Output*)context)->canvas;
  (void)name;
  canvas->bitmap = makeDib(width, height, &canvas->bits);
  if (!canvas->bitmap) return NULL;
  canvas->dc = CreateCompatibleDC(NULL);
  canvas->previous = SelectObject(canvas->dc, canvas->bitmap);
  canvas->width = width;
  canvas->height = height;
  /* The phone's stretches drop pixels. */
  SetStretchBltMode(canvas->dc, COLORONCOLOR);
  return canvas->dc;
}

static void putLe(unsigned char* p, unsigned v, int bytes) {
  while (bytes--) {
    *p++ = (unsigned char)v;
    v >>= 8;
  }
}

static int writeBmp(const char* path, const Canvas* canvas) {
  int stride = (canvas->width * 3 + 3) & ~3, x, y, ok = 1;
  unsigned char header[54] = {'B', 'M'};
  unsigned char* row = (unsigned char*)calloc(1, (size_t)stride);
  FILE* file = fopen(path, "wb");
  if (!file || !row) {
    if (file) fclose(file);
    free(row);
    return 0;
  }
  putLe(header + 2, 54 + stride * canvas->height, 4);
  putLe(header + 10, 54, 4);
  putLe(header + 14, 40, 4);
  putLe(header + 18, canvas->width, 4);
  putLe(header + 22, canvas->height, 4);
  putLe(header + 26, 1, 2);
  putLe(header + 28, 24, 2);
  ok = fwrite(header, 1, sizeof(header), file) == sizeof(header);
  GdiFlush();
  for (y = canvas->height - 1; ok && y >= 0; --y) {
    const unsigned int* in = canvas->bits + (size_t)y * canvas->width;
    for (x = 0; x < canvas->width; ++x) putLe(row + x * 3, in[x], 3);
    ok = fwrite(row, 1, (size_t)stride, file) == (size_t)stride;
  }
  free(row);
  return fclose(file) == 0 && ok;
}

static int endCanvas(void* context, const char* name, HDC dc) {
  Output* output = (Output*)context;
  Canvas* canvas = &output->canvas;
  int ok = 1;
  if (name) {
    char path[1024];
    snprintf(path, sizeof(path), "%s/%s.bmp", output->folder, name);
    ok = writeBmp(path, canvas);
    if (!ok) fprintf(stderr, "%s: could not be written\n", path);
  }
  SelectObject(dc, canvas->previous);
  DeleteDC(dc);
  DeleteObject(canvas->bitmap);
  return ok;
}

static HBITMAP makePicture(void* context, int width, int height, const unsigned int* pixels) {
  unsigned int* bits;
  HBITMAP bitmap = makeDib(width, height, &bits);
  (void)context;
  if (bitmap) CopyMemory(bits, pixels, (size_t)width * height * 4);
  return bitmap;
}

static void solidPattern(HDC dc, int left, int top, int width, int height, COLORREF colour) {
  HBRUSH brush = CreateSolidBrush(colour);
  HGDIOBJ previous = SelectObject(dc, brush);
  PatBlt(dc, left, top, width, height, PATCOPY);
  SelectObject(dc, previous);
  DeleteObject(brush);
}

/* The phone's TransparentImage is TransparentBlt here. TransparentBlt refuses a negative
   height, so the mirrored form is a mirrored StretchBlt of the source into a scratch DIB of
   the destination's size, then a 1:1 TransparentBlt of the scratch into rows y+h+1 .. y. */
static void keyedCopy(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY, int srcWidth,
                      int srcHeight, COLORREF key) {
  unsigned int* bits;
  HBITMAP scratch;
  HDC scratchDC;
  HGDIOBJ previous;
  int rows = -height;
  if (height >= 0) {
    TransparentBlt(dst, x, y, width, height, src, srcX, srcY, srcWidth, srcHeight, key);
    return;
  }
  scratch = makeDib(width, rows, &bits);
  if (!scratch) return;
  scratchDC = CreateCompatibleDC(dst);
  previous = SelectObject(scratchDC, scratch);
  SetStretchBltMode(scratchDC, COLORONCOLOR);
  StretchBlt(scratchDC, 0, rows - 1, width, -rows, src, srcX, srcY, srcWidth, srcHeight, SRCCOPY);
  TransparentBlt(dst, x, y + height + 1, width, rows, scratchDC, 0, 0, width, rows, key);
  SelectObject(scratchDC, previous);
  DeleteDC(scratchDC);
  DeleteObject(scratch);
}

static void report(void* context, int line, const char* message) {
  (void)context;
  fprintf(stderr, "line %d: %s\n", line, message);
}

static char* readText(const char* path) {
  FILE* file = fopen(path, "rb");
  long size;
  char* text;
  if (!file) return NULL;
  fseek(file, 0, SEEK_END);
  size = ftell(file);
  fseek(file, 0, SEEK_SET);
  text = (char*)malloc((size_t)size + 1);
  if (text && fread(text, 1, (size_t)size, file) != (size_t)size) {
    free(text);
    text = NULL;
  }
  if (text) text[size] = 0;
  fclose(file);
  return text;
}

int main(int argc, char** argv) {
  Output output;
  CaseHost host = {0};
  char* text;
  int cases;
  if (argc != 4) {
    fprintf(stderr, "usage: %s CASES.txt PICTURE_DIR OUTPUT_DIR\n", argv[0]);
    return 2;
  }
  text = readText(argv[1]);
  if (!text) {
    fprintf(stderr, "%s: cannot be read\n", argv[1]);
    return 1;
  }
  ZeroMemory(&output, sizeof(output));
  output.folder = argv[3];
  host.context = &output;
  host.beginCanvas = beginCanvas;
  host.endCanvas = endCanvas;
  host.makePicture = makePicture;
  host.solidPattern = solidPattern;
  host.keyedCopy = keyedCopy;
  host.report = report;
  cases = runCaseScript(text, argv[2], &host);
  free(text);
  if (cases < 0) return 1;
  printf("%d cases\n", cases);
  return 0;
}
