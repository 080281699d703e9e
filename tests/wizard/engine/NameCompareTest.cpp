#include "wizard/engine/NameCompare.h"

#include <gtest/gtest.h>

namespace quispor {
namespace {

TEST(NameCompareTest, OnlyAsciiLettersFold) {
  EXPECT_TRUE(NamesEqualIgnoringCase(u"VEXO_80", u"vexo_80"));
  EXPECT_TRUE(NamesEqualIgnoringCase(u"", u""));
  EXPECT_TRUE(NamesEqualIgnoringCase(static_cast<const char16_t*>(nullptr), u""));
  EXPECT_FALSE(NamesEqualIgnoringCase(u"\u00c9", u"\u00e9"));  // É, é
  EXPECT_FALSE(NamesEqualIgnoringCase(u"\uff21", u"\uff41"));  // fullwidth A, a
  EXPECT_FALSE(NamesEqualIgnoringCase(u"@", u"`"));            // 0x40 and 0x60 differ by 32 too
  EXPECT_FALSE(NamesEqualIgnoringCase(u"[", u"{"));
  EXPECT_FALSE(NamesEqualIgnoringCase(u"VEXO_80", u"VEXO_80 "));
}

TEST(NameCompareTest, FindIgnoringCase) {
  EXPECT_EQ(FindIgnoringCase(u"VEXO_Printer_Render.DLL", u".dll"), 19u);
  EXPECT_EQ(FindIgnoringCase(u"a.dll.dll", u".DLL"), 1u);
  EXPECT_EQ(FindIgnoringCase(u"VEXO_58.DAT", u".dll"), std::u16string_view::npos);
  EXPECT_EQ(FindIgnoringCase(u".dl", u".dll"), std::u16string_view::npos);
  EXPECT_EQ(FindIgnoringCase(u"abc", u""), 0u);
}

}  // namespace
}  // namespace quispor
