// What one installation run works from, and what it leaves for the outcome
// text: the stage that failed and the name of the printer created last.
#pragma once

#include <cstdint>

#include "wizard/engine/ModelCatalogue.h"

namespace quispor {

// The driver, printer, port and file name fields: 63 characters and a terminator.
inline constexpr int kInstallNameCapacity = kModelNameCapacity;
// A base name of up to 63 characters and a suffix of up to five ("(127)").
inline constexpr int kLastPrinterNameCapacity = 69;

struct InstallRequest {
  int32_t setAsDefault = 0;  // 0 or 1
  char16_t driverName[kInstallNameCapacity] = {};
  char16_t printerName[kInstallNameCapacity] = {};  // base name of the new printer
  char16_t portName[kInstallNameCapacity] = {};
  // Slot 0 rendering module, 1 user-interface module, 2 data file; bare names.
  char16_t driverFiles[kDriverFileSlots][kInstallNameCapacity] = {};
};

enum InstallStage : int32_t {
  STAGE_DRIVER = 0,   // the driver registration failed
  STAGE_PRINTER = 1,  // the driver was in place; the result is the printer creation's
};

// Set by InstallDriverPrinter and AddModelPrinter, read for the outcome
// text; kept until the next run changes it.
struct InstallState {
  InstallStage stage = STAGE_DRIVER;
  char16_t lastPrinterName[kLastPrinterNameCapacity] = {};
};

// The process-wide state the wizard's runs share.
InstallState& ProcessInstallState();

}  // namespace quispor
