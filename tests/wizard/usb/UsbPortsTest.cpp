// The USB port search against fake Plug and Play, device setup, registry and
// spooler: port names, the list, the two agreed changes, and the trace.
#include "wizard/engine/usb/UsbPorts.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/fakes/wizard/FakeCodePage.h"
#include "tests/fakes/wizard/FakeComboBox.h"
#include "tests/fakes/wizard/FakeCrtFiles.h"
#include "tests/fakes/wizard/FakeDeviceSetup.h"
#include "tests/fakes/wizard/FakeSpooler.h"
#include "tests/fakes/wizard/FakeText.h"
#include "tests/fakes/wizard/FakeWizardRegistry.h"
#include "wizard/engine/DebugLog.h"

namespace quispor {
namespace {

const std::u16string kClassKey =
    u"HKLM\\SYSTEM\\CurrentControlSet\\Control\\DeviceClasses\\{28d78fad-5a12-11d1-ae5b-0000f803a8c2}";
const std::u16string kClassSuffix = u"#{28d78fad-5a12-11d1-ae5b-0000f803a8c2}";

class UsbPortsTest : public ::testing::Test {
 protected:
  void SetUp() override { BindDebugLog(codePage, files); }
  void TearDown() override { UnbindDebugLog(); }

  // A present USB printer: its interface path and, unless number is null,
  // its device class entry with a port number.
  std::u16string Device(const std::u16string& instance, const uint32_t* number,
                        const char16_t* description = u"USB Virtual printer port") {
    const std::u16string path = u"\\\\?\\usb#vid_0fe6&pid_811e#" + instance + kClassSuffix;
    devices.usbPrintInterfaces.push_back(path);
    if (number != nullptr) {
      const std::u16string parameters = kClassKey + u"\\##?#USB#VID_0FE6&PID_811E#" + instance + kClassSuffix +
                                        u"\\#\\Device Parameters";
      registry.store.PutDword(parameters, u"Port Number", *number);
      if (description != nullptr) registry.store.PutString(parameters, u"Port Description", description);
    }
    return path;
  }
  int Search(uint16_t modelIndex = 2) { return SetUSBPortName(services, list, modelIndex, table, listed); }

  // The log file's bytes for caller texts, as text mode stores them.
  static std::string Stored(const std::vector<std::string>& lines) {
    std::string out;
    for (const std::string& line : lines) {
      for (char c : line + "\n") {
        if (c == '\n') out += '\r';
        out += c;
      }
    }
    return out;
  }
  std::string Log() { return files.Exists(kDebugLogPath) ? files.File(kDebugLogPath).bytes : ""; }

  kit::fakes::FakeDeviceSetup devices;
  kit::fakes::FakeWizardRegistry registry;
  kit::fakes::FakeSpooler spooler;
  kit::fakes::FakeCodePage codePage;
  kit::fakes::FakeCrtFiles files;
  UsbSearchServices services{devices, registry, spooler};
  kit::fakes::FakeComboBox list;  // the USB page's sorted port list
  // The list's messages other than the selection's, in order.
  std::vector<std::string> Adds() const {
    std::vector<std::string> adds;
    for (const std::string& call : list.calls) {
      if (call.rfind("add ", 0) == 0) adds.push_back(call);
    }
    return adds;
  }
  UsbDeviceTable table;
  ListedUsbPorts listed;
};

TEST_F(UsbPortsTest, PortNumbersGiveZeroPaddedNamesAndTheFirstDeviceIsSelected) {
  const uint32_t numbers[] = {12, 1, 1000, 123};
  for (int i = 0; i < 4; ++i) Device(u"000" + std::u16string(1, char16_t(u'1' + i)), &numbers[i]);
  EXPECT_EQ(Search(), 4);
  EXPECT_EQ(Adds(), (std::vector<std::string>{"add USB012", "add USB001", "add USB1000", "add USB123"}));
  EXPECT_EQ(list.SelectedText(), u"USB012");
  EXPECT_EQ(listed.count, 4);
  EXPECT_EQ(std::u16string(table.portNames[2]), u"USB1000");
  EXPECT_EQ(devices.OpenSets(), 0u);
  EXPECT_EQ(registry.OpenHandles(), 0u);
}

TEST_F(UsbPortsTest, TwoInterfacesOnOnePortGiveOneEntry) {
  const uint32_t one = 1;
  Device(u"0001", &one);
  Device(u"0002", &one);
  EXPECT_EQ(Search(), 1);
  EXPECT_EQ(Adds(), (std::vector<std::string>{"add USB001"}));
  EXPECT_EQ(list.SelectedText(), u"USB001");
}

TEST_F(UsbPortsTest, NoPrinterAttachedListsNothingAfterTheWholeCallSequence) {
  EXPECT_EQ(Search(), 0);
  EXPECT_TRUE(list.calls.empty());
  EXPECT_EQ(devices.calls,
            (std::vector<std::string>{"CM_Locate_DevNodeW(id=null, flags=0)", "CM_Reenumerate_DevNode(1, flags=0)",
                                      "Sleep(200)",
                                      "SetupDiGetClassDevsW(USBPRINT, enumerator=null, parent=null, flags=0x12)",
                                      "SetupDiEnumDeviceInterfaces(0x2000, info=null, USBPRINT, index=0)",
                                      "SetupDiDestroyDeviceInfoList(0x2000)"}));
  EXPECT_EQ(spooler.calls, (std::vector<std::string>{"EnumPortsW(server=null, level=2, buffer=null, cb=0)",
                                                     "EnumPortsW(server=null, level=2, buffer=set, cb=704)"}));
}

TEST_F(UsbPortsTest, ADeviceWithoutRegistryEntryIsSkippedEvenWhenLast) {
  const uint32_t one = 1;
  const uint32_t two = 2;
  Device(u"0001", &one);
  Device(u"0002", nullptr);
  Device(u"0003", &two);
  Device(u"0004", nullptr);
  EXPECT_EQ(Search(), 2);
  EXPECT_EQ(Adds(), (std::vector<std::string>{"add USB001", "add USB002"}));
  EXPECT_EQ(list.SelectedText(), u"USB001");
  EXPECT_EQ(GetPortNameOfUSBDev(registry, table), 0u);
}

// The sorted list puts USB100 before USB1000, and a prefix search that
// starts after the first item finds USB1000 for "USB100": the printer would
// be created on the wrong device.
TEST_F(UsbPortsTest, TheFirstDevicesPortIsSelectedByItsWholeName) {
  const uint32_t hundred = 100;
  const uint32_t thousand = 1000;
  Device(u"0001", &hundred);
  Device(u"0002", &thousand);
  EXPECT_EQ(Search(), 2);
  EXPECT_EQ(list.items, (std::vector<std::u16string>{u"USB100", u"USB1000"}));
  EXPECT_EQ(list.SelectedText(), u"USB100");
}

TEST_F(UsbPortsTest, ADeviceWhosePortNumberCannotBeReadIsSkipped) {
  const uint32_t one = 1;
  const uint32_t four = 4;
  Device(u"0001", &one);
  const std::u16string parameters =
      kClassKey + u"\\##?#USB#VID_0FE6&PID_811E#0002" + kClassSuffix + u"\\#\\Device Parameters";
  Device(u"0002", &one);
  registry.store.PutString(parameters, u"Port Number", u"2");  // 1630: not a number
  const std::u16string noNumber =
      kClassKey + u"\\##?#USB#VID_0FE6&PID_811E#0003" + kClassSuffix + u"\\#\\Device Parameters";
  Device(u"0003", nullptr);
  registry.store.PutString(noNumber, u"Port Description", u"USB printer");  // 2: no "Port Number"
  const std::u16string refused =
      kClassKey + u"\\##?#USB#VID_0FE6&PID_811E#0005" + kClassSuffix + u"\\#\\Device Parameters";
  Device(u"0005", &four);
  registry.store.DenyAccess(refused);  // 5
  Device(u"0004", &four);
  EXPECT_EQ(Search(), 2);
  EXPECT_EQ(list.items, (std::vector<std::u16string>{u"USB001", u"USB004"}));
  EXPECT_EQ(list.SelectedText(), u"USB001");
  EXPECT_EQ(table.count, 5);
  EXPECT_EQ(std::u16string(table.portNames[1]), u"");
  EXPECT_EQ(GetPortNameOfUSBDev(registry, table), 0u);
}

TEST_F(UsbPortsTest, DevicesWithoutAPortNameAreNeverListedAndWholeNamesAreCompared) {
  devices.usbPrintInterfaces.push_back(u"\\\\?\\usb#no_class_marker");
  const uint32_t thousand = 1000;
  const uint32_t hundred = 100;
  const uint32_t huge = 10000;
  Device(u"0001", &thousand);
  Device(u"0002", &hundred);
  Device(u"0003", &huge);
  EXPECT_EQ(Search(), 2);
  EXPECT_EQ(Adds(), (std::vector<std::string>{"add USB1000", "add USB100"}));
  EXPECT_EQ(list.SelectedText(), u"USB1000");
}

TEST_F(UsbPortsTest, AFailedReenumerationEndsTheSearchAtOnce) {
  devices.locateResult = 19;  // what Wine answers
  const uint32_t one = 1;
  Device(u"0001", &one);
  EXPECT_EQ(Search(), 0);
  EXPECT_EQ(devices.calls, (std::vector<std::string>{"CM_Locate_DevNodeW(id=null, flags=0)"}));
  EXPECT_TRUE(spooler.calls.empty());
  devices.locateResult = 0;
  devices.reenumerateResult = 31;
  EXPECT_EQ(Search(), 0);
  EXPECT_TRUE(devices.sleeps.empty());
}

TEST_F(UsbPortsTest, OtherFailuresEndTheSearchWithNothingListed) {
  const uint32_t one = 1;
  Device(u"0001", &one);
  Device(u"0002", &one);
  // A registry refusal on the device class key all devices are found under.
  registry.store.DenyAccess(kClassKey);
  EXPECT_EQ(Search(), 0);
  EXPECT_TRUE(list.calls.empty());
  registry.store.DenyAccess(kClassKey, 0);

  spooler.FailNext("EnumPortsW", 1722);
  EXPECT_EQ(Search(), 0);
  EXPECT_TRUE(list.calls.empty());
  devices.classDevsInvalid = true;
  devices.classDevsError = 1004;
  EXPECT_EQ(Search(), 0);
  EXPECT_EQ(ListUsbPrintInterfaces(devices, table), 1004u);
}

TEST_F(UsbPortsTest, EnumerationResults) {
  EXPECT_EQ(GetSysUSBPorts(spooler), 122u);
  spooler.FailNext("EnumPortsW", 5);
  EXPECT_EQ(GetSysUSBPorts(spooler), 5u);
  spooler.FailNext("EnumPortsW", 0);
  spooler.FailNext("EnumPortsW", 1722);
  EXPECT_EQ(GetSysUSBPorts(spooler), 1722u);
  spooler.ports.clear();
  EXPECT_EQ(GetSysUSBPorts(spooler), 0u);

  EXPECT_EQ(ListUsbPrintInterfaces(devices, table), 0u);
  const uint32_t one = 1;
  Device(u"0001", &one);
  EXPECT_EQ(ListUsbPrintInterfaces(devices, table), 122u);
  EXPECT_EQ(table.count, 1);
  devices.detailSizeError = 13;
  EXPECT_EQ(ListUsbPrintInterfaces(devices, table), 13u);
  EXPECT_EQ(devices.OpenSets(), 0u);
}

TEST_F(UsbPortsTest, PortNameFormat) {
  char16_t name[kUsbPortNameCapacity];
  const struct {
    uint32_t number;
    const char16_t* expected;
  } cases[] = {{0, u"USB000"}, {1, u"USB001"}, {9, u"USB009"}, {10, u"USB010"}, {99, u"USB099"},
               {100, u"USB100"}, {9999, u"USB9999"}, {10000, u""}, {0xFFFFFFFFu, u""}};
  for (const auto& c : cases) {
    FormatUsbPortName(c.number, name);
    EXPECT_EQ(std::u16string(name), c.expected) << c.number;
  }
}

TEST_F(UsbPortsTest, TheTraceOfOneDeviceCharacterForCharacter) {
  files.File(kDebugFlagPath);
  spooler.ports = {{u"USB001", u"USB Monitor", u"Virtual printer port for USB"}};
  const uint32_t one = 1;
  Device(u"5&2a&0&1", &one, u"VEXO USB");
  EXPECT_EQ(Search(3), 1);
  const std::string path = "\\\\?\\USB#VID_0FE6&PID_811E#5&2A&0&1#{28D78FAD-5A12-11D1-AE5B-0000F803A8C2}";
  const std::string classPath =
      "SYSTEM\\CurrentControlSet\\Control\\DeviceClasses\\{28D78FAD-5A12-11D1-AE5B-0000F803A8C2}";
  const std::string subkey = "##?#USB#VID_0FE6&PID_811E#5&2A&0&1#{28D78FAD-5A12-11D1-AE5B-0000F803A8C2}";
  EXPECT_EQ(Log(), Stored({
                       "GetSysUSBPorts: USB001\r\n",
                       "GetPortNameOfUSBDev: i=0\r\n",
                       "\\\\?\\usb#vid_0fe6&pid_811e#5&2a&0&1#{28d78fad-5a12-11d1-ae5b-0000f803a8c2}",
                       "EnumDeviceUSBPort:path=" + classPath + "\r\n",
                       "EnumDeviceUSBPort:value=" + subkey + "\r\n",
                       "EnumDeviceUSBPort:pDevName=" + path + "\r\n",
                       "EnumDeviceUSBPort:bufT1=##?#USB#VID_0FE6&PID_811E#5&2A&0&1#{28D78FAD-5A12-11D1-AE5B-"
                       "0000F803A8C2}\r\n",
                       "EnumDeviceUSBPort:subPath=" + classPath + "\\" + subkey + "\\#\\Device Parameters\r\n",
                       "EnumDeviceUSBPort:pPortDescription=VEXO USB,err=0\r\n",
                       "EnumDeviceUSBPort: 1\r\n",
                       "USB001",
                       "SetUSBPortName: USB001\r\n",
                       "SetUSBPortName:portDescription=VEXO USB,3,wcsPrinterTypeName=VEXO_58\r\n",
                   }));
  // The search upper-cases the table's paths in place.
  EXPECT_EQ(kit::fakes::ToUtf8(table.devicePaths[0]), path);
}

TEST_F(UsbPortsTest, TraceOfTheFailurePaths) {
  files.File(kDebugFlagPath);
  spooler.ports.clear();
  char16_t path[kDevicePathCapacity] = u"\\\\?\\usb#plain";
  char16_t name[kUsbPortNameCapacity] = u"X";
  char16_t description[kPortDescriptionCapacity] = {};
  EXPECT_EQ(EnumDeviceUSBPort(registry, path, name, description), 0u);
  EXPECT_EQ(name[0], u'\0');
  EXPECT_EQ(Log(), Stored({"EnumDeviceUSBPort not Find\r\n"}));

  files.File(kDebugLogPath).bytes.clear();
  char16_t other[kDevicePathCapacity] = u"\\\\?\\usb#x#{guid}";
  registry.store.PutKey(u"HKLM\\SYSTEM\\CurrentControlSet\\Control\\DeviceClasses\\{GUID}");
  registry.store.DenyAccess(u"HKLM\\SYSTEM\\CurrentControlSet\\Control\\DeviceClasses\\{GUID}");
  EXPECT_EQ(EnumDeviceUSBPort(registry, other, name, description), 5u);
  EXPECT_EQ(Log(), Stored({"EnumDeviceUSBPort:path=SYSTEM\\CurrentControlSet\\Control\\DeviceClasses\\{GUID}\r\n",
                           "EnumDeviceUSBPort:err111=5"}));

  // A device whose number cannot be read.
  files.File(kDebugLogPath).bytes.clear();
  const std::u16string parameters = kClassKey + u"\\##?#USB#A" + kClassSuffix + u"\\#\\Device Parameters";
  registry.store.PutString(parameters, u"Port Number", u"1");
  char16_t third[kDevicePathCapacity] = {};
  const std::u16string p = u"\\\\?\\usb#a" + kClassSuffix;
  std::copy(p.begin(), p.end(), third);
  EXPECT_EQ(EnumDeviceUSBPort(registry, third, name, description), 1630u);
  const std::string log = Log();
  EXPECT_NE(log.find("EnumDeviceUSBPort:pPortDescription=,err=2\r\r\n\r\n"), std::string::npos) << log;
  EXPECT_NE(log.find("EnumDeviceUSBPort: err=1630\r\r\n\r\n"), std::string::npos) << log;
  EXPECT_EQ(name[0], u'\0');
}

TEST_F(UsbPortsTest, ReenumerationLocatesTheRootAndReenumeratesIt) {
  EXPECT_EQ(ReenumerateDevices(devices), 0u);
  EXPECT_EQ(devices.reenumerations, 1u);
  devices.locateResult = 19;
  EXPECT_EQ(ReenumerateDevices(devices), 19u);
  EXPECT_EQ(devices.calls.back(), "CM_Locate_DevNodeW(id=null, flags=0)");
}

}  // namespace
}  // namespace quispor
