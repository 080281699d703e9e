#include "console/store/DeviceStore.h"

#include "console/store/DeviceClassTable.h"
#include "console/store/RegistryAccess.h"
#include "console/store/RegistryError.h"

namespace vantrel {

namespace {

std::string ClassKeyPath() { return std::string(kPrinterClassKeyPath); }

std::string ServiceOposPath(const std::string& relative) {
  return std::string(kServiceOposPath) + relative;
}

}  // namespace

std::vector<std::string> ListDeviceNames(RegistryApi& api, const std::string& className) {
  RegistryAccess reg(api);
  if (!reg.OpenKey(ServiceOposPath(className), false)) return {};
  return reg.GetKeyNames();
}

bool LoadDeviceEntry(RegistryApi& api, const std::string& deviceName, DeviceEntry& entry) {
  RegistryAccess reg(api);
  try {
    bool alternateFound = false;
    if (reg.OpenKey(ClassKeyPath(), false)) {
      for (const std::string& valueName : reg.GetValueNames()) {
        if (reg.ReadString(valueName) == deviceName) {
          entry.AlternateName = valueName;
          alternateFound = true;
          break;
        }
      }
      reg.CloseKey();
    }
    // Without this, the previous device's alternate name would stay in the
    // editor and a save would point it at this device.
    if (!alternateFound) entry.AlternateName.clear();

    if (reg.OpenKey(ClassKeyPath() + "\\" + deviceName, false)) {
      entry.Pid = reg.ReadString("Pid");
      entry.DeviceClass = reg.ReadString("DeviceClass");
      entry.DeviceName = reg.ReadString("DeviceName");
      entry.DevType = reg.ReadString("DevType");
      // Only tests that the value is there and an integer before anything
      // else of the connection is read.
      (void)reg.ReadInteger("ProtocolType");
      entry.Timeout = reg.ReadInteger("Timeout");
      entry.Version = reg.ReadString("version");
      entry.ProtocolType = reg.ReadInteger("ProtocolType");
      switch (entry.ProtocolType) {
        case kProtocolRs232:
          entry.CommName = reg.ReadString("CommName");
          entry.Baudrate = reg.ReadInteger("Baudrate");
          break;
        case kProtocolTcpIp:
          entry.TcpIp = reg.ReadString("TcpIp");
          entry.TcpPort = reg.ReadInteger("TcpPort");
          break;
        case kProtocolUsb:
          entry.USBType = reg.ReadInteger("usbType");
          entry.USBDevName = reg.ReadString("USBDevName");
          break;
        default:
          break;
      }
      reg.CloseKey();
    }
    return true;
  } catch (const RegistryError&) {
    return false;
  }
}

bool SaveDeviceEntry(RegistryApi& api, const DeviceEntry& entry) {
  RegistryAccess reg(api);
  if (!reg.KeyExists(ClassKeyPath())) {
    reg.CreateKey(ClassKeyPath());
    reg.CloseKey();
  }
  if (!reg.OpenKey(ClassKeyPath(), true)) return false;
  if (!entry.AlternateName.empty()) reg.WriteString(entry.AlternateName, entry.DeviceName);
  reg.CreateKey(entry.DeviceName);
  reg.CloseKey();

  if (!reg.OpenKey(ClassKeyPath() + "\\" + entry.DeviceName, true)) return true;
  reg.WriteString("", entry.ServiceObject);
  reg.WriteString("Pid", entry.Pid);
  reg.WriteString("DeviceClass", entry.DeviceClass);
  reg.WriteString("DeviceName", entry.DeviceName);
  reg.WriteString("DevType", entry.DevType);
  reg.WriteString("TcpIp", entry.TcpIp);
  reg.WriteInteger("TcpPort", entry.TcpPort);
  reg.WriteInteger("Timeout", entry.Timeout);
  reg.WriteString("Version", entry.Version);
  reg.WriteInteger("USBType", entry.USBType);
  reg.WriteString("USBDevName", entry.USBDevName);
  reg.WriteString("CommName", entry.CommName);
  reg.WriteInteger("Baudrate", entry.Baudrate);
  reg.WriteInteger("ProtocolType", entry.ProtocolType);
  reg.CloseKey();
  return true;
}

void DeleteAlternateName(RegistryApi& api, const std::string& className,
                         const std::string& deviceName) {
  RegistryAccess reg(api);
  try {
    if (!reg.OpenKey(ServiceOposPath(className), false)) return;
    for (const std::string& valueName : reg.GetValueNames()) {
      if (reg.ReadString(valueName) == deviceName) {
        reg.DeleteValue(valueName);
        break;
      }
    }
    reg.CloseKey();
  } catch (const RegistryError&) {
    // The key deletion that follows runs regardless.
  }
}

bool DeleteDeviceKey(RegistryApi& api, const std::string& relativePath) {
  RegistryAccess reg(api);
  const std::string path = ServiceOposPath(relativePath);
  if (!reg.KeyExists(path)) return false;
  return reg.DeleteKey(path);
}

}  // namespace vantrel
