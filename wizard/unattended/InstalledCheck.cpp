#include "wizard/unattended/InstalledCheck.h"

#include "wizard/engine/NameCompare.h"
#include "wizard/engine/PrinterScan.h"
#include "wizard/engine/WideText.h"
#include "wizard/engine/platform/SpoolerBuffer.h"

namespace quispor::unattended {
namespace {

constexpr uint32_t kEnumFlags = platform::kPrinterEnumLocal | platform::kPrinterEnumConnections;

bool UsesPort(std::u16string_view ports, std::u16string_view port) {
  while (!ports.empty()) {
    const std::size_t comma = ports.find(u',');
    std::u16string_view one = ports.substr(0, comma);
    while (!one.empty() && one.front() == u' ') {
      one.remove_prefix(1);
    }
    if (NamesEqualIgnoringCase(one, port)) {
      return true;
    }
    ports = comma == std::u16string_view::npos ? std::u16string_view() : ports.substr(comma + 1);
  }
  return false;
}

}  // namespace

std::u16string FindPrinterOnPort(platform::Spooler& spooler, const char16_t* driverName, const char16_t* portName) {
  uint32_t needed = 0;
  uint32_t returned = 0;
  spooler.EnumPrintersW(kEnumFlags, u"", 2, nullptr, 0, &needed, &returned);
  if (needed == 0) {
    return {};
  }
  platform::SpoolerBuffer buffer(needed);
  returned = 0;
  if (buffer.data() == nullptr ||
      spooler.EnumPrintersW(kEnumFlags, u"", 2, buffer.data(), buffer.size(), &needed, &returned) != 0) {
    return {};
  }
  const uint32_t fits = buffer.size() / sizeof(platform::PrinterInfo2W);
  for (uint32_t i = 0; i < returned && i < fits; ++i) {
    const platform::PrinterInfo2W& printer = buffer.record<platform::PrinterInfo2W>(i);
    if (!IsPrinterConnection(printer) && NamesEqualIgnoringCase(View(printer.pDriverName), View(driverName)) &&
        UsesPort(View(printer.pPortName), View(portName))) {
      return std::u16string(View(printer.pPrinterName));
    }
  }
  return {};
}

}  // namespace quispor::unattended
