// Finding Standard TCP/IP ports in the monitor's registry keys and creating
// them through the monitor.
#include "wizard/engine/tcpip/TcpIpPorts.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/fakes/wizard/FakeSpooler.h"
#include "tests/fakes/wizard/FakeUserMessages.h"
#include "tests/fakes/wizard/FakeWizardRegistry.h"
#include "wizard/engine/RegValue.h"

namespace quispor {
namespace {

const std::u16string kPorts = u"HKLM\\SYSTEM\\CurrentControlSet\\Control\\Print\\Monitors\\Standard TCP/IP Port\\Ports";

class TcpIpPortsTest : public ::testing::Test {
 protected:
  void Port(const std::u16string& name, const char16_t* host, const char16_t* ip, const uint32_t* number) {
    const std::u16string key = kPorts + u"\\" + name;
    registry.store.PutKey(key);
    if (host != nullptr) registry.store.PutString(key, u"HostName", host);
    if (ip != nullptr) registry.store.PutString(key, u"IPAddress", ip);
    if (number != nullptr) registry.store.PutDword(key, u"PortNumber", *number);
  }
  std::u16string Find(const char16_t* address, int32_t number) {
    char16_t name[260] = {};
    FindTcpIpPort(registry, address, number, name);
    EXPECT_EQ(registry.OpenHandles(), 0u);
    return name;
  }

  kit::fakes::FakeWizardRegistry registry;
  kit::fakes::FakeSpooler spooler;
  kit::fakes::FakeUserMessages messages;
  const uint32_t k9100 = 9100;
  const uint32_t k9101 = 9101;
};

TEST_F(TcpIpPortsTest, AddressPortIsFoundOnlyForItsNumber) {
  Port(u"IP_192.168.1.100", u"", u"192.168.1.100", &k9100);
  EXPECT_EQ(Find(u"192.168.1.100", 9100), u"IP_192.168.1.100");
  EXPECT_EQ(Find(u"192.168.1.100", 9101), u"");
  EXPECT_EQ(Find(u"192.168.1.10", 9100), u"");
}

TEST_F(TcpIpPortsTest, WalkReadsTheValuesOfEachSubkeyWithTheirTypes) {
  Port(u"IP_192.168.1.100", u"", u"192.168.1.100", &k9100);
  Find(u"192.168.1.100", 9100);
  EXPECT_EQ(registry.calls,
            (std::vector<std::string>{
                "RegCreateKeyExW(HKLM, \"SYSTEM\\CurrentControlSet\\Control\\Print\\Monitors\\Standard TCP/IP "
                "Port\\Ports\", reserved=0, class=null, options=0, sam=0xF003F, security=null, disposition=null)",
                "RegEnumKeyExW(0x1000, index=0, cch=260, reserved=null, class=null, cchClass=null, time=null)",
                "RegCreateKeyExW(HKLM, \"SYSTEM\\CurrentControlSet\\Control\\Print\\Monitors\\Standard TCP/IP "
                "Port\\Ports\\IP_192.168.1.100\", reserved=0, class=null, options=0, sam=0xF003F, security=null, "
                "disposition=null)",
                "FindRegGetValueW()", "RegGetValueW(0x1004, sub=\"\", \"HostName\", flags=0x2, type=null, cb=520)",
                "FindRegGetValueW()", "RegGetValueW(0x1004, sub=\"\", \"IPAddress\", flags=0x2, type=null, cb=520)",
                "FindRegGetValueW()", "RegGetValueW(0x1004, sub=\"\", \"PortNumber\", flags=0x10, type=null, cb=4)",
                "RegCloseKey(0x1004)", "RegCloseKey(0x1000)"}));
}

TEST_F(TcpIpPortsTest, TheFirstMatchInRegistryOrderWinsAndAddressesCompareWithoutCase) {
  Port(u"b_port", u"", u"printer.local", &k9100);
  Port(u"A_port", u"", u"PRINTER.LOCAL", &k9100);
  EXPECT_EQ(Find(u"Printer.Local", 9100), u"A_port");
}

TEST_F(TcpIpPortsTest, AHostNameIsComparedAloneWhateverTheAddressHolds) {
  Port(u"named", u"Till-3", u"10.0.0.9", &k9100);
  EXPECT_EQ(Find(u"till-3", 9100), u"named");
  EXPECT_EQ(Find(u"10.0.0.9", 9100), u"");
}

TEST_F(TcpIpPortsTest, AnUnreadablePortNumberMatchesOnly64242) {
  Port(u"no_number", u"", u"10.0.0.5", nullptr);
  EXPECT_EQ(Find(u"10.0.0.5", 9100), u"");
  EXPECT_EQ(Find(u"10.0.0.5", 64242), u"no_number");
  // A number stored as text is of the wrong type for the read, so it counts
  // as unreadable too.
  registry.store.PutString(kPorts + u"\\no_number", u"PortNumber", u"9100");
  EXPECT_EQ(Find(u"10.0.0.5", 9100), u"");
}

TEST_F(TcpIpPortsTest, EntriesWithoutUsableTextsAreSkipped) {
  Port(u"a_no_host", nullptr, u"10.0.0.7", &k9100);
  Port(u"b_empty_ip", u"", u"", &k9100);
  Port(u"c_no_ip", u"", nullptr, &k9100);
  Port(u"d_denied", u"", u"10.0.0.7", &k9100);
  registry.store.DenyAccess(kPorts + u"\\d_denied");
  Port(u"e_good", u"", u"10.0.0.7", &k9100);
  EXPECT_EQ(Find(u"10.0.0.7", 9100), u"e_good");
  EXPECT_EQ(Find(u"", 9100), u"");
}

TEST_F(TcpIpPortsTest, AMissingPortsKeyIsCreatedEmptyAndFindsNothing) {
  EXPECT_EQ(Find(u"10.0.0.7", 9100), u"");
  EXPECT_TRUE(registry.store.HasKey(kPorts));
  registry.store.DenyAccess(kPorts);
  EXPECT_EQ(Find(u"10.0.0.7", 9100), u"");
}

TEST_F(TcpIpPortsTest, WithoutRegGetValueWTheValuesAreQueried) {
  registry.hasRegGetValueW = false;
  Port(u"IP_192.168.1.100", u"", u"192.168.1.100", &k9100);
  EXPECT_EQ(Find(u"192.168.1.100", 9100), u"IP_192.168.1.100");
  EXPECT_NE(std::find(registry.calls.begin(), registry.calls.end(),
                      "RegQueryValueExW(0x1004, \"PortNumber\", reserved=null, type=null, cb=4)"),
            registry.calls.end());
}

TEST_F(TcpIpPortsTest, ReadRegValueReportsShortBuffersAndMissingValues) {
  registry.store.PutString(u"HKLM\\K", u"Text", u"abcdef");
  platform::RegKey key;
  ASSERT_EQ(OpenMachineKey(registry, u"K", key), 0u);
  char16_t small[3] = {};
  uint32_t size = sizeof small;
  EXPECT_EQ(ReadRegValue(registry, key.get(), u"Text", platform::kRrfRtRegSz, small, &size), 234u);
  EXPECT_EQ(size, 14u);
  EXPECT_EQ(ReadRegValue(registry, key.get(), u"Missing", platform::kRrfRtRegSz, small, &size), 2u);
  uint32_t number = 0;
  size = sizeof number;
  EXPECT_EQ(ReadRegValue(registry, key.get(), u"Text", platform::kRrfRtRegDword, &number, &size), 1630u);
}

TEST_F(TcpIpPortsTest, AddTcpIpPortCreatesARawPortThatIsThenFound) {
  spooler.monitorRegistry = &registry.store;
  Port(u"IP_192.168.1.100", u"", u"192.168.1.100", &k9100);
  EXPECT_EQ(Find(u"192.168.1.100", 9101), u"");
  EXPECT_TRUE(AddTcpIpPort(spooler, messages, u"192.168.1.100", 9101));
  EXPECT_EQ(spooler.calls,
            (std::vector<std::string>{"OpenPrinterW(name=\", XcvMonitor Standard TCP/IP Port\", datatype=null, "
                                      "devmode=null, access=0x1)",
                                      "XcvDataW(0x1000, \"AddPort\", input=set, cbInput=964, output=null, cbOutput=0)",
                                      "ClosePrinter(0x1000)"}));
  EXPECT_TRUE(messages.boxes.empty());
  EXPECT_EQ(Find(u"192.168.1.100", 9101), u"192.168.1.100_Port_9101");
  const std::u16string key = kPorts + u"\\192.168.1.100_Port_9101";
  auto dword = [&](const char16_t* name) {
    const auto v = registry.store.Value(key, name);
    return v ? uint32_t(v->data[0] | v->data[1] << 8 | v->data[2] << 16 | v->data[3] << 24) : 0xFFFFFFFFu;
  };
  EXPECT_EQ(dword(u"Protocol"), 1u);
  EXPECT_EQ(dword(u"Version"), 1u);
  EXPECT_EQ(dword(u"SNMP Enabled"), 0u);
  EXPECT_EQ(dword(u"SNMP Index"), 1u);
  const auto community = registry.store.Value(key, u"SNMP Community");
  ASSERT_TRUE(community.has_value());
  EXPECT_EQ(community->data, (std::vector<uint8_t>{'k', 0, 'e', 0, 's', 0, 't', 0, 'o', 0, 'r', 0, 0, 0}));
  EXPECT_TRUE(spooler.openHandles.empty());
}

TEST_F(TcpIpPortsTest, AnExistingPortCountsAsSuccessButIsFoundOnlyWhenItMatches) {
  spooler.monitorRegistry = &registry.store;
  ASSERT_TRUE(AddTcpIpPort(spooler, messages, u"10.1.1.1", 9100));
  // Same port name again: the monitor answers 183.
  EXPECT_TRUE(AddTcpIpPort(spooler, messages, u"10.1.1.1", 9100));
  EXPECT_TRUE(messages.boxes.empty());
  // A port of that name whose values say otherwise is not found.
  registry.store.PutString(kPorts + u"\\10.1.1.1_Port_9100", u"IPAddress", u"10.1.1.2");
  EXPECT_EQ(Find(u"10.1.1.1", 9100), u"");
}

TEST_F(TcpIpPortsTest, ARefusedCreationShowsItsStatusInABoxWithoutOwnerOrCaption) {
  spooler.addPortStatus = 5;
  EXPECT_FALSE(AddTcpIpPort(spooler, messages, u"10.1.1.1", 9100));
  ASSERT_EQ(messages.boxes.size(), 1u);
  EXPECT_EQ(messages.boxes[0].text, u"XcvData AddPort Error. Status:5");
  EXPECT_FALSE(messages.boxes[0].owned);
  EXPECT_FALSE(messages.boxes[0].hasCaption);
  EXPECT_EQ(messages.boxes[0].type, 0u);
  EXPECT_TRUE(spooler.openHandles.empty());
}

TEST_F(TcpIpPortsTest, AFailedCallShowsItsOwnBox) {
  spooler.FailNext("XcvDataW", 1);
  EXPECT_FALSE(AddTcpIpPort(spooler, messages, u"10.1.1.1", 9100));
  ASSERT_EQ(messages.boxes.size(), 1u);
  EXPECT_EQ(messages.boxes[0].text, u"XcvData AddPort Failed");
  EXPECT_FALSE(messages.boxes[0].owned);
  EXPECT_FALSE(messages.boxes[0].hasCaption);
  EXPECT_TRUE(spooler.openHandles.empty());
}

TEST_F(TcpIpPortsTest, WithoutTheMonitorNothingIsShown) {
  // As under Wine: no Standard TCP/IP monitor.
  spooler.monitors = {u"Local Port"};
  EXPECT_FALSE(AddTcpIpPort(spooler, messages, u"10.1.1.1", 9100));
  EXPECT_TRUE(messages.boxes.empty());
  EXPECT_EQ(spooler.calls.size(), 1u);
}

}  // namespace
}  // namespace quispor
