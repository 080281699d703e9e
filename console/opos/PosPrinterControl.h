// The OPOS POSPrinter control as the health check uses it. Implementations
// raise an error (OleError) when a COM call fails; result codes are the
// control's OPOS codes, 0 for success.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace vantrel {

class PosPrinterControl {
 public:
  virtual ~PosPrinterControl() = default;

  // The name is in the system code page; the control receives it as UTF-16.
  virtual std::int32_t Open(const std::string& deviceName) = 0;
  virtual std::int32_t ClaimDevice(std::int32_t timeoutMs) = 0;
  virtual void SetDeviceEnabled(bool enabled) = 0;
  virtual std::int32_t CheckHealth(std::int32_t level) = 0;
  virtual std::int32_t ReleaseDevice() = 0;
  virtual std::int32_t Close() = 0;
};

// Creates one control instance per health check; raises an error when the
// control cannot be created.
class PosPrinterControlFactory {
 public:
  virtual ~PosPrinterControlFactory() = default;
  virtual std::unique_ptr<PosPrinterControl> Create() = 0;
};

}  // namespace vantrel
