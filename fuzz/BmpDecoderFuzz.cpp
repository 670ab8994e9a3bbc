// A player's BMP picture: its header, then its pixels.
#include "services/BmpDecoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace platform::imaging;
  int width = 0;
  int height = 0;
  DecodedPicture picture;
  if (isBmp(data, size) && bmpSize(data, size, &width, &height)) decodeBmp(data, size, &picture);
  return 0;
}
