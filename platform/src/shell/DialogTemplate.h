// Dialog templates as DIALOG resources store them: the standard form with a font (DS_SETFONT).
#pragma once

#include <windows.h>

#include <optional>
#include <span>
#include <string>
#include <vector>

namespace platform::shell {

// A class, title or menu field: nothing, a 16-bit number (0xFFFF prefix) or a text.
struct TemplateField {
  enum class Kind { None, Number, Text } kind = Kind::None;
  WORD number = 0;
  std::u16string text;
};

struct DialogItem {
  DWORD style = 0;
  DWORD exStyle = 0;
  short x = 0, y = 0, cx = 0, cy = 0;
  int id = 0;  // 0xFFFF reads as -1
  TemplateField windowClass;
  TemplateField title;
};

struct DialogTemplate {
  DWORD style = 0;
  DWORD exStyle = 0;
  short x = 0, y = 0, cx = 0, cy = 0;
  TemplateField menu;
  TemplateField windowClass;
  std::u16string title;
  WORD pointSize = 0;  // 0 when the template gives no font
  std::u16string faceName;
  std::vector<DialogItem> items;
};

// The predefined class of static controls, as templates give it by number.
constexpr WORD StaticClassAtom = 0x0082;

// Reads a template from `bytes`; nullopt when it runs past the end or is not the standard form.
std::optional<DialogTemplate> parseDialogTemplate(std::span<const unsigned char> bytes);

// The bytes a template pointer may be read from: its resource when it points into the
// program's resources, else as far as the caller's pointer is taken on trust.
std::span<const unsigned char> templateBytes(const void* dialogTemplate);

}  // namespace platform::shell
