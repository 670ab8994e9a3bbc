// LoadIconW, DrawIcon and DestroyIcon: icon groups decoded into images behind icon handles.
#include "services/Icons.h"

#include "PlatformInternal.h"
#include "core/HandleTable.h"
#include "services/Resources.h"

#include <cstdlib>
#include <memory>

namespace platform::resources {

namespace {

constexpr int PreferredIconSize = 32;
constexpr size_t GroupHeaderSize = 6;
constexpr size_t GroupEntrySize = 14;

struct Icon : core::HandleObject {
  explicit Icon(IconImage loaded) : image(std::move(loaded)) {}
  IconImage image;
};

}  // namespace

std::optional<IconImage> decodeIcon(std::span<const unsigned char> data) {
  std::span<const unsigned char> mask;
  auto bitCount = readWord(data, 14);
  auto pixels = decodeDib(data, &mask, true);
  if (!pixels || !bitCount) return std::nullopt;
  IconImage image{std::move(*pixels), {}};
  const int w = image.pixels.width;
  const int h = image.pixels.height;
  image.opaque.assign(static_cast<size_t>(w) * h, true);
  if (*bitCount == 32) {
    // The alpha channel decides; the colours were read without it.
    const size_t stride = static_cast<size_t>(w) * 4;
    const size_t colourStart = data.size() - mask.size() - stride * h;
    for (int row = 0; row < h; ++row) {
      for (int x = 0; x < w; ++x) {
        image.opaque[static_cast<size_t>(h - 1 - row) * w + x] = data[colourStart + stride * row + 4 * x + 3] >= 128;
      }
    }
    return image;
  }
  const size_t maskStride = ((static_cast<size_t>(w) + 31) / 32) * 4;
  if (mask.size() / maskStride < static_cast<size_t>(h)) return image;  // no mask: all opaque
  for (int row = 0; row < h; ++row) {
    for (int x = 0; x < w; ++x) {
      const bool transparent = (mask[maskStride * row + x / 8] >> (7 - x % 8)) & 1;
      image.opaque[static_cast<size_t>(h - 1 - row) * w + x] = !transparent;
    }
  }
  return image;
}

std::optional<IconImage> loadIconImage(LPCWSTR name, int size) {
  const ResourceEntry* group = find(name, MAKEINTRESOURCEW(14));
  if (!group) return std::nullopt;
  auto count = readWord(group->data, 4);
  if (!count) return std::nullopt;
  int bestId = -1;
  int bestDistance = 0;
  int bestWidth = 0;
  for (size_t i = 0; i < *count; ++i) {
    const size_t entry = GroupHeaderSize + GroupEntrySize * i;
    auto id = readWord(group->data, entry + 12);
    if (!id) break;
    const int width = group->data[entry] == 0 ? 256 : group->data[entry];
    const int distance = std::abs(width - size);
    if (bestId < 0 || distance < bestDistance || (distance == bestDistance && width > bestWidth)) {
      bestId = *id;
      bestDistance = distance;
      bestWidth = width;
    }
  }
  if (bestId < 0) return std::nullopt;
  const ResourceEntry* image = find(MAKEINTRESOURCEW(bestId), MAKEINTRESOURCEW(3));
  if (!image) return std::nullopt;
  return decodeIcon(image->data);
}

HICON loadIcon(LPCWSTR name, int size) {
  auto image = loadIconImage(name, size);
  if (!image) return nullptr;
  return core::handles().add<HICON>(core::HandleKind::Icon, std::make_unique<Icon>(std::move(*image)));
}

const IconImage* iconImage(HICON icon) {
  const Icon* found = core::handles().find<Icon>(icon, core::HandleKind::Icon);
  return found ? &found->image : nullptr;
}

}  // namespace platform::resources

using namespace platform::resources;

HICON LoadIconW(HINSTANCE, LPCWSTR name) {
  if (!platform::requireUiThread()) return nullptr;
  return loadIcon(name, PreferredIconSize);
}

BOOL DestroyIcon(HICON icon) {
  if (!platform::requireUiThread()) return FALSE;
  return platform::core::handles().remove(icon, platform::core::HandleKind::Icon) ? TRUE : FALSE;
}

BOOL DrawIcon(HDC hdc, int x, int y, HICON icon) {
  if (!platform::requireUiThread()) return FALSE;
  const IconImage* image = iconImage(icon);
  if (!image || !hdc) return FALSE;
  // The masked-out pixels take a key colour that the image itself does not use.
  uint32_t key = 0xFF00FF;
  auto used = [&](uint32_t colour) {
    for (size_t i = 0; i < image->pixels.rgb.size(); ++i) {
      if (image->opaque[i] && image->pixels.rgb[i] == colour) return true;
    }
    return false;
  };
  while (used(key)) key = (key + 0x010203) & 0xFFFFFF;
  std::vector<uint32_t> keyed(image->pixels.rgb);
  for (size_t i = 0; i < keyed.size(); ++i) {
    if (!image->opaque[i]) keyed[i] = key;
  }
  const int w = image->pixels.width;
  const int h = image->pixels.height;
  HBITMAP bitmap = platform::gdi::createBitmapFromPixels(w, h, keyed.data(), w * 4);
  if (!bitmap) return FALSE;
  const BOOL drawn =
      TransparentImage(hdc, x, y, w, h, bitmap, 0, 0, w, h, RGB(key >> 16, (key >> 8) & 0xFF, key & 0xFF));
  DeleteObject(reinterpret_cast<HGDIOBJ>(bitmap));
  return drawn;
}
