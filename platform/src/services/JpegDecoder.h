// JPEG pictures through libjpeg-turbo, decoded at a reduced scale when they are to be drawn
// much smaller than they are.
#pragma once

#include "services/DecodedPicture.h"

#include <cstddef>
#include <cstdint>

namespace platform::imaging {

bool isJpeg(const uint8_t* data, size_t size);
// The size its header claims; false for a broken header.
bool jpegSize(const uint8_t* data, size_t size, int* width, int* height);
// Decodes at the smallest scale (1/8, 1/4, 1/2 or 1) that still gives at least
// minWidth x minHeight pixels. False, with nothing kept, on any damage to the data.
bool decodeJpeg(const uint8_t* data, size_t size, int minWidth, int minHeight, DecodedPicture* picture);

}  // namespace platform::imaging
