#include "wizard/removal/RemovalTargets.h"

#include <algorithm>

#include "wizard/engine/ModelCatalogue.h"
#include "wizard/engine/NameCompare.h"
#include "wizard/engine/PrinterScan.h"
#include "wizard/removal/PackageCleanup.h"
#include "wizard/removal/RunUninstall.h"

namespace quispor::removal {

uint32_t FindRemovalTargets(RemovalServices& services, RemovalTargets& targets) {
  targets = RemovalTargets{};
  InstalledPrinterList installed;
  ScanInstalledPrinters(services.spooler, ModelCatalogue, modelCount, installed);
  int32_t modelIndex = 0;
  for (const InstalledPrinter& record : installed.records) {
    modelIndex = ModelIndexFor(record.driverName, modelIndex);
    targets.drivers.push_back({record.driverName, modelIndex});
  }

  std::vector<std::u16string> drivers;
  const uint32_t error = InstalledCatalogueDrivers(services.spooler, ModelCatalogue, modelCount, drivers);
  if (error != 0) {
    return error;
  }
  for (const std::u16string& driver : drivers) {
    const bool listed = std::any_of(targets.drivers.begin(), targets.drivers.end(),
                                    [&](const DriverTarget& t) { return NamesEqualIgnoringCase(t.name, driver); });
    if (listed) {
      continue;
    }
    // Found by its model's name: that model's package goes with it.
    int32_t model = 0;
    while (model < modelCount && !NamesEqualIgnoringCase(driver, ModelCatalogue[model].name)) {
      ++model;
    }
    targets.drivers.push_back({driver, model});
  }

  targets.packages = FindMakerPackages(services);
  return 0;
}

}  // namespace quispor::removal
