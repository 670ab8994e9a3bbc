/* The case language, one command a line, '#' starting a comment:
     case NAME WIDTH HEIGHT [RRGGBB]      a new canvas (background white unless given)
     pen WIDTH RRGGBB | pen null          brush RRGGBB | brush hollow
     polygon x,y x,y ...                  ellipse l t r b      rectangle l t r b
     moveto x y                           lineto x y
     fillrect l t r b RRGGBB              patblt l t r b RRGGBB
     picture NAME FILE.bmp                (read from the picture folder; lasts for the file)
     bitblt x y w h PICTURE sx sy         stretchblt x y w h PICTURE sx sy sw sh
     transparent x y w h PICTURE sx sy sw sh RRGGBB */
#include "CaseScript.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#define MAX_PICTURES 8
#define MAX_POINTS 64
#define MAX_WORDS (MAX_POINTS + 2)
#define LINE_MAX_CHARS 2048

typedef struct Picture {
  char name[CASE_NAME_MAX];
  HBITMAP bitmap;
} Picture;

typedef struct Run {
  const CaseHost* host;
  const char* pictureDir;
  int line;
  char name[CASE_NAME_MAX];
  HDC canvas;
  HPEN pen;
  HBRUSH brush; /* NULL while the hollow stock brush is selected */
  HGDIOBJ firstPen;
  HGDIOBJ firstBrush;
  Picture pictures[MAX_PICTURES];
  int pictureCount;
} Run;

static int fail(Run* run, const char* message) {
  run->host->report(run->host->context, run->line, message);
  return 0;
}

static int toInt(const char* word, int* value) {
  char* end;
  long v = strtol(word, &end, 10);
  if (end == word || *end) return 0;
  *value = (int)v;
  return 1;
}

static int toColour(const char* word, COLORREF* colour) {
  char* end;
  unsigned long v;
  if (strlen(word) != 6) return 0;
  v = strtoul(word, &end, 16);
  if (*end) return 0;
  *colour = RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
  return 1;
}

static int toInts(char** words, int count, int* values) {
  int i;
  for (i = 0; i < count; ++i)
    if (!toInt(words[i], &values[i])) return 0;
  return 1;
}

static void choosePen(Run* run, HPEN pen) {
  SelectObject(run->canvas, (HGDIOBJ)pen);
  if (run->pen) DeleteObject((HGDIOBJ)run->pen);
  run->pen = pen;
}

static void chooseBrush(Run* run, HBRUSH brush) {
  SelectObject(run->canvas, brush ? (HGDIOBJ)brush : GetStockObject(NULL_BRUSH));
  if (run->brush) DeleteObject((HGDIOBJ)run->brush);
  run->brush = brush;
}

static void endCase(Run* run) {
  SelectObject(run->canvas, run->firstPen);
  SelectObject(run->canvas, run->firstBrush);
  if (run->pen) DeleteObject((HGDIOBJ)run->pen);
  if (run->brush) DeleteObject((HGDIOBJ)run->brush);
  run->pen = NULL;
  run->brush = NULL;
}

static int beginCase(Run* run, char** words, int count) {
  int size[2];
  COLORREF background = RGB(255, 255, 255);
  HBRUSH fill;
  RECT all;
  if (count < 4 || count > 5 || strlen(words[1]) >= CASE_NAME_MAX || !toInts(words + 2, 2, size) || size[0] <= 0 ||
      size[1] <= 0 || size[0] > 4096 || size[1] > 4096 || (count == 5 && !toColour(words[4], &background)))
    return fail(run, "expected: case NAME WIDTH HEIGHT [RRGGBB]");
  strcpy(run->name, words[1]);
  run->canvas = run->host->beginCanvas(run->host->context, run->name, size[0], size[1]);
  if (!run->canvas) return fail(run, "the canvas could not be made");
  fill = CreateSolidBrush(background);
  all.left = 0;
  all.top = 0;
  all.right = size[0];
  all.bottom = size[1];
  FillRect(run->canvas, &all, fill);
  DeleteObject((HGDIOBJ)fill);
  run->pen = CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
  run->brush = CreateSolidBrush(RGB(255, 255, 255));
  run->firstPen = SelectObject(run->canvas, (HGDIOBJ)run->pen);
  run->firstBrush = SelectObject(run->canvas, (HGDIOBJ)run->brush);
  return 1;
}

static int finishCase(Run* run) {
  HDC canvas = run->canvas;
  if (!canvas) return 1;
  endCase(run);
  run->canvas = NULL;
  return run->host->endCanvas(run->host->context, run->name, canvas);
}

static HBITMAP findPicture(Run* run, const char* name) {
  int i;
  for (i = 0; i < run->pictureCount; ++i)
    if (!strcmp(run->pictures[i].name, name)) return run->pictures[i].bitmap;
  return NULL;
}

static int loadPicture(Run* run, char** words, int count) {
  char path[1024];
  unsigned int* pixels;
  int width, height;
  Picture* picture;
  if (count != 3 || strlen(words[1]) >= CASE_NAME_MAX) return fail(run, "expected: picture NAME FILE.bmp");
  if (run->pictureCount == MAX_PICTURES || findPicture(run, words[1]))
    return fail(run, "too many or repeated pictures");
  snprintf(path, sizeof(path), "%s/%s", run->pictureDir, words[2]);
  pixels = readBmpFile(path, &width, &height);
  if (!pixels) return fail(run, "the picture is not an uncompressed 24- or 32-bit BMP");
  picture = &run->pictures[run->pictureCount];
  picture->bitmap = run->host->makePicture(run->host->context, width, height, pixels);
  free(pixels);
  if (!picture->bitmap) return fail(run, "the picture's bitmap could not be made");
  strcpy(picture->name, words[1]);
  ++run->pictureCount;
  return 1;
}

/* words: x y w h PICTURE sx sy [sw sh [RRGGBB]] */
static int copyPicture(Run* run, char** words, int count) {
  int v[8];
  COLORREF key = 0;
  HBITMAP bitmap;
  HDC source;
  HGDIOBJ previous;
  const char* command = words[0];
  int sizes = !strcmp(command, "bitblt") ? 0 : 2;
  int keyed = !strcmp(command, "transparent");
  if (count != 8 + sizes + keyed || !toInts(words + 1, 4, v) || !toInts(words + 6, 2 + sizes, v + 4) ||
      (keyed && !toColour(words[10], &key)))
    return fail(run, "expected: x y w h PICTURE sx sy, then sw sh for stretches, then RRGGBB for keyed copies");
  bitmap = findPicture(run, words[5]);
  if (!bitmap) return fail(run, "no such picture");
  source = CreateCompatibleDC(run->canvas);
  previous = SelectObject(source, (HGDIOBJ)bitmap);
  if (keyed)
    run->host->keyedCopy(run->canvas, v[0], v[1], v[2], v[3], source, v[4], v[5], v[6], v[7], key);
  else if (sizes)
    StretchBlt(run->canvas, v[0], v[1], v[2], v[3], source, v[4], v[5], v[6], v[7], SRCCOPY);
  else
    BitBlt(run->canvas, v[0], v[1], v[2], v[3], source, v[4], v[5], SRCCOPY);
  SelectObject(source, previous);
  DeleteDC(source);
  return 1;
}

static int drawPolygon(Run* run, char** words, int count) {
  POINT points[MAX_POINTS];
  int i;
  if (count < 2 || count - 1 > MAX_POINTS) return fail(run, "expected: polygon x,y x,y ... (up to 64 points)");
  for (i = 1; i < count; ++i) {
    char* comma = strchr(words[i], ',');
    int x, y;
    if (!comma) return fail(run, "a point is x,y");
    *comma = 0;
    if (!toInt(words[i], &x) || !toInt(comma + 1, &y)) return fail(run, "a point is x,y");
    points[i - 1].x = x;
    points[i - 1].y = y;
  }
  Polygon(run->canvas, points, count - 1);
  return 1;
}

static int drawCommand(Run* run, char** words, int count) {
  const char* c = words[0];
  int v[4];
  COLORREF colour;
  if (!strcmp(c, "pen")) {
    if (count == 2 && !strcmp(words[1], "null")) {
      choosePen(run, CreatePen(PS_NULL, 0, 0));
      return 1;
    }
    if (count != 3 || !toInt(words[1], &v[0]) || v[0] < 0 || !toColour(words[2], &colour))
      return fail(run, "expected: pen WIDTH RRGGBB or pen null");
    choosePen(run, CreatePen(PS_SOLID, v[0], colour));
    return 1;
  }
  if (!strcmp(c, "brush")) {
    if (count == 2 && !strcmp(words[1], "hollow")) {
      chooseBrush(run, NULL);
      return 1;
    }
    if (count != 2 || !toColour(words[1], &colour)) return fail(run, "expected: brush RRGGBB or brush hollow");
    chooseBrush(run, CreateSolidBrush(colour));
    return 1;
  }
  if (!strcmp(c, "polygon")) return drawPolygon(run, words, count);
  if (!strcmp(c, "ellipse") || !strcmp(c, "rectangle")) {
    if (count != 5 || !toInts(words + 1, 4, v)) return fail(run, "expected: ellipse|rectangle l t r b");
    if (c[0] == 'e')
      Ellipse(run->canvas, v[0], v[1], v[2], v[3]);
    else
      Rectangle(run->canvas, v[0], v[1], v[2], v[3]);
    return 1;
  }
  if (!strcmp(c, "moveto") || !strcmp(c, "lineto")) {
    if (count != 3 || !toInts(words + 1, 2, v)) return fail(run, "expected: moveto|lineto x y");
    if (c[0] == 'm')
      MoveToEx(run->canvas, v[0], v[1], NULL);
    else
      LineTo(run->canvas, v[0], v[1]);
    return 1;
  }
  if (!strcmp(c, "fillrect") || !strcmp(c, "patblt")) {
    if (count != 6 || !toInts(words + 1, 4, v) || !toColour(words[5], &colour))
      return fail(run, "expected: fillrect|patblt l t r b RRGGBB");
    if (c[0] == 'f') {
      RECT r;
      HBRUSH brush = CreateSolidBrush(colour);
      r.left = v[0];
      r.top = v[1];
      r.right = v[2];
      r.bottom = v[3];
      FillRect(run->canvas, &r, brush);
      DeleteObject((HGDIOBJ)brush);
    } else {
      run->host->solidPattern(run->canvas, v[0], v[1], v[2] - v[0], v[3] - v[1], colour);
    }
    return 1;
  }
  if (!strcmp(c, "bitblt") || !strcmp(c, "stretchblt") || !strcmp(c, "transparent"))
    return copyPicture(run, words, count);
  return fail(run, "unknown command");
}

static int runLine(Run* run, char* text) {
  char* words[MAX_WORDS + 1];
  int count = 0;
  char* hash = strchr(text, '#');
  char* word;
  if (hash) *hash = 0;
  for (word = strtok(text, " \t\r\n"); word; word = strtok(NULL, " \t\r\n")) {
    if (count == MAX_WORDS) return fail(run, "too many words");
    words[count++] = word;
  }
  if (!count) return 1;
  if (!strcmp(words[0], "picture")) return loadPicture(run, words, count);
  if (!strcmp(words[0], "case")) return finishCase(run) && beginCase(run, words, count);
  if (!run->canvas) return fail(run, "drawing before the first case");
  return drawCommand(run, words, count);
}

int runCaseScript(const char* text, const char* pictureDir, const CaseHost* host) {
  Run run;
  int cases = 0, ok = 1, i;
  const char* at = text;
  memset(&run, 0, sizeof(run));
  run.host = host;
  run.pictureDir = pictureDir;
  while (ok && *at) {
    char line[LINE_MAX_CHARS];
    const char* end = strchr(at, '\n');
    size_t length = end ? (size_t)(end - at) : strlen(at);
    ++run.line;
    if (length >= sizeof(line)) {
      ok = fail(&run, "line too long");
      break;
    }
    memcpy(line, at, length);
    line[length] = 0;
    at += length + (end ? 1 : 0);
    if (!strncmp(line, "case", 4) && run.canvas) ++cases;
    ok = runLine(&run, line);
  }
  if (ok && run.canvas) {
    ++cases;
    ok = finishCase(&run);
  } else if (run.canvas) {
    endCase(&run);
    host->endCanvas(host->context, NULL, run.canvas);
  }
  for (i = 0; i < run.pictureCount; ++i) DeleteObject((HGDIOBJ)run.pictures[i].bitmap);
  return ok ? cases : -1;
}

static unsigned readLe(const unsigned char* p, int bytes) {
  unsigned v = 0;
  while (bytes--) v = v << 8 | p[bytes];
  return v;
}

unsigned int* readBmpFile(const char* path, int* width, int* height) {
  unsigned char header[54];
  unsigned int* pixels = NULL;
  unsigned char* row = NULL;
  FILE* file = fopen(path, "rb");
  long offset;
  int w, h, bits, topDown, stride, x, y;
  if (!file) return NULL;
  if (fread(header, 1, sizeof(header), file) != sizeof(header) || header[0] != 'B' || header[1] != 'M') goto done;
  offset = (long)readLe(header + 10, 4);
  w = (int)readLe(header + 18, 4);
  h = (int)readLe(header + 22, 4);
  bits = (int)readLe(header + 28, 2);
  topDown = h < 0;
  if (topDown) h = -h;
  if (readLe(header + 30, 4) != 0 || (bits != 24 && bits != 32) || w <= 0 || h <= 0 || w > 16384 || h > 16384)
    goto done;
  stride = (w * (bits / 8) + 3) & ~3;
  pixels = (unsigned int*)malloc((size_t)w * h * sizeof(unsigned int));
  row = (unsigned char*)malloc((size_t)stride);
  if (!pixels || !row || fseek(file, offset, SEEK_SET)) goto fail;
  for (y = 0; y < h; ++y) {
    unsigned int* out = pixels + (size_t)(topDown ? y : h - 1 - y) * w;
    if (fread(row, 1, (size_t)stride, file) != (size_t)stride) goto fail;
    for (x = 0; x < w; ++x) {
      const unsigned char* p = row + x * (bits / 8);
      out[x] = (unsigned)p[2] << 16 | (unsigned)p[1] << 8 | p[0];
    }
  }
  *width = w;
  *height = h;
  goto done;
fail:
  free(pixels);
  pixels = NULL;
done:
  free(row);
  fclose(file);
  return pixels;
}
