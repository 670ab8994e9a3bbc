#include "device/OemModel.h"

namespace {

struct ModelPattern {
  const WCHAR* text;
  int first;  // positions first..last of text are compared
  int last;
};

// In the order of the enum. The patterns keep their full names; the positions left out are
// the ones the device families vary.
const ModelPattern modelPatterns[] = {
    {TEXT("SCH-M49"), 0, 6},
    {TEXT("SCH-M710"), 0, 6},
    {TEXT("X1i"), 0, 2},
    {TEXT("S_H-M480_"), 2, 7},
};

}  // namespace

void readOemModel(WCHAR* buffer, UINT bytes) { SystemParametersInfoW(SPI_GETOEMINFO, bytes, buffer, 0); }

bool matchesModel(const WCHAR* model, ModelTest test) {
  const ModelPattern& pattern = modelPatterns[test];
  for (int i = 0; i <= pattern.last; ++i) {
    // A text that ends early can't match: no pattern unit is 0. Stopping here also keeps the
    // comparison inside a short text.
    if (model[i] == 0) return false;
    if (i >= pattern.first && model[i] != pattern.text[i]) return false;
  }
  return true;
}
