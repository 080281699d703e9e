// The USB port search: re-enumerate the devices, list the present USB
// printing interfaces, read each one's USB port number from its device class
// registry entry and offer the port names (USB001, ...) in the USB page's
// list. Every step traces through WriteDebugLog.
#pragma once

#include <cstdint>

#include "wizard/engine/platform/DeviceSetup.h"
#include "wizard/engine/platform/Registry.h"
#include "wizard/engine/platform/Spooler.h"
#include "wizard/engine/usb/UsbPortList.h"

namespace quispor {

inline constexpr int kUsbDeviceSlots = 64;
inline constexpr int kDevicePathCapacity = 260;   // 259 + terminator
inline constexpr int kUsbPortNameCapacity = 8;    // "USB" + up to four digits + terminator
inline constexpr int kPortDescriptionCapacity = 260;
inline constexpr uint32_t kUsbSearchPauseMs = 200;

inline constexpr const char16_t* kDeviceClassesKeyPath = u"SYSTEM\\CurrentControlSet\\Control\\DeviceClasses\\";

// The present USB printers of the latest search, in enumeration order.
struct UsbDeviceTable {
  char16_t devicePaths[kUsbDeviceSlots][kDevicePathCapacity] = {};
  char16_t portNames[kUsbDeviceSlots][kUsbPortNameCapacity] = {};
  char16_t portDescriptions[kUsbDeviceSlots][kPortDescriptionCapacity] = {};
  uint16_t count = 0;
};

// The port names the latest search added to the list.
struct ListedUsbPorts {
  char16_t names[kUsbDeviceSlots][kUsbPortNameCapacity] = {};
  uint16_t count = 0;
};

// The process-wide tables the USB page's searches use.
UsbDeviceTable& ProcessUsbDeviceTable();
ListedUsbPorts& ProcessListedUsbPorts();

struct UsbSearchServices {
  platform::DeviceSetup& deviceSetup;
  platform::Registry& registry;
  platform::Spooler& spooler;
};

// The whole search into list (emptied by the caller); modelIndex names the
// chosen model in the log. Returns the number of port names added, and
// selects the first device's port by its whole name. A device whose registry
// entry is missing (259), whose port number cannot be read, or that has no
// port name is left out; the others are still offered. endedWith (may be
// null) gets the code of the step that ended the search early (the
// re-enumeration, the spooler's ports, the interfaces, a device lookup), 0
// when it ran through.
int SetUSBPortName(const UsbSearchServices& services, UsbPortList& list, uint16_t modelIndex, UsbDeviceTable& table,
                   ListedUsbPorts& listed, uint32_t* endedWith = nullptr);

// Logs the spooler's ports (EnumPortsW level 2). 122 after the normal
// two-call sequence, else the failing code (0 when the first call succeeds).
uint32_t GetSysUSBPorts(platform::Spooler& spooler);

// Fills table with the device paths of the present USB printing interfaces.
// 0 or 122 on the normal path.
uint32_t ListUsbPrintInterfaces(platform::DeviceSetup& deviceSetup, UsbDeviceTable& table);

// Looks up every device's port. 0 when every lookup ended in a port, in "no
// registry entry" (259) or in a port number that cannot be read (the device
// gets no port); otherwise the code that stopped it.
uint32_t GetPortNameOfUSBDev(platform::Registry& registry, UsbDeviceTable& table);

// The port name (kUsbPortNameCapacity) and description (260) of the device
// at path, which is upper-cased in place. 0 (the name may stay empty), or a
// registry error code (259 when no entry matches the device).
// portNumberUnreadable (may be null) tells that the device's entry was found
// but its "Port Number" could not be read, its key or the value.
uint32_t EnumDeviceUSBPort(platform::Registry& registry, char16_t* path, char16_t* portName,
                           char16_t* portDescription, bool* portNumberUnreadable = nullptr);

// "USB" and the number, zero-padded to three digits; empty (false) when it
// does not fit the port name field.
bool FormatUsbPortName(uint32_t number, char16_t* portName);

// CM_Locate_DevNodeW(root) then CM_Reenumerate_DevNode on it; the last code.
uint32_t ReenumerateDevices(platform::DeviceSetup& deviceSetup);

}  // namespace quispor
