// The short identifiers the console lists for USB devices, cut from the
// device interface path ("\\?\usb#vid_0483&pid_811e#5&2b1a&0&1#{...}" gives
// "VID_0483&PID_811E").
#pragma once

#include <string>

namespace vantrel {

// Deletes everything up to and including the first "#", then everything from
// the next "#" on, and upper-cases ASCII letters. A path with one "#" keeps
// all after it; a path without "#" stays whole.
std::string CutUsbDeviceIdentifier(const std::string& devicePath);

// The maker's devices: the upper-case form of the identifier contains "811E".
inline constexpr char kPrinterUsbFilter[] = "811E";
bool IsPrinterUsbIdentifier(const std::string& identifier);

std::string AsciiUpperCase(std::string text);

}  // namespace vantrel
