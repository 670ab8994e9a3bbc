#include "shell/Menu.h"

#include "services/ResourceFile.h"

namespace platform::shell {

namespace {

constexpr WORD MfGrayed = 0x0001;
constexpr WORD MfPopup = 0x0010;
constexpr WORD MfEnd = 0x0080;
constexpr int MaxDepth = 8;

// Reads the items of one level, up to the one that carries MF_END.
bool readItems(std::span<const unsigned char> bytes, size_t& offset, int depth, std::vector<MenuItem>& items) {
  if (depth > MaxDepth) return false;
  while (true) {
    auto flags = resources::readWord(bytes, offset);
    if (!flags) return false;
    offset += 2;
    MenuItem item;
    if (!(*flags & MfPopup)) {
      auto command = resources::readWord(bytes, offset);
      if (!command) return false;
      item.command = *command;
      offset += 2;
    }
    while (true) {
      auto unit = resources::readWord(bytes, offset);
      if (!unit) return false;
      offset += 2;
      if (*unit == 0) break;
      item.text.push_back(static_cast<char16_t>(*unit));
    }
    item.grayed = (*flags & MfGrayed) != 0;
    if (*flags & MfPopup) {
      if (!readItems(bytes, offset, depth + 1, item.items)) return false;
    } else {
      item.separator = item.command == 0 && item.text.empty();
    }
    items.push_back(std::move(item));
    if (*flags & MfEnd) return true;
  }
}

}  // namespace

std::optional<std::vector<MenuItem>> parseMenu(std::span<const unsigned char> bytes) {
  auto version = resources::readWord(bytes, 0);
  auto headerSize = resources::readWord(bytes, 2);
  if (!version || !headerSize || *version != 0) return std::nullopt;
  size_t offset = 4 + *headerSize;
  std::vector<MenuItem> items;
  if (!readItems(bytes, offset, 0, items)) return std::nullopt;
  return items;
}

char16_t mnemonicOf(const std::u16string& text) {
  for (size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != u'&') continue;
    if (text[i + 1] == u'&') {
      ++i;
      continue;
    }
    char16_t letter = text[i + 1];
    if (letter >= u'a' && letter <= u'z') letter = static_cast<char16_t>(letter - u'a' + u'A');
    return letter;
  }
  return 0;
}

}  // namespace platform::shell
