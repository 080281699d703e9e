#include "console/transfer/ProfileTransfer.h"

#include <algorithm>
#include <set>
#include <stdexcept>

#include "console/store/DeviceClassTable.h"
#include "console/store/DeviceStore.h"
#include "console/store/RegistryAccess.h"
#include "console/store/RegistryError.h"
#include "console/store/RegistryName.h"
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

}  // namespace

ProfileSet CollectProfiles(RegistryApi& registry, const std::string& className,
                           const std::optional<std::string>& deviceName) {
  const std::vector<std::string> names =
      deviceName ? std::vector<std::string>{*deviceName} : ListDeviceNames(registry, className);
  ProfileSet profiles;
  for (const std::string& name : names) {
    const std::string refused = "Device " + name + " cannot be exported: ";
    try {
      profiles.devices.push_back(ReadDeviceValues(registry, name));
    } catch (const RegistryError& e) {
      throw RegistryError(refused + e.what(), e.code());
    }
    // An import writes the key under its DeviceName, so a profile whose
    // DeviceName names another key could not come back as it was. One that
    // differs from its key in letter case only (an earlier console saved
    // "FRONT" over "Front") is the same key, and goes out in its spelling.
    DeviceEntry& device = profiles.devices.back();
    if (!SameRegistryName(device.DeviceName, name)) {
      throw std::runtime_error(refused + "its DeviceName value is " + device.DeviceName + ".");
    }
    device.DeviceName = name;
  }
  std::set<std::string> exported;
  for (const std::string& name : names) exported.insert(RegistryNameKey(name));
  for (const AlternateName& alias : ListAlternateNames(registry)) {
    if (exported.count(RegistryNameKey(alias.device)) != 0) profiles.alternateNames.push_back(alias);
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

void WriteProfiles(RegistryApi& registry, const ProfileSet& profiles) {
  {
    // Nothing is written when the class key is out of reach.
    RegistryAccess reg(registry);
    if (!reg.OpenKey(std::string(kPrinterClassKeyPath), true)) {
      throw RegistryError("Failed to open key " + std::string(kPrinterClassKeyPath), reg.OpenError());
    }
  }
  for (DeviceEntry device : profiles.devices) {
    device.AlternateName.clear();  // written below, every one of them
    if (const std::optional<std::string> key = DeviceKeyName(registry, device.DeviceName)) device.DeviceName = *key;
    if (!SaveDeviceEntry(registry, device)) {
      throw RegistryError("Failed to open key " + std::string(kPrinterClassKeyPath));
    }
  }
  for (const AlternateName& alias : profiles.alternateNames) {
    if (!SaveAlternateName(registry, alias.name, alias.device)) {
      throw RegistryError("Failed to open key " + std::string(kPrinterClassKeyPath));
    }
  }
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
  services.files.Write(*path, WriteRegFile(ProfileRegFile(profiles, services.codec)));
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
    profiles = ReadProfileRegFile(ReadRegFile(bytes, services.codec), services.codec);
  } catch (const RegFileError& e) {
    const std::string where = e.line() > 0 ? " Line " + std::to_string(e.line()) + ": " : " ";
    throw std::runtime_error(fileName + " cannot be imported." + where + e.what());
  }
  const ImportPlan plan = PlanImport(services.registry, profiles);
  if (view.ShowMessageBox(ImportQuestion(fileName, plan), kImportCaption, kMbYesNo | kMbIconQuestion) != kIdYes) {
    return false;
  }
  WriteProfiles(services.registry, profiles);
  return true;
}

}  // namespace vantrel
