// The small JPEG that cameras keep inside a photo's EXIF block, for showing the photo small
// without decoding all of it.
#pragma once

#include <cstddef>
#include <cstdint>

namespace platform::imaging {

// Finds the thumbnail of a JPEG file's EXIF block: its bytes lie within `data`. False when the
// file has no EXIF thumbnail or its block is damaged; every offset is checked before it is used.
bool findExifThumbnail(const uint8_t* data, size_t size, const uint8_t** thumbnail, size_t* thumbnailSize);

}  // namespace platform::imaging
