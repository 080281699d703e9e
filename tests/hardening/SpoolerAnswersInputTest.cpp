// Spooler answers of a big or busy print server: hundreds of printers on one
// driver, a thousand drivers, hundreds of forms, ten thousand TCP/IP ports,
// names longer than every fixed field, and a list that grows between the
// two calls of a size query.
#include <gtest/gtest.h>

#include <string>

#include "tests/fakes/wizard/FakeSpooler.h"
#include "tests/fakes/wizard/FakeWizardRegistry.h"
#include "wizard/engine/PrinterScan.h"
#include "wizard/engine/tcpip/TcpIpPorts.h"
#include "wizard/removal/PrinterRemoval.h"

namespace quispor {
namespace {

using kit::fakes::FakePrinter;
using kit::fakes::FakeSpooler;

std::u16string Number(int i) {
  const std::string text = std::to_string(i);
  return std::u16string(text.begin(), text.end());
}

void AddPrinter(FakeSpooler& spooler, std::u16string name, std::u16string driver) {
  FakePrinter p;
  p.name = std::move(name);
  p.driver = std::move(driver);
  spooler.printers.push_back(p);
}

TEST(SpoolerAnswersInputTest, TwoHundredPrintersOnOneDriverAreAllFoundAndRemoved) {
  FakeSpooler spooler;
  for (int i = 0; i < 200; ++i) AddPrinter(spooler, u"VEXO_80(" + Number(i) + u")", u"VEXO_80");
  for (int i = 0; i < 50; ++i) AddPrinter(spooler, u"Office " + Number(i), u"Generic");

  InstalledPrinterList scan;
  ScanInstalledPrinters(spooler, ModelCatalogue, modelCount, scan);
  ASSERT_EQ(scan.count, 1);
  EXPECT_EQ(scan.records[0].printerCount, 200u);

  removal::PrinterNameList printers;
  ASSERT_EQ(removal::GetPrinterByDriverName(spooler, u"VEXO_80", printers), 0u);
  ASSERT_EQ(printers.count, 200);
  EXPECT_EQ(removal::DeleteMyPrinters(spooler, printers, removal::FormNameList{}), 0u);
  EXPECT_EQ(spooler.printers.size(), 50u);
  EXPECT_TRUE(spooler.openHandles.empty());
}

TEST(SpoolerAnswersInputTest, AThousandDriversAreAllSearched) {
  FakeSpooler spooler;
  for (int i = 0; i < 1000; ++i) spooler.drivers.push_back({u"Driver " + Number(i)});
  EXPECT_FALSE(IsDriverInstalled(spooler, u"VEXO_58"));
  spooler.drivers.push_back({u"vexo_58"});
  EXPECT_TRUE(IsDriverInstalled(spooler, u"VEXO_58"));
}

// Names past the 63-character fields: a long printer name is kept cut, a
// long driver name never passes for a catalogue model through a cut copy.
TEST(SpoolerAnswersInputTest, NamesOfThreeHundredCharactersNeverMatchACutModelName) {
  FakeSpooler spooler;
  const std::u16string longName(300, u'P');
  AddPrinter(spooler, longName, u"VEXO_80");
  AddPrinter(spooler, u"Near miss", u"VEXO_80" + std::u16string(293, u' '));
  spooler.drivers.push_back({u"VEXO_58" + std::u16string(293, u'x')});

  InstalledPrinterList scan;
  ScanInstalledPrinters(spooler, ModelCatalogue, modelCount, scan);
  ASSERT_EQ(scan.count, 1);
  ASSERT_EQ(scan.records[0].printerCount, 1u);
  EXPECT_EQ(std::u16string(scan.records[0].printerNames[0].data()), longName.substr(0, 63));
  EXPECT_FALSE(IsDriverInstalled(spooler, u"VEXO_58"));

  // The removal keeps whole names, so it deletes the printer itself.
  removal::PrinterNameList printers;
  ASSERT_EQ(removal::GetPrinterByDriverName(spooler, u"VEXO_80", printers), 0u);
  ASSERT_EQ(printers.count, 1);
  EXPECT_EQ(printers.names[0], longName);
}

// A printer added between the two calls of a size query: the second call
// fails with 122. Nothing may be read from the too-small buffer, and the
// removal's collection reports the failure rather than an empty success.
TEST(SpoolerAnswersInputTest, AListThatGrowsBetweenTheTwoCallsIsNeverReadPastItsBuffer) {
  FakeSpooler spooler;
  for (int i = 0; i < 20; ++i) AddPrinter(spooler, u"VEXO_80 " + Number(i), u"VEXO_80");
  spooler.FailNext("EnumPrintersW", 0);
  spooler.FailNext("EnumPrintersW", 122);
  removal::PrinterNameList printers;
  EXPECT_EQ(removal::GetPrinterByDriverName(spooler, u"VEXO_80", printers), 122u);
  EXPECT_EQ(printers.count, 0);

  spooler.FailNext("EnumPrinterDriversW", 0);
  spooler.FailNext("EnumPrinterDriversW", 122);
  spooler.drivers.push_back({u"VEXO_80"});
  EXPECT_FALSE(IsDriverInstalled(spooler, u"VEXO_80"));
  EXPECT_TRUE(IsDriverInstalled(spooler, u"VEXO_80"));
}

TEST(SpoolerAnswersInputTest, SixHundredFormsAreNeitherCollectedNorDeleted) {
  FakeSpooler spooler;
  AddPrinter(spooler, u"VEXO_80", u"VEXO_80");
  spooler.forms.clear();
  for (int i = 0; i < 600; ++i) spooler.forms.push_back(u"Form " + Number(i) + std::u16string(100, u'f'));
  removal::FormNameList forms;
  removal::GetMyForms(spooler, u"VEXO_80", forms);
  EXPECT_EQ(forms.count, 0);
  EXPECT_EQ(spooler.forms.size(), 600u);
  EXPECT_TRUE(spooler.openHandles.empty());
}

class TcpIpPortCapacityTest : public ::testing::Test {
 protected:
  const std::u16string kPorts =
      u"HKLM\\SYSTEM\\CurrentControlSet\\Control\\Print\\Monitors\\Standard TCP/IP Port\\Ports";
  void Port(const std::u16string& name, const std::u16string& host, uint32_t number) {
    const std::u16string key = kPorts + u"\\" + name;
    registry.store.PutString(key, u"HostName", host);
    registry.store.PutString(key, u"IPAddress", host);
    registry.store.PutDword(key, u"PortNumber", number);
  }
  std::u16string Find(const char16_t* address, int32_t number) {
    char16_t name[260 + 4] = {};
    name[260] = 0xBEEF;
    FindTcpIpPort(registry, address, number, name);
    EXPECT_EQ(name[260], 0xBEEF);
    EXPECT_EQ(registry.OpenHandles(), 0u);
    return name;
  }
  kit::fakes::FakeWizardRegistry registry;
};

TEST_F(TcpIpPortCapacityTest, TenThousandPortsAreSearchedToTheLast) {
  for (int i = 0; i < 10000; ++i) Port(u"IP_10.1." + Number(i), u"10.1." + Number(i), 9100);
  EXPECT_EQ(Find(u"10.1.9999", 9100), u"IP_10.1.9999");
  EXPECT_EQ(Find(u"10.1.9999", 9101), u"");
}

// A port value longer than the 520-byte read buffer, and a host text of
// exactly that size without a terminator: neither is read past its buffer,
// and neither matches a short address by a cut prefix.
TEST_F(TcpIpPortCapacityTest, OverlongPortValuesAreNotMatchedByAPrefix) {
  Port(u"A_Long", u"10.0.0.1" + std::u16string(400, u'0'), 9100);
  const std::u16string key = kPorts + u"\\B_Exact";
  std::vector<uint8_t> exact(520, '7');
  for (std::size_t i = 1; i < exact.size(); i += 2) exact[i] = 0;
  registry.store.PutValue(key, u"HostName", 1, exact);
  registry.store.PutDword(key, u"PortNumber", 9100);
  Port(u"C_Right", u"10.0.0.1", 9100);
  EXPECT_EQ(Find(u"10.0.0.1", 9100), u"C_Right");
  EXPECT_EQ(Find(std::u16string(260, u'7').c_str(), 9100), u"");
}

}  // namespace
}  // namespace quispor
