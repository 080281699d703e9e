#include "console/usb/UsbIdentifier.h"

#include <gtest/gtest.h>

namespace {

using vantrel::CutUsbDeviceIdentifier;
using vantrel::IsPrinterUsbIdentifier;

TEST(UsbIdentifierTest, TheVendorAndProductPartIsCutFromADevicePath) {
  EXPECT_EQ(CutUsbDeviceIdentifier("\\\\?\\usb#vid_0483&pid_811e#5&2b1a&0&1#{a5dcbf10-6530-11d2-901f-00c04fb951ed}"),
            "VID_0483&PID_811E");
  EXPECT_EQ(CutUsbDeviceIdentifier("\\\\?\\USB#VID_1A86&PID_7523#0001#{A5DCBF10-6530-11D2-901F-00C04FB951ED}"),
            "VID_1A86&PID_7523");
}

TEST(UsbIdentifierTest, OneHashKeepsTheRestAndNoHashKeepsTheWhole) {
  EXPECT_EQ(CutUsbDeviceIdentifier("\\\\?\\usb#vid_0483&pid_811e"), "VID_0483&PID_811E");
  EXPECT_EQ(CutUsbDeviceIdentifier("vid_0483&pid_811e"), "VID_0483&PID_811E");
  EXPECT_EQ(CutUsbDeviceIdentifier("usb#"), "");
  EXPECT_EQ(CutUsbDeviceIdentifier("##x"), "");
  EXPECT_EQ(CutUsbDeviceIdentifier(""), "");
}

TEST(UsbIdentifierTest, OnlyAsciiLettersAreUpperCased) {
  EXPECT_EQ(CutUsbDeviceIdentifier("a#b\xe9z-9_\xb0q#c"), "B\xe9Z-9_\xb0Q");
}

TEST(UsbIdentifierTest, TheFilterLooksFor811EAnywhereInAnyCase) {
  EXPECT_TRUE(IsPrinterUsbIdentifier("VID_0483&PID_811E"));
  EXPECT_TRUE(IsPrinterUsbIdentifier("VID_811E&PID_0001"));  // the vendor part counts too
  EXPECT_TRUE(IsPrinterUsbIdentifier("vid_0483&pid_811e"));
  EXPECT_TRUE(IsPrinterUsbIdentifier("811E"));
  EXPECT_FALSE(IsPrinterUsbIdentifier("VID_0483&PID_5740"));
  EXPECT_FALSE(IsPrinterUsbIdentifier("VID_0483&PID_811"));
  EXPECT_FALSE(IsPrinterUsbIdentifier("VID_0811&PID_E000"));
  EXPECT_FALSE(IsPrinterUsbIdentifier(""));
}

}  // namespace
