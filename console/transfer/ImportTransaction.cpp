#include "console/transfer/ImportTransaction.h"

#include <algorithm>

#include "console/store/DeviceClassTable.h"
#include "console/store/DeviceStore.h"
#include "console/store/RegistryError.h"
#include "console/store/RegistryName.h"

namespace vantrel {

namespace {

std::u16string Ascii(std::string_view text) { return std::u16string(text.begin(), text.end()); }

std::string ClassKeyPath() { return std::string(kPrinterClassKeyPath); }
std::string DevicePath(const std::string& device) { return ClassKeyPath() + "\\" + device; }

}  // namespace

ImportTransaction::ImportTransaction(RegistryApi& registry, TextCodec& codec, const ProfileSet& profiles)
    : registry_(registry) {
  RegistryAccess reg(registry);
  const std::string classPath = ClassKeyPath();
  // Every key a create may make on the way, below SOFTWARE. Existence is
  // tested with read rights, so that a key the console may not write to
  // still counts as there (and is never deleted as the import's own).
  for (std::size_t at = classPath.find('\\'); at != std::string::npos; at = classPath.find('\\', at + 1)) {
    chain_.push_back(classPath.substr(0, classPath.find('\\', at + 1)));
    chainExisted_.push_back(reg.KeyExists(chain_.back()));
  }
  const bool classExisted = chainExisted_.back();

  std::vector<std::string> keyNames;
  if (classExisted) {
    if (!reg.OpenKey(classPath, false)) throw RegistryError("Failed to open key " + classPath, reg.OpenError());
    keyNames = reg.GetKeyNames();
    for (const AlternateName& alias : profiles.alternateNames) {
      const std::u16string wideName = codec.Widen(alias.name);
      aliases_.push_back(Alias{alias, wideName, reg.ReadRaw(wideName, alias.name)});
    }
    reg.CloseKey();
  } else {
    for (const AlternateName& alias : profiles.alternateNames) {
      aliases_.push_back(Alias{alias, codec.Widen(alias.name), std::nullopt});
    }
  }

  for (const DeviceEntry& entry : profiles.devices) {
    Device device;
    device.entry = entry;
    device.entry.AlternateName.clear();  // the alternate names are written after the devices
    // The key keeps its spelling, and DeviceName is written in it.
    const auto key = std::find_if(keyNames.begin(), keyNames.end(),
                                  [&](const std::string& name) { return SameRegistryName(name, entry.DeviceName); });
    if (key != keyNames.end()) device.entry.DeviceName = *key;
    device.existed = key != keyNames.end() || (classExisted && reg.KeyExists(DevicePath(entry.DeviceName)));
    if (device.existed) {
      const std::string path = DevicePath(device.entry.DeviceName);
      if (!reg.OpenKey(path, false)) throw RegistryError("Failed to open key " + path, reg.OpenError());
      for (std::size_t i = 0; i < kDeviceValues.size(); ++i) {
        const std::string name(kDeviceValues[i].name);
        device.values[i] = reg.ReadRaw(Ascii(name), name);
      }
      reg.CloseKey();
    }
    devices_.push_back(std::move(device));
  }
}

std::vector<std::string> ImportTransaction::Replaced() const {
  std::vector<std::string> names;
  for (const Device& device : devices_) {
    if (device.existed) names.push_back(device.entry.DeviceName);
  }
  return names;
}

std::optional<ImportTransaction::Failure> ImportTransaction::Write() {
  Failure failure;
  try {
    for (const Device& device : devices_) {
      failure.device = device.entry.DeviceName;
      WriteDeviceEntry(registry_, device.entry);
    }
    failure.device.clear();
    RegistryAccess reg(registry_);
    for (const Alias& alias : aliases_) {
      failure.alternateName = alias.alias.name;
      if (!reg.HasOpenKey() && !reg.OpenKey(ClassKeyPath(), true)) {
        throw RegistryError("Failed to open key " + ClassKeyPath(), reg.OpenError());
      }
      reg.WriteString(alias.alias.name, alias.alias.device);
    }
    return std::nullopt;
  } catch (const RegistryError& e) {
    failure.error = e.what();
    failure.code = e.code();
  }
  failure.unrestored = PutBack();
  return failure;
}

bool ImportTransaction::Restore(RegistryAccess& reg, const std::u16string& name, const std::string& shownName,
                                const std::optional<RawValue>& before) {
  try {
    const std::optional<RawValue> now = reg.ReadRaw(name, shownName);
    if (now == before) return true;
    if (before) {
      reg.WriteRaw(name, shownName, *before);
      return true;
    }
    return reg.DeleteValue(shownName);
  } catch (const RegistryError&) {
    return false;
  }
}

ImportTransaction::Unrestored ImportTransaction::PutBack() {
  Unrestored unrestored;
  RegistryAccess reg(registry_);
  // The values first, while their keys stand; compared before they are
  // written, so that what the import never reached is left alone.
  for (const Device& device : devices_) {
    if (!device.existed) continue;
    bool restored = reg.OpenKey(DevicePath(device.entry.DeviceName), false);
    for (std::size_t i = 0; reg.HasOpenKey() && i < kDeviceValues.size(); ++i) {
      const std::string name(kDeviceValues[i].name);
      restored = Restore(reg, Ascii(name), name, device.values[i]) && restored;
    }
    if (!restored) unrestored.devices.push_back(device.entry.DeviceName);
  }
  if (chainExisted_.back()) {
    const bool open = reg.OpenKey(ClassKeyPath(), false);
    for (const Alias& alias : aliases_) {
      if (!open || !Restore(reg, alias.wideName, alias.alias.name, alias.before)) {
        unrestored.alternateNames.push_back(alias.alias.name);
      }
    }
  }
  reg.CloseKey();
  // Then the keys the import made, each device key and, deepest first, the
  // keys on the way to it.
  for (const Device& device : devices_) {
    const std::string path = DevicePath(device.entry.DeviceName);
    if (!device.existed && chainExisted_.back() && reg.KeyExists(path) && !reg.DeleteKey(path)) {
      unrestored.devices.push_back(device.entry.DeviceName);
    }
  }
  for (std::size_t i = chain_.size(); i-- > 0;) {
    if (!chainExisted_[i] && reg.KeyExists(chain_[i]) && !reg.DeleteKey(chain_[i])) {
      unrestored.keys.push_back(chain_[i]);
    }
  }
  return unrestored;
}

}  // namespace vantrel
