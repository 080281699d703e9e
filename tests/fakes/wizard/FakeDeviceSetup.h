// Device setup and Plug and Play as Windows answers them: a device
// information set of the present interfaces of a class, interfaces
// enumerated by index (259 past the end), details as a two-call size query
// (122 and the size first, 1784 for a cbSize that is not the declared
// size), a Configuration Manager whose root can be located (or not: Wine
// answers 19) and re-enumerated, and a pause that only records. Every call
// is recorded.
#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "wizard/engine/platform/DeviceSetup.h"

namespace kit::fakes {

class FakeDeviceSetup : public quispor::platform::DeviceSetup {
 public:
  static constexpr uint32_t kErrorInvalidHandle = 6;
  static constexpr uint32_t kErrorInvalidUserBuffer = 1784;
  static constexpr uint32_t kCrNoSuchDevnode = 13;
  static constexpr uint32_t kCrInvalidData = 31;
  static constexpr uint32_t kRootDevNode = 1;

  // Device paths of the present USB printing interfaces, in enumeration order.
  std::vector<std::u16string> usbPrintInterfaces;
  // What SetupDiGetClassDevsW answers: a valid set and error 0 unless set.
  uint32_t classDevsError = 0;
  bool classDevsInvalid = false;
  // What CM_Locate_DevNodeW and CM_Reenumerate_DevNode answer.
  uint32_t locateResult = 0;
  uint32_t reenumerateResult = 0;
  // A detail size query that answers this instead of 122 (0: normal).
  uint32_t detailSizeError = 0;
  uint32_t reenumerations = 0;
  std::vector<uint32_t> sleeps;
  std::vector<std::string> calls;

  std::size_t OpenSets() const { return open_.size(); }

  quispor::platform::DevInfoHandle SetupDiGetClassDevsW(const quispor::platform::Guid* classGuid,
                                                        const char16_t* enumerator,
                                                        quispor::platform::WindowHandle parent, uint32_t flags,
                                                        uint32_t* error) override;
  uint32_t SetupDiEnumDeviceInterfaces(quispor::platform::DevInfoHandle set,
                                       quispor::platform::SpDevinfoData* deviceInfo,
                                       const quispor::platform::Guid* classGuid, uint32_t memberIndex,
                                       quispor::platform::SpDeviceInterfaceData* data) override;
  uint32_t SetupDiGetDeviceInterfaceDetailW(quispor::platform::DevInfoHandle set,
                                            quispor::platform::SpDeviceInterfaceData* data, uint8_t* detail,
                                            uint32_t detailSize, uint32_t* requiredSize,
                                            quispor::platform::SpDevinfoData* deviceInfo) override;
  uint32_t SetupDiDestroyDeviceInfoList(quispor::platform::DevInfoHandle set) override;
  uint32_t CM_Locate_DevNodeW(uint32_t* devInst, const char16_t* deviceId, uint32_t flags) override;
  uint32_t CM_Reenumerate_DevNode(uint32_t devInst, uint32_t flags) override;
  void Sleep(uint32_t milliseconds) override;

 private:
  std::set<quispor::platform::DevInfoHandle> open_;
  bool classMatches_ = false;
  quispor::platform::DevInfoHandle next_ = 0x2000;
};

}  // namespace kit::fakes
