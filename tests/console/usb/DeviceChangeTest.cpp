#include "console/usb/DeviceChange.h"

#include <gtest/gtest.h>

namespace {

using vantrel::ClassifyDeviceChange;
using vantrel::DeviceBroadcastHeader;
using vantrel::UsbDeviceEvent;

constexpr DeviceBroadcastHeader kInterface = {32, 5, 0};
constexpr DeviceBroadcastHeader kVolume = {20, 2, 0};
constexpr DeviceBroadcastHeader kPort = {12, 3, 0};

TEST(DeviceChangeTest, ArrivalAndRemoveCompleteOfADeviceInterfaceCount) {
  EXPECT_EQ(ClassifyDeviceChange(0x8000, &kInterface), UsbDeviceEvent::Arrival);
  EXPECT_EQ(ClassifyDeviceChange(0x8004, &kInterface), UsbDeviceEvent::Removal);
}

TEST(DeviceChangeTest, OtherEventCodesCountAsNothing) {
  for (std::uintptr_t code : {0x8001u, 0x8002u, 0x8003u, 0x8005u, 0x8006u, 0x0007u, 0x0018u, 0xFFFFu}) {
    EXPECT_EQ(ClassifyDeviceChange(code, &kInterface), UsbDeviceEvent::None) << code;
  }
}

TEST(DeviceChangeTest, VolumeAndPortBroadcastsCountAsNothing) {
  EXPECT_EQ(ClassifyDeviceChange(0x8000, &kVolume), UsbDeviceEvent::None);
  EXPECT_EQ(ClassifyDeviceChange(0x8004, &kVolume), UsbDeviceEvent::None);
  EXPECT_EQ(ClassifyDeviceChange(0x8000, &kPort), UsbDeviceEvent::None);
}

TEST(DeviceChangeTest, ANotificationWithoutABroadcastRecordCountsAsNothing) {
  EXPECT_EQ(ClassifyDeviceChange(0x8000, nullptr), UsbDeviceEvent::None);
  EXPECT_EQ(ClassifyDeviceChange(0x8004, nullptr), UsbDeviceEvent::None);
}

}  // namespace
