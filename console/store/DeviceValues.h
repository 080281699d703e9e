// The 14 values of a device key, in the order a save writes them, and the
// DeviceEntry field each one holds. Save, export and import share this one
// table, so a profile file carries exactly what a save writes.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "console/store/DeviceEntry.h"

namespace vantrel {

struct DeviceValue {
  std::string_view name;  // "" is the key's default value
  // Exactly one of the two is set: a REG_SZ value or a REG_DWORD value.
  std::string DeviceEntry::*text = nullptr;
  std::int32_t DeviceEntry::*number = nullptr;
};

inline constexpr std::array<DeviceValue, 14> kDeviceValues = {{
    {"", &DeviceEntry::ServiceObject, nullptr},
    {"Pid", &DeviceEntry::Pid, nullptr},
    {"DeviceClass", &DeviceEntry::DeviceClass, nullptr},
    {"DeviceName", &DeviceEntry::DeviceName, nullptr},
    {"DevType", &DeviceEntry::DevType, nullptr},
    {"TcpIp", &DeviceEntry::TcpIp, nullptr},
    {"TcpPort", nullptr, &DeviceEntry::TcpPort},
    {"Timeout", nullptr, &DeviceEntry::Timeout},
    {"Version", &DeviceEntry::Version, nullptr},
    {"USBType", nullptr, &DeviceEntry::USBType},
    {"USBDevName", &DeviceEntry::USBDevName, nullptr},
    {"CommName", &DeviceEntry::CommName, nullptr},
    {"Baudrate", nullptr, &DeviceEntry::Baudrate},
    {"ProtocolType", nullptr, &DeviceEntry::ProtocolType},
}};

}  // namespace vantrel
