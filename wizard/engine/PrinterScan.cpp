#include "wizard/engine/PrinterScan.h"

#include <string_view>

#include "wizard/engine/NameCompare.h"
#include "wizard/engine/WideText.h"
#include "wizard/engine/platform/SpoolerBuffer.h"

namespace quispor {
namespace {

constexpr uint32_t kEnumFlags = platform::kPrinterEnumLocal | platform::kPrinterEnumConnections;

PrinterNameField CutName(std::u16string_view text) {
  PrinterNameField field{};
  CopyWideText(field.data(), field.size(), text);
  return field;
}

bool MatchesCatalogue(std::u16string_view driver, const PrinterModel* rows, uint16_t count) {
  for (uint16_t r = 0; r < count; ++r) {
    if (NamesEqualIgnoringCase(driver, View(rows[r].name))) {
      return true;
    }
  }
  return false;
}

InstalledPrinter& RecordFor(InstalledPrinterList& list, std::u16string_view driver) {
  for (InstalledPrinter& record : list.records) {
    if (NamesEqualIgnoringCase(View(record.driverName), driver)) {
      return record;
    }
  }
  InstalledPrinter& record = list.records.emplace_back();
  CopyWideText(record.driverName, kModelNameCapacity, driver);
  list.count = static_cast<uint16_t>(list.records.size());
  return record;
}

// Calls take(name) for each installed driver of the running program's
// environment (EnumPrinterDriversW level 1), in enumeration order. 0, or the
// code of the failing call.
template <typename Take>
uint32_t ForEachInstalledDriver(platform::Spooler& spooler, Take take) {
  uint32_t needed = 0;
  uint32_t returned = 0;
  uint32_t error = spooler.EnumPrinterDriversW(nullptr, nullptr, 1, nullptr, 0, &needed, &returned);
  if (error != 0 && error != platform::kErrorInsufficientBuffer) {
    return error;
  }
  if (needed == 0) {
    return 0;
  }
  platform::SpoolerBuffer buffer(needed);
  if (buffer.data() == nullptr) {
    return platform::kErrorInsufficientBuffer;
  }
  returned = 0;
  error = spooler.EnumPrinterDriversW(nullptr, nullptr, 1, buffer.data(), buffer.size(), &needed, &returned);
  if (error != 0) {
    return error;
  }
  const uint32_t fits = buffer.size() / sizeof(platform::DriverInfo1W);
  for (uint32_t i = 0; i < returned && i < fits; ++i) {
    take(View(buffer.record<platform::DriverInfo1W>(i).pName));
  }
  return 0;
}

}  // namespace

void ScanInstalledPrinters(platform::Spooler& spooler, const PrinterModel* rows, uint16_t count,
                           InstalledPrinterList& list) {
  list.records.clear();
  list.count = 0;
  uint32_t needed = 0;
  uint32_t returned = 0;
  spooler.EnumPrintersW(kEnumFlags, u"", 2, nullptr, 0, &needed, &returned);
  if (needed == 0) {
    return;
  }
  platform::SpoolerBuffer buffer(needed);
  if (buffer.data() == nullptr) {
    return;
  }
  returned = 0;
  if (spooler.EnumPrintersW(kEnumFlags, u"", 2, buffer.data(), buffer.size(), &needed, &returned) != 0) {
    return;
  }
  // Guard against a count the buffer cannot hold.
  const uint32_t fits = buffer.size() / sizeof(platform::PrinterInfo2W);
  if (returned > fits) {
    returned = fits;
  }
  for (uint32_t i = 0; i < returned; ++i) {
    const platform::PrinterInfo2W& printer = buffer.record<platform::PrinterInfo2W>(i);
    const std::u16string_view driver = View(printer.pDriverName);
    if (rows == nullptr || driver.empty() || !MatchesCatalogue(driver, rows, count)) {
      continue;
    }
    InstalledPrinter& record = RecordFor(list, driver);
    record.printerNames.push_back(CutName(View(printer.pPrinterName)));
    record.printerCount = static_cast<uint32_t>(record.printerNames.size());
  }
}

bool IsPrinterConnection(const platform::PrinterInfo2W& printer) {
  const bool network = (printer.Attributes & platform::kPrinterAttributeNetwork) != 0 &&
                       (printer.Attributes & platform::kPrinterAttributeLocal) == 0;
  return network || View(printer.pPrinterName).substr(0, 2) == u"\\\\";
}

bool IsDriverInstalled(platform::Spooler& spooler, const char16_t* name) {
  bool found = false;
  // Whole names are compared, so a long driver name cannot pass for a short
  // one through a cut copy.
  ForEachInstalledDriver(spooler, [&](std::u16string_view driver) {
    found = found || NamesEqualIgnoringCase(driver, View(name));
  });
  return found;
}

uint32_t InstalledCatalogueDrivers(platform::Spooler& spooler, const PrinterModel* rows, uint16_t count,
                                   std::vector<std::u16string>& names) {
  names.clear();
  return ForEachInstalledDriver(spooler, [&](std::u16string_view driver) {
    if (rows != nullptr && MatchesCatalogue(driver, rows, count)) {
      names.emplace_back(driver);
    }
  });
}

}  // namespace quispor
