#include "services/ResourceFile.h"

namespace platform::resources {

namespace {

constexpr size_t align4(size_t offset) { return (offset + 3) & ~size_t{3}; }

// A type or name field of an entry header: 0xFFFF and a number, or a terminated UTF-16 text.
// Moves `offset` past it; false when it runs past `end`.
bool readId(std::span<const unsigned char> bytes, size_t end, size_t& offset, ResourceId& id) {
  auto first = readWord(bytes, offset);
  if (!first || offset + 2 > end) return false;
  if (*first == 0xFFFF) {
    auto number = readWord(bytes, offset + 2);
    if (!number || offset + 4 > end) return false;
    id = ResourceId::fromNumber(*number);
    offset += 4;
    return true;
  }
  std::u16string text;
  while (true) {
    auto unit = readWord(bytes, offset);
    if (!unit || offset + 2 > end) return false;
    offset += 2;
    if (*unit == 0) break;
    text.push_back(static_cast<char16_t>(*unit));
  }
  id = ResourceId::fromText(std::move(text));
  return true;
}

}  // namespace

ResourceId ResourceId::fromText(std::u16string text) {
  for (auto& unit : text) {
    if (unit >= u'a' && unit <= u'z') unit = static_cast<char16_t>(unit - u'a' + u'A');
  }
  return {false, 0, std::move(text)};
}

std::optional<uint16_t> readWord(std::span<const unsigned char> data, size_t offset) {
  if (offset > data.size() || data.size() - offset < 2) return std::nullopt;
  return static_cast<uint16_t>(data[offset] | data[offset + 1] << 8);
}

std::optional<uint32_t> readDword(std::span<const unsigned char> data, size_t offset) {
  auto low = readWord(data, offset);
  auto high = readWord(data, offset + 2);
  if (!low || !high) return std::nullopt;
  return static_cast<uint32_t>(*low | static_cast<uint32_t>(*high) << 16);
}

ResourceFile::ResourceFile(std::span<const unsigned char> bytes) {
  size_t offset = 0;
  while (offset < bytes.size()) {
    auto dataSize = readDword(bytes, offset);
    auto headerSize = readDword(bytes, offset + 4);
    if (!dataSize || !headerSize || *headerSize < 32 || *headerSize > bytes.size() - offset ||
        *dataSize > bytes.size() - offset - *headerSize) {
      damaged_ = true;
      return;
    }
    const size_t headerEnd = offset + *headerSize;
    size_t field = offset + 8;
    ResourceEntry entry;
    if (!readId(bytes, headerEnd, field, entry.type) || !readId(bytes, headerEnd, field, entry.name)) {
      damaged_ = true;
      return;
    }
    field = align4(field);
    // DataVersion (4), MemoryFlags (2), LanguageId (2), Version (4), Characteristics (4).
    auto language = readWord(bytes, field + 6);
    if (!language || field + 16 > headerEnd) {
      damaged_ = true;
      return;
    }
    entry.language = *language;
    entry.data = bytes.subspan(headerEnd, *dataSize);
    // The file starts with an empty entry of type 0 that only marks the format.
    if (!(entry.type.isNumber && entry.type.number == 0)) entries_.push_back(std::move(entry));
    offset = align4(headerEnd + *dataSize);
  }
}

const ResourceEntry* ResourceFile::find(const ResourceId& type, const ResourceId& name) const {
  for (const auto& entry : entries_) {
    if (entry.type == type && entry.name == name) return &entry;
  }
  return nullptr;
}

}  // namespace platform::resources
