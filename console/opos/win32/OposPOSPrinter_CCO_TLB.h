// TOPOSPOSPrinter: the console's host of the OPOS POSPrinter control. It
// creates the control from its class id, holds its IOPOSPOSPrinter interface
// and turns every failing COM call into an OleError.
//
// IOPOSPOSPrinter is a dual interface; only its IDispatch part is relied on:
// the operations are called by name and DeviceEnabled is put on its dispatch
// id, so no vtable layout beyond IDispatch is assumed.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include <memory>

#include "console/opos/PosPrinterControl.h"
#include "console/opos/win32/ComPtr.h"

namespace vantrel::win32 {

extern const CLSID CLSID_OPOSPOSPrinter;       // {CCB90152-B81E-11D2-AB74-0040054C3719}
extern const IID IID_IOPOSPOSPrinter;          // {CCB98151-B81E-11D2-AB74-0040054C3719}
extern const IID DIID__IOPOSPOSPrinterEvents;  // {CCB90153-B81E-11D2-AB74-0040054C3719}, not connected

class TOPOSPOSPrinter : public PosPrinterControl {
 public:
  // CoCreateInstance of the class id (in-process or local server), then
  // QueryInterface for IOPOSPOSPrinter. Raises OleError.
  TOPOSPOSPrinter();

  std::int32_t Open(const std::string& deviceName) override;
  std::int32_t ClaimDevice(std::int32_t timeoutMs) override;
  void SetDeviceEnabled(bool enabled) override;
  std::int32_t CheckHealth(std::int32_t level) override;
  std::int32_t ReleaseDevice() override;
  std::int32_t Close() override;

  IDispatch* ControlInterface() const { return control_.get(); }

 private:
  // Calls a method by name with args in Invoke order (last argument first);
  // its result as a 32-bit integer.
  std::int32_t CallMethod(const wchar_t* name, VARIANT* args, UINT argCount);

  ComPtr<IDispatch> control_;
};

class TOPOSPOSPrinterFactory : public PosPrinterControlFactory {
 public:
  std::unique_ptr<PosPrinterControl> Create() override;
};

}  // namespace vantrel::win32
