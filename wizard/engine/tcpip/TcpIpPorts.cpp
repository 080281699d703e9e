#include "wizard/engine/tcpip/TcpIpPorts.h"

#include <cstring>
#include <string>

#include "wizard/engine/NameCompare.h"
#include "wizard/engine/RegValue.h"
#include "wizard/engine/tcpip/PortData1.h"
#include "wizard/engine/WideFormat.h"
#include "wizard/engine/WideText.h"

namespace quispor {
namespace {

constexpr uint32_t kSubkeyNameChars = 260;
constexpr uint32_t kTextValueBytes = 520;
constexpr std::size_t kPortNameCapacity = 260;

// A text value in a 520-byte buffer, always terminated within it.
struct TextValue {
  char16_t text[kTextValueBytes / sizeof(char16_t) + 1] = {};
};

uint32_t ReadText(platform::Registry& registry, platform::RegHandle key, const char16_t* name, TextValue& value) {
  uint32_t size = kTextValueBytes;
  return ReadRegValue(registry, key, name, platform::kRrfRtRegSz, value.text, &size);
}

uint32_t ReadPortNumber(platform::Registry& registry, platform::RegHandle key) {
  uint32_t number = kUnreadablePortNumber;
  uint32_t size = sizeof number;
  if (ReadRegValue(registry, key, u"PortNumber", platform::kRrfRtRegDword, &number, &size) != 0) {
    number = kUnreadablePortNumber;
  }
  return number;
}

bool Matches(platform::Registry& registry, platform::RegHandle port, const char16_t* address, int32_t portNumber) {
  TextValue host;
  if (ReadText(registry, port, u"HostName", host) != 0) {
    return false;
  }
  if (host.text[0] == u'\0') {
    TextValue ip;
    if (ReadText(registry, port, u"IPAddress", ip) != 0 || ip.text[0] == u'\0' ||
        !NamesEqualIgnoringCase(ip.text, address)) {
      return false;
    }
  } else if (!NamesEqualIgnoringCase(host.text, address)) {
    return false;
  }
  return ReadPortNumber(registry, port) == static_cast<uint32_t>(portNumber);
}

}  // namespace

void FindTcpIpPort(platform::Registry& registry, const char16_t* address, int32_t portNumber, char16_t* portName) {
  if (portName == nullptr) {
    return;
  }
  if (address == nullptr) {
    address = u"";
  }
  platform::RegKey ports;
  if (OpenMachineKey(registry, kTcpIpPortsKeyPath, ports) != 0) {
    return;
  }
  for (uint32_t index = 0;; ++index) {
    char16_t name[kSubkeyNameChars] = {};
    uint32_t length = kSubkeyNameChars;
    if (registry.RegEnumKeyExW(ports.get(), index, name, &length, nullptr, nullptr, nullptr, nullptr) != 0) {
      return;
    }
    platform::RegKey port;
    const std::u16string path = std::u16string(kTcpIpPortsKeyPath) + u"\\" + name;
    if (OpenMachineKey(registry, path.c_str(), port) != 0) {
      continue;
    }
    if (Matches(registry, port.get(), address, portNumber)) {
      CopyWideText(portName, kPortNameCapacity, name);
      return;
    }
  }
}

bool AddTcpIpPort(platform::Spooler& spooler, platform::UserMessages& messages, const char16_t* address,
                  int32_t portNumber) {
  return CreateTcpIpPort(spooler, messages, address, portNumber) == 0;
}

uint32_t CreateTcpIpPort(platform::Spooler& spooler, platform::UserMessages& messages, const char16_t* address,
                         int32_t portNumber) {
  if (address == nullptr) {
    address = u"";
  }
  platform::PrinterDefaultsW defaults{nullptr, nullptr, platform::kServerAccessAdminister};
  platform::PrinterHandle opened = 0;
  const uint32_t openError = spooler.OpenPrinterW(kTcpIpMonitorName, &opened, &defaults);
  if (openError != 0 || opened == 0) {
    return openError != 0 ? openError : platform::kErrorUnknownPort;
  }
  platform::OpenPrinter monitor(spooler, opened);

  PortData1 data;
  std::memset(&data, 0, sizeof data);
  CopyWideText(data.sztPortName, std::size(data.sztPortName), WideFormat(u"%ws_Port_%d", {address, portNumber}));
  data.dwVersion = 1;
  data.dwProtocol = kProtocolRawTcpType;
  data.cbSize = kPortData1Size;
  CopyWideText(data.sztHostAddress, std::size(data.sztHostAddress), address);
  CopyWideText(data.sztSNMPCommunity, std::size(data.sztSNMPCommunity), u"kestor");
  CopyWideText(data.sztIPAddress, std::size(data.sztIPAddress), address);
  data.dwPortNumber = static_cast<uint32_t>(portNumber);
  data.dwSNMPEnabled = 0;
  data.dwSNMPDevIndex = 1;

  uint32_t needed = 0;
  uint32_t status = 0;
  const uint32_t error = spooler.XcvDataW(monitor.get(), u"AddPort", reinterpret_cast<const uint8_t*>(&data),
                                          kPortData1Size, nullptr, 0, &needed, &status);
  if (error != 0) {
    messages.MessageBoxW(nullptr, u"XcvData AddPort Failed", nullptr, platform::kMbOk);
    return error;
  }
  if (status == 0 || status == platform::kErrorAlreadyExists) {
    return 0;
  }
  const std::u16string text = WideFormat(u"XcvData AddPort Error. Status:%d", {status});
  messages.MessageBoxW(nullptr, text.c_str(), nullptr, platform::kMbOk);
  return status;
}

uint32_t FindOrCreateTcpIpPort(platform::Registry& registry, platform::Spooler& spooler,
                               platform::UserMessages& messages, const char16_t* address, int32_t portNumber,
                               char16_t* portName, bool* created) {
  if (created != nullptr) {
    *created = false;
  }
  FindTcpIpPort(registry, address, portNumber, portName);
  if (portName[0] != u'\0') {
    return 0;
  }
  const uint32_t error = CreateTcpIpPort(spooler, messages, address, portNumber);
  if (created != nullptr) {
    *created = error == 0;
  }
  FindTcpIpPort(registry, address, portNumber, portName);
  return error;
}

}  // namespace quispor
