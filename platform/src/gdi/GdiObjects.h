// The drawing objects behind HPEN, HBRUSH, HFONT, HBITMAP and HDC, entries of the platform's
// handle table (core/HandleTable.h), so a stale or foreign handle is found out at the edge.
// Drawing runs on the user-interface thread only.
#pragma once

#include <windows.h>

#include "core/HandleTable.h"
#include "gdi/Surface.h"

#include <cstdint>

namespace platform::gdi {

enum class Kind : uint8_t { Pen, Brush, Font, Bitmap, Dc };

// The handle kinds follow the order of Kind, so every drawing handle is in one range of kinds.
constexpr core::HandleKind handleKind(Kind kind) {
  return static_cast<core::HandleKind>(static_cast<uint8_t>(core::HandleKind::Pen) + static_cast<uint8_t>(kind));
}
static_assert(handleKind(Kind::Dc) == core::HandleKind::DeviceContext);

struct GdiObject : core::HandleObject {
  Kind kind;
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
// Adds an object to the table and returns its handle (the table owns it from then on); nullptr,
// with the object freed, when the table is out of handles.
HGDIOBJ addObject(GdiObject* object);
// The object behind a handle, or nullptr for a stale, foreign or null handle.
GdiObject* findObject(const void* handle);
// Removes the object and frees it; its handle goes stale.
void removeObject(const void* handle);

template <typename T>
T* find(const void* handle, Kind kind) {
  return core::handles().find<T>(handle, handleKind(kind));
}
inline Pen* findPen(const void* h) { return find<Pen>(h, Kind::Pen); }
inline Brush* findBrush(const void* h) { return find<Brush>(h, Kind::Brush); }
inline Bitmap* findBitmap(const void* h) { return find<Bitmap>(h, Kind::Bitmap); }

// Stock objects (Stock.cpp): made at first use, never freed, not counted.
HGDIOBJ stockObject(int which);
// Makes a live object a stock one; whether a handle is one.
void markStock(const void* object);
bool isStock(const void* handle);
// The 1x1 bitmap a new memory device context holds.
HBITMAP stockBitmap();

// A new black 24-bit bitmap; nullptr when the size is not positive or memory runs out.
HBITMAP newBitmap(int width, int height);

}  // namespace platform::gdi
