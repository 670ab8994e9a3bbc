// Icons loaded from the program's icon groups, kept as pixels with their transparency mask.
#pragma once

#include "services/Dib.h"

#include <windows.h>

#include <optional>

namespace platform::resources {

struct IconImage {
  Pixels pixels;
  std::vector<bool> opaque;  // from the AND mask (or the alpha of 32-bit images), top row first
};

// An icon image as its resource holds it: a DIB of twice the height, the colours then the AND
// mask. Nullopt when it is damaged.
std::optional<IconImage> decodeIcon(std::span<const unsigned char> data);

// The image of icon group `name` nearest `size` pixels wide (ties go to the larger one).
std::optional<IconImage> loadIconImage(LPCWSTR name, int size);

// An icon handle for the image of group `name` nearest `size` pixels; nullptr when there is none.
HICON loadIcon(LPCWSTR name, int size);

// The image behind a live icon handle; nullptr for a stale one.
const IconImage* iconImage(HICON icon);

}  // namespace platform::resources
