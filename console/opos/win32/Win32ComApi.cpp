#include "console/opos/win32/Win32ComApi.h"

#include <windows.h>
#include <objbase.h>
#include <oaidl.h>

#include "console/opos/win32/ComPtr.h"

namespace vantrel::win32 {
namespace {

static_assert(sizeof(GUID) == sizeof(Guid));

class DispatchObject : public ComObject {
 public:
  explicit DispatchObject(ComPtr<IDispatch> dispatch) : dispatch_(std::move(dispatch)) {}

 private:
  ComPtr<IDispatch> dispatch_;
};

}  // namespace

std::int32_t Win32ComApi::ClsidFromProgId(const std::u16string& progId, Guid& clsid) {
  return CLSIDFromProgID(reinterpret_cast<LPCOLESTR>(progId.c_str()), reinterpret_cast<CLSID*>(&clsid));
}

std::int32_t Win32ComApi::CreateDispatchObject(const Guid& clsid, std::unique_ptr<ComObject>& object) {
  ComPtr<IDispatch> dispatch;
  const HRESULT hr = CoCreateInstance(reinterpret_cast<const CLSID&>(clsid), nullptr,
                                      CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER, IID_IDispatch,
                                      dispatch.put_void());
  if (SUCCEEDED(hr)) object = std::make_unique<DispatchObject>(std::move(dispatch));
  return hr;
}

}  // namespace vantrel::win32
