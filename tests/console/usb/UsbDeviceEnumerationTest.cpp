#include "console/usb/UsbDeviceEnumeration.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "console/usb/CommsError.h"
#include "tests/console/usb/FakeDeviceInterfaceApi.h"

namespace {

using kit::fakes::FakeDeviceInterfaceApi;
using testing::ElementsAre;

const char kUsbClass[] = "{A5DCBF10-6530-11D2-901F-00C04FB951ED}";
const std::string kPrinterPath = "\\\\?\\usb#vid_0483&pid_811e#5&2b1a&0&1#{a5dcbf10-6530-11d2-901f-00c04fb951ed}";
const std::string kMousePath = "\\\\?\\usb#vid_046d&pid_c077#6&1f2a&0&2#{a5dcbf10-6530-11d2-901f-00c04fb951ed}";

std::string Size(const std::string& path) {
  return std::to_string(vantrel::kDevicePathOffset + path.size() + 1);
}

TEST(UsbDeviceEnumerationTest, EachInterfaceIsSizedReadCutAndTheSetReleased) {
  FakeDeviceInterfaceApi api;
  api.devicePaths = {kPrinterPath, kMousePath};
  std::vector<std::string> list = {"stale"};

  EXPECT_TRUE(vantrel::EnumerateUsbDevices(api, list));

  EXPECT_THAT(list, ElementsAre("VID_0483&PID_811E", "VID_046D&PID_C077"));
  EXPECT_THAT(api.calls, ElementsAre(std::string("GetClassDevs ") + kUsbClass + " - - flags 18", "Enum 0",
                                     "Detail 0 probe", "Detail 0 size " + Size(kPrinterPath), "Enum 1",
                                     "Detail 1 probe", "Detail 1 size " + Size(kMousePath), "Enum 2", "Destroy"));
  EXPECT_EQ(api.openSets, 0);
}

TEST(UsbDeviceEnumerationTest, WithNoDevicePresentTheListIsEmptiedAndTrueReturned) {
  FakeDeviceInterfaceApi api;
  std::vector<std::string> list = {"stale", "older"};
  EXPECT_TRUE(vantrel::EnumerateUsbDevices(api, list));
  EXPECT_TRUE(list.empty());
  EXPECT_THAT(api.calls, ElementsAre(testing::StartsWith("GetClassDevs"), "Enum 0", "Destroy"));
}

TEST(UsbDeviceEnumerationTest, ADeviceSetThatCannotBeOpenedRaisesAndKeepsTheList) {
  FakeDeviceInterfaceApi api;
  api.failOpen = true;
  api.devicePaths = {kPrinterPath};
  std::vector<std::string> list = {"kept"};
  try {
    vantrel::EnumerateUsbDevices(api, list);
    FAIL() << "no error raised";
  } catch (const vantrel::ECommsError& error) {
    EXPECT_STREQ(error.what(), "Failed to open handle to HID device set");
  }
  EXPECT_THAT(list, ElementsAre("kept"));
  EXPECT_THAT(api.calls, ElementsAre(testing::StartsWith("GetClassDevs")));
}

TEST(UsbDeviceEnumerationTest, AnUnboundSetupApiRaisesTheSameError) {
  FakeDeviceInterfaceApi api;
  api.bound = false;
  std::vector<std::string> list = {"kept"};
  EXPECT_THROW(vantrel::EnumerateUsbDevices(api, list), vantrel::ECommsError);
  EXPECT_THAT(list, ElementsAre("kept"));
  EXPECT_TRUE(api.calls.empty());
}

TEST(UsbDeviceEnumerationTest, AnInterfaceWhoseDetailCannotBeReadIsSkipped) {
  FakeDeviceInterfaceApi api;
  api.devicePaths = {kMousePath, kPrinterPath, "\\\\?\\usb#vid_1111&pid_811e#x#y"};
  api.zeroSize = {0};
  api.unreadable = {1};
  std::vector<std::string> list;
  EXPECT_TRUE(vantrel::EnumerateUsbDevices(api, list));
  EXPECT_THAT(list, ElementsAre("VID_1111&PID_811E"));
  // A size query reporting 0 is not followed by a read.
  EXPECT_THAT(api.calls, ElementsAre(testing::StartsWith("GetClassDevs"), "Enum 0", "Detail 0 probe", "Enum 1",
                                     "Detail 1 probe", testing::StartsWith("Detail 1 size"), "Enum 2",
                                     "Detail 2 probe", testing::StartsWith("Detail 2 size"), "Enum 3", "Destroy"));
}

TEST(UsbDeviceEnumerationTest, AVeryLongPathIsReadWhole) {
  FakeDeviceInterfaceApi api;
  const std::string longPath = "\\\\?\\usb#vid_0483&pid_811e" + std::string(5000, 'x') + "#tail";
  api.devicePaths = {longPath};
  std::vector<std::string> list;
  EXPECT_TRUE(vantrel::EnumerateUsbDevices(api, list));
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(list[0], "VID_0483&PID_811E" + std::string(5000, 'X'));
}

}  // namespace
