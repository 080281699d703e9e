// Registry paths and a prepared device profile shared by the store tests.
#pragma once

#include <string>

#include "console/store/DeviceEntry.h"
#include "tests/fakes/registry/FakeConsoleRegistry.h"
#include "tests/fakes/registry/FakeRegistryStore.h"

namespace vantrel::test {

inline const std::u16string kServiceOpos = u"HKLM\\SOFTWARE\\OLEforRetail\\ServiceOPOS";
inline const std::u16string kClassKey = kServiceOpos + u"\\POSPRINTER";

inline std::u16string DeviceKey(const std::string& name) {
  return kClassKey + u"\\" + kit::fakes::WidenBytes(name);
}

// A profile as the editor hands it to a save.
inline DeviceEntry EditorEntry(const std::string& name, std::int32_t protocol) {
  DeviceEntry e;
  e.ServiceObject = "SOZELTANO.OPOSPrinter";
  e.DeviceClass = "POSPrinter";
  e.DeviceName = name;
  e.Pid = "p1";
  e.Version = "v2";
  e.Timeout = 700;
  e.USBType = 4;
  e.TcpIp = "192.168.1.20";
  e.TcpPort = 9100;
  e.CommName = "COM12";
  e.Baudrate = 115200;
  e.USBDevName = "VID_811E&PID_2001";
  e.ProtocolType = protocol;
  return e;
}

// A profile as another tool or an earlier save left it.
inline void PutDevice(kit::fakes::FakeRegistryStore& store, const std::string& name,
                      std::int32_t protocol) {
  const std::u16string key = DeviceKey(name);
  const std::u16string wideName = kit::fakes::WidenBytes(name);
  store.PutString(key, u"", u"SOZELTANO.OPOSPrinter");
  store.PutString(key, u"Pid", u"PID-" + wideName);
  store.PutString(key, u"DeviceClass", u"POSPrinter");
  store.PutString(key, u"DeviceName", wideName);
  store.PutString(key, u"DevType", u"");
  store.PutString(key, u"TcpIp", u"10.0.0.7");
  store.PutDword(key, u"TcpPort", 9100);
  store.PutDword(key, u"Timeout", 1500);
  store.PutString(key, u"Version", u"1.13");
  store.PutDword(key, u"USBType", 3);
  store.PutString(key, u"USBDevName", u"VID_811E&PID_0001");
  store.PutString(key, u"CommName", u"COM3");
  store.PutDword(key, u"Baudrate", 19200);
  store.PutDword(key, u"ProtocolType", static_cast<std::uint32_t>(protocol));
}

}  // namespace vantrel::test
