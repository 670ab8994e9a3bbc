// Which installed face draws a text in a given font: for checking the font set-up (the phone's
// faces found, Korean falling back to a Korean face) without Pango's types.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace platform::gdi {

// The family of the face that draws the first character of `text` in the font `logFont`
// describes; empty when nothing draws it.
std::string faceDrawing(const LOGFONTW& logFont, std::u16string_view text);

}  // namespace platform::gdi
