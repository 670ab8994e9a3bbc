// The imaging component behind COM: a factory that opens picture files (JPEG, PNG, BMP) and
// images that decode and draw themselves scaled into a rectangle. COM here is only what the
// imaging component needs: a per-thread initialisation count and one creatable class.
#include <imaging.h>

#include "PlatformInternal.h"
#include "services/BmpDecoder.h"
#include "services/JpegDecoder.h"
#include "services/PngDecoder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <new>
#include <vector>

namespace {

using namespace platform::imaging;

constexpr HRESULT CLASS_E_NOAGGREGATION = static_cast<HRESULT>(0x80040110L);

thread_local int comInitCount = 0;

enum class Format { Jpeg, Png, Bmp };

// Reads a regular file whole. Devices and pipes (a dialog's "All Files" reaches them too) are
// refused rather than read without end.
bool readPictureFile(const std::string& path, std::vector<uint8_t>* bytes) {
  int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat info;
  bool ok = fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0 &&
            static_cast<uint64_t>(info.st_size) <= MaxPictureFileBytes;
  if (ok) {
    bytes->resize(static_cast<size_t>(info.st_size));
    size_t done = 0;
    while (done < bytes->size()) {
      ssize_t got = read(fd, bytes->data() + done, bytes->size() - done);
      if (got <= 0) break;
      done += static_cast<size_t>(got);
    }
    // A file that shrank while being read is taken as it now is.
    bytes->resize(done);
    ok = done > 0;
  }
  close(fd);
  return ok;
}

// One COM interface with its reference count: the object lives until the last Release.
template <typename Derived, typename Interface>
class ComObject : public Interface {
 public:
  HRESULT QueryInterface(REFIID iid, void** object) override {
    if (object == nullptr) return E_POINTER;
    if (!(iid == Derived::interfaceId())) {
      *object = nullptr;
      return E_NOINTERFACE;
    }
    AddRef();
    *object = static_cast<Interface*>(this);
    return S_OK;
  }
  ULONG AddRef() override { return ++references_; }
  ULONG Release() override {
    ULONG left = --references_;
    if (left == 0) delete static_cast<Derived*>(this);
    return left;
  }

 private:
  std::atomic<ULONG> references_{1};
};

class Image final : public ComObject<Image, IImage> {
 public:
  static const IID& interfaceId() { return IID_IImage; }
  Image(std::vector<uint8_t>&& bytes, Format format, int width, int height)
      : bytes_(std::move(bytes)), format_(format), width_(width), height_(height) {}

  HRESULT GetImageInfo(ImageInfo* info) override {
    if (info == nullptr) return E_POINTER;
    info->Width = static_cast<UINT>(width_);
    info->Height = static_cast<UINT>(height_);
    return S_OK;
  }

  HRESULT Draw(HDC hdc, const RECT* dstRect, const RECT* srcRect) override {
    if (!platform::requireUiThread()) return E_FAIL;
    if (dstRect == nullptr) return E_INVALIDARG;
    RECT source = {0, 0, width_, height_};
    if (srcRect != nullptr) {
      source = *srcRect;
      if (source.left < 0 || source.top < 0 || source.right > width_ || source.bottom > height_ ||
          source.left >= source.right || source.top >= source.bottom)
        return E_INVALIDARG;
    }
    // Decoding needs only as many pixels as the rectangle shows.
    int shownWidth = std::abs(dstRect->right - dstRect->left);
    int shownHeight = std::abs(dstRect->bottom - dstRect->top);
    int minWidth = static_cast<int>(static_cast<int64_t>(shownWidth) * width_ / (source.right - source.left));
    int minHeight = static_cast<int>(static_cast<int64_t>(shownHeight) * height_ / (source.bottom - source.top));

    DecodedPicture picture;
    if (!decode(minWidth, minHeight, &picture)) return E_FAIL;
    // Map the source rectangle onto the decoded (maybe reduced) pixels.
    auto scaleX = [&](LONG x) { return static_cast<int>(static_cast<int64_t>(x) * picture.width / width_); };
    auto scaleY = [&](LONG y) { return static_cast<int>(static_cast<int64_t>(y) * picture.height / height_); };
    int left = scaleX(source.left);
    int top = scaleY(source.top);
    int right = std::max(scaleX(source.right), left + 1);
    int bottom = std::max(scaleY(source.bottom), top + 1);
    const uint32_t* first = picture.pixels.data() + static_cast<size_t>(top) * picture.width + left;
    bool drawn = platform::gdi::drawPixels(hdc, *dstRect, first, right - left, bottom - top,
                                           picture.width * static_cast<int>(sizeof(uint32_t)));
    return drawn ? S_OK : E_FAIL;
  }

 private:
  friend class ComObject<Image, IImage>;
  ~Image() = default;

  bool decode(int minWidth, int minHeight, DecodedPicture* picture) {
    switch (format_) {
      case Format::Jpeg:
        return decodeJpeg(bytes_.data(), bytes_.size(), minWidth, minHeight, picture);
      case Format::Png:
        return decodePng(bytes_.data(), bytes_.size(), picture);
      case Format::Bmp:
        return decodeBmp(bytes_.data(), bytes_.size(), picture);
    }
    return false;
  }

  std::vector<uint8_t> bytes_;
  Format format_;
  int width_;
  int height_;
};

class ImagingFactory final : public ComObject<ImagingFactory, IImagingFactory> {
 public:
  static const IID& interfaceId() { return IID_IImagingFactory; }

  // Reads the file and its header now; the pixels are decoded at each Draw.
  HRESULT CreateImageFromFile(LPCWSTR fileName, IImage** image) override {
    if (image == nullptr) return E_POINTER;
    *image = nullptr;
    if (fileName == nullptr || fileName[0] == 0) return E_INVALIDARG;
    std::vector<uint8_t> bytes;
    if (!readPictureFile(platform::hostPath(fileName), &bytes)) return E_FAIL;

    const uint8_t* data = bytes.data();
    size_t size = bytes.size();
    int width = 0;
    int height = 0;
    Format format;
    if (isJpeg(data, size) && jpegSize(data, size, &width, &height)) {
      format = Format::Jpeg;
    } else if (isPng(data, size) && pngSize(data, size, &width, &height)) {
      format = Format::Png;
    } else if (isBmp(data, size) && bmpSize(data, size, &width, &height)) {
      format = Format::Bmp;
    } else {
      return E_FAIL;
    }
    *image = new (std::nothrow) Image(std::move(bytes), format, width, height);
    return *image != nullptr ? S_OK : E_OUTOFMEMORY;
  }

 private:
  friend class ComObject<ImagingFactory, IImagingFactory>;
  ~ImagingFactory() = default;
};

}  // namespace

HRESULT CoInitializeEx(LPVOID, DWORD) { return comInitCount++ == 0 ? S_OK : S_FALSE; }

void CoUninitialize() {
  if (comInitCount > 0) --comInitCount;
}

HRESULT CoCreateInstance(REFCLSID clsid, IUnknown* outer, DWORD context, REFIID iid, LPVOID* object) {
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  if (outer != nullptr) return CLASS_E_NOAGGREGATION;
  if (!(clsid == CLSID_ImagingFactory) || (context & CLSCTX_INPROC_SERVER) == 0) return REGDB_E_CLASSNOTREG;
  if (!(iid == IID_IImagingFactory)) return E_NOINTERFACE;
  auto* factory = new (std::nothrow) ImagingFactory();
  if (factory == nullptr) return E_OUTOFMEMORY;
  *object = static_cast<IImagingFactory*>(factory);
  return S_OK;
}
