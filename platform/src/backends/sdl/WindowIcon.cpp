#include "backends/sdl/WindowIcon.h"

#include "PlatformInternal.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace platform::sdl {

namespace {

constexpr int kIconSize = 32;
constexpr int kProgramIcon = 101;

// Draws the icon on a plain ground of `ground` and returns the pixels (0x00RRGGBB).
bool drawIconOn(HICON icon, uint32_t ground, std::vector<uint32_t>* pixels) {
  const std::vector<uint32_t> fill(kIconSize * kIconSize, ground);
  HBITMAP bitmap = gdi::createBitmapFromPixels(kIconSize, kIconSize, fill.data(), kIconSize * 4);
  if (bitmap == nullptr) return false;
  HDC dc = CreateCompatibleDC(nullptr);
  bool drawn = false;
  if (dc != nullptr) {
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(bitmap));
    drawn = DrawIcon(dc, 0, 0, icon) != FALSE;
    SelectObject(dc, old);
    DeleteDC(dc);
  }
  const gdi::PixelBuffer* drawing = drawn ? gdi::bitmapPixels(bitmap) : nullptr;
  if (drawing != nullptr) {
    pixels->resize(kIconSize * kIconSize);
    for (int y = 0; y < kIconSize; ++y) {
      const uint32_t* row = drawing->row(y);
      for (int x = 0; x < kIconSize; ++x) (*pixels)[y * kIconSize + x] = row[x] & 0xFFFFFF;
    }
  }
  DeleteObject(reinterpret_cast<HGDIOBJ>(bitmap));
  return drawing != nullptr;
}

}  // namespace

void setWindowIconFromResources(SDL_Window* window) {
  HICON icon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kProgramIcon));
  if (icon == nullptr) return;
  // An icon draws only where it is opaque: drawn on black and on white, the two pictures
  // differ by how transparent each pixel is.
  std::vector<uint32_t> onBlack;
  std::vector<uint32_t> onWhite;
  const bool drawn = drawIconOn(icon, 0x000000, &onBlack) && drawIconOn(icon, 0xFFFFFF, &onWhite);
  DestroyIcon(icon);
  if (!drawn) return;

  std::vector<uint32_t> argb(kIconSize * kIconSize);
  for (size_t i = 0; i < argb.size(); ++i) {
    const uint32_t b = onBlack[i];
    const uint32_t w = onWhite[i];
    const int alpha = std::clamp(255 - (static_cast<int>((w >> 8) & 0xFF) - static_cast<int>((b >> 8) & 0xFF)), 0, 255);
    if (alpha == 0) continue;
    // On black the colour came out multiplied by its opacity.
    uint32_t colour = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
      const uint32_t channel = std::min<uint32_t>(255, ((b >> shift) & 0xFF) * 255 / alpha);
      colour |= channel << shift;
    }
    argb[i] = (static_cast<uint32_t>(alpha) << 24) | colour;
  }
  SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(argb.data(), kIconSize, kIconSize, 32, kIconSize * 4,
                                                            SDL_PIXELFORMAT_ARGB8888);
  if (surface == nullptr) return;
  SDL_SetWindowIcon(window, surface);
  SDL_FreeSurface(surface);
}

}  // namespace platform::sdl
