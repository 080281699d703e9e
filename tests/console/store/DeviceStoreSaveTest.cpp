#include <gtest/gtest.h>

#include "console/store/DeviceStore.h"
#include "console/store/RegistryError.h"
#include "tests/console/store/StoreTestSupport.h"
#include "tests/fakes/registry/RegistryAssertions.h"

namespace vantrel {
namespace {

using kit::fakes::HasDword;
using kit::fakes::HasSz;
using test::DeviceKey;
using test::EditorEntry;
using test::kClassKey;

class SaveTest : public ::testing::Test {
 protected:
  kit::fakes::FakeRegistryStore store;
  kit::fakes::FakeConsoleRegistry api{store};
};

class SaveEveryKindTest : public SaveTest, public ::testing::WithParamInterface<int> {};

TEST_P(SaveEveryKindTest, WritesTheFourteenValuesInOrderWhateverTheKind) {
  const DeviceEntry entry = EditorEntry("Front", GetParam());
  ASSERT_TRUE(SaveDeviceEntry(api, entry));

  const std::vector<std::string> expected = {
      ":1",          "Pid:1",         "DeviceClass:1", "DeviceName:1", "DevType:1",
      "TcpIp:1",     "TcpPort:4",     "Timeout:4",     "Version:1",    "USBType:4",
      "USBDevName:1", "CommName:1",   "Baudrate:4",    "ProtocolType:4"};
  EXPECT_EQ(api.CallNames("RegSetValueExA"), expected);
  for (const auto& call : api.Calls()) {
    if (call.function == "RegSetValueExA") {
      EXPECT_EQ(call.key, "HKLM\\SOFTWARE\\OLEforRetail\\ServiceOPOS\\POSPRINTER\\Front");
    }
  }
  const std::u16string key = DeviceKey("Front");
  EXPECT_TRUE(HasSz(store, key, "", "SOZELTANO.OPOSPrinter"));
  EXPECT_TRUE(HasSz(store, key, "Pid", "p1"));
  EXPECT_TRUE(HasSz(store, key, "DeviceClass", "POSPrinter"));
  EXPECT_TRUE(HasSz(store, key, "DeviceName", "Front"));
  EXPECT_TRUE(HasSz(store, key, "DevType", ""));
  EXPECT_TRUE(HasSz(store, key, "TcpIp", "192.168.1.20"));
  EXPECT_TRUE(HasDword(store, key, "TcpPort", 9100));
  EXPECT_TRUE(HasDword(store, key, "Timeout", 700));
  EXPECT_TRUE(HasSz(store, key, "Version", "v2"));
  EXPECT_TRUE(HasDword(store, key, "USBType", 4));
  EXPECT_TRUE(HasSz(store, key, "USBDevName", "VID_811E&PID_2001"));
  EXPECT_TRUE(HasSz(store, key, "CommName", "COM12"));
  EXPECT_TRUE(HasDword(store, key, "Baudrate", 115200));
  EXPECT_TRUE(HasDword(store, key, "ProtocolType", static_cast<std::uint32_t>(GetParam())));
  EXPECT_EQ(store.OpenHandleCount(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Kinds, SaveEveryKindTest, ::testing::Values(0, 1, 2, -1));

TEST_F(SaveTest, CreatesAMissingClassKeyInUpperCaseAndOpensEveryKeyWithFullAccess) {
  ASSERT_TRUE(SaveDeviceEntry(api, EditorEntry("D1", 2)));
  EXPECT_EQ(store.SubkeyNames(test::kServiceOpos), std::vector<std::u16string>{u"POSPRINTER"});
  EXPECT_EQ(store.SubkeyNames(kClassKey), std::vector<std::u16string>{u"D1"});
  const auto& calls = api.Calls();
  ASSERT_GE(calls.size(), 4u);
  // Existence test with read rights, then creation of the class key.
  EXPECT_EQ(calls[0].function, "RegOpenKeyExA");
  EXPECT_EQ(calls[0].arg, 0x20009u);
  EXPECT_EQ(calls[0].result, 2);
  EXPECT_EQ(calls[1].function, "RegCreateKeyExA");
  EXPECT_EQ(calls[1].name, "SOFTWARE\\OLEforRetail\\ServiceOPOS\\POSPRINTER");
  for (const auto& call : calls) {
    if ((call.function == "RegCreateKeyExA" || call.function == "RegOpenKeyExA") &&
        &call != &calls[0]) {
      EXPECT_EQ(call.arg, 0xF003Fu) << call.function << " " << call.name;
    }
  }
}

TEST_F(SaveTest, ReusesAClassKeySpelledInAnotherCase) {
  store.PutKey(test::kServiceOpos + u"\\PosPrinter");
  ASSERT_TRUE(SaveDeviceEntry(api, EditorEntry("D1", 0)));
  EXPECT_EQ(store.SubkeyNames(test::kServiceOpos), std::vector<std::u16string>{u"PosPrinter"});
}

TEST_F(SaveTest, AlternateNameIsWrittenOrRepointedAndNeverRemoved) {
  store.PutString(kClassKey, u"Counter", u"Other");
  store.PutString(kClassKey, u"Old", u"Front");

  DeviceEntry entry = EditorEntry("Front", 2);
  entry.AlternateName = "counter";  // names compare without case
  ASSERT_TRUE(SaveDeviceEntry(api, entry));
  EXPECT_TRUE(HasSz(store, kClassKey, "Counter", "Front"));
  EXPECT_TRUE(HasSz(store, kClassKey, "Old", "Front"));

  api.ClearCalls();
  entry.AlternateName.clear();
  ASSERT_TRUE(SaveDeviceEntry(api, entry));
  EXPECT_EQ(store.ValueNames(kClassKey), (std::vector<std::u16string>{u"Counter", u"Old"}));
  EXPECT_EQ(api.CallNames("RegSetValueExA").size(), 14u);
  EXPECT_TRUE(api.CallNames("RegDeleteValueA").empty());
}

TEST_F(SaveTest, SavingUnderANewNameKeepsTheOldKey) {
  ASSERT_TRUE(SaveDeviceEntry(api, EditorEntry("First", 2)));
  ASSERT_TRUE(SaveDeviceEntry(api, EditorEntry("Second", 2)));
  EXPECT_EQ(store.SubkeyNames(kClassKey), (std::vector<std::u16string>{u"First", u"Second"}));
}

TEST_F(SaveTest, AClassKeyThatCannotBeOpenedWritesNothingAndReportsFalse) {
  store.PutKey(kClassKey);
  store.DenyAccess(kClassKey, kit::fakes::FakeRegistryStore::kSetValue);
  EXPECT_FALSE(SaveDeviceEntry(api, EditorEntry("D1", 2)));
  EXPECT_TRUE(api.CallNames("RegSetValueExA").empty());
  EXPECT_TRUE(store.SubkeyNames(kClassKey).empty());
  EXPECT_EQ(store.OpenHandleCount(), 0u);
}

TEST_F(SaveTest, AWriteErrorStopsTheSaveAndKeepsWhatWasWritten) {
  api.FailCall("RegSetValueExA", "Timeout", 5);
  try {
    SaveDeviceEntry(api, EditorEntry("D1", 1));
    FAIL() << "no error";
  } catch (const RegistryError& e) {
    EXPECT_STREQ(e.what(), "Failed to set data for 'Timeout'");
  }
  EXPECT_TRUE(HasDword(store, DeviceKey("D1"), "TcpPort", 9100));
  EXPECT_FALSE(store.Value(DeviceKey("D1"), u"Version"));
  EXPECT_EQ(store.OpenHandleCount(), 0u);
}

TEST_F(SaveTest, ADeviceKeyThatCannotBeCreatedIsReportedWithItsName) {
  api.FailCall("RegCreateKeyExA", "Dev 1", 5);
  try {
    SaveDeviceEntry(api, EditorEntry("Dev 1", 2));
    FAIL() << "no error";
  } catch (const RegistryError& e) {
    EXPECT_STREQ(e.what(), "Failed to create key Dev 1");
  }
  EXPECT_EQ(store.OpenHandleCount(), 0u);
}

TEST_F(SaveTest, AMissingClassKeyThatCannotBeCreatedIsReportedWithItsPath) {
  store.PutKey(test::kServiceOpos);
  store.DenyAccess(test::kServiceOpos, kit::fakes::FakeRegistryStore::kCreateSubKey);
  try {
    SaveDeviceEntry(api, EditorEntry("D1", 2));
    FAIL() << "no error";
  } catch (const RegistryError& e) {
    EXPECT_STREQ(e.what(), "Failed to create key SOFTWARE\\OLEforRetail\\ServiceOPOS\\POSPRINTER");
  }
}

TEST_F(SaveTest, NegativeIntegersAreStoredAsTheirBits) {
  DeviceEntry entry = EditorEntry("D1", -1);
  entry.Timeout = -2;
  ASSERT_TRUE(SaveDeviceEntry(api, entry));
  EXPECT_TRUE(HasDword(store, DeviceKey("D1"), "ProtocolType", 0xFFFFFFFFu));
  EXPECT_TRUE(HasDword(store, DeviceKey("D1"), "Timeout", 0xFFFFFFFEu));
}

}  // namespace
}  // namespace vantrel
