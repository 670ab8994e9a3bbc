// The program's resources: look-up, strings, bitmaps and accelerator tables.
#include "services/Resources.h"

#include "PlatformInternal.h"
#include "core/NeverDestroyed.h"
#include "services/Dib.h"

#include <algorithm>
#include <vector>

namespace platform::resources {

namespace {

// The program's instance handle: every HINSTANCE names the program, there is no other module.
const HINSTANCE ProgramInstance = reinterpret_cast<HINSTANCE>(static_cast<uintptr_t>(0x00010000));

// Resource handles are the entry's index plus a base, so a stray value fails the check.
constexpr uintptr_t ResourceHandleBase = 0x52530000;
constexpr uintptr_t LoadedHandleBase = 0x52540000;

const ResourceEntry* entryOf(uintptr_t handle, uintptr_t base) {
  const auto& entries = program().entries();
  if (handle < base || handle - base >= entries.size()) return nullptr;
  return &entries[handle - base];
}

constexpr int StringsPerBlock = 16;

}  // namespace

const ResourceFile& program() {
  static constinit core::NeverDestroyed<ResourceFile> file{[] {
    return ResourceFile(&platform_resource_data != nullptr && &platform_resource_size != nullptr
                            ? std::span<const unsigned char>(platform_resource_data, platform_resource_size)
                            : std::span<const unsigned char>());
  }};
  return *file;
}

ResourceId idFrom(LPCWSTR nameOrNumber) {
  if (IS_INTRESOURCE(nameOrNumber)) return ResourceId::fromNumber(LOWORD(nameOrNumber));
  std::u16string text(nameOrNumber);
  if (text.size() > 1 && text[0] == u'#') {
    unsigned number = 0;
    for (size_t i = 1; i < text.size() && text[i] >= u'0' && text[i] <= u'9' && number <= 0xFFFF; ++i) {
      number = number * 10 + (text[i] - u'0');
    }
    return ResourceId::fromNumber(static_cast<uint16_t>(number));
  }
  return ResourceId::fromText(std::move(text));
}

const ResourceEntry* find(LPCWSTR name, LPCWSTR type) {
  if (!name || !type) return nullptr;
  return program().find(idFrom(type), idFrom(name));
}

std::optional<std::u16string> loadString(UINT id) {
  // Strings live in blocks of 16 counted texts; block b holds ids 16 (b - 1) to 16 b - 1.
  const auto* block = program().find(ResourceId::fromNumber(6), ResourceId::fromNumber((id >> 4) + 1));
  if (!block) return std::nullopt;
  size_t offset = 0;
  for (int index = 0; index < StringsPerBlock; ++index) {
    auto length = readWord(block->data, offset);
    if (!length) return std::nullopt;
    offset += 2;
    if (static_cast<UINT>(index) == (id & 15)) {
      if (*length == 0 || block->data.size() - offset < *length * 2u) return std::nullopt;
      std::u16string text;
      for (size_t i = 0; i < *length; ++i)
        text.push_back(static_cast<char16_t>(*readWord(block->data, offset + 2 * i)));
      return text;
    }
    offset += *length * 2u;
  }
  return std::nullopt;
}

}  // namespace platform::resources

using namespace platform::resources;

HMODULE GetModuleHandleW(LPCWSTR moduleName) { return moduleName ? nullptr : ProgramInstance; }

int LoadStringW(HINSTANCE, UINT id, LPWSTR buffer, int bufferMax) {
  if (!buffer || bufferMax <= 0) return 0;
  auto text = loadString(id);
  if (!text) {
    buffer[0] = 0;
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  const int copied = std::min(static_cast<int>(text->size()), bufferMax - 1);
  std::copy_n(text->data(), copied, buffer);
  buffer[copied] = 0;
  return copied;
}

HRSRC FindResourceW(HMODULE, LPCWSTR name, LPCWSTR type) {
  const ResourceEntry* entry = find(name, type);
  if (!entry) return nullptr;
  return reinterpret_cast<HRSRC>(ResourceHandleBase + (entry - program().entries().data()));
}

HGLOBAL LoadResource(HMODULE, HRSRC resource) {
  const uintptr_t handle = reinterpret_cast<uintptr_t>(resource);
  if (!entryOf(handle, ResourceHandleBase)) return nullptr;
  return reinterpret_cast<HGLOBAL>(handle - ResourceHandleBase + LoadedHandleBase);
}

LPVOID LockResource(HGLOBAL resourceData) {
  const ResourceEntry* entry = entryOf(reinterpret_cast<uintptr_t>(resourceData), LoadedHandleBase);
  return entry ? const_cast<unsigned char*>(entry->data.data()) : nullptr;
}

DWORD SizeofResource(HMODULE, HRSRC resource) {
  const ResourceEntry* entry = entryOf(reinterpret_cast<uintptr_t>(resource), ResourceHandleBase);
  return entry ? static_cast<DWORD>(entry->data.size()) : 0;
}

HBITMAP LoadBitmapW(HINSTANCE, LPCWSTR name) {
  if (!platform::requireUiThread()) return nullptr;
  const ResourceEntry* entry = find(name, RT_BITMAP);
  if (!entry) return nullptr;
  auto layout = readDib(entry->data);
  if (!layout) return nullptr;
  // Decoded straight into the bitmap: the board and the bottle strip are megabytes each, which a
  // slow phone feels at every pass over them.
  HBITMAP bitmap = platform::gdi::createBlackBitmap(layout->width, layout->height);
  if (bitmap == nullptr) return nullptr;
  const platform::gdi::PixelBuffer* pixels = platform::gdi::bitmapPixels(bitmap);
  decodeDibRows(entry->data, *layout, pixels->data, static_cast<size_t>(pixels->stride));
  return bitmap;
}

HACCEL LoadAcceleratorsW(HINSTANCE, LPCWSTR tableName) {
  if (!platform::requireUiThread()) return nullptr;
  const ResourceEntry* entry = find(tableName, RT_ACCELERATOR);
  if (!entry) return nullptr;
  // Entries of four words: flags, key, command, padding; the last one's flags carry 0x80.
  constexpr WORD LastEntry = 0x80;
  std::vector<ACCEL> table;
  for (size_t offset = 0; offset + 8 <= entry->data.size(); offset += 8) {
    const WORD flags = *readWord(entry->data, offset);
    table.push_back(
        ACCEL{static_cast<BYTE>(flags & 0x7F), *readWord(entry->data, offset + 2), *readWord(entry->data, offset + 4)});
    if (flags & LastEntry) break;
  }
  if (table.empty()) return nullptr;
  return CreateAcceleratorTableW(table.data(), static_cast<int>(table.size()));
}
