// A compiled resource file: its entries, and each bitmap, icon image, menu and dialog template
// in it read as the platform reads the program's own.
#include "services/Icons.h"
#include "services/ResourceFile.h"
#include "shell/DialogTemplate.h"
#include "shell/Menu.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace platform::resources;
  ResourceFile file({data, size});
  for (const ResourceEntry& entry : file.entries()) {
    if (!entry.type.isNumber) continue;
    switch (entry.type.number) {
      case 2:
        decodeDib(entry.data);
        break;
      case 3:
        decodeIcon(entry.data);
        break;
      case 4:
        platform::shell::parseMenu(entry.data);
        break;
      case 5:
        platform::shell::parseDialogTemplate(entry.data);
        break;
    }
  }
  return 0;
}
