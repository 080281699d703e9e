// The console's Win32 registry adapter against Wine's real registry, for
// what Wine does as Windows does.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "console/store/RegistryAccess.h"
#include "console/win32/RegistryApiWin32.h"

namespace vantrel::win32 {
namespace {

constexpr const char* kRoot = "SOFTWARE\\KitConsoleAdapterTest";

class RegistryAdapterWineTest : public ::testing::Test {
 protected:
  void SetUp() override { RegDeleteTreeA(HKEY_LOCAL_MACHINE, kRoot); }
  void TearDown() override { RegDeleteTreeA(HKEY_LOCAL_MACHINE, kRoot); }

  RegKey Create(RegKey parent, const char* name, std::uint32_t* disposition = nullptr) {
    RegKey key = 0;
    std::uint32_t d = 0xdeadbeef;
    EXPECT_EQ(api.CreateKeyEx(parent, name, 0, kKeyAllAccess, &key, &d), 0) << name;
    if (disposition) *disposition = d;
    return key;
  }

  RegistryApiWin32 api;
};

TEST_F(RegistryAdapterWineTest, CreatesOpensAndAnswersSizeQueries) {
  std::uint32_t disposition = 0;
  RegKey root = Create(kHkeyLocalMachine, kRoot, &disposition);
  EXPECT_EQ(disposition, static_cast<std::uint32_t>(REG_CREATED_NEW_KEY));
  api.CloseKey(root);
  root = Create(kHkeyLocalMachine, kRoot, &disposition);
  EXPECT_EQ(disposition, static_cast<std::uint32_t>(REG_OPENED_EXISTING_KEY));

  const unsigned char text[] = "abc";
  ASSERT_EQ(api.SetValueEx(root, "Text", kRegSz, text, 4), 0);
  std::uint32_t type = 0xdeadbeef;
  std::uint32_t size = 0xdeadbeef;
  ASSERT_EQ(api.QueryValueEx(root, "text", &type, nullptr, &size), 0);
  EXPECT_EQ(type, kRegSz);
  EXPECT_EQ(size, 4u);
  unsigned char buffer[8] = {0xAA, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA};
  size = 2;
  EXPECT_EQ(api.QueryValueEx(root, "Text", &type, buffer, &size), ERROR_MORE_DATA);
  EXPECT_EQ(size, 4u);
  size = sizeof buffer;
  ASSERT_EQ(api.QueryValueEx(root, "Text", &type, buffer, &size), 0);
  EXPECT_EQ(size, 4u);
  EXPECT_STREQ(reinterpret_cast<char*>(buffer), "abc");
  EXPECT_EQ(buffer[4], 0xAA);
  EXPECT_EQ(api.QueryValueEx(root, "Missing", &type, nullptr, &size), ERROR_FILE_NOT_FOUND);
  RegKey missing = 0;
  EXPECT_EQ(api.OpenKeyEx(root, "Missing", 0, kKeyExistenceTest, &missing), ERROR_FILE_NOT_FOUND);
  api.CloseKey(root);
}

TEST_F(RegistryAdapterWineTest, EnumeratesSubkeysSortedAndReportsMaximumLengths) {
  RegKey root = Create(kHkeyLocalMachine, kRoot);
  for (const char* name : {"b", "A", "ccc"}) api.CloseKey(Create(root, name));
  std::uint32_t subKeys = 0, maxLen = 0;
  ASSERT_EQ(api.QueryInfoKey(root, &subKeys, &maxLen, nullptr, nullptr, nullptr), 0);
  EXPECT_EQ(subKeys, 3u);
  EXPECT_EQ(maxLen, 3u);
  char name[8];
  std::uint32_t len = 3;  // "ccc" needs 4 with the terminator
  EXPECT_EQ(api.EnumKeyEx(root, 2, name, &len), ERROR_MORE_DATA);
  RegistryAccess reg(api);
  ASSERT_TRUE(reg.OpenKey(kRoot, false));
  EXPECT_EQ(reg.GetKeyNames(), (std::vector<std::string>{"A", "b", "ccc"}));
  api.CloseKey(root);
}

TEST_F(RegistryAdapterWineTest, RecursiveDeletionRemovesTheWholeTree) {
  RegKey root = Create(kHkeyLocalMachine, kRoot);
  api.CloseKey(Create(root, "Dev\\Sub\\Deep"));
  api.CloseKey(Create(root, "Dev\\Other"));
  // A key with subkeys cannot be deleted directly.
  EXPECT_NE(api.DeleteKey(root, "Dev"), 0);
  api.CloseKey(root);
  RegistryAccess reg(api);
  EXPECT_TRUE(reg.DeleteKey(std::string(kRoot) + "\\Dev"));
  EXPECT_FALSE(reg.KeyExists(std::string(kRoot) + "\\Dev"));
  EXPECT_TRUE(reg.KeyExists(kRoot));
}

TEST_F(RegistryAdapterWineTest, TheWideCallsKeepTextTheCodePageCannotHold) {
  RegKey root = Create(kHkeyLocalMachine, kRoot);
  // "v" and a CJK character, as another tool may have stored it.
  const unsigned char wide[] = {'v', 0, 0x2d, 0x4e, 0, 0};
  ASSERT_EQ(api.SetValueExW(root, u"Version", kRegSz, wide, sizeof wide), 0);
  RegistryAccess reg(api);
  ASSERT_TRUE(reg.OpenKey(kRoot, false));
  // The 8-bit calls see a replacement character; the wide ones the value.
  EXPECT_EQ(reg.ReadString("Version"), "v?");
  const std::optional<RawValue> raw = reg.ReadRaw(u"Version", "Version");
  ASSERT_TRUE(raw);
  EXPECT_EQ(*raw, (RawValue{kRegSz, std::vector<unsigned char>(wide, wide + sizeof wide)}));
  EXPECT_FALSE(reg.ReadRaw(u"Missing", "Missing"));
  reg.WriteString("Version", "x");
  reg.WriteRaw(u"Version", "Version", *raw);
  EXPECT_EQ(reg.ReadRaw(u"Version", "Version"), raw);
  api.CloseKey(root);
}

}  // namespace
}  // namespace vantrel::win32
