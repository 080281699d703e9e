#include "console/usb/win32/SetupApiBinding.h"

#include <windows.h>
#include <setupapi.h>

#include <mutex>

#include "trust/win32/SystemLibrary.h"

namespace vantrel::win32 {
namespace {

using kit::trust::win32::SystemLibrary;

static_assert(sizeof(DeviceInterfaceData) == sizeof(SP_DEVICE_INTERFACE_DATA));
static_assert(sizeof(DeviceInterfaceDetailHeader) == sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A));
static_assert(kDevicePathOffset == offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_A, DevicePath));
#ifndef _WIN64
static_assert(sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A) == 5);
#endif

using GetClassDevsFn = decltype(&::SetupDiGetClassDevsA);
using EnumDeviceInterfacesFn = decltype(&::SetupDiEnumDeviceInterfaces);
using GetDeviceInterfaceDetailFn = decltype(&::SetupDiGetDeviceInterfaceDetailA);
using DestroyDeviceInfoListFn = decltype(&::SetupDiDestroyDeviceInfoList);

// Process-wide: the module and its entry points, with the number of watchers
// sharing them.
struct SharedBinding {
  std::mutex lock;
  int shares = 0;
  SetupApiBinding::LibraryLoader load;
  SystemLibrary library;
  GetClassDevsFn getClassDevs = nullptr;
  EnumDeviceInterfacesFn enumDeviceInterfaces = nullptr;
  GetDeviceInterfaceDetailFn getDeviceInterfaceDetail = nullptr;
  DestroyDeviceInfoListFn destroyDeviceInfoList = nullptr;

  void Bind() {
    // From the system directory only: a "SetupApi.dll" beside the program or
    // in the current folder must never be picked up.
    SystemLibrary::Loader loader;
    if (load) loader = [this](const wchar_t* name, DWORD flags) { return static_cast<HMODULE>(load(name, flags)); };
    library = SystemLibrary(L"SetupApi.dll", loader);
    getClassDevs = library.Find<GetClassDevsFn>("SetupDiGetClassDevsA");
    enumDeviceInterfaces = library.Find<EnumDeviceInterfacesFn>("SetupDiEnumDeviceInterfaces");
    getDeviceInterfaceDetail = library.Find<GetDeviceInterfaceDetailFn>("SetupDiGetDeviceInterfaceDetailA");
    destroyDeviceInfoList = library.Find<DestroyDeviceInfoListFn>("SetupDiDestroyDeviceInfoList");
  }

  void Unbind() {
    getClassDevs = nullptr;
    enumDeviceInterfaces = nullptr;
    getDeviceInterfaceDetail = nullptr;
    destroyDeviceInfoList = nullptr;
    library = SystemLibrary();
  }

  bool Complete() const {
    return getClassDevs && enumDeviceInterfaces && getDeviceInterfaceDetail && destroyDeviceInfoList;
  }
};

SharedBinding& Shared() {
  static SharedBinding binding;
  return binding;
}

HDEVINFO AsSet(DeviceInfoSet set) { return reinterpret_cast<HDEVINFO>(set); }

}  // namespace

SetupApiBinding::SetupApiBinding() {
  SharedBinding& shared = Shared();
  std::lock_guard<std::mutex> hold(shared.lock);
  if (shared.shares++ == 0) shared.Bind();
}

SetupApiBinding::~SetupApiBinding() {
  SharedBinding& shared = Shared();
  std::lock_guard<std::mutex> hold(shared.lock);
  if (--shared.shares == 0) shared.Unbind();
}

int SetupApiBinding::ShareCount() {
  SharedBinding& shared = Shared();
  std::lock_guard<std::mutex> hold(shared.lock);
  return shared.shares;
}

void SetupApiBinding::UseLibraryLoader(LibraryLoader load) {
  SharedBinding& shared = Shared();
  std::lock_guard<std::mutex> hold(shared.lock);
  shared.load = std::move(load);
}

bool SetupApiBinding::Available() { return Shared().Complete(); }

DeviceInfoSet SetupApiBinding::GetClassDevs(const Guid& classGuid, const char* enumerator,
                                            std::uintptr_t parentWindow, std::uint32_t flags) {
  return reinterpret_cast<DeviceInfoSet>(Shared().getClassDevs(reinterpret_cast<const GUID*>(&classGuid), enumerator,
                                                               reinterpret_cast<HWND>(parentWindow), flags));
}

bool SetupApiBinding::EnumDeviceInterfaces(DeviceInfoSet set, const Guid& classGuid, std::uint32_t index,
                                           DeviceInterfaceData& data) {
  return Shared().enumDeviceInterfaces(AsSet(set), nullptr, reinterpret_cast<const GUID*>(&classGuid), index,
                                       reinterpret_cast<PSP_DEVICE_INTERFACE_DATA>(&data)) != FALSE;
}

DeviceInterfaceApi::DetailResult SetupApiBinding::GetDeviceInterfaceDetail(DeviceInfoSet set,
                                                                           DeviceInterfaceData& data,
                                                                           DeviceInterfaceDetailHeader* detail,
                                                                           std::uint32_t detailSize) {
  DWORD required = 0;
  const BOOL ok = Shared().getDeviceInterfaceDetail(AsSet(set), reinterpret_cast<PSP_DEVICE_INTERFACE_DATA>(&data),
                                                    reinterpret_cast<PSP_DEVICE_INTERFACE_DETAIL_DATA_A>(detail),
                                                    detailSize, &required, nullptr);
  const DWORD lastError = GetLastError();
  return {ok != FALSE, lastError, required};
}

bool SetupApiBinding::DestroyDeviceInfoList(DeviceInfoSet set) {
  return Shared().destroyDeviceInfoList(AsSet(set)) != FALSE;
}

}  // namespace vantrel::win32
