// The port pages' decisions: which spooler ports the serial and parallel
// pages offer, the Ethernet page's number field, and its find-or-create
// sequence.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/fakes/wizard/FakeSpooler.h"
#include "tests/fakes/wizard/FakeText.h"
#include "tests/fakes/wizard/FakeUserMessages.h"
#include "tests/fakes/wizard/FakeWizardRegistry.h"
#include "wizard/ui/pages/EnetFields.h"
#include "wizard/ui/ports/EnetPort.h"
#include "wizard/ui/ports/SpoolerPorts.h"

namespace quispor {
namespace {

using kit::fakes::FakePort;

std::vector<std::string> Names(const std::vector<const char16_t*>& names) {
  std::vector<std::string> out;
  for (const char16_t* n : names) out.push_back(kit::fakes::ToUtf8(n));
  return out;
}

TEST(SpoolerPortsTest, SerialAndParallelFiltersAreCaseSensitiveAndNeedTheColon) {
  kit::fakes::FakeSpooler spooler;
  spooler.ports = {{u"COM1:"}, {u"LPT1:"}, {u"COM10:"}, {u"FILE:"}, {u"com1:"}, {u"COM1"}, {u"COM2:"},
                   {u"XPSPort:"}, {u"LPT"}, {u"NUL:COMx"}};
  const SpoolerPortList ports = EnumerateSpoolerPorts(spooler);
  EXPECT_EQ(ports.count, 10u);
  EXPECT_EQ(Names(SerialPortNames(ports)), (std::vector<std::string>{"COM1:", "COM10:", "COM2:", "NUL:COMx"}));
  EXPECT_EQ(Names(ParallelPortNames(ports)), (std::vector<std::string>{"LPT1:"}));
  EXPECT_EQ(spooler.calls, (std::vector<std::string>{"EnumPortsW(server=null, level=2, buffer=null, cb=0)",
                                                     "EnumPortsW(server=null, level=2, buffer=set, cb=888)"}));
}

TEST(SpoolerPortsTest, FailedOrEmptyEnumerationsGiveEmptyLists) {
  kit::fakes::FakeSpooler spooler;
  spooler.ports.clear();
  EXPECT_EQ(EnumerateSpoolerPorts(spooler).count, 0u);
  EXPECT_EQ(spooler.calls.size(), 1u);  // no size, no second call

  spooler.ports = {{u"COM1:"}};
  spooler.FailNext("EnumPortsW", 0);
  spooler.FailNext("EnumPortsW", 1722);
  const SpoolerPortList failed = EnumerateSpoolerPorts(spooler);
  EXPECT_EQ(failed.count, 0u);
  EXPECT_TRUE(SerialPortNames(failed).empty());

  // A spooler with no parallel port: the parallel list is empty.
  spooler.ports = {{u"COM1:"}, {u"FILE:"}};
  EXPECT_TRUE(ParallelPortNames(EnumerateSpoolerPorts(spooler)).empty());
  EXPECT_FALSE(IsSerialPortName(nullptr));
}

TEST(TcpPortNumberTest, TextConversionAsTheRuntimeDoesIt) {
  const struct {
    const char16_t* text;
    int32_t expected;
  } cases[] = {{u"", 0},         {u"abc", 0},        {u"91x", 91},      {u"  9100", 9100}, {u"\t+9100", 9100},
               {u"-5", -5},      {u"+-5", 0},        {u" - 5", 0},      {u"9100", 9100},   {u"0009", 9},
               {u"99999999999", 2147483647},         {u"-99999999999", -2147483647 - 1}};
  for (const auto& c : cases) {
    EXPECT_EQ(ParseTcpPortNumber(c.text), c.expected) << kit::fakes::ToUtf8(c.text);
  }
}

class EnetPortTest : public ::testing::Test {
 protected:
  EnetPortTest() { spooler.monitorRegistry = &registry.store; }

  std::u16string Read(const char16_t* address, const char16_t* port) {
    char16_t name[260] = {};
    ReadEnetPortName(services, address, port, ipAddress, tcpPortNumber, name);
    return name;
  }
  int Creations() const {
    int n = 0;
    for (const std::string& c : spooler.calls) n += c.rfind("XcvDataW", 0) == 0;
    return n;
  }

  kit::fakes::FakeWizardRegistry registry;
  kit::fakes::FakeSpooler spooler;
  kit::fakes::FakeUserMessages messages;
  EnetPortServices services{registry, spooler, messages};
  char16_t ipAddress[260] = {};
  int32_t tcpPortNumber = -7;
};

TEST_F(EnetPortTest, AnExistingPortIsUsedAndNoneIsCreated) {
  const std::u16string key =
      u"HKLM\\SYSTEM\\CurrentControlSet\\Control\\Print\\Monitors\\Standard TCP/IP Port\\Ports\\IP_192.168.1.100";
  registry.store.PutString(key, u"HostName", u"");
  registry.store.PutString(key, u"IPAddress", u"192.168.1.100");
  registry.store.PutDword(key, u"PortNumber", 9100);
  EXPECT_EQ(Read(u"192.168.1.100", u"9100"), u"IP_192.168.1.100");
  EXPECT_EQ(std::u16string(ipAddress), u"192.168.1.100");
  EXPECT_EQ(tcpPortNumber, 9100);
  EXPECT_EQ(Creations(), 0);
}

TEST_F(EnetPortTest, AMissingPortIsCreatedOnceAndFoundOnTheNextPress) {
  EXPECT_EQ(Read(u"192.168.1.100", u"9101"), u"192.168.1.100_Port_9101");
  EXPECT_EQ(Creations(), 1);
  EXPECT_EQ(Read(u"192.168.1.100", u"9101"), u"192.168.1.100_Port_9101");
  EXPECT_EQ(Creations(), 1);
}

TEST_F(EnetPortTest, AnEmptyOrLetterFieldLooksUpAndCreatesPortZero) {
  EXPECT_EQ(Read(u"10.0.0.1", u""), u"10.0.0.1_Port_0");
  EXPECT_EQ(tcpPortNumber, 0);
  EXPECT_EQ(Read(u"10.0.0.1", u"abc"), u"10.0.0.1_Port_0");
  EXPECT_EQ(Creations(), 1);
}

TEST_F(EnetPortTest, WithoutTheMonitorNoPortAndNoBox) {
  spooler.monitors = {u"Local Port"};
  EXPECT_EQ(Read(u"10.0.0.1", u"9100"), u"");
  EXPECT_TRUE(messages.boxes.empty());
}

TEST_F(EnetPortTest, ARefusedCreationShowsItsBoxAndLeavesTheNameEmpty) {
  spooler.addPortStatus = 87;
  EXPECT_EQ(Read(u"10.0.0.1", u"9100"), u"");
  ASSERT_EQ(messages.boxes.size(), 1u);
  EXPECT_EQ(messages.boxes[0].text, u"XcvData AddPort Error. Status:87");
}

TEST_F(EnetPortTest, OnlyTheFirst63CharactersOfThePortFieldCount) {
  const std::u16string digits = std::u16string(62, u'0') + u"12";  // 64 characters
  Read(u"10.0.0.1", digits.c_str());
  EXPECT_EQ(tcpPortNumber, 1);
}

}  // namespace
}  // namespace quispor
