// The imaging component: COM activation, decoding JPEG, PNG and BMP files, drawing them scaled,
// and refusing damaged or oversized pictures without drawing or allocating for them.
#include <imaging.h>

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <unistd.h>

#include <filesystem>

#include "PictureFiles.h"
#include "PngFile.h"
#include "PlatformInternal.h"
#include "PlatformTest.h"
#include "services/JpegDecoder.h"

namespace {

using namespace picture_files;

const std::string DataDir = TEST_DATA_DIR;

LRESULT plainProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

class ImagingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform_test::start({480, 800, ""});
    WNDCLASSW wc = {};
    wc.lpfnWndProc = plainProc;
    wc.hbrBackground = (HBRUSH)GetStockObject(BLACK_BRUSH);
    wc.lpszClassName = TEXT("ImagingCanvas");
    RegisterClassW(&wc);
    canvas = CreateWindowExW(0, TEXT("ImagingCanvas"), TEXT("Canvas"), WS_VISIBLE, 0, 100, 480, 600, nullptr, nullptr,
                             nullptr, nullptr);
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
      EXPECT_EQ(factory->Release(), 0u);
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

  HWND canvas = nullptr;
  IImagingFactory* factory = nullptr;
  std::filesystem::path folder;
};

TEST(ImagingActivation, GivesOnlyTheImagingFactory) {
  IUnknown* object = reinterpret_cast<IUnknown*>(1);
  EXPECT_EQ(CoCreateInstance(IID_IImage, nullptr, CLSCTX_INPROC_SERVER, IID_IImagingFactory, (LPVOID*)&object),
            REGDB_E_CLASSNOTREG);
  EXPECT_EQ(object, nullptr);
  EXPECT_EQ(CoCreateInstance(CLSID_ImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IImage, (LPVOID*)&object),
            E_NOINTERFACE);
  EXPECT_TRUE(FAILED(CoCreateInstance(CLSID_ImagingFactory, reinterpret_cast<IUnknown*>(8), CLSCTX_INPROC_SERVER,
                                      IID_IImagingFactory, (LPVOID*)&object)));
  EXPECT_EQ(CoCreateInstance(CLSID_ImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IImagingFactory, nullptr),
            E_POINTER);
}

TEST(ImagingActivation, CountsInitialisationsPerThread) {
  EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK);
  EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_FALSE);
  CoUninitialize();
  CoUninitialize();
  EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK);
  CoUninitialize();
}

TEST_F(ImagingTest, ObjectsLiveWhileReferenced) {
  EXPECT_EQ(factory->AddRef(), 2u);
  IImagingFactory* again = nullptr;
  EXPECT_EQ(factory->QueryInterface(IID_IImagingFactory, (void**)&again), S_OK);
  EXPECT_EQ(again, factory);
  EXPECT_EQ(factory->Release(), 2u);
  EXPECT_EQ(factory->Release(), 1u);
  IImage* image = open(DataDir + "/picture_quarters.jpg");
  ASSERT_NE(image, nullptr);
  void* other = reinterpret_cast<void*>(1);
  EXPECT_EQ(image->QueryInterface(IID_IImagingFactory, &other), E_NOINTERFACE);
  EXPECT_EQ(other, nullptr);
  EXPECT_EQ(image->Release(), 0u);
}

TEST_F(ImagingTest, DrawsAJpegScaledIntoTheRectangle) {
  IImage* image = open(DataDir + "/picture_quarters.jpg");
  ASSERT_NE(image, nullptr);
  ImageInfo info = {};
  ASSERT_EQ(image->GetImageInfo(&info), S_OK);
  EXPECT_EQ(info.Width, 64u);
  EXPECT_EQ(info.Height, 64u);

  ASSERT_EQ(draw(image, {10, 20, 42, 52}), S_OK);
  EXPECT_TRUE(near(at(14, 24), 0xFF0000)) << std::hex << at(14, 24);
  EXPECT_TRUE(near(at(38, 24), 0x00FF00)) << std::hex << at(38, 24);
  EXPECT_TRUE(near(at(14, 48), 0x0000FF)) << std::hex << at(14, 48);
  EXPECT_TRUE(near(at(38, 48), 0xFFFFFF)) << std::hex << at(38, 48);
  // Nothing outside the rectangle.
  EXPECT_EQ(at(9, 30), 0x000000u);
  EXPECT_EQ(at(42, 30), 0x000000u);
  EXPECT_EQ(at(20, 52), 0x000000u);

  // Stretched the other way, and only the top right quarter.
  RECT topRight = {32, 0, 64, 32};
  ASSERT_EQ(draw(image, {100, 100, 300, 150}, &topRight), S_OK);
  EXPECT_TRUE(near(at(110, 110), 0x00FF00));
  EXPECT_TRUE(near(at(290, 140), 0x00FF00));
  image->Release();
}

TEST_F(ImagingTest, DecodesLargePicturesAtAReducedScale) {
  auto bytes = encodeJpeg(1600, 1200, [](int x, int y) { return quarters(x, y, 1600, 1200); });
  platform::imaging::DecodedPicture picture;
  ASSERT_TRUE(platform::imaging::decodeJpeg(bytes.data(), bytes.size(), 66, 52, &picture));
  EXPECT_EQ(picture.width, 200);
  EXPECT_EQ(picture.height, 150);
  ASSERT_TRUE(platform::imaging::decodeJpeg(bytes.data(), bytes.size(), 500, 300, &picture));
  EXPECT_EQ(picture.width, 800);
  ASSERT_TRUE(platform::imaging::decodeJpeg(bytes.data(), bytes.size(), 1000, 10, &picture));
  EXPECT_EQ(picture.width, 1600);

  IImage* image = open(file("large.jpg", bytes));
  ASSERT_NE(image, nullptr);
  ASSERT_EQ(draw(image, {2, 36, 68, 88}), S_OK);
  EXPECT_TRUE(near(at(10, 45), 0xFF0000));
  EXPECT_TRUE(near(at(60, 80), 0xFFFFFF));
  image->Release();
}

// Camera photos carry a small thumbnail; it stands in for the photo where it is big enough and
// has the photo's shape, and anything wrong with it falls back to the photo itself.
TEST(ExifThumbnails, StandInForThePhotoOnlyWhereTheyFit) {
  using platform::imaging::decodeJpeg;
  auto photo = encodeJpeg(1600, 1200, [](int, int) { return 0xFF0000u; });
  auto green = encodeJpeg(160, 120, [](int, int) { return 0x00FF00u; });
  platform::imaging::DecodedPicture picture;
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
  auto wide = withExifThumbnail(photo, encodeJpeg(160, 90, [](int, int) { return 0x00FF00u; }));
  ASSERT_TRUE(decodeJpeg(wide.data(), wide.size(), 66, 52, &picture));
  EXPECT_EQ(picture.width, 200);
  auto broken = green;
  broken.resize(broken.size() / 2);
  auto truncated = withExifThumbnail(photo, broken);
  ASSERT_TRUE(decodeJpeg(truncated.data(), truncated.size(), 66, 52, &picture));
  EXPECT_EQ(picture.width, 200);
}

TEST(ExifThumbnails, DamagedBlocksFallBackToThePhoto) {
  auto photo = encodeJpeg(320, 240, [](int, int) { return 0xFF0000u; });
  auto thumbnail = encodeJpeg(160, 120, [](int, int) { return 0x00FF00u; });
  size_t tiffStart = 0;
  const auto camera = withExifThumbnail(photo, thumbnail, false, &tiffStart);
  platform::imaging::DecodedPicture whole;
  ASSERT_TRUE(platform::imaging::decodeJpeg(camera.data(), camera.size(), 66, 52, &whole));
  ASSERT_TRUE(near(whole.pixels[0], 0x00FF00));
  // Every byte of the segment header and the TIFF structure, and the thumbnail's first bytes,
  // set to values that make offsets, counts and lengths run wild.
  for (size_t at = 2; at < tiffStart + 44 + 4; ++at) {
    for (uint8_t value : {0x00, 0x7F, 0xFF}) {
      auto damaged = camera;
      damaged[at] = value;
      platform::imaging::DecodedPicture picture;
      if (platform::imaging::decodeJpeg(damaged.data(), damaged.size(), 66, 52, &picture)) {
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
    platform::imaging::DecodedPicture picture;
    ASSERT_TRUE(platform::imaging::decodeJpeg(shortened.data(), shortened.size(), 66, 52, &picture)) << cut;
    EXPECT_TRUE(near(picture.pixels[0], 0xFF0000)) << cut;
  }
}

TEST_F(ImagingTest, DrawsProgressiveGreyPngAndBmpPictures) {
  IImage* progressive =
      open(file("progressive.jpg", encodeJpeg(
                                       40, 40, [](int x, int y) { return quarters(x, y, 40, 40); }, true)));
  ASSERT_NE(progressive, nullptr);
  ASSERT_EQ(draw(progressive, {0, 0, 40, 40}), S_OK);
  EXPECT_TRUE(near(at(35, 5), 0x00FF00));
  progressive->Release();

  std::string png = (folder / "blue.png").string();
  ASSERT_TRUE(png_test::writeRgbaPng(png, 8, 8, 0xFF0000FFu));
  IImage* image = open(png);
  ASSERT_NE(image, nullptr);
  ASSERT_EQ(draw(image, {50, 0, 70, 20}), S_OK);
  EXPECT_EQ(at(60, 10), 0x0000FFu);
  image->Release();

  // 2 x 2, 24 bits, bottom-up: blue row, then red row; rows padded to 4 bytes.
  std::vector<uint8_t> bmp = {'B', 'M'};
  auto put32 = [&](uint32_t v) {
    for (int i = 0; i < 4; ++i) bmp.push_back(static_cast<uint8_t>(v >> (8 * i)));
  };
  put32(70);
  put32(0);
  put32(54);
  put32(40);
  put32(2);
  put32(2);
  put32(1 | (24 << 16));  // planes, bits
  put32(0);
  put32(16);
  for (int i = 0; i < 4; ++i) put32(0);
  for (uint8_t b : {255, 0, 0, 255, 0, 0, 0, 0, 0, 0, 255, 0, 0, 255, 0, 0}) bmp.push_back(b);
  image = open(file("two.bmp", bmp));
  ASSERT_NE(image, nullptr);
  ASSERT_EQ(draw(image, {100, 0, 120, 20}), S_OK);
  EXPECT_EQ(at(105, 2), 0xFF0000u);   // top row: red
  EXPECT_EQ(at(105, 18), 0x0000FFu);  // bottom row: blue
  image->Release();
}

TEST_F(ImagingTest, DamagedOrMissingFilesDrawNothing) {
  HRESULT result = S_OK;
  EXPECT_EQ(open(DataDir + "/picture_broken.jpg", &result), nullptr);
  EXPECT_TRUE(FAILED(result));
  EXPECT_EQ(open(DataDir + "/no such picture.jpg", &result), nullptr);
  EXPECT_TRUE(FAILED(result));
  EXPECT_EQ(open(folder.string(), &result), nullptr);  // a folder
  EXPECT_EQ(open("/dev/zero", &result), nullptr);      // a device: never read
  EXPECT_TRUE(FAILED(result));
  EXPECT_EQ(open(file("empty.jpg", {}), &result), nullptr);
  EXPECT_EQ(open(file("text.jpg", {'h', 'e', 'l', 'l', 'o'}), &result), nullptr);

  // The header is whole, the data is not: the picture opens but draws nothing at all.
  IImage* truncated = open(DataDir + "/picture_truncated.jpg");
  ASSERT_NE(truncated, nullptr);
  EXPECT_TRUE(FAILED(draw(truncated, {0, 0, 64, 64})));
  for (int y = 0; y < 64; y += 7)
    for (int x = 0; x < 64; x += 7) ASSERT_EQ(at(x, y), 0x000000u) << x << "," << y;
  truncated->Release();
}

long peakResidentKb() {
  rusage usage;
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

TEST_F(ImagingTest, RefusesHugePicturesWithoutAllocatingForThem) {
  auto bytes = encodeJpeg(16, 16, [](int, int) { return 0x808080u; });
  ASSERT_TRUE(claimSize(&bytes, 60000, 60000));
  HRESULT result = S_OK;
  long before = peakResidentKb();
  EXPECT_EQ(open(file("huge.jpg", bytes), &result), nullptr);
  EXPECT_TRUE(FAILED(result));

  // Under the pixel limit, but a progressive file of a few kilobytes claiming 8000 x 8000
  // would make the decoder reserve hundreds of megabytes.
  auto progressive = encodeJpeg(
      64, 64, [](int x, int y) { return (x * 4) << 16 | (y * 4); }, true);
  ASSERT_TRUE(claimSize(&progressive, 8000, 8000));
  IImage* image = open(file("claims.jpg", progressive));
  ASSERT_NE(image, nullptr);
  EXPECT_TRUE(FAILED(draw(image, {0, 0, 66, 52})));
  image->Release();
  EXPECT_LT(peakResidentKb() - before, 100 * 1024);
}

}  // namespace
