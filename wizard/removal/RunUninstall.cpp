#include "wizard/removal/RunUninstall.h"

#include <string>

#include "wizard/engine/ModelCatalogue.h"
#include "wizard/engine/PrinterScan.h"
#include "wizard/engine/WideFormat.h"
#include "wizard/engine/WideText.h"
#include "wizard/removal/DriverRemoval.h"
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

  InstalledPrinterList installed;
  ScanInstalledPrinters(services.spooler, ModelCatalogue, modelCount, installed);
  const int32_t found = installed.count;

  uint32_t result = 0;
  int32_t removed = 0;
  int32_t modelIndex = 0;
  RemovalLists lists;
  for (const InstalledPrinter& record : installed.records) {
    Show(report, ProgressLine(record.driverName));
    modelIndex = ModelIndexFor(record.driverName, modelIndex);
    result = UninstallOneDriver(services, lists, record.driverName, modelIndex, &report);
    if (result != 0) {
      break;
    }
    ++removed;
  }

  if (result != 0) {
    Show(report, std::u16string(PoTextOrEmpty("PO_UNINSTALL_DRIVER_FAIL")) + u" -- ERROR CODE = " +
                     DecimalCode(result) + u"(" + Decimal(found) + u"-" + Decimal(removed) + u")");
  } else {
    Show(report, PoTextOrEmpty("PO_UNINSTALL_FINISH_INFO"));
  }
  return result;
}

}  // namespace quispor::removal
