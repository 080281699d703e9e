#include <gtest/gtest.h>

#include "console/store/DeviceStore.h"
#include "tests/console/store/StoreTestSupport.h"

namespace vantrel {
namespace {

using test::DeviceKey;
using test::kClassKey;
using test::PutDevice;

class LoadTest : public ::testing::Test {
 protected:
  // Names of the values queried in the device key, in order (size queries
  // of text values included, so each text read appears twice).
  std::vector<std::string> DeviceReads() const {
    std::vector<std::string> names;
    for (const auto& call : api.Calls()) {
      if (call.function == "RegQueryValueExA" && call.key.ends_with("\\Front")) {
        names.push_back(call.name);
      }
    }
    return names;
  }

  kit::fakes::FakeRegistryStore store;
  kit::fakes::FakeConsoleRegistry api{store};
  DeviceEntry entry;
};

TEST_F(LoadTest, ReadsTheProfileInOrderWithTheSettingsOfItsKind) {
  struct Case {
    int protocol;
    std::vector<std::string> tail;
  };
  const Case cases[] = {{0, {"CommName", "CommName", "Baudrate"}},
                        {1, {"TcpIp", "TcpIp", "TcpPort"}},
                        {2, {"usbType", "USBDevName", "USBDevName"}},
                        {-1, {}},
                        {3, {}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.protocol);
    kit::fakes::FakeRegistryStore fresh;
    kit::fakes::FakeConsoleRegistry freshApi{fresh};
    PutDevice(fresh, "Front", c.protocol);
    DeviceEntry loaded;
    ASSERT_TRUE(LoadDeviceEntry(freshApi, "Front", loaded));

    std::vector<std::string> expected = {"Pid",     "Pid",      "DeviceClass", "DeviceClass",
                                         "DeviceName", "DeviceName", "DevType", "DevType", "ProtocolType",
                                         "Timeout", "version",  "version",     "ProtocolType"};
    // Text values are read with a size query first, integers at once.
    expected.insert(expected.end(), c.tail.begin(), c.tail.end());
    std::vector<std::string> reads;
    for (const auto& call : freshApi.Calls()) {
      if (call.function == "RegQueryValueExA" && call.key.ends_with("\\Front")) {
        reads.push_back(call.name);
      }
    }
    EXPECT_EQ(reads, expected);
    EXPECT_EQ(loaded.Pid, "PID-Front");
    EXPECT_EQ(loaded.DeviceClass, "POSPrinter");
    EXPECT_EQ(loaded.DeviceName, "Front");
    EXPECT_EQ(loaded.Timeout, 1500);
    EXPECT_EQ(loaded.Version, "1.13");
    EXPECT_EQ(loaded.ProtocolType, c.protocol);
    EXPECT_EQ(loaded.CommName, c.protocol == 0 ? "COM3" : "");
    EXPECT_EQ(loaded.Baudrate, c.protocol == 0 ? 19200 : 0);
    EXPECT_EQ(loaded.TcpIp, c.protocol == 1 ? "10.0.0.7" : "");
    EXPECT_EQ(loaded.TcpPort, c.protocol == 1 ? 9100 : 0);
    EXPECT_EQ(loaded.USBType, c.protocol == 2 ? 3 : 0);
    EXPECT_EQ(loaded.USBDevName, c.protocol == 2 ? "VID_811E&PID_0001" : "");
    EXPECT_EQ(fresh.OpenHandleCount(), 0u);
  }
}

TEST_F(LoadTest, AMissingProtocolTypeStopsAfterDevTypeKeepingWhatWasRead) {
  PutDevice(store, "Front", 1);
  ASSERT_EQ(store.ValueNames(DeviceKey("Front")).back(), u"ProtocolType");
  // Rebuild without ProtocolType.
  kit::fakes::FakeRegistryStore partial;
  kit::fakes::FakeConsoleRegistry partialApi{partial};
  for (const auto& name : store.ValueNames(DeviceKey("Front"))) {
    if (name == u"ProtocolType") continue;
    auto v = store.Value(DeviceKey("Front"), name);
    partial.PutValue(DeviceKey("Front"), name, v->type, v->data);
  }
  entry.Timeout = 42;
  entry.Version = "old";
  EXPECT_FALSE(LoadDeviceEntry(partialApi, "Front", entry));
  EXPECT_EQ(entry.DeviceName, "Front");
  EXPECT_EQ(entry.Timeout, 42);
  EXPECT_EQ(entry.Version, "old");
  EXPECT_EQ(partial.OpenHandleCount(), 0u);
}

TEST_F(LoadTest, AMissingTimeoutStopsAfterTheFirstProtocolTypeRead) {
  store.PutString(DeviceKey("Front"), u"DeviceName", u"Front");
  store.PutDword(DeviceKey("Front"), u"ProtocolType", 2);
  entry.ProtocolType = 9;
  EXPECT_FALSE(LoadDeviceEntry(api, "Front", entry));
  EXPECT_EQ(DeviceReads().back(), "Timeout");
  EXPECT_EQ(entry.ProtocolType, 9);
}

TEST_F(LoadTest, ANonTextClassValueBeforeTheAlternateNameFailsBeforeTheDeviceIsRead) {
  PutDevice(store, "Front", 2);
  store.PutDword(kClassKey, u"Flags", 1);
  store.PutString(kClassKey, u"Till", u"Front");
  entry.AlternateName = "kept";
  EXPECT_FALSE(LoadDeviceEntry(api, "Front", entry));
  EXPECT_TRUE(DeviceReads().empty());
  EXPECT_EQ(entry.AlternateName, "kept");
  EXPECT_EQ(store.OpenHandleCount(), 0u);
}

TEST_F(LoadTest, ANonTextClassValueAfterTheAlternateNameIsNeverRead) {
  PutDevice(store, "Front", 2);
  store.PutString(kClassKey, u"Till", u"Front");
  store.PutDword(kClassKey, u"Flags", 1);
  ASSERT_TRUE(LoadDeviceEntry(api, "Front", entry));
  EXPECT_EQ(entry.AlternateName, "Till");
}

TEST_F(LoadTest, TheAlternateNameIsTheFirstExactMatchAndIsClearedWhenThereIsNone) {
  PutDevice(store, "Front", 2);
  store.PutString(kClassKey, u"CaseOnly", u"front");
  store.PutString(kClassKey, u"Second", u"Front");
  store.PutString(kClassKey, u"Third", u"Front");
  ASSERT_TRUE(LoadDeviceEntry(api, "Front", entry));
  EXPECT_EQ(entry.AlternateName, "Second");

  PutDevice(store, "Back", 2);
  ASSERT_TRUE(LoadDeviceEntry(api, "Back", entry));
  EXPECT_EQ(entry.AlternateName, "");
}

TEST_F(LoadTest, AMissingDeviceKeyReadsNothingAndSucceeds) {
  store.PutString(kClassKey, u"Alias", u"Gone");
  entry.DeviceName = "Gone";
  entry.Pid = "kept";
  ASSERT_TRUE(LoadDeviceEntry(api, "Gone", entry));
  EXPECT_EQ(entry.AlternateName, "Alias");
  EXPECT_EQ(entry.Pid, "kept");
}

TEST_F(LoadTest, AWrongTypeOfADeviceValueFailsTheLoad) {
  PutDevice(store, "Front", 0);
  store.PutString(DeviceKey("Front"), u"Baudrate", u"9600");
  EXPECT_FALSE(LoadDeviceEntry(api, "Front", entry));
  EXPECT_EQ(entry.CommName, "COM3");
  EXPECT_EQ(entry.Baudrate, 0);
}

TEST_F(LoadTest, AProfileThatCannotBeOpenedWithFullAccessIsNotRead) {
  PutDevice(store, "Front", 2);
  store.DenyAccess(DeviceKey("Front"), kit::fakes::FakeRegistryStore::kSetValue);
  ASSERT_TRUE(LoadDeviceEntry(api, "Front", entry));
  EXPECT_EQ(entry.DeviceName, "");
}

TEST(ListDeviceNamesTest, ListsSubkeysInRegistryOrderOrNothing) {
  kit::fakes::FakeRegistryStore store;
  kit::fakes::FakeConsoleRegistry api{store};
  EXPECT_TRUE(ListDeviceNames(api, "POSPrinter").empty());
  store.PutKey(kClassKey);
  EXPECT_TRUE(ListDeviceNames(api, "POSPrinter").empty());
  PutDevice(store, "zeta", 2);
  PutDevice(store, "Alpha", 2);
  PutDevice(store, "beta", 2);
  EXPECT_EQ(ListDeviceNames(api, "POSPrinter"),
            (std::vector<std::string>{"Alpha", "beta", "zeta"}));
  EXPECT_EQ(store.OpenHandleCount(), 0u);
}

class DeleteTest : public LoadTest {};

TEST_F(DeleteTest, DeletesTheFirstExactAlternateNameOnly) {
  store.PutString(kClassKey, u"CaseOnly", u"front");
  store.PutString(kClassKey, u"A1", u"Front");
  store.PutString(kClassKey, u"A2", u"Front");
  DeleteAlternateName(api, "POSPrinter", "Front");
  EXPECT_EQ(store.ValueNames(kClassKey), (std::vector<std::u16string>{u"CaseOnly", u"A2"}));
  EXPECT_EQ(store.OpenHandleCount(), 0u);
}

TEST_F(DeleteTest, ANonTextValueEndsTheAlternateSearchSilently) {
  store.PutDword(kClassKey, u"Flags", 1);
  store.PutString(kClassKey, u"A1", u"Front");
  DeleteAlternateName(api, "POSPrinter", "Front");
  EXPECT_EQ(store.ValueNames(kClassKey), (std::vector<std::u16string>{u"Flags", u"A1"}));
  EXPECT_EQ(store.OpenHandleCount(), 0u);
  DeleteAlternateName(api, "NoSuchClass", "Front");  // nothing to open, nothing thrown
}

TEST_F(DeleteTest, DeletesTheDeviceKeyWithItsSubkeysFromTheLastIndex) {
  PutDevice(store, "Front", 2);
  store.PutKey(DeviceKey("Front") + u"\\a");
  store.PutKey(DeviceKey("Front") + u"\\b\\inner");
  store.PutKey(DeviceKey("Front") + u"\\C");
  PutDevice(store, "Back", 2);

  EXPECT_TRUE(DeleteDeviceKey(api, "POSPrinter\\Front"));
  EXPECT_EQ(api.CallNames("RegDeleteKeyA"),
            (std::vector<std::string>{"C", "inner", "b", "a",
                                      "SOFTWARE\\OLEforRetail\\ServiceOPOS\\POSPrinter\\Front"}));
  EXPECT_EQ(store.SubkeyNames(kClassKey), std::vector<std::u16string>{u"Back"});
  EXPECT_EQ(store.OpenHandleCount(), 0u);

  EXPECT_FALSE(DeleteDeviceKey(api, "POSPrinter\\Front"));
}

TEST_F(DeleteTest, AKeyThatRefusesDeletionReportsFalse) {
  PutDevice(store, "Front", 2);
  store.DenyAccess(DeviceKey("Front"), kit::fakes::FakeRegistryStore::kDelete);
  EXPECT_FALSE(DeleteDeviceKey(api, "POSPrinter\\Front"));
  EXPECT_TRUE(store.HasKey(DeviceKey("Front")));
}

}  // namespace
}  // namespace vantrel
