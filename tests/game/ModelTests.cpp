// The model tests compare fixed positions, case-sensitively, whatever the text's length.
#include <gtest/gtest.h>

#include "ArrowTestWindow.h"
#include "device/OemModel.h"
#include "spinner/Arrow.h"

namespace {

struct ModelCase {
  const WCHAR* text;
  ModelTest test;
  bool matches;
};

// clang-format off
const ModelCase modelCases[] = {
    // SCH-M49 needs all seven units.
    {TEXT("SCH-M490"), MODEL_SCH_M49, true}, {TEXT("SCH-M49"), MODEL_SCH_M49, true},
    {TEXT("SCH-M495 whatever follows"), MODEL_SCH_M49, true}, {TEXT("SCH-M4"), MODEL_SCH_M49, false},
    {TEXT("sch-m490"), MODEL_SCH_M49, false}, {TEXT("SCH-M480"), MODEL_SCH_M49, false},
    {TEXT(""), MODEL_SCH_M49, false},
    // SCH-M710 leaves the last unit open.
    {TEXT("SCH-M710"), MODEL_SCH_M710, true}, {TEXT("SCH-M715"), MODEL_SCH_M710, true},
    {TEXT("SCH-M71"), MODEL_SCH_M710, true}, {TEXT("SCH-M720"), MODEL_SCH_M710, false},
    {TEXT("SCH-M7"), MODEL_SCH_M710, false},
    // X1i compares three units.
    {TEXT("X1i"), MODEL_X1I, true}, {TEXT("X1i Xperia"), MODEL_X1I, true}, {TEXT("X1"), MODEL_X1I, false},
    {TEXT("x1i"), MODEL_X1I, false}, {TEXT("X1I"), MODEL_X1I, false},
    // S_H-M480_ accepts any first two units.
    {TEXT("SCH-M480"), MODEL_S_H_M480_, true}, {TEXT("SPH-M480"), MODEL_S_H_M480_, true},
    {TEXT("??H-M480"), MODEL_S_H_M480_, true}, {TEXT("ZZH-M4801"), MODEL_S_H_M480_, true},
    {TEXT("SCH-M49"), MODEL_S_H_M480_, false}, {TEXT("SCH-M48"), MODEL_S_H_M480_, false},
    {TEXT("SCh-M480"), MODEL_S_H_M480_, false},
};
// clang-format on

TEST(ModelTest, ComparesFixedPositionsCaseSensitively) {
  for (size_t i = 0; i < std::size(modelCases); ++i) {
    const ModelCase& c = modelCases[i];
    EXPECT_EQ(matchesModel(c.text, c.test), c.matches) << "case " << i;
  }
  WCHAR zeros[10] = {};  // no model text: nothing matches
  for (ModelTest test : {MODEL_SCH_M49, MODEL_SCH_M710, MODEL_X1I, MODEL_S_H_M480_}) {
    EXPECT_FALSE(matchesModel(zeros, test));
  }
}

// The arrow's field holds 30 units: a text with no room for the terminator is not supplied.
TEST(ModelText, TextLongerThanTheFieldIsNotRead) {
  spinner_test::startPhone(480, 800, "SCH-M490 with a long trailing name");
  Arrow a;
  for (WCHAR unit : a.oemModel) EXPECT_EQ(unit, 0);
  spinner_test::startPhone(480, 800, "SCH-M490 with a trailing name");
  Arrow fits;
  EXPECT_EQ(std::u16string(fits.oemModel), u"SCH-M490 with a trailing name");
}

}  // namespace
