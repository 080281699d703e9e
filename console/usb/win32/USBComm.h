// TUSBComm: the console's non-visual USB device watcher. It lists the present
// USB devices by their short identifier and raises OnUSBArrival and
// OnUSBRemove from a hidden window registered for device interface
// notifications. It also carries the skeleton of a serial-port style
// transport (received data, receive errors, send buffer empty, XON/XOFF),
// which no operation opens, so it stays closed.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "console/usb/UsbDeviceList.h"
#include "console/usb/win32/SetupApiBinding.h"
#include "console/win32/UniqueHandle.h"

namespace vantrel::win32 {

class TUSBComm;

using TNotifyEvent = std::function<void(TUSBComm* Sender)>;
using TReceiveDataEvent = std::function<void(TUSBComm* Sender, void* Buffer, std::uint16_t BufferLength)>;
using TReceiveErrorEvent = std::function<void(TUSBComm* Sender, std::uint32_t EventMask)>;
using TSendDataEmptyEvent = std::function<void(TUSBComm* Sender)>;
// The program's error display; gets the text of an error that a handler
// raised inside the hidden windows' message processing.
using TErrorDisplay = std::function<void(const std::string& text)>;

class TUSBComm : public UsbDeviceSource {
 public:
  // Creates the notification window, binds SetupAPI, registers for USB device
  // interface notifications and creates the port message window.
  TUSBComm();
  ~TUSBComm() override;
  TUSBComm(const TUSBComm&) = delete;
  TUSBComm& operator=(const TUSBComm&) = delete;

  // Fills list with the identifiers of the present USB devices; raises
  // ECommsError when the device set cannot be opened.
  bool EnumerateDevices(std::vector<std::string>& list) override;
  void CloseDevice() override;
  void StopReader();
  void StopWriter();

  // Published properties and events.
  const TNotifyEvent& OnUSBArrival() const { return onUSBArrival_; }
  void SetOnUSBArrival(TNotifyEvent handler) { onUSBArrival_ = std::move(handler); }
  const TNotifyEvent& OnUSBRemove() const { return onUSBRemove_; }
  void SetOnUSBRemove(TNotifyEvent handler) { onUSBRemove_ = std::move(handler); }
  bool IncludePrefZero() const { return includePrefZero_; }
  void SetIncludePrefZero(bool value) { includePrefZero_ = value; }
  bool Outx_XonXoffFlow() const { return outxXonXoffFlow_; }
  void SetOutx_XonXoffFlow(bool value);
  std::uint16_t VendorID() const { return vendorID_; }
  void SetVendorID(std::uint16_t value) { vendorID_ = value; }
  std::uint16_t ProductID() const { return productID_; }
  void SetProductID(std::uint16_t value) { productID_ = value; }
  const std::string& Vid() const { return vid_; }
  void SetVid(std::string value) { vid_ = std::move(value); }
  const std::string& PID() const { return pid_; }
  void SetPID(std::string value) { pid_ = std::move(value); }
  const std::string& subId() const { return subId_; }
  void SetsubId(std::string value) { subId_ = std::move(value); }
  const std::string& NameId() const { return nameId_; }
  void SetNameId(std::string value) { nameId_ = std::move(value); }
  const TReceiveDataEvent& OnReceiveData() const { return onReceiveData_; }
  void SetOnReceiveData(TReceiveDataEvent handler) { onReceiveData_ = std::move(handler); }
  const TReceiveErrorEvent& OnReceiveError() const { return onReceiveError_; }
  void SetOnReceiveError(TReceiveErrorEvent handler) { onReceiveError_ = std::move(handler); }
  const TSendDataEmptyEvent& OnSendDataEmpty() const { return onSendDataEmpty_; }
  void SetOnSendDataEmpty(TSendDataEmptyEvent handler) { onSendDataEmpty_ = std::move(handler); }

  void SetErrorDisplay(TErrorDisplay display) { errorDisplay_ = std::move(display); }

  HWND NotificationWindow() const { return notifyWindow_.get(); }
  HWND PortMessageWindow() const { return portWindow_.get(); }
  bool NotificationRegistered() const { return notificationRegistered_; }

 private:
  // A reader or writer thread of the port skeleton.
  struct PortWorker {
    UniqueKernelHandle thread;
    std::atomic<bool> terminated{false};
  };

  static LRESULT CALLBACK HiddenWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void WMDeviceChange(WPARAM wParam, LPARAM lParam);
  void ShowError(const char* text) noexcept;
  void StopWorker(PortWorker& worker, DWORD purgeFlags);
  void ApplyFlowControl();
  HWND CreateHiddenWindow();

  UniqueWindow notifyWindow_;
  UniqueWindow portWindow_;
  PortWorker reader_;
  PortWorker writer_;
  UniqueKernelHandle port_;
  UniqueKernelHandle stopEvent_;
  std::optional<SetupApiBinding> setupApi_;
  bool notificationRegistered_ = false;

  TNotifyEvent onUSBArrival_;
  TNotifyEvent onUSBRemove_;
  bool includePrefZero_ = false;
  bool outxXonXoffFlow_ = false;
  std::uint16_t vendorID_ = 0;
  std::uint16_t productID_ = 0;
  std::string vid_;
  std::string pid_;
  std::string subId_;
  std::string nameId_;
  TReceiveDataEvent onReceiveData_;
  TReceiveErrorEvent onReceiveError_;
  TSendDataEmptyEvent onSendDataEmpty_;
  TErrorDisplay errorDisplay_;
};

}  // namespace vantrel::win32
