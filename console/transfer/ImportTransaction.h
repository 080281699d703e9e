// An import's writes, all or nothing. Before the first write it keeps what
// the import will replace or add: which keys on the way to each device key
// exist, and each value the import will write there or into the class key,
// with its type and bytes read through the wide calls (so that text beyond
// the code page comes back as it was). When a write fails, it puts that
// state back: it deletes the values and keys the import added and restores
// the values it replaced.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "console/store/DeviceValues.h"
#include "console/store/RegistryAccess.h"
#include "console/store/RegistryApi.h"
#include "console/transfer/ProfileFile.h"
#include "console/transfer/TextCodec.h"

namespace vantrel {

class ImportTransaction {
 public:
  // Reads the state; a read that fails is thrown as RegistryError, and
  // nothing has been written.
  ImportTransaction(RegistryApi& registry, TextCodec& codec, const ProfileSet& profiles);

  // The device keys the import replaces, spelled as they are.
  std::vector<std::string> Replaced() const;

  // What could not be put back after a failed write.
  struct Unrestored {
    std::vector<std::string> devices;
    std::vector<std::string> alternateNames;
    std::vector<std::string> keys;  // keys on the way to the class key
    bool empty() const { return devices.empty() && alternateNames.empty() && keys.empty(); }
  };
  struct Failure {
    std::string device;         // the device being written, or empty
    std::string alternateName;  // or the alternate name
    std::string error;          // the message of the write that failed
    std::int32_t code = 0;      // its Windows error
    Unrestored unrestored;
  };

  // Writes every device (the 14 values, each device key in its existing
  // spelling, DeviceName in the same) and then every alternate name. On the
  // first failure it puts the state back and reports what failed.
  std::optional<Failure> Write();

 private:
  struct Device {
    DeviceEntry entry;  // DeviceName is the key's spelling
    bool existed = false;
    std::array<std::optional<RawValue>, kDeviceValues.size()> values;
  };
  struct Alias {
    AlternateName alias;
    std::u16string wideName;
    std::optional<RawValue> before;
  };

  // Makes the value what it was; false when that fails.
  bool Restore(RegistryAccess& reg, const std::u16string& name, const std::string& shownName,
               const std::optional<RawValue>& before);
  Unrestored PutBack();

  RegistryApi& registry_;
  std::vector<std::string> chain_;  // the keys from SOFTWARE\OLEforRetail to the class key
  std::vector<bool> chainExisted_;
  std::vector<Device> devices_;
  std::vector<Alias> aliases_;
};

}  // namespace vantrel
