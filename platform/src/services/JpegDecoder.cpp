#include "services/JpegDecoder.h"

#include "services/ExifThumbnail.h"

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

namespace platform::imaging {

namespace {

// A progressive file may repeat scans without end; real encoders use about a dozen.
constexpr int MaxProgressiveScans = 100;
// What the decoder may reserve for itself (coefficient buffers of progressive files, about
// 3 bytes a pixel for usual camera files); beyond it the decode fails instead of swapping.
constexpr long MaxDecoderMemory = 128L * 1024 * 1024;

// libjpeg reports errors through these callbacks; every one of them ends the decode here and
// returns to the setjmp in decode() instead of ending the process.
struct ErrorManager {
  jpeg_error_mgr manager;
  std::jmp_buf jump;
};

[[noreturn]] void stop(j_common_ptr cinfo) { std::longjmp(reinterpret_cast<ErrorManager*>(cinfo->err)->jump, 1); }

// Level -1 is a warning: corrupt or missing data that libjpeg would paper over.
void onMessage(j_common_ptr cinfo, int level) {
  if (level < 0) stop(cinfo);
}

void silent(j_common_ptr) {}

void onProgress(j_common_ptr cinfo) {
  auto* decompress = reinterpret_cast<j_decompress_ptr>(cinfo);
  if (decompress->progressive_mode && decompress->input_scan_number > MaxProgressiveScans) stop(cinfo);
}

// The largest reduction whose result still covers minWidth x minHeight.
int scaleDenominator(int width, int height, int minWidth, int minHeight) {
  for (int denominator : {8, 4, 2}) {
    int scaledWidth = (width + denominator - 1) / denominator;
    int scaledHeight = (height + denominator - 1) / denominator;
    if (scaledWidth >= minWidth && scaledHeight >= minHeight) return denominator;
  }
  return 1;
}

enum class Stage { Header, Pixels };

// Everything that touches libjpeg, so that the jump back lands in one frame whose only state
// lives in memory (cinfo, picture), never in registers.
bool decode(const uint8_t* data, size_t size, Stage stage, int minWidth, int minHeight, int* width, int* height,
            DecodedPicture* picture) {
  jpeg_decompress_struct cinfo{};
  ErrorManager errors{};
  jpeg_progress_mgr progress{};
  cinfo.err = jpeg_std_error(&errors.manager);
  errors.manager.error_exit = stop;
  errors.manager.emit_message = onMessage;
  errors.manager.output_message = silent;
  progress.progress_monitor = onProgress;

  if (setjmp(errors.jump)) {
    jpeg_destroy_decompress(&cinfo);
    if (picture != nullptr) *picture = DecodedPicture{};
    return false;
  }
  jpeg_create_decompress(&cinfo);
  cinfo.mem->max_memory_to_use = MaxDecoderMemory;
  cinfo.progress = &progress;
  jpeg_mem_src(&cinfo, data, static_cast<unsigned long>(size));
  if (jpeg_read_header(&cinfo, TRUE) != JPEG_HEADER_OK || !acceptableSize(cinfo.image_width, cinfo.image_height)) {
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  *width = static_cast<int>(cinfo.image_width);
  *height = static_cast<int>(cinfo.image_height);
  if (stage == Stage::Header) {
    jpeg_destroy_decompress(&cinfo);
    return true;
  }

  cinfo.scale_num = 1;
  cinfo.scale_denom = scaleDenominator(*width, *height, minWidth, minHeight);
  cinfo.out_color_space = JCS_EXT_BGRX;  // 0x??RRGGBB words on this little-endian host
  jpeg_start_decompress(&cinfo);
  if (!allocatePixels(picture, static_cast<int>(cinfo.output_width), static_cast<int>(cinfo.output_height))) {
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  while (cinfo.output_scanline < cinfo.output_height) {
    JSAMPROW row =
        reinterpret_cast<JSAMPROW>(&picture->pixels[static_cast<size_t>(cinfo.output_scanline) * picture->width]);
    jpeg_read_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  return true;
}

// Even at 1/8 scale the whole file must be entropy-decoded, some 40 ms for a camera photo; its
// EXIF thumbnail decodes in well under one. It stands in for the photo only where it has the
// photo's shape (an editor that cropped the photo and kept the old thumbnail usually changed
// that) and enough pixels for the place.
bool decodeThumbnail(const uint8_t* data, size_t size, int minWidth, int minHeight, DecodedPicture* picture) {
  const uint8_t* thumbnail = nullptr;
  size_t thumbnailSize = 0;
  if (!findExifThumbnail(data, size, &thumbnail, &thumbnailSize)) return false;
  int width = 0;
  int height = 0;
  int thumbnailWidth = 0;
  int thumbnailHeight = 0;
  if (!decode(thumbnail, thumbnailSize, Stage::Header, 0, 0, &thumbnailWidth, &thumbnailHeight, nullptr) ||
      thumbnailWidth < minWidth || thumbnailHeight < minHeight ||
      !decode(data, size, Stage::Header, 0, 0, &width, &height, nullptr))
    return false;
  // The same shape to within a pixel of the thumbnail.
  int64_t mismatch = int64_t{thumbnailWidth} * height - int64_t{thumbnailHeight} * width;
  if (mismatch < -width || mismatch > width) return false;
  int ignoredWidth = 0;
  int ignoredHeight = 0;
  return decode(thumbnail, thumbnailSize, Stage::Pixels, minWidth, minHeight, &ignoredWidth, &ignoredHeight, picture);
}

}  // namespace

bool isJpeg(const uint8_t* data, size_t size) {
  return size >= 3 && data[0] == 0xFF && data[1] == 0xD8 && data[2] == 0xFF;
}

bool jpegSize(const uint8_t* data, size_t size, int* width, int* height) {
  return decode(data, size, Stage::Header, 0, 0, width, height, nullptr);
}

bool decodeJpeg(const uint8_t* data, size_t size, int minWidth, int minHeight, DecodedPicture* picture) {
  int width = 0;
  int height = 0;
  if (decodeThumbnail(data, size, minWidth, minHeight, picture)) return true;
  return decode(data, size, Stage::Pixels, minWidth, minHeight, &width, &height, picture);
}

}  // namespace platform::imaging
