#include "tests/e2e/driver/WindowRules.h"

#include <gtest/gtest.h>

namespace kit::e2e {
namespace {

ChildInfo Child(const char16_t* cls, const char16_t* text = u"", int32_t id = 0, uint32_t style = 0,
                bool visible = true, bool showsIcon = true) {
  return ChildInfo{cls, text, id, style, visible, showsIcon};
}

constexpr uint32_t kIcon = 0x03;            // SS_ICON
constexpr uint32_t kIconCentred = 0x203;    // SS_ICON | SS_CENTERIMAGE

TEST(WindowRules, ClassNamesCompareWithoutCase) {
  EXPECT_TRUE(SameClassName(u"COMBOBOX", u"ComboBox"));
  EXPECT_TRUE(SameClassName(u"#32770", u"#32770"));
  EXPECT_FALSE(SameClassName(u"Edit", u"Edit2"));
  EXPECT_FALSE(SameClassName(u"Static", u"Button"));
  EXPECT_TRUE(IsHelperWindowClass(u"ime"));
  EXPECT_FALSE(IsHelperWindowClass(u"#32770"));
}

TEST(WindowRules, SearchesDoNotEnterTheInnerWindowsOfCompositeControls) {
  EXPECT_TRUE(IsCompositeControlClass(u"combobox"));
  EXPECT_TRUE(IsCompositeControlClass(u"SysIPAddress32"));
  EXPECT_FALSE(IsCompositeControlClass(u"#32770"));  // pages hold the controls
  EXPECT_FALSE(IsCompositeControlClass(u"Edit"));
}

TEST(WindowRules, ALabelLabelsTheNextSiblingThatIsNoStatic) {
  const std::vector<ChildInfo> siblings = {
      Child(u"Edit"), Child(u"Static", u"Port:"), Child(u"Static", u"(1-65535)"), Child(u"Edit"),
      Child(u"Static", u"Address:"), Child(u"SysIPAddress32")};
  EXPECT_EQ(LabelledSibling(siblings, u"Port:"), 3u);
  EXPECT_EQ(LabelledSibling(siblings, u"Address:"), 5u);
}

TEST(WindowRules, LabelTextMustMatchExactly) {
  const std::vector<ChildInfo> siblings = {Child(u"Static", u"Port:"), Child(u"Edit")};
  EXPECT_FALSE(LabelledSibling(siblings, u"Port"));
  EXPECT_FALSE(LabelledSibling(siblings, u"port:"));
  // A button with the text is no label.
  EXPECT_FALSE(LabelledSibling({Child(u"Button", u"Port:"), Child(u"Edit")}, u"Port:"));
}

TEST(WindowRules, AnAccessKeyMarkIsNotPartOfTheLabel) {
  const std::vector<ChildInfo> siblings = {Child(u"Static", u"&Port:"), Child(u"Edit"),
                                           Child(u"Static", u"Save && Close"), Child(u"Button")};
  EXPECT_EQ(LabelledSibling(siblings, u"Port:"), 1u);
  EXPECT_EQ(LabelledSibling(siblings, u"&Port:"), 1u);
  EXPECT_EQ(LabelledSibling(siblings, u"Save & Close"), 3u);
  EXPECT_FALSE(LabelledSibling(siblings, u"Save  Close"));
}

TEST(WindowRules, ALabelWithNothingButStaticsAfterItLabelsNothing) {
  EXPECT_FALSE(LabelledSibling({Child(u"Edit"), Child(u"Static", u"Name:"), Child(u"Static", u"x")}, u"Name:"));
  EXPECT_FALSE(LabelledSibling({}, u"Name:"));
}

TEST(WindowRules, OnlyStaticsAndButtonsMakeAMessageBox) {
  EXPECT_TRUE(LooksLikeMessageBox({Child(u"Static", u"", 20, kIcon), Child(u"Static", u"Sure?", 0xFFFF),
                                   Child(u"Button", u"&Yes", 6), Child(u"Button", u"&No", 7)}));
  EXPECT_FALSE(LooksLikeMessageBox({Child(u"Static", u"Name:"), Child(u"Edit"), Child(u"Button", u"OK", 1)}));
  EXPECT_FALSE(LooksLikeMessageBox({Child(u"Static", u"no buttons")}));
  EXPECT_FALSE(LooksLikeMessageBox({}));
}

TEST(WindowRules, TheMessageTextIsTheStaticWithId0xFFFF) {
  // Another static with text comes first; the id decides. A DIALOGEX id of
  // -1 reads back as 0xFFFFFFFF.
  const MessageBoxLayout a = DescribeMessageBox(
      {Child(u"Static", u"other"), Child(u"Static", u"The text", 0xFFFF), Child(u"Button", u"OK", 1)});
  EXPECT_EQ(a.text, 1u);
  const MessageBoxLayout b = DescribeMessageBox({Child(u"Static", u"The text", -1), Child(u"Button", u"OK", 1)});
  EXPECT_EQ(b.text, 0u);
}

TEST(WindowRules, WithoutId0xFFFFTheFirstNonIconStaticWithTextHoldsTheMessage) {
  const MessageBoxLayout layout = DescribeMessageBox(
      {Child(u"Static", u"", 20, kIcon), Child(u"Static", u""), Child(u"Static", u"Saved."), Child(u"Button", u"OK", 1)});
  EXPECT_EQ(layout.text, 2u);
  EXPECT_FALSE(DescribeMessageBox({Child(u"Button", u"OK", 1)}).text);
}

TEST(WindowRules, AnIconCountsOnlyWhenItIsAVisibleIconStatic) {
  EXPECT_TRUE(DescribeMessageBox({Child(u"Static", u"", 20, kIconCentred), Child(u"Button", u"OK")}).hasIcon);
  EXPECT_FALSE(DescribeMessageBox({Child(u"Static", u"", 1088, kIcon, false), Child(u"Button", u"OK")}).hasIcon);
  // Wine leaves a visible, empty icon static (id 1088) in a box without icon.
  EXPECT_FALSE(
      DescribeMessageBox({Child(u"Static", u"", 1088, kIcon, true, false), Child(u"Button", u"OK")}).hasIcon);
  EXPECT_FALSE(DescribeMessageBox({Child(u"Static", u"text", 0xFFFF, 0x0), Child(u"Button", u"OK")}).hasIcon);
  // SS_BITMAP (0x0E) shares bits with SS_ICON but is no icon.
  EXPECT_FALSE(DescribeMessageBox({Child(u"Static", u"", 5, 0x0E), Child(u"Button", u"OK")}).hasIcon);
}

TEST(WindowRules, ButtonsKeepTheirOrder) {
  const MessageBoxLayout layout = DescribeMessageBox(
      {Child(u"Button", u"&Yes", 6), Child(u"Static", u"Sure?", 0xFFFF), Child(u"Button", u"&No", 7),
       Child(u"Button", u"Cancel", 2)});
  EXPECT_EQ(layout.buttons, (std::vector<size_t>{0, 2, 3}));
}

}  // namespace
}  // namespace kit::e2e
