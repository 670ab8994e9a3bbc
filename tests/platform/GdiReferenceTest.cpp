// Draws the reference tool's cases through our GDI and compares each canvas, pixel for pixel,
// with what Wine's GDI drew for it (tests/data/gdi/<case file>/<case>.png).
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "CaseScript.h"
#include "GdiTestSupport.h"
#include "PngFile.h"

using gdi_test::obj;

namespace {

struct Comparison {
  std::string folder;
  std::string summary;  // one line per case that differs
  std::string errors;   // bad case lines or missing references: always a failure
  long differing = 0;
  HBITMAP bitmap = nullptr;
  HGDIOBJ previous = nullptr;
};

HDC beginCanvas(void* context, const char*, int width, int height) {
  auto* run = static_cast<Comparison*>(context);
  HDC dc = CreateCompatibleDC(nullptr);
  run->bitmap = CreateCompatibleBitmap(dc, width, height);
  run->previous = SelectObject(dc, obj(run->bitmap));
  return dc;
}

void compare(Comparison& run, const std::string& name, HDC dc) {
  png_test::PngFile reference = png_test::readPng(run.folder + "/" + name + ".png");
  BITMAP size{};
  GetObjectW(obj(run.bitmap), sizeof(size), &size);
  if (!reference.error.empty() || reference.width != size.bmWidth || reference.height != size.bmHeight) {
    run.errors += name + ": no reference of its size " + reference.error + "\n";
    return;
  }
  long count = 0;
  std::string first;
  for (int y = 0; y < reference.height; ++y)
    for (int x = 0; x < reference.width; ++x)
      if (gdi_test::rgb(GetPixel(dc, x, y)) != reference.at(x, y) && count++ < 4)
        first += " (" + std::to_string(x) + "," + std::to_string(y) + ")";
  run.differing += count;
  if (count) run.summary += "  " + name + ": " + std::to_string(count) + " pixels differ, first" + first + "\n";
}

int endCanvas(void* context, const char* name, HDC dc) {
  auto* run = static_cast<Comparison*>(context);
  if (name) compare(*run, name, dc);
  SelectObject(dc, run->previous);
  DeleteObject(obj(run->bitmap));
  DeleteDC(dc);
  return 1;
}

HBITMAP makePicture(void*, int width, int height, const unsigned int* pixels) {
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = CreateCompatibleBitmap(dc, width, height);
  HGDIOBJ previous = SelectObject(dc, obj(bitmap));
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      unsigned p = pixels[y * width + x];
      SetPixel(dc, x, y, RGB(p >> 16, (p >> 8) & 0xFF, p & 0xFF));
    }
  SelectObject(dc, previous);
  DeleteDC(dc);
  return bitmap;
}

// We have no PatBlt; for a solid brush FillRect paints the same pixels.
void solidPattern(HDC dc, int left, int top, int width, int height, COLORREF colour) {
  RECT area{left, top, left + width, top + height};
  HBRUSH brush = CreateSolidBrush(colour);
  FillRect(dc, &area, brush);
  DeleteObject(obj(brush));
}

void keyedCopy(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY, int srcWidth, int srcHeight,
               COLORREF key) {
  TransparentImage(dst, x, y, width, height, src, srcX, srcY, srcWidth, srcHeight, key);
}

void report(void* context, int line, const char* message) {
  static_cast<Comparison*>(context)->errors += "line " + std::to_string(line) + ": " + message + "\n";
}

class GdiReference : public testing::TestWithParam<const char*> {};

TEST_P(GdiReference, DrawsAsWinesGdi) {
  const std::string name = GetParam();
  std::ifstream file(std::string(GDI_CASES_DIR) + "/" + name + ".txt");
  ASSERT_TRUE(file) << name << ".txt is missing";
  std::stringstream text;
  text << file.rdbuf();

  Comparison run;
  run.folder = std::string(TEST_DATA_DIR) + "/gdi/" + name;
  CaseHost host{&run, beginCanvas, endCanvas, makePicture, solidPattern, keyedCopy, report};
  int cases = runCaseScript(text.str().c_str(), GDI_PICTURES_DIR, &host);
  ASSERT_GT(cases, 0) << run.errors;
  ASSERT_EQ(run.errors, "");

  std::string outcome = name + ": " + std::to_string(run.differing) + " pixels differ over " + std::to_string(cases) +
                        " cases\n" + run.summary;
  EXPECT_EQ(run.differing, 0) << outcome;
}

INSTANTIATE_TEST_SUITE_P(CaseFiles, GdiReference, testing::Values("edges", "game", "game-arrow"), [](const auto& info) {
  return std::string(info.param) == "game-arrow" ? "game_arrow" : info.param;
});

}  // namespace
