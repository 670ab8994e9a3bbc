#include "gdi/GdiObjects.h"

#include "PlatformInternal.h"
#include "gdi/CopyMemo.h"
#include "gdi/DeviceContext.h"
#include "gdi/Fonts.h"

#include <memory>

namespace platform::gdi {

namespace {

int count(Kind kind) { return static_cast<int>(core::handles().count(handleKind(kind))); }

}  // namespace

Bitmap::~Bitmap() { forgetCopies(surface.get()); }

HGDIOBJ addObject(GdiObject* object) {
  const core::HandleKind kind = handleKind(object->kind);
  return reinterpret_cast<HGDIOBJ>(core::handles().add(kind, std::unique_ptr<core::HandleObject>(object)));
}

GdiObject* findObject(const void* handle) {
  return static_cast<GdiObject*>(
      core::handles().find(core::HandleTable::valueOf(handle), handleKind(Kind::Pen), handleKind(Kind::Dc)));
}

void removeObject(const void* handle) {
  if (const GdiObject* object = findObject(handle)) core::handles().remove(handle, handleKind(object->kind));
}

void markStock(const void* object) { core::handles().makePermanent(core::HandleTable::valueOf(object)); }

bool isStock(const void* handle) { return core::handles().isPermanent(core::HandleTable::valueOf(handle)); }

HBITMAP newBitmap(int width, int height) {
  if (width <= 0 || height <= 0 || width > 32767 || height > 32767) return nullptr;
  // A new surface is black, as a new compatible bitmap is.
  SurfacePtr surface = Surface::create(width, height);
  if (surface == nullptr) return nullptr;
  auto* bitmap = new Bitmap;
  bitmap->surface = std::move(surface);
  return reinterpret_cast<HBITMAP>(addObject(bitmap));
}

HBITMAP createBlackBitmap(int width, int height) { return newBitmap(width, height); }

HBITMAP createBitmapFromPixels(int width, int height, const uint32_t* pixels, int strideBytes) {
  if (pixels == nullptr || strideBytes < width * 4) return nullptr;
  HBITMAP handle = newBitmap(width, height);
  if (handle == nullptr) return nullptr;
  const PixelBuffer& out = findBitmap(handle)->surface->pixels();
  const auto* src = reinterpret_cast<const unsigned char*>(pixels);
  for (int y = 0; y < height; ++y) {
    const auto* in = reinterpret_cast<const uint32_t*>(src + static_cast<size_t>(y) * strideBytes);
    uint32_t* line = out.row(y);
    for (int x = 0; x < width; ++x) line[x] = in[x] & 0xFFFFFF;
  }
  return handle;
}

const PixelBuffer* bitmapPixels(HBITMAP bitmap) {
  Bitmap* object = findBitmap(bitmap);
  return object != nullptr ? &object->surface->pixels() : nullptr;
}

// Screen DCs (GetDC, BeginPaint) count as device contexts while alive, so a paint that never
// ends shows up; stock objects and the memory DCs' shared 1x1 bitmap never count.
ObjectCounts liveObjects() {
  return ObjectCounts{count(Kind::Pen), count(Kind::Brush), count(Kind::Font), count(Kind::Bitmap), count(Kind::Dc)};
}

}  // namespace platform::gdi

using namespace platform::gdi;

HPEN CreatePen(int style, int width, COLORREF color) {
  if (!platform::requireUiThread()) return nullptr;
  if (style != PS_SOLID && style != PS_DASH && style != PS_NULL) return nullptr;
  auto* pen = new Pen;
  // Dashes are not drawn by the phone's game; a dashed pen draws solid.
  pen->style = style == PS_NULL ? PS_NULL : PS_SOLID;
  pen->width = width < 1 ? 1 : width;
  pen->color = color & 0xFFFFFF;
  return reinterpret_cast<HPEN>(addObject(pen));
}

HBRUSH CreateSolidBrush(COLORREF color) {
  if (!platform::requireUiThread()) return nullptr;
  auto* brush = new Brush;
  brush->color = color & 0xFFFFFF;
  return reinterpret_cast<HBRUSH>(addObject(brush));
}

HBITMAP CreateCompatibleBitmap(HDC hdc, int width, int height) {
  if (!platform::requireUiThread()) return nullptr;
  // Every surface is 24-bit, so any DC (or none, meaning the screen) gives the same bitmap.
  if (hdc != nullptr && findDc(hdc) == nullptr) return nullptr;
  return newBitmap(width, height);
}

int GetObjectW(HGDIOBJ object, int bufferSize, LPVOID buffer) {
  if (!platform::requireUiThread()) return 0;
  GdiObject* found = findObject(object);
  if (found == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return 0;
  }
  if (found->kind == Kind::Bitmap) {
    if (buffer == nullptr) return sizeof(BITMAP);
    if (bufferSize < static_cast<int>(sizeof(BITMAP))) return 0;
    auto* bitmap = static_cast<Bitmap*>(found);
    BITMAP description{};
    description.bmType = 0;
    description.bmWidth = bitmap->width();
    description.bmHeight = bitmap->height();
    description.bmWidthBytes = ((bitmap->width() * 3) + 3) & ~3;
    description.bmPlanes = 1;
    description.bmBitsPixel = 24;
    description.bmBits = nullptr;
    std::memcpy(buffer, &description, sizeof description);
    return sizeof(BITMAP);
  }
  if (found->kind == Kind::Font) {
    if (buffer == nullptr) return sizeof(LOGFONTW);
    if (bufferSize < static_cast<int>(sizeof(LOGFONTW))) return 0;
    std::memcpy(buffer, &static_cast<Font*>(found)->logFont, sizeof(LOGFONTW));
    return sizeof(LOGFONTW);
  }
  return 0;
}

BOOL DeleteObject(HGDIOBJ object) {
  if (!platform::requireUiThread()) return FALSE;
  GdiObject* found = findObject(object);
  if (found == nullptr || found->kind == Kind::Dc) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (isStock(object)) return TRUE;
  if (found->selectedCount > 0) return FALSE;
  removeObject(object);
  return TRUE;
}
