#include "console/usb/win32/USBComm.h"

#include <dbt.h>

#include <cstddef>
#include <cstring>
#include <exception>

#include "console/usb/CommsError.h"
#include "console/usb/DeviceChange.h"
#include "console/usb/FlowControl.h"
#include "console/usb/UsbDeviceEnumeration.h"

namespace vantrel::win32 {
namespace {

const wchar_t kWindowClassName[] = L"VantrelUSBCommWindow";
constexpr DWORD kWorkerStopWaitMs = 10000;
constexpr UINT kReceiveDataMessage = WM_USER + 1;
constexpr UINT kReceiveErrorMessage = WM_USER + 2;
constexpr UINT kSendDataEmptyMessage = WM_USER + 5;

static_assert(sizeof(DEV_BROADCAST_DEVICEINTERFACE_A) == 32);
static_assert(sizeof(DeviceBroadcastHeader) == sizeof(DEV_BROADCAST_HDR));
static_assert(offsetof(DeviceBroadcastHeader, deviceType) == offsetof(DEV_BROADCAST_HDR, dbch_devicetype));
static_assert(kWmDeviceChange == WM_DEVICECHANGE);

const GUID kUsbDeviceInterface = {0xA5DCBF10, 0x6530, 0x11D2, {0x90, 0x1F, 0x00, 0xC0, 0x4F, 0xB9, 0x51, 0xED}};

ATOM RegisterHiddenWindowClass(WNDPROC procedure) {
  static const ATOM atom = [procedure] {
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kWindowClassName;
    return RegisterClassExW(&windowClass);
  }();
  return atom;
}

}  // namespace

TUSBComm::TUSBComm() {
  notifyWindow_.reset(CreateHiddenWindow());
  setupApi_.emplace();

  DEV_BROADCAST_DEVICEINTERFACE_A filter = {};
  filter.dbcc_size = sizeof filter;
  filter.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
  filter.dbcc_reserved = 0;
  filter.dbcc_classguid = kUsbDeviceInterface;
  filter.dbcc_name[0] = '\0';
  // The registration lasts as long as the window; its handle is not kept.
  notificationRegistered_ =
      RegisterDeviceNotificationA(notifyWindow_.get(), &filter, DEVICE_NOTIFY_WINDOW_HANDLE) != nullptr;

  portWindow_.reset(CreateHiddenWindow());
}

TUSBComm::~TUSBComm() {
  portWindow_.reset();
  notifyWindow_.reset();
  setupApi_.reset();
}

HWND TUSBComm::CreateHiddenWindow() {
  if (!RegisterHiddenWindowClass(&TUSBComm::HiddenWndProc)) {
    throw ECommsError("Failed to register the USB watcher's window class");
  }
  HWND window = CreateWindowExW(WS_EX_TOOLWINDOW, kWindowClassName, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                GetModuleHandleW(nullptr), this);
  if (!window) throw ECommsError("Failed to create the USB watcher's window");
  return window;
}

LRESULT CALLBACK TUSBComm::HiddenWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<TUSBComm*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!self) return DefWindowProcW(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) SetWindowLongPtrW(window, GWLP_USERDATA, 0);
  return self->HandleMessage(window, message, wParam, lParam);
}

void TUSBComm::ShowError(const char* text) noexcept {
  // Nothing may leave a window procedure: an exception cannot cross the
  // system's frames.
  try {
    if (errorDisplay_) errorDisplay_(text);
  } catch (...) {
  }
}

LRESULT TUSBComm::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  // lParam of a data message is a LocalAlloc buffer owned by the receiver.
  struct LocalBuffer {
    HLOCAL memory;
    ~LocalBuffer() { LocalFree(memory); }
  };
  try {
    switch (message) {
      case WM_DEVICECHANGE:
        WMDeviceChange(wParam, lParam);
        return TRUE;
      case kReceiveDataMessage: {
        const LocalBuffer buffer{reinterpret_cast<HLOCAL>(lParam)};
        if (onReceiveData_) onReceiveData_(this, reinterpret_cast<void*>(lParam), LOWORD(wParam));
        return 0;
      }
      case kReceiveErrorMessage:
        if (onReceiveError_) onReceiveError_(this, static_cast<std::uint32_t>(lParam));
        return 0;
      case kSendDataEmptyMessage:
        if (onSendDataEmpty_) onSendDataEmpty_(this);
        return 0;
      default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
  } catch (const std::exception& error) {
    ShowError(error.what());
  } catch (...) {
    ShowError("Unknown error in the USB device watcher");
  }
  return message == WM_DEVICECHANGE ? TRUE : 0;
}

void TUSBComm::WMDeviceChange(WPARAM wParam, LPARAM lParam) {
  switch (ClassifyDeviceChange(wParam, reinterpret_cast<const DeviceBroadcastHeader*>(lParam))) {
    case UsbDeviceEvent::Arrival:
      if (onUSBArrival_) onUSBArrival_(this);
      break;
    case UsbDeviceEvent::Removal:
      if (onUSBRemove_) onUSBRemove_(this);
      break;
    case UsbDeviceEvent::None:
      break;
  }
}

bool TUSBComm::EnumerateDevices(std::vector<std::string>& list) { return EnumerateUsbDevices(*setupApi_, list); }

void TUSBComm::CloseDevice() {
  if (!port_) return;
  StopReader();
  StopWriter();
  stopEvent_.reset();
  port_.reset();
}

void TUSBComm::StopReader() { StopWorker(reader_, PURGE_RXABORT | PURGE_RXCLEAR); }

void TUSBComm::StopWriter() { StopWorker(writer_, PURGE_TXABORT | PURGE_TXCLEAR); }

void TUSBComm::StopWorker(PortWorker& worker, DWORD purgeFlags) {
  if (!worker.thread) return;
  SetEvent(stopEvent_.get());
  PurgeComm(port_.get(), purgeFlags);
  if (WaitForSingleObject(worker.thread.get(), kWorkerStopWaitMs) == WAIT_TIMEOUT) worker.terminated = true;
  // Destroying the thread object waits for the thread to finish.
  WaitForSingleObject(worker.thread.get(), INFINITE);
  worker.thread.reset();
}

void TUSBComm::SetOutx_XonXoffFlow(bool value) {
  if (value == outxXonXoffFlow_) return;
  outxXonXoffFlow_ = value;
  if (port_) ApplyFlowControl();
}

void TUSBComm::ApplyFlowControl() {
  DCB state = {};
  state.DCBlength = sizeof state;
  COMMPROP properties = {};
  DWORD mask = 0;
  const BOOL haveState = GetCommState(port_.get(), &state);
  GetCommProperties(port_.get(), &properties);
  GetCommMask(port_.get(), &mask);
  if (!haveState) return;  // writing back a state never read would reset the port
  // The flag bits share one 32-bit word right after BaudRate.
  const std::uint32_t flags = FlowControlFlags(outxXonXoffFlow_);
  std::memcpy(reinterpret_cast<unsigned char*>(&state) + offsetof(DCB, BaudRate) + sizeof(DWORD), &flags,
              sizeof flags);
  SetCommState(port_.get(), &state);
}

}  // namespace vantrel::win32
