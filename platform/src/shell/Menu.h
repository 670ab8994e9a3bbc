// Menus as MENU resources hold them, and the pop-up menu the menu bar opens.
#pragma once

#include <windows.h>

#include <optional>
#include <span>
#include <string>
#include <vector>

namespace platform::shell {

struct MenuItem {
  std::u16string text;  // "&" marks the mnemonic
  UINT command = 0;
  bool separator = false;
  bool grayed = false;
  std::vector<MenuItem> items;  // a pop-up's items
  bool popup() const { return !items.empty(); }
};

// The top-level items of a standard MENU resource; nullopt when it is damaged or extended.
std::optional<std::vector<MenuItem>> parseMenu(std::span<const unsigned char> bytes);

// The letter after a single "&", upper case; 0 when there is none.
char16_t mnemonicOf(const std::u16string& text);

// Where a pop-up goes: its bottom edge on `bottom`, its left edge at `left` or its right edge at
// `right` (whichever is given as >= 0).
struct PopupPlace {
  int left = -1;
  int right = -1;
  int bottom = 0;
};

// Shows `items` as a pop-up menu and waits for a choice by stylus or keys. Returns the chosen
// item's command, or 0 when the menu was closed (ESCAPE, a tap outside, or one of `closeKeys`).
// `byKey` selects the first item at once.
UINT trackPopupMenu(const std::vector<MenuItem>& items, const PopupPlace& place, bool byKey);

}  // namespace platform::shell
