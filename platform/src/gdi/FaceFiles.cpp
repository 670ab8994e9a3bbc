#include "gdi/FaceFiles.h"

#include "core/FileBytes.h"
#include "core/NeverDestroyed.h"
#include "gdi/FontFaces.h"

#include FT_TRUETYPE_TABLES_H

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>

// The folders searched by default, separated by ':'. The browser build names its embedded
// folder here.
#ifndef VORTELLE_FONT_DIRS
#define VORTELLE_FONT_DIRS "/usr/share/wine/fonts:/usr/share/fonts/truetype/nanum"
#endif

namespace platform::gdi {

struct FreeType {
  FT_Library library = nullptr;
  ~FreeType() {
    if (library != nullptr) FT_Done_FreeType(library);
  }
};

namespace {

struct Opened {
  std::shared_ptr<const FaceFile> face;  // null: missing or broken
};

struct Library {
  std::vector<std::string> folders;
  std::map<std::string, Opened> files;  // by file name
  std::shared_ptr<FreeType> freeType;
};

std::vector<std::string> split(const std::string& list) {
  std::vector<std::string> parts;
  size_t begin = 0;
  while (begin <= list.size()) {
    size_t end = list.find(':', begin);
    if (end == std::string::npos) end = list.size();
    if (end > begin) parts.push_back(list.substr(begin, end - begin));
    begin = end + 1;
  }
  return parts;
}

// The environment's folder comes first, so a player can put other files in the faces' place.
std::vector<std::string> defaultFolders() {
  std::vector<std::string> folders;
  if (const char* extra = std::getenv("VORTELLE_FONT_DIR"); extra != nullptr && *extra != 0) folders.push_back(extra);
  for (std::string& folder : split(VORTELLE_FONT_DIRS)) folders.push_back(std::move(folder));
  return folders;
}

Library& library() {
  static constinit core::NeverDestroyed<Library> shared{[] { return Library{defaultFolders(), {}, nullptr}; }};
  return *shared;
}

// FreeType's own messages, which its library build leaves out of FT_Error_String.
struct FreeTypeMessage {
  int code;
  const char* text;
};
#undef FTERRORS_H_
#define FT_ERRORDEF(e, v, s) {e, s},
#define FT_ERROR_START_LIST constexpr FreeTypeMessage FreeTypeMessages[] = {
#define FT_ERROR_END_LIST \
  }                       \
  ;
#include FT_ERRORS_H

std::string freeTypeError(FT_Error error) {
  for (const FreeTypeMessage& message : FreeTypeMessages)
    if (message.code == error) return message.text;
  return "FreeType error " + std::to_string(error);
}

void measureCell(FaceFile& file) {
  auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(file.face, FT_SFNT_OS2));
  if (os2 != nullptr && os2->version != 0xFFFF && os2->usWinAscent + os2->usWinDescent > 0) {
    file.cellAscent = os2->usWinAscent;
    file.cellDescent = os2->usWinDescent;
  } else {
    file.cellAscent = file.face->ascender;
    file.cellDescent = -file.face->descender;
  }
}

// Opens the bytes for drawing and shaping; false with the reason when they hold no usable face.
bool openBytes(FaceFile& file, std::string* failure) {
  if (file.bytes.empty()) {
    *failure = "empty file";
    return false;
  }
  FT_Error error = FT_New_Memory_Face(file.library->library, file.bytes.data(), static_cast<FT_Long>(file.bytes.size()),
                                      0, &file.face);
  if (error != 0) {
    file.face = nullptr;
    *failure = freeTypeError(error);
    return false;
  }
  if (!FT_IS_SCALABLE(file.face)) {
    *failure = "no outlines";
    return false;
  }
  // A font's size is given as its cell's height, so a face without one can't be sized.
  measureCell(file);
  if (file.cellAscent + file.cellDescent <= 0) {
    *failure = "no line height";
    return false;
  }
  // HarfBuzz reads the bytes in place; the file outlives the blob.
  hb_blob_t* blob =
      hb_blob_create(reinterpret_cast<const char*>(file.bytes.data()), static_cast<unsigned int>(file.bytes.size()),
                     HB_MEMORY_MODE_READONLY, nullptr, nullptr);
  file.shaping = hb_face_create(blob, 0);
  hb_blob_destroy(blob);
  if (hb_face_get_glyph_count(file.shaping) == 0 || hb_face_get_upem(file.shaping) == 0) {
    *failure = "no glyphs";
    return false;
  }
  file.family = file.face->family_name != nullptr ? file.face->family_name : "";
  return true;
}

std::string folderList(const std::vector<std::string>& folders) {
  std::string list;
  for (const std::string& folder : folders) list += (list.empty() ? "" : ", ") + folder;
  return list.empty() ? "no folder" : list;
}

std::shared_ptr<const FaceFile> load(Library& lib, const std::string& fileName, std::string* failure) {
  std::string path;
  for (const std::string& folder : lib.folders) {
    std::string candidate = folder + "/" + fileName;
    FILE* probe = std::fopen(candidate.c_str(), "rb");
    if (probe == nullptr && errno == ENOENT) continue;
    if (probe != nullptr) std::fclose(probe);
    path = candidate;
    break;
  }
  if (path.empty()) {
    *failure = "can't find font " + fileName + " in " + folderList(lib.folders);
    return nullptr;
  }
  if (lib.freeType == nullptr) {
    auto freeType = std::make_shared<FreeType>();
    FT_Error error = FT_Init_FreeType(&freeType->library);
    if (error != 0) {
      freeType->library = nullptr;
      *failure = "can't start FreeType: " + freeTypeError(error);
      return nullptr;
    }
    lib.freeType = freeType;
  }
  auto file = std::make_shared<FaceFile>();
  file->path = path;
  file->library = lib.freeType;
  std::string reason;
  if (!core::readFileBytes(path, &file->bytes, &reason) || !openBytes(*file, &reason)) {
    *failure = "can't read font " + path + ": " + reason;
    return nullptr;
  }
  return file;
}

}  // namespace

FaceFile::~FaceFile() {
  if (shaping != nullptr) hb_face_destroy(shaping);
  if (face != nullptr) FT_Done_Face(face);
}

std::shared_ptr<const FaceFile> openFace(const std::string& fileName, std::string* failure) {
  Library& lib = library();
  auto found = lib.files.find(fileName);
  if (found != lib.files.end()) return found->second.face;
  std::shared_ptr<const FaceFile> face = load(lib, fileName, failure);
  lib.files[fileName] = Opened{face};
  return face;
}

void useFontFolders(const std::vector<std::string>& folders) {
  Library& lib = library();
  lib.folders = folders.empty() ? defaultFolders() : folders;
  lib.files.clear();  // fonts already resolved keep their faces
}

}  // namespace platform::gdi
