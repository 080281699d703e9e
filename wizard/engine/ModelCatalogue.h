// The four printer models the wizard installs drivers for.
#pragma once

#include <cstdint>

namespace quispor {

inline constexpr int kModelNameCapacity = 64;  // wide characters, terminator included
inline constexpr int kDriverFileSlots = 16;

struct PrinterModel {
  char16_t name[kModelNameCapacity];        // also the driver name and the printers' base name
  char16_t hardwareId[kModelNameCapacity];  // "NONE"; unused
  char16_t infName[kModelNameCapacity];     // "NONE.inf"; unused
  uint16_t resolutionDpi;                   // 203; unused
  uint16_t usbVendorId;                     // 0x0FE6; unused
  uint16_t usbProductId;                    // 0x811E; unused
  // Slot 0 rendering module, 1 user-interface module, 2 data file; the rest empty.
  char16_t driverFiles[kDriverFileSlots][kModelNameCapacity];
};

inline constexpr uint16_t modelCount = 4;
extern const PrinterModel ModelCatalogue[modelCount];

}  // namespace quispor
