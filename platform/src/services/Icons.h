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

// The image of icon group `name` nearest `size` pixels wide (ties go to the larger one).
std::optional<IconImage> loadIconImage(LPCWSTR name, int size);

// An icon handle for the image of group `name` nearest `size` pixels; nullptr when there is none.
HICON loadIcon(LPCWSTR name, int size);

// The image behind a live icon handle; nullptr for a stale one.
const IconImage* iconImage(HICON icon);

}  // namespace platform::resources
