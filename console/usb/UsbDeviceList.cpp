#include "console/usb/UsbDeviceList.h"

#include "console/usb/UsbIdentifier.h"

namespace vantrel {
namespace {

void Refill(UsbDeviceSource& watcher, UsbDeviceBox& box) {
  watcher.CloseDevice();
  box.ClearItems();
  FillUsbDeviceList(watcher, box);
}

void ChooseFirstItem(UsbDeviceBox& box) {
  if (box.ItemCount() > 0) box.ChooseItem(0);
}

void ClearTextWhenEmpty(UsbDeviceBox& box) {
  if (box.ItemCount() == 0) box.SetText("");
}

template <typename Finally>
void RefillThen(UsbDeviceSource& watcher, UsbDeviceBox& box, Finally finally) {
  try {
    Refill(watcher, box);
  } catch (...) {
    finally(box);
    throw;
  }
  finally(box);
}

}  // namespace

void FillUsbDeviceList(UsbDeviceSource& watcher, UsbDeviceBox& box) {
  std::vector<std::string> identifiers;
  watcher.EnumerateDevices(identifiers);
  for (const std::string& identifier : identifiers) {
    if (IsPrinterUsbIdentifier(identifier)) box.AddItem(identifier);
  }
}

void HandleUsbArrival(UsbDeviceSource& watcher, UsbDeviceBox& box) { RefillThen(watcher, box, ChooseFirstItem); }

void HandleUsbRemoval(UsbDeviceSource& watcher, UsbDeviceBox& box) { RefillThen(watcher, box, ClearTextWhenEmpty); }

}  // namespace vantrel
