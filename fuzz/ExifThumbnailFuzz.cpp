// The EXIF block of a JPEG file: the thumbnail it points to must lie inside the file.
#include "services/ExifThumbnail.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const uint8_t* thumbnail = nullptr;
  size_t thumbnailSize = 0;
  if (!platform::imaging::findExifThumbnail(data, size, &thumbnail, &thumbnailSize)) return 0;
  if (thumbnail < data || thumbnailSize > size_t(data + size - thumbnail)) std::abort();
  return 0;
}
