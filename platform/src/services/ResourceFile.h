// A compiled resource file (.res) read in place: the entries one after another, each a header
// (sizes, type, name, language) and its data, every part aligned to four bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace platform::resources {

// A resource type or name: a 16-bit number, or a text (kept in upper case, as the
// resource compiler stores it and as look-ups compare it).
struct ResourceId {
  bool isNumber = true;
  uint16_t number = 0;
  std::u16string text;

  static ResourceId fromNumber(uint16_t number) { return {true, number, {}}; }
  static ResourceId fromText(std::u16string text);
  bool operator==(const ResourceId&) const = default;
};

struct ResourceEntry {
  ResourceId type;
  ResourceId name;
  uint16_t language = 0;
  std::span<const unsigned char> data;
};

class ResourceFile {
 public:
  // Reads every entry of `bytes`, which must outlive the file. A damaged file yields the
  // entries before the damage and sets damaged().
  explicit ResourceFile(std::span<const unsigned char> bytes);

  const std::vector<ResourceEntry>& entries() const { return entries_; }
  bool damaged() const { return damaged_; }
  // The first entry of that type and name, whatever its language; nullptr when none.
  const ResourceEntry* find(const ResourceId& type, const ResourceId& name) const;

 private:
  std::vector<ResourceEntry> entries_;
  bool damaged_ = false;
};

// Little-endian reads that stay inside the data: nullopt past its end.
std::optional<uint16_t> readWord(std::span<const unsigned char> data, size_t offset);
std::optional<uint32_t> readDword(std::span<const unsigned char> data, size_t offset);

}  // namespace platform::resources
