// The window's cbUSBDev, seen through the console's MainView, as the USB list
// rules use it.
#pragma once

#include "console/editor/MainView.h"
#include "console/usb/UsbDeviceList.h"

namespace vantrel {

class MainViewUsbDeviceBox : public UsbDeviceBox {
 public:
  explicit MainViewUsbDeviceBox(MainView& view) : view_(view) {}

  int ItemCount() const override { return view_.UsbItemCount(); }
  void AddItem(const std::string& text) override { view_.AddUsbItem(text); }
  void ClearItems() override { view_.ClearUsbItems(); }
  void ChooseItem(int index) override { view_.ChooseUsbItem(index); }
  std::string Text() const override { return view_.FieldText(EditorField::USBDev); }
  void SetText(const std::string& text) override { view_.SetFieldText(EditorField::USBDev, text); }

 private:
  MainView& view_;
};

}  // namespace vantrel
