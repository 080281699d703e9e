#include "tests/e2e/driver/EnvironmentBlock.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <stdexcept>

namespace kit::e2e {
namespace {

using ::testing::ElementsAre;

std::u16string Block(std::initializer_list<const char16_t*> entries) {
  std::u16string b;
  for (const char16_t* e : entries) {
    b += e;
    b += u'\0';
  }
  b += u'\0';
  return b;
}

TEST(EnvironmentBlock, SplitsEntriesUpToTheEmptyString) {
  EXPECT_THAT(SplitEnvironmentBlock(Block({u"=C:=C:\\x", u"A=1", u"Path=a;b"})),
              ElementsAre(u"=C:=C:\\x", u"A=1", u"Path=a;b"));
  EXPECT_TRUE(SplitEnvironmentBlock(std::u16string(2, u'\0')).empty());
  // Whatever follows the terminating empty string is not part of the block.
  EXPECT_THAT(SplitEnvironmentBlock(std::u16string(u"A=1\0\0B=2\0\0", 11)), ElementsAre(u"A=1"));
}

TEST(EnvironmentBlock, NamesMayBeginWithAnEqualsSign) {
  EXPECT_EQ(EnvironmentName(u"=C:=C:\\dir"), u"=C:");
  EXPECT_EQ(EnvironmentName(u"OPTS=a=b"), u"OPTS");
  EXPECT_EQ(EnvironmentName(u"EMPTY="), u"EMPTY");
}

TEST(EnvironmentBlock, ExtrasReplaceInheritedEntriesWhateverTheirCase) {
  const std::u16string merged = MergeEnvironment({u"Path=C:\\windows", u"TEMP=C:\\t"}, {u"PATH=Z:\\bin"});
  EXPECT_THAT(SplitEnvironmentBlock(merged), ElementsAre(u"PATH=Z:\\bin", u"TEMP=C:\\t"));
}

TEST(EnvironmentBlock, ALaterExtraWinsOverAnEarlierOne) {
  EXPECT_THAT(SplitEnvironmentBlock(MergeEnvironment({}, {u"LC_ALL=C", u"lc_all=zh_CN.UTF-8"})),
              ElementsAre(u"lc_all=zh_CN.UTF-8"));
}

TEST(EnvironmentBlock, SortsByUpperCasedNameAsWindowsRequires) {
  // In upper case 'A' (0x41) sorts before '_' (0x5F); a case-sensitive sort
  // would put "_X" before "a" (0x61). Drive entries come first.
  const std::u16string merged = MergeEnvironment({u"b=1", u"_X=3", u"=D:=D:\\"}, {u"a=2", u"LC_ALL=x"});
  EXPECT_THAT(SplitEnvironmentBlock(merged), ElementsAre(u"=D:=D:\\", u"a=2", u"b=1", u"LC_ALL=x", u"_X=3"));
}

TEST(EnvironmentBlock, EndsInTwoNulsEvenWhenEmpty) {
  const std::u16string merged = MergeEnvironment({u"A=1"}, {});
  EXPECT_EQ(merged, std::u16string(u"A=1\0\0", 5));
  EXPECT_EQ(MergeEnvironment({}, {}), std::u16string(2, u'\0'));
}

TEST(EnvironmentBlock, RefusesExtrasThatAreNotNameEqualsValue) {
  for (const char16_t* bad : {u"", u"NOVALUE", u"=", u"=nameless"}) {
    SCOPED_TRACE(std::string(bad, bad + std::char_traits<char16_t>::length(bad)));
    EXPECT_THROW(MergeEnvironment({}, {bad}), std::invalid_argument);
  }
  EXPECT_THROW(MergeEnvironment({}, {std::u16string(u"A=1\0B=2", 7)}), std::invalid_argument);
}

}  // namespace
}  // namespace kit::e2e
