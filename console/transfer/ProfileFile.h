// Device profiles as a registry file. A file holds the POSPrinter class key
// with the alternate names of its devices and one key per device with the 14
// values of a save; nothing else. Every key is written twice, under
// SOFTWARE\OLEforRetail (where 32-bit Windows keeps it) and under
// SOFTWARE\WOW6432Node\OLEforRetail (where a 64-bit "reg import" or registry
// editor reaches the 32-bit view of 64-bit Windows), so that one file gives a
// 32-bit OPOS control its profile on either system. The reader takes either
// path for the same key.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "console/store/DeviceEntry.h"
#include "console/store/DeviceStore.h"
#include "console/transfer/RegFile.h"
#include "console/transfer/TextCodec.h"

namespace vantrel {

struct ProfileSet {
  // DeviceName is the device key's name; AlternateName is not used.
  std::vector<DeviceEntry> devices;
  std::vector<AlternateName> alternateNames;
  bool operator==(const ProfileSet&) const = default;
};

// Throws std::invalid_argument when a name or a text holds a line break,
// which a registry file cannot carry.
RegFile ProfileRegFile(const ProfileSet& profiles, TextCodec& codec);
// WriteRegFile(ProfileRegFile(profiles, codec)) written straight from the
// profiles, without the RegFile in between: an export of thousands of
// devices would otherwise hold every text twice more. The same bytes and
// the same refusals.
std::vector<std::uint8_t> WriteProfileFile(const ProfileSet& profiles, TextCodec& codec);

// Throws RegFileError, naming the line, for anything that is not a device
// profile of the POSPrinter class: another key, a value outside the 14 or of
// another type, a missing value, a deletion, an alternate name that points to
// no device of the file, text the system code page cannot hold, a device
// given twice with different values, or a file with no device at all.
ProfileSet ReadProfileRegFile(const RegFile& file, TextCodec& codec);
// ReadProfileRegFile(ReadRegFile(bytes, codec), codec) one key at a time,
// without the RegFile of the whole file in between; the same profiles and
// the same refusals.
ProfileSet ReadProfileFile(std::span<const std::uint8_t> bytes, TextCodec& codec);

}  // namespace vantrel
