#include "gdi/GdiObjects.h"

#include "PlatformInternal.h"
#include "gdi/CopyMemo.h"
#include "gdi/DeviceContext.h"
#include "gdi/Fonts.h"

#include <memory>
#include <vector>

namespace platform::gdi {

namespace {

// Low byte of every drawing handle, so that a window or resource handle passed by mistake is
// told apart even when its bits look like an index.
constexpr uintptr_t HandleTag = 0x6D;
// Above the tag the slot's index, above that as much of the slot's generation as a handle has
// room for: all of it in 64 bits, its low byte in 32 (the phone's and WebAssembly's width).
constexpr int IndexBits = sizeof(uintptr_t) == 8 ? 24 : 16;
constexpr int GenerationShift = 8 + IndexBits;
constexpr uintptr_t IndexMask = (uintptr_t{1} << IndexBits) - 1;
constexpr uintptr_t GenerationMask = ~uintptr_t{0} >> GenerationShift;

struct Slot {
  uint32_t generation = 1;
  std::unique_ptr<GdiObject> object;
};

struct Table {
  std::vector<Slot> slots;
  std::vector<uint32_t> freeSlots;
};

Table& table() {
  static Table* t = new Table;  // never destroyed: handles may be freed by late destructors
  return *t;
}

HGDIOBJ encode(uint32_t index, uint32_t generation) {
  return reinterpret_cast<HGDIOBJ>(((generation & GenerationMask) << GenerationShift) | (uintptr_t{index} << 8) |
                                   HandleTag);
}

Slot* slotOf(const void* handle) {
  auto value = reinterpret_cast<uintptr_t>(handle);
  if ((value & 0xFF) != HandleTag) return nullptr;
  uintptr_t index = (value >> 8) & IndexMask;
  uintptr_t generation = value >> GenerationShift;
  Table& t = table();
  if (index >= t.slots.size()) return nullptr;
  Slot& slot = t.slots[index];
  if ((slot.generation & GenerationMask) != generation || !slot.object) return nullptr;
  return &slot;
}

}  // namespace

Bitmap::~Bitmap() { forgetCopies(surface.get()); }

HGDIOBJ addObject(GdiObject* object) {
  Table& t = table();
  uint32_t index;
  if (!t.freeSlots.empty()) {
    index = t.freeSlots.back();
    t.freeSlots.pop_back();
  } else {
    if (t.slots.size() > IndexMask) {  // no index left: out of handles, as GDI runs out
      delete object;
      return nullptr;
    }
    index = static_cast<uint32_t>(t.slots.size());
    t.slots.emplace_back();
  }
  Slot& slot = t.slots[index];
  slot.object.reset(object);
  return encode(index, slot.generation);
}

GdiObject* findObject(const void* handle) {
  Slot* slot = slotOf(handle);
  return slot != nullptr ? slot->object.get() : nullptr;
}

void removeObject(const void* handle) {
  Slot* slot = slotOf(handle);
  if (slot == nullptr) return;
  slot->object.reset();
  ++slot->generation;
  if (slot->generation == 0) slot->generation = 1;
  table().freeSlots.push_back(static_cast<uint32_t>(slot - table().slots.data()));
}

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
  ObjectCounts counts;
  for (const Slot& slot : table().slots) {
    const GdiObject* object = slot.object.get();
    if (object == nullptr || object->stock) continue;
    switch (object->kind) {
      case Kind::Pen:
        ++counts.pens;
        break;
      case Kind::Brush:
        ++counts.brushes;
        break;
      case Kind::Font:
        ++counts.fonts;
        break;
      case Kind::Bitmap:
        ++counts.bitmaps;
        break;
      case Kind::Dc:
        ++counts.deviceContexts;
        break;
    }
  }
  return counts;
}

}  // namespace platform::gdi

using namespace platform::gdi;

HPEN CreatePen(int style, int width, COLORREF color) {
  if (style != PS_SOLID && style != PS_DASH && style != PS_NULL) return nullptr;
  auto* pen = new Pen;
  // Dashes are not drawn by the phone's game; a dashed pen draws solid.
  pen->style = style == PS_NULL ? PS_NULL : PS_SOLID;
  pen->width = width < 1 ? 1 : width;
  pen->color = color & 0xFFFFFF;
  return reinterpret_cast<HPEN>(addObject(pen));
}

HBRUSH CreateSolidBrush(COLORREF color) {
  auto* brush = new Brush;
  brush->color = color & 0xFFFFFF;
  return reinterpret_cast<HBRUSH>(addObject(brush));
}

HBITMAP CreateCompatibleBitmap(HDC hdc, int width, int height) {
  // Every surface is 24-bit, so any DC (or none, meaning the screen) gives the same bitmap.
  if (hdc != nullptr && findDc(hdc) == nullptr) return nullptr;
  return newBitmap(width, height);
}

int GetObjectW(HGDIOBJ object, int bufferSize, LPVOID buffer) {
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
  GdiObject* found = findObject(object);
  if (found == nullptr || found->kind == Kind::Dc) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (found->stock) return TRUE;
  if (found->selectedCount > 0) return FALSE;
  removeObject(object);
  return TRUE;
}
