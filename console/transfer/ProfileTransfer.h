// "Export..." and "Import..." of the tree's context menu: device profiles
// between the registry and a registry file, with the questions and messages
// the user sees. Refusals and failures are thrown with a text for the
// console's error display; an import that is refused writes nothing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "console/editor/MainView.h"
#include "console/store/RegistryApi.h"
#include "console/transfer/ProfileFile.h"
#include "console/transfer/TextCodec.h"

namespace vantrel {

// Whole files; on Windows CreateFileA, ReadFile and WriteFile. Failures are
// thrown as std::runtime_error with a text for the user.
class ProfileFiles {
 public:
  virtual ~ProfileFiles() = default;
  // Refuses a file longer than maxBytes.
  virtual std::vector<std::uint8_t> Read(const std::string& path, std::size_t maxBytes) = 0;
  virtual void Write(const std::string& path, const std::vector<std::uint8_t>& bytes) = 0;
  // A new file in the console's backup folder (WriteBackupFile); its path.
  virtual std::string WriteBackup(const std::vector<std::uint8_t>& bytes) = 0;
};

struct TransferServices {
  RegistryApi& registry;
  TextCodec& codec;
  ProfileFiles& files;
};

// Far above what thousands of devices take (about 2 KB each), far below
// what would strain the console's memory.
inline constexpr std::size_t kMaxProfileFileBytes = 64u << 20;

// The device, or with no device every device of the class, with the
// alternate names that point to each.
ProfileSet CollectProfiles(RegistryApi& registry, const std::string& className,
                           const std::optional<std::string>& deviceName);
// The devices of those key names, with the alternate names that point to
// each.
ProfileSet CollectProfiles(RegistryApi& registry, const std::vector<std::string>& deviceNames);

// An alternate name the import adds (from is none) or points at another
// device.
struct AlternateNameChange {
  std::string name;
  std::optional<std::string> from;
  std::string to;
  bool operator==(const AlternateNameChange&) const = default;
};
struct ImportPlan {
  std::vector<std::string> added;
  std::vector<std::string> replaced;
  std::vector<AlternateNameChange> alternateNames;
};
ImportPlan PlanImport(RegistryApi& registry, const ProfileSet& profiles);

// The file name offered for an export: the name with the characters a file
// name cannot hold replaced by "_", and ".reg".
std::string SuggestedFileName(const std::string& name);
std::string ImportQuestion(const std::string& fileName, const ImportPlan& plan);

void ExportProfiles(MainView& view, TransferServices& services, const std::string& className,
                    const std::optional<std::string>& deviceName);
// All or nothing: before it replaces a device it saves the devices it
// replaces to a backup file (and writes nothing when it cannot), and when a
// write fails it puts back what was there. Each device key keeps its
// spelling, and DeviceName is written in it. True when the registry was
// written. A write that failed is thrown as RegistryError, whose text says
// which device failed and whether everything was put back.
bool ImportProfiles(MainView& view, TransferServices& services);

}  // namespace vantrel
