// One OPOS device profile as the console holds it while editing.
#pragma once

#include <cstdint>
#include <string>

namespace vantrel {

// Connection kinds, stored as ProtocolType; also the index of the editor's
// connection box item.
inline constexpr std::int32_t kProtocolNone = -1;
inline constexpr std::int32_t kProtocolRs232 = 0;
inline constexpr std::int32_t kProtocolTcpIp = 1;
inline constexpr std::int32_t kProtocolUsb = 2;

struct DeviceEntry {
  std::string DeviceClass;
  std::string DevType;
  std::string AlternateName;
  std::string DeviceName;
  std::string ServiceObject;
  std::string CommName;
  std::int32_t Baudrate = 0;
  std::string TcpIp;
  std::int32_t TcpPort = 0;
  std::int32_t USBType = 0;
  std::string USBDevName;
  std::int32_t ProtocolType = 0;
  std::string Version;
  std::string Pid;
  std::int32_t Timeout = 0;

  bool operator==(const DeviceEntry&) const = default;
};

}  // namespace vantrel
