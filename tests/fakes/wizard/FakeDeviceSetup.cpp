#include "tests/fakes/wizard/FakeDeviceSetup.h"

#include <cstring>

#include "tests/fakes/wizard/FakeHelpers.h"
#include "tests/fakes/wizard/FakeText.h"
#include "wizard/engine/platform/Spooler.h"

namespace kit::fakes {
namespace {

using detail::HexText;

using namespace quispor::platform;

bool SameGuid(const Guid* a, const Guid& b) { return a != nullptr && std::memcmp(a, &b, sizeof b) == 0; }

}  // namespace

DevInfoHandle FakeDeviceSetup::SetupDiGetClassDevsW(const Guid* classGuid, const char16_t* enumerator,
                                                    WindowHandle parent, uint32_t flags, uint32_t* error) {
  calls.push_back(std::string("SetupDiGetClassDevsW(") +
                  (SameGuid(classGuid, kGuidDevInterfaceUsbPrint) ? "USBPRINT" : classGuid ? "other" : "null") +
                  ", enumerator=" + Quote(enumerator) + ", parent=" + (parent ? "set" : "null") +
                  ", flags=" + HexText(flags) + ")");
  if (classDevsInvalid) {
    *error = classDevsError != 0 ? classDevsError : kErrorInvalidParameter;
    return kInvalidDevInfo;
  }
  *error = classDevsError;
  classMatches_ = SameGuid(classGuid, kGuidDevInterfaceUsbPrint) && (flags & kDigcfDeviceInterface) != 0;
  const DevInfoHandle set = next_;
  next_ += 8;
  open_.insert(set);
  return set;
}

uint32_t FakeDeviceSetup::SetupDiEnumDeviceInterfaces(DevInfoHandle set, SpDevinfoData* deviceInfo,
                                                      const Guid* classGuid, uint32_t memberIndex,
                                                      SpDeviceInterfaceData* data) {
  calls.push_back("SetupDiEnumDeviceInterfaces(" + HexText(set) + ", info=" + (deviceInfo ? "set" : "null") +
                  ", " + (SameGuid(classGuid, kGuidDevInterfaceUsbPrint) ? "USBPRINT" : "other") +
                  ", index=" + std::to_string(memberIndex) + ")");
  if (open_.count(set) == 0) {
    return kErrorInvalidHandle;
  }
  if (data == nullptr || data->cbSize != sizeof(SpDeviceInterfaceData)) {
    return kErrorInvalidUserBuffer;
  }
  if (!classMatches_ || !SameGuid(classGuid, kGuidDevInterfaceUsbPrint) || memberIndex >= usbPrintInterfaces.size()) {
    return kErrorNoMoreItems;
  }
  data->InterfaceClassGuid = kGuidDevInterfaceUsbPrint;
  data->Flags = 1;  // SPINT_ACTIVE
  data->Reserved = memberIndex + 1;
  return 0;
}

uint32_t FakeDeviceSetup::SetupDiGetDeviceInterfaceDetailW(DevInfoHandle set, SpDeviceInterfaceData* data,
                                                           uint8_t* detail, uint32_t detailSize,
                                                           uint32_t* requiredSize, SpDevinfoData* deviceInfo) {
  calls.push_back("SetupDiGetDeviceInterfaceDetailW(" + HexText(set) + ", detail=" + (detail ? "set" : "null") +
                  ", cb=" + std::to_string(detailSize) + ", required=" + (requiredSize ? "set" : "null") +
                  ", info=" + (deviceInfo ? "set" : "null") + ")");
  if (open_.count(set) == 0) {
    return kErrorInvalidHandle;
  }
  if (data == nullptr || data->Reserved == 0 || data->Reserved > usbPrintInterfaces.size()) {
    return kErrorInvalidParameter;
  }
  const std::u16string& path = usbPrintInterfaces[data->Reserved - 1];
  const uint32_t needed = static_cast<uint32_t>(kDevicePathOffset + (path.size() + 1) * sizeof(char16_t));
  if (requiredSize != nullptr) {
    *requiredSize = needed;
  }
  if (detail == nullptr) {
    if (detailSize != 0) {
      return kErrorInvalidUserBuffer;
    }
    return detailSizeError != 0 ? detailSizeError : kErrorInsufficientBuffer;
  }
  uint32_t cbSize = 0;
  std::memcpy(&cbSize, detail, sizeof cbSize);
  if (cbSize != kDeviceInterfaceDetailDataWSize) {
    return kErrorInvalidUserBuffer;
  }
  if (detailSize < needed) {
    return kErrorInsufficientBuffer;
  }
  std::memcpy(detail + kDevicePathOffset, path.c_str(), (path.size() + 1) * sizeof(char16_t));
  if (deviceInfo != nullptr) {
    if (deviceInfo->cbSize != sizeof(SpDevinfoData)) {
      return kErrorInvalidUserBuffer;
    }
    deviceInfo->DevInst = static_cast<uint32_t>(100 + data->Reserved);
  }
  return 0;
}

uint32_t FakeDeviceSetup::SetupDiDestroyDeviceInfoList(DevInfoHandle set) {
  calls.push_back("SetupDiDestroyDeviceInfoList(" + HexText(set) + ")");
  return open_.erase(set) != 0 ? 0 : kErrorInvalidHandle;
}

uint32_t FakeDeviceSetup::CM_Locate_DevNodeW(uint32_t* devInst, const char16_t* deviceId, uint32_t flags) {
  calls.push_back("CM_Locate_DevNodeW(id=" + Quote(deviceId) + ", flags=" + std::to_string(flags) + ")");
  *devInst = 0;
  if (locateResult != 0) {
    return locateResult;
  }
  if (deviceId != nullptr && deviceId[0] != u'\0') {
    return kCrNoSuchDevnode;
  }
  *devInst = kRootDevNode;
  return kCrSuccess;
}

uint32_t FakeDeviceSetup::CM_Reenumerate_DevNode(uint32_t devInst, uint32_t flags) {
  calls.push_back("CM_Reenumerate_DevNode(" + std::to_string(devInst) + ", flags=" + std::to_string(flags) + ")");
  if (devInst != kRootDevNode) {
    return kCrInvalidData;
  }
  if (reenumerateResult == 0) {
    ++reenumerations;
  }
  return reenumerateResult;
}

void FakeDeviceSetup::Sleep(uint32_t milliseconds) {
  calls.push_back("Sleep(" + std::to_string(milliseconds) + ")");
  sleeps.push_back(milliseconds);
}

}  // namespace kit::fakes
