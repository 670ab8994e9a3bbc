// Uncompressed 24- and 32-bit BMP pictures, the kind phones and paint programs save.
#pragma once

#include "services/DecodedPicture.h"

#include <cstddef>
#include <cstdint>

namespace platform::imaging {

bool isBmp(const uint8_t* data, size_t size);
bool bmpSize(const uint8_t* data, size_t size, int* width, int* height);
bool decodeBmp(const uint8_t* data, size_t size, DecodedPicture* picture);

}  // namespace platform::imaging
