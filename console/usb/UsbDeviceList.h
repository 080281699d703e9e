// The console's USB device box and how it follows the watcher: the first fill
// at start-up and the refills on arrival and removal.
#pragma once

#include <string>
#include <vector>

namespace vantrel {

// The editable drop-down list "USB Device:" as these rules use it.
class UsbDeviceBox {
 public:
  virtual ~UsbDeviceBox() = default;
  virtual int ItemCount() const = 0;
  virtual void AddItem(const std::string& text) = 0;
  virtual void ClearItems() = 0;  // the text stays
  virtual void ChooseItem(int index) = 0;  // the text becomes the item's
  virtual std::string Text() const = 0;
  virtual void SetText(const std::string& text) = 0;
};

// What the rules need of the watcher (TUSBComm).
class UsbDeviceSource {
 public:
  virtual ~UsbDeviceSource() = default;
  virtual bool EnumerateDevices(std::vector<std::string>& list) = 0;
  virtual void CloseDevice() = 0;
};

// Adds the present devices whose identifier contains "811E", in list order,
// unchanged; chooses none.
void FillUsbDeviceList(UsbDeviceSource& watcher, UsbDeviceBox& box);

// Refill after an arrival; afterwards (also after an error, which passes on)
// the first item is chosen when there is one.
void HandleUsbArrival(UsbDeviceSource& watcher, UsbDeviceBox& box);

// Refill after a removal; afterwards (also after an error, which passes on)
// the text is cleared only when the list became empty.
void HandleUsbRemoval(UsbDeviceSource& watcher, UsbDeviceBox& box);

}  // namespace vantrel
