// Device-setup answers of a machine with many or odd USB printers: more
// interfaces than the table holds, port numbers past four digits, device
// paths far longer than the path slot, registry entries of the wrong size.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/fakes/wizard/FakeDeviceSetup.h"
#include "tests/fakes/wizard/FakeSpooler.h"
#include "tests/fakes/wizard/FakeWizardRegistry.h"
#include "wizard/engine/usb/UsbPorts.h"

namespace quispor {
namespace {

const std::u16string kClassKey =
    u"HKLM\\SYSTEM\\CurrentControlSet\\Control\\DeviceClasses\\{28d78fad-5a12-11d1-ae5b-0000f803a8c2}";
const std::u16string kClassSuffix = u"#{28d78fad-5a12-11d1-ae5b-0000f803a8c2}";

class CountingList : public UsbPortList {
 public:
  std::vector<std::u16string> added;
  void AddString(const char16_t* text) override { added.emplace_back(text); }
  int FindStringExact(int, const char16_t*) override { return -1; }
  void SetCurSel(int) override {}
};

class UsbPortInputTest : public ::testing::Test {
 protected:
  std::u16string Parameters(const std::u16string& instance) {
    return kClassKey + u"\\##?#USB#VID_0FE6&PID_811E#" + instance + kClassSuffix + u"\\#\\Device Parameters";
  }
  void Device(const std::u16string& instance, uint32_t number) {
    devices.usbPrintInterfaces.push_back(u"\\\\?\\usb#vid_0fe6&pid_811e#" + instance + kClassSuffix);
    registry.store.PutDword(Parameters(instance), u"Port Number", number);
  }
  int Search() {
    const int added = SetUSBPortName(services, list, 2, *table, listed);
    EXPECT_EQ(devices.OpenSets(), 0u);
    EXPECT_EQ(registry.OpenHandles(), 0u);
    return added;
  }
  static std::u16string Number(int i) {
    const std::string t = std::to_string(i);
    return std::u16string(t.begin(), t.end());
  }

  kit::fakes::FakeDeviceSetup devices;
  kit::fakes::FakeWizardRegistry registry;
  kit::fakes::FakeSpooler spooler;
  UsbSearchServices services{devices, registry, spooler};
  CountingList list;
  std::unique_ptr<UsbDeviceTable> table = std::make_unique<UsbDeviceTable>();
  ListedUsbPorts listed;
};

TEST_F(UsbPortInputTest, MoreThanSixtyFourInterfacesFillTheTableAndNoMore) {
  for (int i = 0; i < 70; ++i) Device(u"I" + Number(i), static_cast<uint32_t>(i + 1));
  EXPECT_EQ(Search(), 64);
  EXPECT_EQ(table->count, 64);
  EXPECT_EQ(list.added.back(), u"USB064");
}

TEST_F(UsbPortInputTest, PortNumbersPastFourDigitsAreNeverOfferedNorCut) {
  const uint32_t numbers[] = {9999, 10000, 65535, 0x7FFFFFFF, 0x80000000u, 0xFFFFFFFFu, 0};
  for (uint32_t n : numbers) Device(u"N" + Number(static_cast<int>(n % 100000)), n);
  EXPECT_EQ(Search(), 2);
  EXPECT_EQ(list.added, (std::vector<std::u16string>{u"USB9999", u"USB000"}));
  for (uint16_t i = 0; i < table->count; ++i) {
    EXPECT_LT(std::char_traits<char16_t>::length(table->portNames[i]), 8u);
  }
}

// A path of 1,000 characters does not fit the 260-character slot: that
// device is left out, whole, and the devices after it are still offered.
TEST_F(UsbPortInputTest, AThousandCharacterDevicePathIsLeftOutAndTheOthersStay) {
  devices.usbPrintInterfaces.push_back(u"\\\\?\\usb#vid_0fe6&pid_811e#" + std::u16string(960, u'x') +
                                       kClassSuffix);
  Device(u"0002", 2);
  EXPECT_EQ(Search(), 1);
  EXPECT_EQ(list.added, (std::vector<std::u16string>{u"USB002"}));
}

// A description that fills its buffer without a terminator (read with
// RegQueryValueExW, where RegGetValueW is missing) stays inside its field;
// a port number that is not four bytes stops the search (RegGetValueW's
// datatype mismatch, 1629) and nothing is offered rather than a guess.
TEST_F(UsbPortInputTest, OddlySizedRegistryEntriesStayInsideTheirFields) {
  registry.hasRegGetValueW = false;
  Device(u"0001", 1);
  std::vector<uint8_t> description(520, 'd');
  for (std::size_t i = 1; i < description.size(); i += 2) description[i] = 0;
  registry.store.PutValue(Parameters(u"0001"), u"Port Description", 1, description);
  EXPECT_EQ(Search(), 1);
  EXPECT_EQ(list.added, (std::vector<std::u16string>{u"USB001"}));
  EXPECT_EQ(std::char_traits<char16_t>::length(table->portDescriptions[0]), 259u);

  registry.hasRegGetValueW = true;
  for (const std::vector<uint8_t>& number : {std::vector<uint8_t>{7, 0}, std::vector<uint8_t>(8, 1)}) {
    registry.store.PutValue(Parameters(u"0001"), u"Port Number", 3, number);
    list.added.clear();
    EXPECT_EQ(Search(), 0);
    EXPECT_TRUE(list.added.empty());
  }
}

}  // namespace
}  // namespace quispor
