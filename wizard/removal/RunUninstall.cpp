#include "wizard/removal/RunUninstall.h"

#include <string>

#include "wizard/engine/ModelCatalogue.h"
#include "wizard/engine/PrinterScan.h"
#include "wizard/removal/DriverRemoval.h"
#include "wizard/removal/LogText.h"
#include "wizard/ui/text/PoText.h"

namespace quispor::removal {
namespace {

std::u16string Po(const char* key) { return Text(GetPoText(key)); }

// The first catalogue row whose name is exactly driverName (case counts), or
// the index the previous driver used.
int32_t ModelIndexFor(const char16_t* driverName, int32_t previous) {
  const std::u16string name = Text(driverName);
  for (uint16_t i = 0; i < modelCount; ++i) {
    if (name == ModelCatalogue[i].name) {
      return i;
    }
  }
  return previous;
}

std::u16string ProgressLine(const char16_t* driverName) {
  char16_t prefix[kPoTextCapacity] = {};
  CopyPoText("PO_UNINSTALL_ING_NAME", prefix);
  return FitBuffer(Text(prefix) + u"\"" + Text(driverName) + u"\"", kFinishTextCapacity);
}

}  // namespace

uint32_t RunUninstall(RemovalServices& services, FinishView& view) {
  view.SetBackButtonText(Po("PO_PRINTER_LAST_INSTALL_ANOTHER").c_str());
  view.SetNextButtonText(Po("PO_PRINTER_LAST_INSTALL_EXIT").c_str());

  InstalledPrinterList installed;
  ScanInstalledPrinters(services.spooler, ModelCatalogue, modelCount, installed);
  const int32_t found = installed.count;

  uint32_t result = 0;
  int32_t removed = 0;
  int32_t modelIndex = 0;
  RemovalLists lists;
  for (const InstalledPrinter& record : installed.records) {
    view.SetFinishText(ProgressLine(record.driverName).c_str());
    modelIndex = ModelIndexFor(record.driverName, modelIndex);
    result = UninstallOneDriver(services, lists, record.driverName, modelIndex);
    if (result != 0) {
      break;
    }
    ++removed;
  }

  std::u16string outcome;
  if (result != 0) {
    outcome = Po("PO_UNINSTALL_DRIVER_FAIL") + u" -- ERROR CODE = " + DecimalCode(result) + u"(" + Decimal(found) +
              u"-" + Decimal(removed) + u")";
  } else {
    outcome = Po("PO_UNINSTALL_FINISH_INFO");
  }
  view.SetFinishText(FitBuffer(outcome, kFinishTextCapacity).c_str());
  return result;
}

}  // namespace quispor::removal
