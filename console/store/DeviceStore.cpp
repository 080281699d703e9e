#include "console/store/DeviceStore.h"

#include "console/store/DeviceClassTable.h"
#include "console/store/DeviceValues.h"
#include "console/store/RegistryAccess.h"
#include "console/store/RegistryError.h"
#include "console/store/RegistryName.h"

namespace vantrel {

namespace {

std::string ClassKeyPath() { return std::string(kPrinterClassKeyPath); }

std::string ServiceOposPath(const std::string& relative) {
  return std::string(kServiceOposPath) + relative;
}

std::string DevicePath(const std::string& deviceName) { return ClassKeyPath() + "\\" + deviceName; }

// Creates the class key in upper case when it is missing, then opens it
// for writing.
bool OpenClassKeyForWriting(RegistryAccess& reg) {
  if (!reg.KeyExists(ClassKeyPath())) {
    reg.CreateKey(ClassKeyPath());
    reg.CloseKey();
  }
  return reg.OpenKey(ClassKeyPath(), true);
}

}  // namespace

std::vector<std::string> ListDeviceNames(RegistryApi& api, const std::string& className) {
  RegistryAccess reg(api);
  if (!reg.OpenKey(ServiceOposPath(className), false)) return {};
  return reg.GetKeyNames();
}

void ForEachDeviceName(RegistryApi& api, const std::string& className,
                       const std::function<void(std::string_view)>& onName) {
  RegistryAccess reg(api);
  if (reg.OpenKey(ServiceOposPath(className), false)) reg.ForEachKeyName(onName);
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

    if (reg.OpenKey(DevicePath(deviceName), false)) {
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

namespace {

enum class Saved { NoClassKey, NoDeviceKey, Written };

Saved SaveEntry(RegistryAccess& reg, const DeviceEntry& entry) {
  if (!OpenClassKeyForWriting(reg)) return Saved::NoClassKey;
  if (!entry.AlternateName.empty()) reg.WriteString(entry.AlternateName, entry.DeviceName);
  reg.CreateKey(entry.DeviceName);
  reg.CloseKey();

  if (!reg.OpenKey(DevicePath(entry.DeviceName), true)) return Saved::NoDeviceKey;
  for (const DeviceValue& value : kDeviceValues) {
    const std::string name(value.name);
    if (value.text) {
      reg.WriteString(name, entry.*value.text);
    } else {
      reg.WriteInteger(name, entry.*value.number);
    }
  }
  reg.CloseKey();
  return Saved::Written;
}

}  // namespace

bool SaveDeviceEntry(RegistryApi& api, const DeviceEntry& entry) {
  RegistryAccess reg(api);
  return SaveEntry(reg, entry) != Saved::NoClassKey;
}

void WriteDeviceEntry(RegistryApi& api, const DeviceEntry& entry) {
  RegistryAccess reg(api);
  switch (SaveEntry(reg, entry)) {
    case Saved::NoClassKey:
      throw RegistryError("Failed to open key " + ClassKeyPath(), reg.OpenError());
    case Saved::NoDeviceKey:
      throw RegistryError("Failed to open key " + DevicePath(entry.DeviceName), reg.OpenError());
    case Saved::Written:
      break;
  }
}

bool SaveAlternateName(RegistryApi& api, const std::string& alternateName,
                       const std::string& deviceName) {
  RegistryAccess reg(api);
  if (!OpenClassKeyForWriting(reg)) return false;
  reg.WriteString(alternateName, deviceName);
  return true;
}

bool DeviceExists(RegistryApi& api, const std::string& deviceName) {
  RegistryAccess reg(api);
  return reg.KeyExists(DevicePath(deviceName));
}

std::optional<std::string> DeviceKeyName(RegistryApi& api, const std::string& deviceName) {
  RegistryAccess reg(api);
  if (!reg.OpenKey(ClassKeyPath(), false)) return std::nullopt;
  for (std::string& name : reg.GetKeyNames()) {
    if (SameRegistryName(name, deviceName)) return std::move(name);
  }
  return std::nullopt;
}

DeviceEntry ReadDeviceValues(RegistryApi& api, const std::string& deviceName) {
  RegistryAccess reg(api);
  if (!reg.OpenKey(DevicePath(deviceName), false)) {
    throw RegistryError("Failed to open key " + DevicePath(deviceName), reg.OpenError());
  }
  DeviceEntry entry;
  for (const DeviceValue& value : kDeviceValues) {
    const std::string name(value.name);
    if (value.text) {
      entry.*value.text = reg.ReadString(name);
    } else {
      // A missing number counts as 0, as a missing text counts as empty.
      entry.*value.number = reg.ReadIntegerIfAny(name).value_or(0);
    }
  }
  return entry;
}

std::vector<AlternateName> ListAlternateNames(RegistryApi& api) {
  std::vector<AlternateName> names;
  RegistryAccess reg(api);
  if (!reg.OpenKey(ClassKeyPath(), false)) return names;
  for (const std::string& valueName : reg.GetValueNames()) {
    if (valueName.empty()) continue;  // the key's default value names nothing
    try {
      names.push_back(AlternateName{valueName, reg.ReadString(valueName)});
    } catch (const RegistryError&) {
      // Not text, so not an alternate name.
    }
  }
  return names;
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
