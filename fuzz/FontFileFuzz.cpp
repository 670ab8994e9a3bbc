// A font file, as the platform finds it in its font folder: opened, measured for a font of the
// phone's sizes, then a line of Latin and Korean text shaped and each glyph drawn.
#include "gdi/FontFaces.h"
#include "gdi/Fonts.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

std::string folder;

void removeFolder() { std::filesystem::remove_all(folder); }

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  folder = (std::filesystem::temp_directory_path() / ("vortelle-font-fuzz-" + std::to_string(getpid()))).string();
  std::filesystem::create_directories(folder);
  std::atexit(removeFolder);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace platform::gdi;
  // The Korean face stands alone: no other file is looked for.
  FILE* file = std::fopen((folder + "/NanumGothic.ttf").c_str(), "wb");
  if (file == nullptr || std::fwrite(data, 1, size, file) != size || std::fclose(file) != 0) std::abort();
  useFontFolders({folder});
  for (LONG height : {-13, 20}) {
    Font font;
    font.logFont.lfHeight = height;
    font.logFont.lfWidth = height > 0 ? 7 : 0;
    font.logFont.lfItalic = height > 0;
    std::char_traits<char16_t>::copy(font.logFont.lfFaceName, u"NanumGothic", 12);
    resolveFont(font);
    for (const PlacedGlyph& glyph : shapeText(font, u"Friction 0.05 화살표!").glyphs)
      glyphImage(font, glyph.face, glyph.glyph);
  }
  return 0;
}
