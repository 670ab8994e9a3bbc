// The program's own resources, as the platform's other parts read them (dialogs, menu bar,
// icons). The game reaches them through FindResourceW, LoadStringW and the like.
#pragma once

#include "services/ResourceFile.h"

#include <windows.h>

#include <optional>
#include <string>

namespace platform::resources {

// The program's embedded .res (empty when the program has none).
const ResourceFile& program();

// MAKEINTRESOURCEW(n), "#n" and names, as the resource functions take them.
ResourceId idFrom(LPCWSTR nameOrNumber);

// The program's resource of that type and name; nullptr when there is none.
const ResourceEntry* find(LPCWSTR name, LPCWSTR type);

// String `id` of the string tables; nullopt when there is none.
std::optional<std::u16string> loadString(UINT id);

}  // namespace platform::resources
