#include "wizard/removal/RunUninstall.h"

#include <algorithm>
#include <string>

#include "wizard/engine/ModelCatalogue.h"
#include "wizard/engine/PrinterScan.h"
#include "wizard/engine/WideFormat.h"
#include "wizard/engine/WideText.h"
#include "wizard/engine/usb/UsbPorts.h"
#include "wizard/removal/DriverRemoval.h"
#include "wizard/removal/PackageCleanup.h"
#include "wizard/removal/RemovalTargets.h"
#include "wizard/shared/PoText.h"

namespace quispor::removal {
namespace {

// Shows text as the finish page's buffer of 260 characters holds it.
void Show(SequenceReport& report, const std::u16string& text) {
  char16_t shown[kFinishTextCapacity] = {};
  CopyWideText(shown, kFinishTextCapacity, text);
  report.ShowText(shown);
}

std::u16string ProgressLine(const char16_t* driverName) {
  char16_t prefix[kPoTextCapacity] = {};
  CopyPoText("PO_UNINSTALL_ING_NAME", prefix);
  return std::u16string(prefix) + u"\"" + std::u16string(View(driverName)) + u"\"";
}

}  // namespace

int32_t ModelIndexFor(const char16_t* driverName, int32_t previous) {
  const std::u16string_view name = View(driverName);
  for (uint16_t i = 0; i < modelCount; ++i) {
    if (name == ModelCatalogue[i].name) {
      return i;
    }
  }
  return previous;
}

uint32_t RunUninstall(RemovalServices& services, SequenceReport& report) {
  report.SequenceStarted();

  RemovalTargets targets;
  uint32_t result = FindRemovalTargets(services, targets);
  const int32_t found = static_cast<int32_t>(targets.drivers.size());
  int32_t removed = 0;
  bool restartNeeded = false;
  // Every step that fails ends the run; 3010 is a step done.
  const auto done = [&](uint32_t code) {
    restartNeeded = restartNeeded || code == kErrorSuccessRebootRequired;
    if (!StepSucceeded(code)) {
      result = code;
    }
    return result == 0;
  };

  RemovalLists lists;
  for (std::size_t i = 0; result == 0 && i < targets.drivers.size(); ++i) {
    const DriverTarget& driver = targets.drivers[i];
    Show(report, ProgressLine(driver.name.c_str()));
    if (done(UninstallOneDriver(services, lists, driver.name.c_str(), driver.modelIndex, &report))) {
      ++removed;
    }
  }
  // With every driver gone, no package of the maker's is in use any more.
  bool packageDeleted = false;
  for (std::size_t i = 0; result == 0 && i < targets.packages.size(); ++i) {
    const std::u16string& package = targets.packages[i];
    if (std::find(lists.packagesDeleted.begin(), lists.packagesDeleted.end(), package) != lists.packagesDeleted.end()) {
      continue;
    }
    Show(report, ProgressLine(package.c_str()));
    packageDeleted = done(DeleteDriverPackage(services, package.c_str(), &report)) || packageDeleted;
  }
  if (packageDeleted) {
    ReenumerateDevices(services.deviceSetup);
  }

  if (result != 0) {
    Show(report, std::u16string(PoTextOrEmpty("PO_UNINSTALL_DRIVER_FAIL")) + u" -- ERROR CODE = " +
                     DecimalCode(result) + u"(" + Decimal(found) + u"-" + Decimal(removed) + u")");
    return result;
  }
  Show(report, PoTextOrEmpty("PO_UNINSTALL_FINISH_INFO"));
  return restartNeeded ? kErrorSuccessRebootRequired : 0;
}

}  // namespace quispor::removal
