#include "wizard/engine/usb/UsbPorts.h"

#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <string_view>

#include "wizard/engine/DebugLog.h"
#include "wizard/engine/ModelCatalogue.h"
#include "wizard/engine/NameCompare.h"
#include "wizard/engine/RegValue.h"
#include "wizard/engine/WideFormat.h"
#include "wizard/engine/WideText.h"
#include "wizard/engine/platform/SpoolerBuffer.h"

namespace quispor {
namespace {

constexpr uint32_t kSubkeyNameChars = 260;
constexpr uint32_t kDescriptionBytes = kPortDescriptionCapacity * sizeof(char16_t);

void Log(const std::u16string& line) { WriteDebugLog(line.c_str()); }


void UpperCaseInPlace(char16_t* text) {
  for (; *text != u'\0'; ++text) {
    *text = ToAsciiUpper(*text);
  }
}

bool AlreadyListed(const ListedUsbPorts& listed, const char16_t* name) {
  for (uint16_t i = 0; i < listed.count; ++i) {
    if (View(listed.names[i]) == View(name)) {
      return true;
    }
  }
  return false;
}

}  // namespace

UsbDeviceTable& ProcessUsbDeviceTable() {
  static UsbDeviceTable* table = new UsbDeviceTable;
  return *table;
}

ListedUsbPorts& ProcessListedUsbPorts() {
  static ListedUsbPorts* listed = new ListedUsbPorts;
  return *listed;
}

uint32_t ReenumerateDevices(platform::DeviceSetup& deviceSetup) {
  uint32_t root = 0;
  uint32_t result = deviceSetup.CM_Locate_DevNodeW(&root, nullptr, platform::kCmLocateDevnodeNormal);
  if (result == platform::kCrSuccess) {
    result = deviceSetup.CM_Reenumerate_DevNode(root, platform::kCmReenumerateNormal);
  }
  return result;
}

bool FormatUsbPortName(uint32_t number, char16_t* portName) {
  // Numbers beyond 9999 (or beyond the signed range) have no name that fits.
  if (number > 9999) {
    portName[0] = u'\0';
    return false;
  }
  const char16_t* format = number >= 100 ? u"USB%3d" : number >= 10 ? u"USB0%2d" : u"USB00%1d";
  return CopyWideText(portName, kUsbPortNameCapacity, WideFormat(format, {number}));
}

uint32_t GetSysUSBPorts(platform::Spooler& spooler) {
  uint32_t needed = 0;
  uint32_t returned = 0;
  uint32_t error = spooler.EnumPortsW(nullptr, 2, nullptr, 0, &needed, &returned);
  platform::SpoolerBuffer buffer;
  if (error == platform::kErrorInsufficientBuffer) {
    buffer = platform::SpoolerBuffer(needed);
  }
  if (buffer.data() == nullptr) {
    return error;
  }
  returned = 0;
  const uint32_t second = spooler.EnumPortsW(nullptr, 2, buffer.data(), buffer.size(), &needed, &returned);
  if (second != 0) {
    return second;
  }
  const uint32_t fits = buffer.size() / sizeof(platform::PortInfo2W);
  if (returned > fits) {
    returned = fits;
  }
  for (uint32_t i = 0; i < returned; ++i) {
    Log(WideFormat(u"GetSysUSBPorts: %s\r\n", {buffer.record<platform::PortInfo2W>(i).pPortName}));
  }
  return error;
}

uint32_t ListUsbPrintInterfaces(platform::DeviceSetup& deviceSetup, UsbDeviceTable& table) {
  table.count = 0;
  uint32_t result = 0;
  const platform::DevInfoHandle opened =
      deviceSetup.SetupDiGetClassDevsW(&platform::kGuidDevInterfaceUsbPrint, nullptr, nullptr,
                                       platform::kDigcfPresent | platform::kDigcfDeviceInterface, &result);
  if (opened == platform::kInvalidDevInfo || opened == 0) {
    return result;
  }
  platform::DeviceInfoSet set(deviceSetup, opened);
  if (result == platform::kErrorInvalidParameter || result == platform::kErrorInvalidFlags) {
    return result;
  }
  for (uint32_t index = 0;; ++index) {
    platform::SpDeviceInterfaceData data{};
    data.cbSize = sizeof data;
    if (deviceSetup.SetupDiEnumDeviceInterfaces(set.get(), nullptr, &platform::kGuidDevInterfaceUsbPrint, index,
                                                &data) != 0) {
      break;
    }
    uint32_t required = 0;
    result = deviceSetup.SetupDiGetDeviceInterfaceDetailW(set.get(), &data, nullptr, 0, &required, nullptr);
    if (result != 0 && result != platform::kErrorInsufficientBuffer) {
      return result;
    }
    // A detail too small to hold a path, a table that is full, or a failed
    // allocation leave this device out.
    if (required < platform::kDevicePathOffset + sizeof(char16_t) || table.count >= kUsbDeviceSlots) {
      continue;
    }
    std::unique_ptr<uint8_t[]> detail(new (std::nothrow) uint8_t[required]());
    if (!detail) {
      continue;
    }
    const uint32_t cbSize = platform::kDeviceInterfaceDetailDataWSize;
    std::memcpy(detail.get(), &cbSize, sizeof cbSize);
    platform::SpDevinfoData info{};
    info.cbSize = sizeof info;
    if (deviceSetup.SetupDiGetDeviceInterfaceDetailW(set.get(), &data, detail.get(), required, nullptr, &info) != 0) {
      continue;
    }
    const std::size_t chars = (required - platform::kDevicePathOffset) / sizeof(char16_t);
    std::u16string path(chars, u'\0');
    std::memcpy(path.data(), detail.get() + platform::kDevicePathOffset, chars * sizeof(char16_t));
    path.resize(std::char_traits<char16_t>::length(path.c_str()));
    // A path that does not fit its slot cannot be looked up whole.
    if (path.empty() || !CopyWideText(table.devicePaths[table.count], kDevicePathCapacity, path)) {
      continue;
    }
    table.portNames[table.count][0] = u'\0';
    table.portDescriptions[table.count][0] = u'\0';
    ++table.count;
  }
  return result;
}

uint32_t EnumDeviceUSBPort(platform::Registry& registry, char16_t* path, char16_t* portName,
                           char16_t* portDescription, bool* portNumberUnreadable) {
  portName[0] = u'\0';
  if (portNumberUnreadable != nullptr) {
    *portNumberUnreadable = false;
  }
  UpperCaseInPlace(path);
  const std::u16string_view device(path);
  const std::size_t marker = device.find(u"#{");
  if (marker == std::u16string_view::npos) {
    Log(u"EnumDeviceUSBPort not Find\r\n");
    return 0;
  }
  const std::u16string interfaceClass(device.substr(marker + 1));
  const std::u16string classPath = WideFormat(u"%ws%ws", {kDeviceClassesKeyPath, interfaceClass});
  Log(WideFormat(u"EnumDeviceUSBPort:path=%s\r\n", {classPath}));
  platform::RegKey classKey;
  const uint32_t openError = OpenMachineKey(registry, classPath.c_str(), classKey);
  if (openError != 0) {
    Log(WideFormat(u"EnumDeviceUSBPort:err111=%d", {openError}));
    return openError;
  }
  std::u16string hashed(device);
  for (char16_t& c : hashed) {
    if (c == u'\\') {
      c = u'#';
    }
  }
  for (uint32_t index = 0;; ++index) {
    char16_t name[kSubkeyNameChars] = {};
    uint32_t length = kSubkeyNameChars;
    const uint32_t enumError =
        registry.RegEnumKeyExW(classKey.get(), index, name, &length, nullptr, nullptr, nullptr, nullptr);
    if (enumError != 0) {
      return enumError;
    }
    UpperCaseInPlace(name);
    Log(WideFormat(u"EnumDeviceUSBPort:value=%s\r\n", {name}));
    Log(WideFormat(u"EnumDeviceUSBPort:pDevName=%s\r\n", {path}));
    const std::u16string_view subkey(name);
    if (subkey.find(device) == std::u16string_view::npos) {
      Log(WideFormat(u"EnumDeviceUSBPort:bufT1=%s\r\n", {hashed}));
      if (subkey.find(hashed) == std::u16string_view::npos) {
        continue;
      }
    }
    const std::u16string parameterPath =
        WideFormat(u"%ws%ws\\%ws\\%ws", {kDeviceClassesKeyPath, interfaceClass, name, u"#\\Device Parameters"});
    Log(WideFormat(u"EnumDeviceUSBPort:subPath=%s\r\n", {parameterPath}));
    platform::RegKey parameters;
    const uint32_t paramError = OpenMachineKey(registry, parameterPath.c_str(), parameters);
    if (paramError != 0) {
      if (portNumberUnreadable != nullptr) {
        *portNumberUnreadable = true;
      }
      return paramError;
    }
    std::memset(portDescription, 0, kDescriptionBytes);
    uint32_t descriptionSize = kDescriptionBytes;
    const uint32_t descriptionError = ReadRegValue(registry, parameters.get(), u"Port Description",
                                                   platform::kRrfRtRegSz, portDescription, &descriptionSize);
    // RegQueryValueExW may deliver a text without its terminator.
    portDescription[kPortDescriptionCapacity - 1] = u'\0';
    if (descriptionError != 0) {
      portDescription[0] = u'\0';
    }
    Log(WideFormat(u"EnumDeviceUSBPort:pPortDescription=%s,err=%d\r\n", {portDescription, descriptionError}));
    uint32_t number = 0;
    uint32_t numberSize = sizeof number;
    const uint32_t numberError = ReadRegValue(registry, parameters.get(), u"Port Number",
                                              platform::kRrfRtRegBinary | platform::kRrfRtRegDword, &number,
                                              &numberSize);
    parameters.reset();
    if (numberError != 0) {
      Log(WideFormat(u"EnumDeviceUSBPort: err=%d\r\n", {numberError}));
      if (portNumberUnreadable != nullptr) {
        *portNumberUnreadable = true;
      }
      return numberError;
    }
    Log(WideFormat(u"EnumDeviceUSBPort: %d\r\n", {number}));
    FormatUsbPortName(number, portName);
    return 0;
  }
}

uint32_t GetPortNameOfUSBDev(platform::Registry& registry, UsbDeviceTable& table) {
  for (uint16_t i = 0; i < table.count; ++i) {
    Log(WideFormat(u"GetPortNameOfUSBDev: i=%d\r\n", {i}));
    Log(table.devicePaths[i]);
    bool portNumberUnreadable = false;
    const uint32_t result = EnumDeviceUSBPort(registry, table.devicePaths[i], table.portNames[i],
                                              table.portDescriptions[i], &portNumberUnreadable);
    // A device without a registry entry, or whose port number cannot be read
    // (a missing value, another type, a refused key), has no port; the
    // others are still offered.
    if (result != 0 && result != platform::kErrorNoMoreItems && !portNumberUnreadable) {
      return result;
    }
    if (result != 0) {
      table.portNames[i][0] = u'\0';
    }
    Log(table.portNames[i]);
  }
  return 0;
}

int SetUSBPortName(const UsbSearchServices& services, UsbPortList& list, uint16_t modelIndex, UsbDeviceTable& table,
                   ListedUsbPorts& listed, uint32_t* endedWith) {
  const auto ended = [endedWith](uint32_t code) {
    if (endedWith != nullptr) {
      *endedWith = code;
    }
    return 0;
  };
  ended(0);
  const uint32_t reenumerated = ReenumerateDevices(services.deviceSetup);
  if (reenumerated != platform::kCrSuccess) {
    return ended(reenumerated);
  }
  services.deviceSetup.Sleep(kUsbSearchPauseMs);
  table = UsbDeviceTable{};
  listed = ListedUsbPorts{};
  const uint32_t ports = GetSysUSBPorts(services.spooler);
  if (ports != 0 && ports != platform::kErrorInsufficientBuffer) {
    return ended(ports);
  }
  const uint32_t interfaces = ListUsbPrintInterfaces(services.deviceSetup, table);
  if (interfaces != 0 && interfaces != platform::kErrorInsufficientBuffer) {
    return ended(interfaces);
  }
  const uint32_t lookup = GetPortNameOfUSBDev(services.registry, table);
  if (lookup != 0) {
    return ended(lookup);
  }
  const char16_t* modelName = modelIndex < modelCount ? ModelCatalogue[modelIndex].name : u"";
  int added = 0;
  int first = -1;
  for (uint16_t i = 0; i < table.count; ++i) {
    const char16_t* portName = table.portNames[i];
    Log(WideFormat(u"SetUSBPortName: %s\r\n", {portName}));
    // A device without a port is never offered; a name is offered once.
    if (portName[0] == u'\0' || AlreadyListed(listed, portName)) {
      continue;
    }
    Log(WideFormat(u"SetUSBPortName:portDescription=%s,%d,wcsPrinterTypeName=%s\r\n",
                   {table.portDescriptions[i], modelIndex, modelName}));
    ++added;
    list.AddString(portName);
    CopyWideText(listed.names[listed.count], kUsbPortNameCapacity, portName);
    ++listed.count;
    if (first < 0) {
      first = i;
    }
  }
  // By the whole name: in the sorted list a prefix search for USB100 can
  // land on USB1000, another device.
  if (added > 0) {
    const int at = list.FindStringExact(-1, table.portNames[first]);
    if (at >= 0) {
      list.SetCurSel(at);
    }
  }
  return added;
}

}  // namespace quispor
