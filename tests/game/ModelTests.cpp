// The model tests compare fixed positions, case-sensitively, whatever the text's length.
#include <gtest/gtest.h>

#include "ArrowTestWindow.h"
#include "device/OemModel.h"
#include "spinner/Arrow.h"

namespace {

TEST(ModelTest, SchM49NeedsAllSevenUnits) {
  EXPECT_TRUE(matchesModel(TEXT("SCH-M490"), MODEL_SCH_M49));
  EXPECT_TRUE(matchesModel(TEXT("SCH-M49"), MODEL_SCH_M49));
  EXPECT_TRUE(matchesModel(TEXT("SCH-M495 whatever follows"), MODEL_SCH_M49));
  EXPECT_FALSE(matchesModel(TEXT("SCH-M4"), MODEL_SCH_M49));
  EXPECT_FALSE(matchesModel(TEXT("sch-m490"), MODEL_SCH_M49));
  EXPECT_FALSE(matchesModel(TEXT("SCH-M480"), MODEL_SCH_M49));
  EXPECT_FALSE(matchesModel(TEXT(""), MODEL_SCH_M49));
}

TEST(ModelTest, SchM710LeavesTheLastUnitOpen) {
  EXPECT_TRUE(matchesModel(TEXT("SCH-M710"), MODEL_SCH_M710));
  EXPECT_TRUE(matchesModel(TEXT("SCH-M715"), MODEL_SCH_M710));
  EXPECT_TRUE(matchesModel(TEXT("SCH-M71"), MODEL_SCH_M710));
  EXPECT_FALSE(matchesModel(TEXT("SCH-M720"), MODEL_SCH_M710));
  EXPECT_FALSE(matchesModel(TEXT("SCH-M7"), MODEL_SCH_M710));
}

TEST(ModelTest, X1iComparesThreeUnits) {
  EXPECT_TRUE(matchesModel(TEXT("X1i"), MODEL_X1I));
  EXPECT_TRUE(matchesModel(TEXT("X1i Xperia"), MODEL_X1I));
  EXPECT_FALSE(matchesModel(TEXT("X1"), MODEL_X1I));
  EXPECT_FALSE(matchesModel(TEXT("x1i"), MODEL_X1I));
  EXPECT_FALSE(matchesModel(TEXT("X1I"), MODEL_X1I));
}

TEST(ModelTest, SH480AcceptsAnyFirstTwoUnits) {
  EXPECT_TRUE(matchesModel(TEXT("SCH-M480"), MODEL_S_H_M480_));
  EXPECT_TRUE(matchesModel(TEXT("SPH-M480"), MODEL_S_H_M480_));
  EXPECT_TRUE(matchesModel(TEXT("??H-M480"), MODEL_S_H_M480_));
  EXPECT_TRUE(matchesModel(TEXT("ZZH-M4801"), MODEL_S_H_M480_));
  EXPECT_FALSE(matchesModel(TEXT("SCH-M49"), MODEL_S_H_M480_));
  EXPECT_FALSE(matchesModel(TEXT("SCH-M48"), MODEL_S_H_M480_));
  EXPECT_FALSE(matchesModel(TEXT("SCh-M480"), MODEL_S_H_M480_));
}

TEST(ModelTest, ZeroedTextMatchesNothing) {
  WCHAR zeros[10] = {};
  EXPECT_FALSE(matchesModel(zeros, MODEL_SCH_M49));
  EXPECT_FALSE(matchesModel(zeros, MODEL_SCH_M710));
  EXPECT_FALSE(matchesModel(zeros, MODEL_X1I));
  EXPECT_FALSE(matchesModel(zeros, MODEL_S_H_M480_));
}

TEST(ModelText, ArrowKeepsTheModelItFinds) {
  spinner_test::startPhone(480, 800, "SCH-M490");
  Arrow a;
  EXPECT_EQ(std::u16string(a.oemModel), u"SCH-M490");
  EXPECT_TRUE(matchesModel(a.oemModel, MODEL_SCH_M49));
}

TEST(ModelText, NoModelLeavesTheFieldZeroed) {
  spinner_test::startPhone(480, 800, "");
  Arrow a;
  for (WCHAR unit : a.oemModel) EXPECT_EQ(unit, 0);
}

TEST(ModelText, TextLongerThanTheFieldIsNotRead) {
  // 30 units with no room for the terminator: the system doesn't supply it.
  spinner_test::startPhone(480, 800, "SCH-M490 with a long trailing name");
  Arrow a;
  EXPECT_FALSE(matchesModel(a.oemModel, MODEL_SCH_M49));
}

}  // namespace
