// The imaging component: decoding JPEG, PNG and BMP files, drawing them scaled, and refusing
// damaged or oversized pictures without drawing or allocating for them.
#include <imaging.h>

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <unistd.h>

#include <filesystem>

#include "PictureFiles.h"
#include "PlatformInternal.h"
#include "PlatformTest.h"
#include "TestWindows.h"
#include "services/JpegDecoder.h"

namespace {

using namespace picture_files;
using platform::imaging::DecodedPicture;
using platform::imaging::decodeJpeg;

const std::string DataDir = TEST_DATA_DIR;

class ImagingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform_test::start();
    canvas = test_windows::create(u"ImagingCanvas", DefWindowProcW, WS_VISIBLE, 0, 100, 480, 600);
    platform_test::pump();
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED)));
    ASSERT_EQ(
        CoCreateInstance(CLSID_ImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IImagingFactory, (LPVOID*)&factory),
        S_OK);
    folder = std::filesystem::temp_directory_path() / ("vortelle-imaging-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
  }
  void TearDown() override {
    if (factory != nullptr) {
      EXPECT_EQ(factory->Release(), 0u);  // nothing kept it alive
    }
    CoUninitialize();
    std::filesystem::remove_all(folder);
  }

  std::string file(const std::string& name, const std::vector<uint8_t>& bytes) {
    std::string path = (folder / name).string();
    EXPECT_TRUE(writeFile(path, bytes));
    return path;
  }

  IImage* open(const std::string& hostPath, HRESULT* result = nullptr) {
    IImage* image = nullptr;
    HRESULT hr = factory->CreateImageFromFile(platform::phonePath(hostPath).c_str(), &image);
    if (result != nullptr) *result = hr;
    return SUCCEEDED(hr) ? image : nullptr;
  }

  // Draws into the canvas at client rectangle `rect`.
  HRESULT draw(IImage* image, RECT rect, const RECT* source = nullptr) {
    HDC hdc = GetDC(canvas);
    HRESULT hr = image->Draw(hdc, &rect, source);
    ReleaseDC(canvas, hdc);
    return hr;
  }

  uint32_t at(int x, int y) {
    POINT point = {x, y};
    ClientToScreen(canvas, &point);
    return platform_test::pixel(point.x, point.y);
  }

  // The quarters picture drawn into `r`: red, green, blue and white, and black around it.
  void expectQuarters(RECT r) {
    const int dx = (r.right - r.left) / 4, dy = (r.bottom - r.top) / 4;
    EXPECT_TRUE(near(at(r.left + dx, r.top + dy), 0xFF0000)) << std::hex << at(r.left + dx, r.top + dy);
    EXPECT_TRUE(near(at(r.right - dx, r.top + dy), 0x00FF00)) << std::hex << at(r.right - dx, r.top + dy);
    EXPECT_TRUE(near(at(r.left + dx, r.bottom - dy), 0x0000FF)) << std::hex << at(r.left + dx, r.bottom - dy);
    EXPECT_TRUE(near(at(r.right - dx, r.bottom - dy), 0xFFFFFF)) << std::hex << at(r.right - dx, r.bottom - dy);
    EXPECT_EQ(at(r.left - 1, r.top + dy), 0u);
    EXPECT_EQ(at(r.right, r.top + dy), 0u);
    EXPECT_EQ(at(r.left + dx, r.bottom), 0u);
  }

  HWND canvas = nullptr;
  IImagingFactory* factory = nullptr;
  std::filesystem::path folder;
};

TEST_F(ImagingTest, DrawsAJpegScaledIntoTheRectangleOrAPartOfIt) {
  IImage* image = open(DataDir + "/picture_quarters.jpg");
  ASSERT_NE(image, nullptr);
  ImageInfo info = {};
  ASSERT_EQ(image->GetImageInfo(&info), S_OK);
  EXPECT_EQ(info.Width, 64u);
  EXPECT_EQ(info.Height, 64u);
  ASSERT_EQ(draw(image, {10, 20, 42, 52}), S_OK);
  expectQuarters({10, 20, 42, 52});
  // Stretched the other way, and only the top right quarter.
  RECT topRight = {32, 0, 64, 32};
  ASSERT_EQ(draw(image, {100, 100, 300, 150}, &topRight), S_OK);
  EXPECT_TRUE(near(at(110, 110), 0x00FF00));
  EXPECT_TRUE(near(at(290, 140), 0x00FF00));
  // The image lives while referenced, and is no factory.
  void* other = reinterpret_cast<void*>(1);
  EXPECT_EQ(image->QueryInterface(IID_IImagingFactory, &other), E_NOINTERFACE);
  EXPECT_EQ(other, nullptr);
  EXPECT_EQ(image->AddRef(), 2u);
  EXPECT_EQ(image->Release(), 1u);
  EXPECT_EQ(image->Release(), 0u);
}

TEST_F(ImagingTest, DrawsProgressiveJpegPngAndBmpPictures) {
  auto colours = [](int x, int y) { return quarters(x, y, 40, 40); };
  const std::pair<const char*, std::vector<uint8_t>> pictures[] = {
      {"progressive.jpg", encodeJpeg(40, 40, colours, true)},
      {"quarters.png", encodePng(40, 40, colours)},
      {"quarters.bmp", encodeBmp(40, 40, colours)},
      {"quarters-32.bmp", encodeBmp(40, 40, colours, 32)},
  };
  for (const auto& [name, bytes] : pictures) {
    IImage* image = open(file(name, bytes));
    ASSERT_NE(image, nullptr) << name;
    ASSERT_EQ(draw(image, {20, 20, 60, 60}), S_OK) << name;
    expectQuarters({20, 20, 60, 60});
    image->Release();
  }
}

TEST_F(ImagingTest, DecodesLargePicturesAtAReducedScale) {
  auto bytes = encodeJpeg(1600, 1200, [](int x, int y) { return quarters(x, y, 1600, 1200); });
  DecodedPicture picture;
  for (auto [wanted, decoded] : {std::pair{66, 200}, {500, 800}, {1000, 1600}}) {
    ASSERT_TRUE(decodeJpeg(bytes.data(), bytes.size(), wanted, 10, &picture));
    EXPECT_EQ(picture.width, decoded) << wanted;
  }
  IImage* image = open(file("large.jpg", bytes));
  ASSERT_NE(image, nullptr);
  ASSERT_EQ(draw(image, {2, 36, 68, 88}), S_OK);
  expectQuarters({2, 36, 68, 88});
  image->Release();
}

// Camera photos carry a small thumbnail; it stands in for the photo where it is big enough and
// has the photo's shape, and anything wrong with it falls back to the photo itself.
TEST(ExifThumbnails, StandInForThePhotoOnlyWhereTheyFit) {
  auto photo = encodeJpeg(1600, 1200, [](int, int) { return 0xFF0000u; });
  auto green = encodeJpeg(160, 120, [](int, int) { return 0x00FF00u; });
  DecodedPicture picture;
  for (bool bigEndian : {false, true}) {
    auto camera = withExifThumbnail(photo, green, bigEndian);
    ASSERT_TRUE(decodeJpeg(camera.data(), camera.size(), 66, 52, &picture));
    EXPECT_EQ(picture.width, 80);  // the thumbnail, itself halved
    EXPECT_TRUE(near(picture.pixels[0], 0x00FF00));
    // Larger than the thumbnail: the photo, at a reduced scale.
    ASSERT_TRUE(decodeJpeg(camera.data(), camera.size(), 180, 52, &picture));
    EXPECT_EQ(picture.width, 200);
    EXPECT_TRUE(near(picture.pixels[0], 0xFF0000));
  }
  auto cut = green;
  cut.resize(cut.size() / 2);
  for (const auto& camera : {withExifThumbnail(photo, encodeJpeg(160, 90, [](int, int) { return 0x00FF00u; })),
                             withExifThumbnail(photo, cut)}) {
    ASSERT_TRUE(decodeJpeg(camera.data(), camera.size(), 66, 52, &picture));
    EXPECT_EQ(picture.width, 200);  // another shape, or broken: the photo
  }
}

TEST(ExifThumbnails, DamagedBlocksFallBackToThePhoto) {
  auto photo = encodeJpeg(320, 240, [](int, int) { return 0xFF0000u; });
  auto thumbnail = encodeJpeg(160, 120, [](int, int) { return 0x00FF00u; });
  size_t tiffStart = 0;
  const auto camera = withExifThumbnail(photo, thumbnail, false, &tiffStart);
  DecodedPicture whole;
  ASSERT_TRUE(decodeJpeg(camera.data(), camera.size(), 66, 52, &whole));
  ASSERT_TRUE(near(whole.pixels[0], 0x00FF00));
  // Every byte of the segment header and the TIFF structure, and the thumbnail's first bytes,
  // set to values that make offsets, counts and lengths run wild.
  for (size_t at = 2; at < tiffStart + 44 + 4; ++at) {
    for (uint8_t value : {0x00, 0x7F, 0xFF}) {
      auto damaged = camera;
      damaged[at] = value;
      DecodedPicture picture;
      if (decodeJpeg(damaged.data(), damaged.size(), 66, 52, &picture)) {
        ASSERT_FALSE(picture.pixels.empty()) << at;
      }
    }
  }
  // The block cut short, down to its signature.
  size_t blockEnd = tiffStart + 44 + thumbnail.size();
  for (size_t cut = tiffStart; cut < tiffStart + 44; ++cut) {
    auto shortened = camera;
    size_t length = cut - 4;
    shortened[4] = static_cast<uint8_t>(length >> 8);
    shortened[5] = static_cast<uint8_t>(length);
    shortened.erase(shortened.begin() + static_cast<long>(cut), shortened.begin() + static_cast<long>(blockEnd));
    DecodedPicture picture;
    ASSERT_TRUE(decodeJpeg(shortened.data(), shortened.size(), 66, 52, &picture)) << cut;
    EXPECT_TRUE(near(picture.pixels[0], 0xFF0000)) << cut;
  }
}

long peakResidentKb() {
  rusage usage;
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

// Whatever is wrong with a file, nothing is drawn and nothing large is allocated for it.
TEST_F(ImagingTest, DamagedMissingOrOversizedFilesDrawNothing) {
  auto grey = [](int, int) { return 0x808080u; };
  auto hugeJpeg = encodeJpeg(16, 16, grey);
  ASSERT_TRUE(claimSize(&hugeJpeg, 60000, 60000));
  // Under the pixel limit, but a progressive file of a few kilobytes claiming 8000 x 8000 would
  // make the decoder reserve hundreds of megabytes.
  auto claims = encodeJpeg(64, 64, grey, true);
  ASSERT_TRUE(claimSize(&claims, 8000, 8000));
  auto cutPng = encodePng(64, 64, grey);
  cutPng.resize(cutPng.size() / 2);
  auto cutBmp = encodeBmp(8, 8, grey);
  cutBmp.resize(cutBmp.size() - 4);
  auto hugeBmp = encodeBmp(8, 8, grey);
  hugeBmp[19] = hugeBmp[23] = 0xFF;  // 8 + 65280 pixels each way, in a file of 8 x 8
  auto paletteBmp = encodeBmp(8, 8, grey);
  paletteBmp[28] = 8;
  const struct {
    std::string path;
    bool opens;  // the header is whole, the data is not: it opens but draws nothing
  } files[] = {
      {DataDir + "/picture_broken.jpg", false},
      {DataDir + "/no such picture.jpg", false},
      {folder.string(), false},
      {"/dev/zero", false},  // a device: never read
      {file("empty.jpg", {}), false},
      {file("text.jpg", {'h', 'e', 'l', 'l', 'o'}), false},
      {file("huge.jpg", hugeJpeg), false},
      {file("cut.bmp", cutBmp), false},
      {file("huge.bmp", hugeBmp), false},
      {file("palette.bmp", paletteBmp), false},
      {DataDir + "/picture_truncated.jpg", true},
      {file("claims.jpg", claims), true},
      {file("cut.png", cutPng), true},
  };
  const long before = peakResidentKb();
  for (const auto& f : files) {
    HRESULT result = S_OK;
    IImage* image = open(f.path, &result);
    EXPECT_EQ(image != nullptr, f.opens) << f.path;
    EXPECT_EQ(SUCCEEDED(result), f.opens) << f.path;
    if (image == nullptr) continue;
    EXPECT_TRUE(FAILED(draw(image, {0, 0, 64, 64}))) << f.path;
    image->Release();
    for (int y = 0; y < 64; y += 7)
      for (int x = 0; x < 64; x += 7) ASSERT_EQ(at(x, y), 0u) << f.path << " " << x << "," << y;
  }
  EXPECT_LT(peakResidentKb() - before, 100 * 1024);
}

}  // namespace
