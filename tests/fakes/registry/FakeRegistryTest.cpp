// The fake must answer like Windows, or the tests built on it prove nothing.
#include <gtest/gtest.h>

#include "tests/fakes/registry/FakeConsoleRegistry.h"

namespace kit::fakes {
namespace {

constexpr vantrel::RegKey kHklm = vantrel::kHkeyLocalMachine;

class FakeRegistryTest : public ::testing::Test {
 protected:
  vantrel::RegKey Create(const char* path, std::uint32_t access = 0xF003F) {
    vantrel::RegKey key = 0;
    EXPECT_EQ(api.CreateKeyEx(kHklm, path, 0, access, &key, nullptr), 0) << path;
    return key;
  }
  FakeRegistryStore store;
  FakeConsoleRegistry api{store};
};

TEST_F(FakeRegistryTest, NamesCompareWithoutCaseAndSubkeysEnumerateSorted) {
  const vantrel::RegKey root = Create("Software\\Kit");
  for (const char* name : {"b", "A_B", "ab", "\xE9t\xE9", "Zed"}) {
    vantrel::RegKey k = 0;
    ASSERT_EQ(api.CreateKeyEx(root, name, 0, 0xF003F, &k, nullptr), 0);
    api.CloseKey(k);
  }
  vantrel::RegKey again = 0;
  std::uint32_t disposition = 0;
  ASSERT_EQ(api.CreateKeyEx(kHklm, "SOFTWARE\\KIT\\AB", 0, 0xF003F, &again, &disposition), 0);
  EXPECT_EQ(disposition, 2u);  // opened, not created
  api.CloseKey(again);
  // Upper-case order: '_' (0x5F) sorts after the letters, Latin-1 after ASCII.
  EXPECT_EQ(store.SubkeyNames(u"HKLM\\Software\\Kit"),
            (std::vector<std::u16string>{u"ab", u"A_B", u"b", u"Zed", u"\u00e9t\u00e9"}));
  char name[8];
  std::uint32_t len = 2;
  EXPECT_EQ(api.EnumKeyEx(root, 0, name, &len), 234);  // "ab" needs 3 with the terminator
  len = 3;
  EXPECT_EQ(api.EnumKeyEx(root, 0, name, &len), 0);
  EXPECT_EQ(len, 2u);
  len = 8;
  EXPECT_EQ(api.EnumKeyEx(root, 5, name, &len), 259);
  api.CloseKey(root);
  EXPECT_EQ(store.OpenHandleCount(), 0u);
}

TEST_F(FakeRegistryTest, ValuesKeepCreationOrderAndSizesFollowTheNarrowCalls) {
  const vantrel::RegKey key = Create("Software\\Kit");
  const unsigned char text[] = "hello";
  ASSERT_EQ(api.SetValueEx(key, "z", 1, text, 6), 0);
  ASSERT_EQ(api.SetValueEx(key, "a", 4, text, 4), 0);
  ASSERT_EQ(api.SetValueEx(key, "Z", 1, text, 3), 0);  // overwrites in place
  EXPECT_EQ(store.ValueNames(u"HKLM\\Software\\Kit"), (std::vector<std::u16string>{u"z", u"a"}));

  std::uint32_t type = 0xdeadbeef;
  std::uint32_t size = 0xdeadbeef;
  EXPECT_EQ(api.QueryValueEx(key, "z", &type, nullptr, &size), 0);
  EXPECT_EQ(type, 1u);
  EXPECT_EQ(size, 3u);
  unsigned char buffer[8] = {0xAA, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA};
  size = 2;
  EXPECT_EQ(api.QueryValueEx(key, "z", &type, buffer, &size), 234);
  EXPECT_EQ(size, 3u);
  EXPECT_EQ(buffer[0], 0xAA);  // nothing written into a short buffer
  size = 8;
  EXPECT_EQ(api.QueryValueEx(key, "z", &type, buffer, &size), 0);
  EXPECT_EQ(size, 3u);
  EXPECT_EQ(buffer[3], 0xAA);  // nothing past the data
  EXPECT_EQ(api.QueryValueEx(key, "missing", &type, nullptr, &size), 2);
  EXPECT_EQ(api.DeleteValue(key, "missing"), 2);
  api.CloseKey(key);
}

TEST_F(FakeRegistryTest, AccessIsCheckedOnOpenAndOnEachHandle) {
  store.PutKey(u"HKLM\\Software\\Kit\\Locked");
  store.DenyAccess(u"HKLM\\Software\\Kit\\Locked", FakeRegistryStore::kSetValue);
  vantrel::RegKey key = 0;
  EXPECT_EQ(api.OpenKeyEx(kHklm, "Software\\Kit\\Locked", 0, 0xF003F, &key), 5);
  ASSERT_EQ(api.OpenKeyEx(kHklm, "Software\\Kit\\Locked", 0, 0x20019, &key), 0);
  const unsigned char one[4] = {1, 0, 0, 0};
  EXPECT_EQ(api.SetValueEx(key, "v", 4, one, 4), 5);  // a read handle cannot write
  api.CloseKey(key);

  EXPECT_EQ(api.CloseKey(0x1234), 6);
  EXPECT_EQ(api.OpenKeyEx(kHklm, "\\Software", 0, 0xF003F, &key), 161);
}

TEST_F(FakeRegistryTest, DeletionRefusesParentsAndInvalidatesOpenHandles) {
  store.PutKey(u"HKLM\\Software\\Kit\\Parent\\Child");
  const vantrel::RegKey child = Create("Software\\Kit\\Parent\\Child");
  EXPECT_EQ(api.DeleteKey(kHklm, "Software\\Kit\\Parent"), 5);
  EXPECT_EQ(api.DeleteKey(kHklm, "Software\\Kit\\Parent\\Child"), 0);
  const unsigned char one[4] = {1, 0, 0, 0};
  EXPECT_EQ(api.SetValueEx(child, "v", 4, one, 4), 1018);
  EXPECT_EQ(api.DeleteKey(kHklm, "Software\\Kit\\Parent\\Child"), 2);
  api.CloseKey(child);
}

}  // namespace
}  // namespace kit::fakes
