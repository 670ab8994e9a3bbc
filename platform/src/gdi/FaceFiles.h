// Font files: found by name in a short, fixed list of folders, read into memory once per
// process and opened by FreeType (drawing) and HarfBuzz (shaping) from the same bytes, so that
// every machine and the browser draw with the very same data.
#pragma once

#include <ft2build.h>
#include FT_FREETYPE_H
#include <hb.h>

#include <memory>
#include <string>
#include <vector>

namespace platform::gdi {

struct FreeType;

struct FaceFile {
  FaceFile() = default;
  FaceFile(const FaceFile&) = delete;
  FaceFile& operator=(const FaceFile&) = delete;
  ~FaceFile();
  std::string path;
  std::string family;  // as the file names it
  // The cell as the phone measures it, in font units: the OS/2 table's Windows ascent and
  // descent (the typographic values make Tahoma's cell a fifth smaller). Always some height.
  int cellAscent = 0;
  int cellDescent = 0;
  std::vector<unsigned char> bytes;
  std::shared_ptr<FreeType> library;  // open until its last face closes
  FT_Face face = nullptr;
  hb_face_t* shaping = nullptr;
};

// The file of that name in the first font folder that holds it, read at the first call. Null
// when it is missing or broken; `failure` then says why, at the first call for that file only,
// so that the caller reports it once.
std::shared_ptr<const FaceFile> openFace(const std::string& fileName, std::string* failure);

}  // namespace platform::gdi
