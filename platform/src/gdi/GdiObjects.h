// The drawing objects behind HPEN, HBRUSH, HFONT, HBITMAP and HDC: one table of slots, each
// handle an index with a generation, so a stale or foreign handle is found out at the edge.
// Drawing runs on the user-interface thread only; the table takes no lock.
#pragma once

#include <windows.h>

#include "gdi/Surface.h"

#include <cstdint>

namespace platform::gdi {

enum class Kind : uint8_t { Pen, Brush, Font, Bitmap, Dc };

struct GdiObject {
  virtual ~GdiObject() = default;
  Kind kind;
  bool stock = false;
  // How many device contexts hold the object selected; a selected object can't be deleted.
  int selectedCount = 0;

 protected:
  explicit GdiObject(Kind k) : kind(k) {}
};

struct Pen : GdiObject {
  Pen() : GdiObject(Kind::Pen) {}
  int style = PS_SOLID;
  int width = 1;  // never below 1: a zero width draws one pixel wide
  COLORREF color = 0;
  bool isNull() const { return style == PS_NULL; }
};

struct Brush : GdiObject {
  Brush() : GdiObject(Kind::Brush) {}
  bool hollow = false;
  COLORREF color = 0;
};

struct Bitmap : GdiObject {
  Bitmap() : GdiObject(Kind::Bitmap) {}
  ~Bitmap() override;
  SurfacePtr surface;  // never null
  int width() const { return surface->width(); }
  int height() const { return surface->height(); }
};

// Handles of every kind (HPEN, HDC, ...) are looked up through the same table.
// Adds an object to the table and returns its handle (the table owns it from then on).
HGDIOBJ addObject(GdiObject* object);
// The object behind a handle, or nullptr for a stale, foreign or null handle.
GdiObject* findObject(const void* handle);
// Removes the object and frees it; its handle goes stale.
void removeObject(const void* handle);

template <typename T>
T* find(const void* handle, Kind kind) {
  GdiObject* object = findObject(handle);
  return object != nullptr && object->kind == kind ? static_cast<T*>(object) : nullptr;
}
inline Pen* findPen(const void* h) { return find<Pen>(h, Kind::Pen); }
inline Brush* findBrush(const void* h) { return find<Brush>(h, Kind::Brush); }
inline Bitmap* findBitmap(const void* h) { return find<Bitmap>(h, Kind::Bitmap); }

// Stock objects (Stock.cpp): made at first use, never freed, not counted.
HGDIOBJ stockObject(int which);
// The 1x1 bitmap a new memory device context holds.
HBITMAP stockBitmap();

// A new black 24-bit bitmap; nullptr when the size is not positive or memory runs out.
HBITMAP newBitmap(int width, int height);

}  // namespace platform::gdi
