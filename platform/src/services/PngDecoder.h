// PNG pictures through libpng; transparent parts are laid on white.
#pragma once

#include "services/DecodedPicture.h"

#include <cstddef>
#include <cstdint>

namespace platform::imaging {

bool isPng(const uint8_t* data, size_t size);
bool pngSize(const uint8_t* data, size_t size, int* width, int* height);
bool decodePng(const uint8_t* data, size_t size, DecodedPicture* picture);

}  // namespace platform::imaging
