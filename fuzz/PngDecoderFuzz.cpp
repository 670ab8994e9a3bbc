// A player's PNG picture: its header, then its pixels.
#include "services/PngDecoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace platform::imaging;
  int width = 0;
  int height = 0;
  DecodedPicture picture;
  if (isPng(data, size) && pngSize(data, size, &width, &height)) decodePng(data, size, &picture);
  return 0;
}
