#include <gtest/gtest.h>

#include "console/editor/EditorRules.h"

namespace vantrel {
namespace {

TEST(StrToIntDefTest, AcceptsOnlySignedDecimalWithinThirtyTwoBits) {
  EXPECT_EQ(StrToIntDef("9100", 1), 9100);
  EXPECT_EQ(StrToIntDef("+80", 1), 80);
  EXPECT_EQ(StrToIntDef("-0", 1), 0);
  EXPECT_EQ(StrToIntDef("2147483647", 1), 2147483647);
  EXPECT_EQ(StrToIntDef("-2147483648", 1), -2147483647 - 1);
  for (const char* bad : {"", "+", "-", " 80", "80 ", "8O", "0x10", "$10", "2147483648",
                          "-2147483649", "99999999999999999999999", "1e3", "٣"}) {
    EXPECT_EQ(StrToIntDef(bad, 5100), 5100) << '"' << bad << '"';
  }
}

TEST(PageStepTest, ShowsExactlyThePageAndTabOfTheKindAndNothingOtherwise) {
  EXPECT_EQ(PageStep(0), (PageState{0, {true, false, false}}));
  EXPECT_EQ(PageStep(1), (PageState{1, {false, true, false}}));
  EXPECT_EQ(PageStep(2), (PageState{2, {false, false, true}}));
  EXPECT_EQ(PageStep(-1), (PageState{-1, {false, false, false}}));
  EXPECT_EQ(PageStep(3), (PageState{-1, {false, false, false}}));
}

TEST(ErrorDisplayTextTest, AppendsAFullStopOnlyAfterBytesAboveIt) {
  EXPECT_EQ(ErrorDisplayText("Failed to create key Dev1"), "Failed to create key Dev1.");
  EXPECT_EQ(ErrorDisplayText("Failed to set data for 'Pid'"), "Failed to set data for 'Pid'");
  EXPECT_EQ(ErrorDisplayText("Done."), "Done.");
  EXPECT_EQ(ErrorDisplayText("Stop!"), "Stop!");     // '!' comes before '.'
  EXPECT_EQ(ErrorDisplayText("dash-"), "dash-");     // so does '-'
  EXPECT_EQ(ErrorDisplayText("slash/"), "slash/.");  // '/' comes after
  EXPECT_EQ(ErrorDisplayText("caf\xE9"), "caf\xE9.");  // compared as unsigned
  EXPECT_EQ(ErrorDisplayText(""), "");
}

TEST(ProgramTitleTest, IsTheFileNameWithoutFolderAndExtension) {
  EXPECT_EQ(ProgramTitleFromPath("C:\\Program Files\\Kit\\Vantrel.exe"), "Vantrel");
  EXPECT_EQ(ProgramTitleFromPath("Z:\\a.b\\my.tool.exe"), "my.tool");
  EXPECT_EQ(ProgramTitleFromPath("Vantrel"), "Vantrel");
}

}  // namespace
}  // namespace vantrel
