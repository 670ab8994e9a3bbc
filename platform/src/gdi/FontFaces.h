// Which face draws a text in a given font, and where the faces come from: for checking the
// font set-up (the phone's faces found, Korean falling back to a Korean face, a missing file
// reported) without the text libraries' types.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace platform::gdi {

// The family of the face that draws the first character of `text` in the font `logFont`
// describes; empty when nothing draws it.
std::string faceDrawing(const LOGFONTW& logFont, std::u16string_view text);

// Searches only these folders for font files from now on (none: the usual ones). Fonts already
// used keep their faces.
void useFontFolders(const std::vector<std::string>& folders);

}  // namespace platform::gdi
