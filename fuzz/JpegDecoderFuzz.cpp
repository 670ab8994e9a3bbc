// A player's JPEG picture: its header, then its pixels at the scales the drawing asks for, the
// smallest through the EXIF thumbnail where one fits.
#include "services/JpegDecoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace platform::imaging;
  int width = 0;
  int height = 0;
  if (!isJpeg(data, size) || !jpegSize(data, size, &width, &height)) return 0;
  DecodedPicture picture;
  for (int part : {16, 2, 1}) decodeJpeg(data, size, width / part, height / part, &picture);
  return 0;
}
