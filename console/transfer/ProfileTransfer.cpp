#include "console/transfer/ProfileTransfer.h"

#include <algorithm>
#include <stdexcept>

#include "console/store/DeviceStore.h"
#include "console/store/RegistryError.h"
#include "console/store/RegistryName.h"
#include "console/store/RegistryNameIndex.h"
#include "console/transfer/ImportTransaction.h"
#include "console/transfer/RegFile.h"

namespace vantrel {

namespace {

constexpr char kExportCaption[] = "Export Devices";
constexpr char kImportCaption[] = "Import Devices";
// Names listed in the import question before the rest is only counted.
constexpr std::size_t kNamesShown = 10;

std::string BaseName(const std::string& path) {
  const std::size_t slash = path.find_last_of("\\/:");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string NameList(const std::vector<std::string>& names) {
  std::string list;
  for (std::size_t i = 0; i < names.size() && i < kNamesShown; ++i) {
    if (i > 0) list += ", ";
    list += names[i];
  }
  if (names.size() > kNamesShown) list += " and " + std::to_string(names.size() - kNamesShown) + " more";
  return list;
}

std::string Devices(std::size_t count) {
  return std::to_string(count) + (count == 1 ? " device" : " devices");
}

// What a failed import says: what failed, and either that nothing was
// changed or what could not be put back and where the earlier profiles are.
std::string FailureText(const ImportTransaction::Failure& failure, const std::optional<std::string>& backup) {
  std::string text = failure.device.empty() ? "the alternate name " + failure.alternateName : "device " + failure.device;
  text += " could not be written (" + failure.error + ").";
  const ImportTransaction::Unrestored& left = failure.unrestored;
  if (left.empty()) return text + " Nothing was changed.";
  std::vector<std::string> parts;
  if (!left.devices.empty()) parts.push_back((left.devices.size() == 1 ? "device " : "devices ") + NameList(left.devices));
  if (!left.alternateNames.empty()) {
    parts.push_back((left.alternateNames.size() == 1 ? "the alternate name " : "the alternate names ") +
                    NameList(left.alternateNames));
  }
  if (!left.keys.empty()) parts.push_back((left.keys.size() == 1 ? "the key " : "the keys ") + NameList(left.keys));
  text += " These could not be put back as they were: ";
  for (std::size_t i = 0; i < parts.size(); ++i) text += (i == 0 ? "" : "; ") + parts[i];
  text += ".";
  if (backup) text += " The devices it replaced were saved before to " + *backup + ".";
  return text;
}

}  // namespace

ProfileSet CollectProfiles(RegistryApi& registry, const std::string& className,
                           const std::optional<std::string>& deviceName) {
  return CollectProfiles(registry,
                         deviceName ? std::vector<std::string>{*deviceName} : ListDeviceNames(registry, className));
}

ProfileSet CollectProfiles(RegistryApi& registry, const std::vector<std::string>& names) {
  ProfileSet profiles;
  profiles.devices.reserve(names.size());
  const auto refused = [](const std::string& name) { return "Device " + name + " cannot be exported: "; };
  for (const std::string& name : names) {
    try {
      profiles.devices.push_back(ReadDeviceValues(registry, name));
    } catch (const RegistryError& e) {
      throw RegistryError(refused(name) + e.what(), e.code());
    }
    // An import writes the key under its DeviceName, so a profile whose
    // DeviceName names another key could not come back as it was. One that
    // differs from its key in letter case only (an earlier console saved
    // "FRONT" over "Front") is the same key, and goes out in its spelling.
    DeviceEntry& device = profiles.devices.back();
    if (!SameRegistryName(device.DeviceName, name)) {
      throw std::runtime_error(refused(name) + "its DeviceName value is " + device.DeviceName + ".");
    }
    device.DeviceName = name;
  }
  RegistryNameIndex exported;
  const auto exportedName = [&names](std::size_t i) -> std::string_view { return names[i]; };
  for (std::size_t i = 0; i < names.size(); ++i) exported.FindOrAdd(names[i], i, exportedName);
  for (AlternateName& alias : ListAlternateNames(registry)) {
    if (exported.Find(alias.device, exportedName)) profiles.alternateNames.push_back(std::move(alias));
  }
  return profiles;
}

ImportPlan PlanImport(RegistryApi& registry, const ProfileSet& profiles) {
  ImportPlan plan;
  for (const DeviceEntry& device : profiles.devices) {
    (DeviceExists(registry, device.DeviceName) ? plan.replaced : plan.added).push_back(device.DeviceName);
  }
  const std::vector<AlternateName> current = ListAlternateNames(registry);
  for (const AlternateName& alias : profiles.alternateNames) {
    const auto now = std::find_if(current.begin(), current.end(),
                                  [&](const AlternateName& c) { return SameRegistryName(c.name, alias.name); });
    if (now == current.end()) {
      plan.alternateNames.push_back({alias.name, std::nullopt, alias.device});
    } else if (!SameRegistryName(now->device, alias.device)) {
      plan.alternateNames.push_back({alias.name, now->device, alias.device});
    }
  }
  return plan;
}

std::string SuggestedFileName(const std::string& name) {
  std::string file = name;
  for (char& c : file) {
    const auto u = static_cast<unsigned char>(c);
    if (u < 0x20 || std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos) c = '_';
  }
  return file + ".reg";
}

std::string ImportQuestion(const std::string& fileName, const ImportPlan& plan) {
  std::string text = "Import " + Devices(plan.added.size() + plan.replaced.size()) + " from " + fileName + "?\n";
  if (!plan.added.empty()) text += "\nDevices to add: " + NameList(plan.added);
  if (!plan.replaced.empty()) text += "\nDevices to replace: " + NameList(plan.replaced);
  // OPOS applications open devices by these names: one that moves to
  // another device moves them with it.
  std::vector<std::string> added;
  std::vector<std::string> repointed;
  for (const AlternateNameChange& change : plan.alternateNames) {
    if (change.from) {
      repointed.push_back(change.name + " from " + *change.from + " to " + change.to);
    } else {
      added.push_back(change.name + " for " + change.to);
    }
  }
  if (!added.empty()) text += "\nAlternate names to add: " + NameList(added);
  if (!repointed.empty()) text += "\nAlternate names to repoint: " + NameList(repointed);
  return text;
}

void ExportProfiles(MainView& view, TransferServices& services, const std::string& className,
                    const std::optional<std::string>& deviceName) {
  const ProfileSet profiles = CollectProfiles(services.registry, className, deviceName);
  if (profiles.devices.empty()) {
    view.ShowMessageBox("There are no devices to export.", kExportCaption, kMbOk | kMbIconInformation);
    return;
  }
  const std::optional<std::string> path =
      view.ChooseProfileFile(FileChoice::Export, SuggestedFileName(deviceName ? *deviceName : className));
  if (!path) return;
  services.files.Write(*path, WriteProfileFile(profiles, services.codec));
  view.ShowMessageBox("Exported " + Devices(profiles.devices.size()) + " to " + *path + ".", kExportCaption,
                      kMbOk | kMbIconInformation);
}

bool ImportProfiles(MainView& view, TransferServices& services) {
  const std::optional<std::string> path = view.ChooseProfileFile(FileChoice::Import, "");
  if (!path) return false;
  const std::string fileName = BaseName(*path);
  ProfileSet profiles;
  try {
    const std::vector<std::uint8_t> bytes = services.files.Read(*path, kMaxProfileFileBytes);
    profiles = ReadProfileFile(bytes, services.codec);
  } catch (const RegFileError& e) {
    const std::string where = e.line() > 0 ? " Line " + std::to_string(e.line()) + ": " : " ";
    throw std::runtime_error(fileName + " cannot be imported." + where + e.what());
  }
  const ImportPlan plan = PlanImport(services.registry, profiles);
  if (view.ShowMessageBox(ImportQuestion(fileName, plan), kImportCaption, kMbYesNo | kMbIconQuestion) != kIdYes) {
    return false;
  }
  const std::string notImported = fileName + " was not imported: ";

  std::optional<ImportTransaction> transaction;
  try {
    transaction.emplace(services.registry, services.codec, profiles);
  } catch (const RegistryError& e) {
    throw RegistryError(
        notImported + "the device profiles it would change cannot be opened (" + e.what() + "). Nothing was changed.",
        e.code());
  }
  std::optional<std::string> backup;
  if (const std::vector<std::string> replaced = transaction->Replaced(); !replaced.empty()) {
    try {
      backup =
          services.files.WriteBackup(WriteProfileFile(CollectProfiles(services.registry, replaced), services.codec));
    } catch (const std::exception& e) {
      throw std::runtime_error(notImported + "the devices it would replace could not be saved to a backup file first. " +
                               e.what() + " Nothing was changed.");
    }
  }
  if (const std::optional<ImportTransaction::Failure> failure = transaction->Write()) {
    throw RegistryError(notImported + FailureText(*failure, backup), failure->code);
  }
  std::string done = "Imported " + Devices(profiles.devices.size()) + " from " + fileName + ".";
  if (backup) done += " The devices it replaced were saved first to " + *backup + ".";
  view.ShowMessageBox(done, kImportCaption, kMbOk | kMbIconInformation);
  return true;
}

}  // namespace vantrel
