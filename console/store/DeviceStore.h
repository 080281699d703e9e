// The five operations of the device profile store. Each uses a registry
// access object of its own over the given API and closes its key before it
// returns.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "console/store/DeviceEntry.h"
#include "console/store/RegistryApi.h"

namespace vantrel {

// Device names of a class in enumeration order; empty when the class key
// cannot be opened.
std::vector<std::string> ListDeviceNames(RegistryApi& api, const std::string& className);
// The same names one at a time, each handed on as it is read (with the class
// key open): for a caller that keeps them in a structure of its own.
void ForEachDeviceName(RegistryApi& api, const std::string& className,
                       const std::function<void(std::string_view)>& onName);

// Reads the profile of deviceName into entry. False on a read error; the
// fields read before it keep their new values. A device key that does not
// open reads nothing and still counts as success.
bool LoadDeviceEntry(RegistryApi& api, const std::string& deviceName, DeviceEntry& entry);

// Writes the alternate name and the 14 values of the device key. False when
// the class key cannot be opened; creation and write errors are thrown as
// RegistryError.
bool SaveDeviceEntry(RegistryApi& api, const DeviceEntry& entry);

// The same writes for an import, where a device counts as written only
// when all 14 values are: a class or device key that cannot be opened for
// writing is thrown as RegistryError ("Failed to open key %s") too.
void WriteDeviceEntry(RegistryApi& api, const DeviceEntry& entry);

// Points alternateName at deviceName in the class key, creating the class key
// as a save does. False when the class key cannot be opened; a refused write
// is thrown as RegistryError.
bool SaveAlternateName(RegistryApi& api, const std::string& alternateName,
                       const std::string& deviceName);

// Whether the class key has a device key of that name (names compare without
// case, as the registry compares them).
bool DeviceExists(RegistryApi& api, const std::string& deviceName);

// The device key the registry takes deviceName for, spelled as the key was
// created; none when the class has no such key. Names compare as
// SameRegistryName compares them.
std::optional<std::string> DeviceKeyName(RegistryApi& api, const std::string& deviceName);

// The 14 values of a device key as they are stored, whatever the connection
// kind; a missing value reads as empty text or 0, as a save would write it.
// A value of the wrong type or a key that does not open is thrown as
// RegistryError.
DeviceEntry ReadDeviceValues(RegistryApi& api, const std::string& deviceName);

struct AlternateName {
  std::string name;
  std::string device;
  bool operator==(const AlternateName&) const = default;
};
// Every text value of the class key in enumeration order: the alternate
// names with the device each stands for. Values that are not text are no
// alternate names and are left out.
std::vector<AlternateName> ListAlternateNames(RegistryApi& api);

// Deletes the first alternate name of the class whose data is deviceName
// exactly. Errors end it silently.
void DeleteAlternateName(RegistryApi& api, const std::string& className,
                         const std::string& deviceName);

// Deletes "<class>\<device>" under the ServiceOPOS key with all subkeys.
bool DeleteDeviceKey(RegistryApi& api, const std::string& relativePath);

}  // namespace vantrel
