#include "shell/DialogTemplate.h"

#include "services/Resources.h"

namespace platform::shell {

namespace {

using resources::readDword;
using resources::readWord;

// Reads the template field by field, keeping every read inside the bytes.
class Reader {
 public:
  explicit Reader(std::span<const unsigned char> bytes) : bytes_(bytes) {}

  bool ok() const { return ok_; }
  WORD word() {
    auto value = readWord(bytes_, offset_);
    if (!value) ok_ = false;
    offset_ += 2;
    return value.value_or(0);
  }
  DWORD dword() {
    const DWORD low = word();
    return low | static_cast<DWORD>(word()) << 16;
  }
  std::u16string text() {
    std::u16string result;
    while (ok_) {
      const WORD unit = word();
      if (unit == 0 || !ok_) break;
      result.push_back(static_cast<char16_t>(unit));
    }
    return result;
  }
  TemplateField field() {
    TemplateField result;
    const WORD first = word();
    if (first == 0) return result;
    if (first == 0xFFFF) {
      result.kind = TemplateField::Kind::Number;
      result.number = word();
      return result;
    }
    result.kind = TemplateField::Kind::Text;
    result.text.push_back(static_cast<char16_t>(first));
    result.text += text();
    return result;
  }
  void alignDword() { offset_ = (offset_ + 3) & ~size_t{3}; }
  void skip(size_t count) { offset_ += count; }

 private:
  std::span<const unsigned char> bytes_;
  size_t offset_ = 0;
  bool ok_ = true;
};

// A template is read as far as its items go; 64 KiB is more than any dialog holds.
constexpr size_t TrustedTemplateSize = 0x10000;

}  // namespace

std::optional<DialogTemplate> parseDialogTemplate(std::span<const unsigned char> bytes) {
  Reader in(bytes);
  DialogTemplate dialog;
  dialog.style = in.dword();
  // The extended form starts with version 1 and the signature 0xFFFF.
  if ((dialog.style & 0xFFFF) == 1 && dialog.style >> 16 == 0xFFFF) return std::nullopt;
  dialog.exStyle = in.dword();
  const WORD count = in.word();
  dialog.x = static_cast<short>(in.word());
  dialog.y = static_cast<short>(in.word());
  dialog.cx = static_cast<short>(in.word());
  dialog.cy = static_cast<short>(in.word());
  dialog.menu = in.field();
  dialog.windowClass = in.field();
  dialog.title = in.text();
  if (dialog.style & DS_SETFONT) {
    dialog.pointSize = in.word();
    dialog.faceName = in.text();
  }
  for (WORD i = 0; i < count && in.ok(); ++i) {
    in.alignDword();
    DialogItem item;
    item.style = in.dword();
    item.exStyle = in.dword();
    item.x = static_cast<short>(in.word());
    item.y = static_cast<short>(in.word());
    item.cx = static_cast<short>(in.word());
    item.cy = static_cast<short>(in.word());
    const WORD id = in.word();
    item.id = id == 0xFFFF ? -1 : id;
    item.windowClass = in.field();
    item.title = in.field();
    in.skip(in.word());  // creation data, for the control alone
    dialog.items.push_back(std::move(item));
  }
  if (!in.ok()) return std::nullopt;
  return dialog;
}

std::span<const unsigned char> templateBytes(const void* dialogTemplate) {
  const auto* start = static_cast<const unsigned char*>(dialogTemplate);
  for (const auto& entry : resources::program().entries()) {
    const unsigned char* begin = entry.data.data();
    if (start >= begin && start < begin + entry.data.size()) {
      return std::span<const unsigned char>(start, entry.data.size() - (start - begin));
    }
  }
  return std::span<const unsigned char>(start, TrustedTemplateSize);
}

}  // namespace platform::shell
