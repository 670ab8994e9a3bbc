// The device model text and the tests made on it. What an LED number drives differs between
// models, so the feedback is chosen by these tests.
#pragma once

#include <windows.h>

// The four model tests. Each compares fixed positions of the text, case-sensitively; the
// text's length plays no part.
enum ModelTest {
  MODEL_SCH_M49,    // units 0-6 are "SCH-M49"
  MODEL_SCH_M710,   // units 0-6 are "SCH-M71": the M710 and its M715 sibling
  MODEL_X1I,        // units 0-2 are "X1i"
  MODEL_S_H_M480_,  // units 2-7 are "H-M480", whatever the first two
};

// Reads the model text into `buffer` of `bytes` bytes. When the system can't supply it the
// buffer is left as it was, so a zeroed buffer matches no test.
void readOemModel(WCHAR* buffer, UINT bytes);

bool matchesModel(const WCHAR* model, ModelTest test);
