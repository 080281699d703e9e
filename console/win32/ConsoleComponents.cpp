#include "console/win32/ConsoleComponents.h"

#include <memory>
#include <string>

#include "console/opos/CheckHealth.h"
#include "console/opos/ComponentFolder.h"
#include "console/opos/ControlRegistration.h"
#include "console/opos/MainViewMessageSink.h"
#include "console/opos/win32/OposPOSPrinter_CCO_TLB.h"
#include "console/opos/win32/Win32ComApi.h"
#include "console/opos/win32/Win32ModuleApi.h"
#include "console/usb/MainViewUsbDeviceBox.h"
#include "console/usb/UsbDeviceList.h"
#include "console/transfer/ProfileTransfer.h"
#include "console/transfer/win32/Win32ProfileFiles.h"
#include "console/transfer/win32/Win32TextCodec.h"
#include "console/usb/win32/USBComm.h"
#include "console/win32/ErrorDisplay.h"
#include "console/win32/uMain.h"
#include "trust/win32/Win32FileSecurity.h"

namespace vantrel::win32 {
namespace {

void SetUpUsbDeviceList(TMainFM& form) {
  auto watcher = std::make_unique<TUSBComm>();
  // Errors of the two handlers are caught by the watcher's hidden window.
  watcher->SetErrorDisplay([&form](const std::string& text) { ShowErrorDisplay(form.hwnd(), text); });
  watcher->SetOnUSBRemove([&form](TUSBComm* sender) {
    MainViewUsbDeviceBox box(form);
    HandleUsbRemoval(*sender, box);
  });
  watcher->SetOnUSBArrival([&form](TUSBComm* sender) {
    MainViewUsbDeviceBox box(form);
    HandleUsbArrival(*sender, box);
  });
  // Owned before the first fill: when that fails, later arrivals still
  // refill the list.
  TUSBComm& usb = form.AdoptUsbWatcher(std::move(watcher));
  MainViewUsbDeviceBox box(form);
  FillUsbDeviceList(usb, box);
}

std::string SystemCodePage(const std::u16string& text) {
  Win32TextCodec codec;
  std::string narrow;
  (void)codec.Narrow(text, &narrow);  // a character it lacks shows as a replacement
  return narrow;
}

// Start-up goes on whatever the registration reports; only a refusal is
// shown.
std::string RegisterComponents(const std::string& classWord) {
  Win32ModuleApi modules;
  Win32ComApi com;
  kit::trust::win32::Win32FileSecurity security;
  return SystemCodePage(RegisterPrinterControls(classWord, modules, com, security).refusal);
}

void CheckHealth(TMainFM& form) {
  Win32ModuleApi modules;
  kit::trust::win32::Win32FileSecurity security;
  TOPOSPOSPrinterFactory hosts;
  CheckedControlFactory controls(hosts, modules, security, &SystemCodePage);
  MainViewMessageSink messages(form);
  RunCheckHealth(form.FieldText(EditorField::DevName), form.logic().CurrentNodeText(), controls,
                 messages);
}

// The same registry as the window's own reads and saves.
struct Transfer {
  explicit Transfer(TMainFM& form) : services{form.logic().registry(), codec, files} {}
  Win32TextCodec codec;
  Win32ProfileFiles files;
  TransferServices services;
};

}  // namespace

void ConnectConsoleComponents(TMainFM& form) {
  MainWindowHooks& hooks = form.logic().hooks();
  hooks.setUpUsbDeviceList = [&form] { SetUpUsbDeviceList(form); };
  hooks.registerPrinterControls = &RegisterComponents;
  hooks.runCheckHealth = [&form] { CheckHealth(form); };
  hooks.exportProfiles = [&form](const std::string& className, const std::optional<std::string>& deviceName) {
    Transfer transfer(form);
    ExportProfiles(form, transfer.services, className, deviceName);
  };
  hooks.importProfiles = [&form] {
    Transfer transfer(form);
    return ImportProfiles(form, transfer.services);
  };
}

}  // namespace vantrel::win32
