#include <gtest/gtest.h>

#include "console/store/RegistryAccess.h"
#include "console/store/RegistryError.h"
#include "tests/console/store/StoreTestSupport.h"

namespace vantrel {
namespace {

using test::kClassKey;

class RegistryAccessTest : public ::testing::Test {
 protected:
  void SetUp() override { store.PutKey(kClassKey); }

  std::string ErrorOf(const std::function<void()>& f) {
    try {
      f();
    } catch (const RegistryError& e) {
      return e.what();
    }
    return "(no error)";
  }

  kit::fakes::FakeRegistryStore store;
  kit::fakes::FakeConsoleRegistry api{store};
  RegistryAccess reg{api};
  const std::string path = "SOFTWARE\\OLEforRetail\\ServiceOPOS\\POSPRINTER";
};

TEST_F(RegistryAccessTest, TextReadsFollowTheTypeRules) {
  store.PutValue(kClassKey, u"Expand", 2, {'%', 0, 'X', 0, '%', 0, 0, 0});
  store.PutValue(kClassKey, u"Empty", 1, {});
  store.PutValue(kClassKey, u"Unterminated", 1, {'a', 0, 'b', 0});
  store.PutValue(kClassKey, u"Inner", 1, {'a', 0, 0, 0, 'b', 0, 0, 0});
  store.PutDword(kClassKey, u"Number", 5);
  ASSERT_TRUE(reg.OpenKey(path, false));

  EXPECT_EQ(reg.ReadString("Expand"), "%X%");  // not expanded
  EXPECT_EQ(reg.ReadString("Empty"), "");
  EXPECT_EQ(reg.ReadString("Missing"), "");
  EXPECT_EQ(reg.ReadString("Unterminated"), "ab");
  EXPECT_EQ(reg.ReadString("Inner"), "a");
  EXPECT_EQ(ErrorOf([&] { reg.ReadString("Number"); }), "Invalid data type for 'Number'");
}

TEST_F(RegistryAccessTest, IntegerReadsFollowTheTypeAndSizeRules) {
  store.PutDword(kClassKey, u"Minus", 0xFFFFFFFFu);
  store.PutValue(kClassKey, u"Binary", 3, {1, 0, 0, 0});
  store.PutValue(kClassKey, u"Wide", 11, {1, 0, 0, 0, 0, 0, 0, 0});
  store.PutValue(kClassKey, u"Short", 4, {7, 1});
  store.PutString(kClassKey, u"Text", u"1");
  ASSERT_TRUE(reg.OpenKey(path, false));

  EXPECT_EQ(reg.ReadInteger("minus"), -1);
  EXPECT_EQ(reg.ReadInteger("Short"), 0x107);
  EXPECT_EQ(ErrorOf([&] { reg.ReadInteger("Missing"); }), "Failed to get data for 'Missing'");
  EXPECT_EQ(ErrorOf([&] { reg.ReadInteger("Wide"); }), "Failed to get data for 'Wide'");
  EXPECT_EQ(ErrorOf([&] { reg.ReadInteger("Binary"); }), "Invalid data type for 'Binary'");
  EXPECT_EQ(ErrorOf([&] { reg.ReadInteger("Text"); }), "Invalid data type for 'Text'");
}

TEST_F(RegistryAccessTest, AValueThatGrowsAfterTheSizeQueryIsReadWhole) {
  store.PutString(kClassKey, u"Grows", u"ab");
  const std::u16string big(100000, u'x');
  int queries = 0;
  api.beforeCall = [&](const std::string& fn) {
    if (fn == "RegQueryValueExA" && ++queries == 2) store.PutString(kClassKey, u"Grows", big);
  };
  ASSERT_TRUE(reg.OpenKey(path, false));
  const std::string text = reg.ReadString("Grows");
  EXPECT_EQ(text.size(), big.size());
  EXPECT_EQ(text.find_first_not_of('x'), std::string::npos);
  EXPECT_EQ(api.Calls().back().result, 0);
}

TEST_F(RegistryAccessTest, NameListsSurviveANameLongerThanTheReportedMaximum) {
  store.PutKey(kClassKey + u"\\a");
  store.PutString(kClassKey, u"v", u"1");
  const std::u16string longName(300, u'k');
  api.beforeCall = [&](const std::string& fn) {
    if (fn == "RegEnumKeyExA") store.PutKey(kClassKey + u"\\" + longName);
    if (fn == "RegEnumValueA") store.PutString(kClassKey, longName, u"2");
  };
  ASSERT_TRUE(reg.OpenKey(path, false));
  EXPECT_EQ(reg.GetKeyNames(),
            (std::vector<std::string>{"a", kit::fakes::NarrowBytes(longName)}));
  EXPECT_EQ(reg.GetValueNames(),
            (std::vector<std::string>{"v", kit::fakes::NarrowBytes(longName)}));
}

TEST_F(RegistryAccessTest, OpeningClosesThePreviousKeyAndTheDestructorTheLast) {
  {
    RegistryAccess local{api};
    ASSERT_TRUE(local.OpenKey(path, false));
    ASSERT_TRUE(local.OpenKey(path, false));
    EXPECT_EQ(store.OpenHandleCount(), 1u);
    EXPECT_FALSE(local.OpenKey(path + "\\Missing", false));
    EXPECT_FALSE(local.HasOpenKey());
    EXPECT_EQ(store.OpenHandleCount(), 0u);
    ASSERT_TRUE(local.OpenKey(path, false));
  }
  EXPECT_EQ(store.OpenHandleCount(), 0u);
}

TEST_F(RegistryAccessTest, WritesTerminateTextAndKeepIntegerBits) {
  ASSERT_TRUE(reg.OpenKey(path, false));
  reg.WriteString("T", "abc");
  reg.WriteInteger("I", -5);
  const auto text = store.Value(kClassKey, u"T");
  ASSERT_TRUE(text);
  EXPECT_EQ(text->data.size(), 8u);  // three characters and the terminator
  const auto number = store.Value(kClassKey, u"I");
  ASSERT_TRUE(number);
  EXPECT_EQ(number->data, (std::vector<std::uint8_t>{0xFB, 0xFF, 0xFF, 0xFF}));
  api.FailCall("RegSetValueExA", "*", 5);
  EXPECT_EQ(ErrorOf([&] { reg.WriteString("T", "x"); }), "Failed to set data for 'T'");
  EXPECT_EQ(ErrorOf([&] { reg.WriteInteger("I", 1); }), "Failed to set data for 'I'");
}

}  // namespace
}  // namespace vantrel
