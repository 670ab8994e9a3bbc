// The web build plays headless only: the script answers every file dialog, and there is no
// desktop chooser to fall back on.
#include "services/DesktopFileChooser.h"

namespace platform {

ChooserResult choosePortal(const FileChooserRequest&, std::string*) { return ChooserResult::Unavailable; }

ChooserResult chooseZenity(const FileChooserRequest&, std::string*) { return ChooserResult::Unavailable; }

}  // namespace platform
