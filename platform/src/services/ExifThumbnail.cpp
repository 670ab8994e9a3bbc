#include "services/ExifThumbnail.h"

#include <cstring>

namespace platform::imaging {

namespace {

constexpr uint8_t ExifSignature[] = {'E', 'x', 'i', 'f', 0, 0};
constexpr uint16_t TagThumbnailOffset = 0x0201;
constexpr uint16_t TagThumbnailLength = 0x0202;
constexpr size_t IfdEntrySize = 12;

// The TIFF structure inside the EXIF block; its offsets count from its own start.
class TiffBlock {
 public:
  TiffBlock(const uint8_t* data, size_t size) : data_(data), size_(size) {}

  bool readByteOrder() {
    if (size_ < 8) return false;
    if (data_[0] == 'I' && data_[1] == 'I') {
      littleEndian_ = true;
    } else if (data_[0] == 'M' && data_[1] == 'M') {
      littleEndian_ = false;
    } else {
      return false;
    }
    return half(2) == 42;
  }

  bool fits(uint64_t offset, uint64_t length) const { return offset <= size_ && length <= size_ - offset; }

  // Callers check with fits() first.
  uint32_t half(size_t at) const {
    return littleEndian_ ? data_[at] | data_[at + 1] << 8 : data_[at] << 8 | data_[at + 1];
  }
  uint32_t word(size_t at) const {
    return littleEndian_ ? half(at) | half(at + 2) << 16 : half(at) << 16 | half(at + 2);
  }

  const uint8_t* at(size_t offset) const { return data_ + offset; }

 private:
  const uint8_t* data_;
  size_t size_;
  bool littleEndian_ = true;
};

// The offset of the directory after the one at `ifd` (0 where it is the last), or false.
bool nextDirectory(const TiffBlock& tiff, uint32_t ifd, uint32_t* next) {
  if (!tiff.fits(ifd, 2)) return false;
  uint32_t entries = tiff.half(ifd);
  uint64_t link = uint64_t{ifd} + 2 + uint64_t{entries} * IfdEntrySize;
  if (!tiff.fits(link, 4)) return false;
  *next = tiff.word(static_cast<size_t>(link));
  return true;
}

// The thumbnail's offset and length from the second directory's tags (both plain numbers, kept
// in the entry itself).
bool thumbnailTags(const TiffBlock& tiff, uint32_t ifd, uint32_t* offset, uint32_t* length) {
  if (!tiff.fits(ifd, 2)) return false;
  uint32_t entries = tiff.half(ifd);
  if (!tiff.fits(uint64_t{ifd} + 2, uint64_t{entries} * IfdEntrySize)) return false;
  bool haveOffset = false;
  bool haveLength = false;
  for (uint32_t n = 0; n < entries; ++n) {
    size_t entry = ifd + 2 + n * IfdEntrySize;
    uint32_t tag = tiff.half(entry);
    uint32_t type = tiff.half(entry + 2);
    uint32_t count = tiff.word(entry + 4);
    if (count != 1) continue;
    // A LONG fills the value field; a SHORT sits in its first two bytes.
    uint32_t value = type == 4 ? tiff.word(entry + 8) : type == 3 ? tiff.half(entry + 8) : 0;
    if (tag == TagThumbnailOffset) {
      *offset = value;
      haveOffset = type == 3 || type == 4;
    } else if (tag == TagThumbnailLength) {
      *length = value;
      haveLength = type == 3 || type == 4;
    }
  }
  return haveOffset && haveLength;
}

bool thumbnailOfExif(const uint8_t* block, size_t size, const uint8_t** thumbnail, size_t* thumbnailSize) {
  if (size < sizeof(ExifSignature) || std::memcmp(block, ExifSignature, sizeof(ExifSignature)) != 0) return false;
  TiffBlock tiff(block + sizeof(ExifSignature), size - sizeof(ExifSignature));
  if (!tiff.readByteOrder()) return false;
  uint32_t first = tiff.word(4);
  uint32_t second = 0;
  if (!nextDirectory(tiff, first, &second) || second == 0 || second == first) return false;
  uint32_t offset = 0;
  uint32_t length = 0;
  if (!thumbnailTags(tiff, second, &offset, &length)) return false;
  if (length < 3 || !tiff.fits(offset, length)) return false;
  *thumbnail = tiff.at(offset);
  *thumbnailSize = length;
  return true;
}

}  // namespace

bool findExifThumbnail(const uint8_t* data, size_t size, const uint8_t** thumbnail, size_t* thumbnailSize) {
  if (size < 4 || data[0] != 0xFF || data[1] != 0xD8) return false;
  // The EXIF block is one of the application segments before the frame.
  size_t at = 2;
  while (at + 4 <= size && data[at] == 0xFF) {
    uint8_t marker = data[at + 1];
    bool applicationOrComment = (marker >= 0xE0 && marker <= 0xEF) || marker == 0xFE;
    if (!applicationOrComment) return false;
    size_t length = static_cast<size_t>(data[at + 2]) << 8 | data[at + 3];
    if (length < 2 || length > size - at - 2) return false;
    if (marker == 0xE1 && thumbnailOfExif(data + at + 4, length - 2, thumbnail, thumbnailSize)) return true;
    at += 2 + length;
  }
  return false;
}

}  // namespace platform::imaging
