// Stand-in for the maker's service object "SOZELTANO.dll". Its answers come
// from REG_DWORD values a test writes into the device key:
// "StandInOpenResult", "StandInClaimResult", "StandInHealthResult" (0 when
// absent). Each call is logged as "SO <call>".
#include <windows.h>
#include <objbase.h>
#include <oleauto.h>

#include "tests/standins/opos/StandInExports.h"
#include "tests/standins/opos/StandInSupport.h"

namespace kit::standins {
namespace {

// {7D3E6A91-4C2B-4F58-9E61-3A5B8C0D2F14}
const CLSID kServiceClsid = {0x7D3E6A91, 0x4C2B, 0x4F58, {0x9E, 0x61, 0x3A, 0x5B, 0x8C, 0x0D, 0x2F, 0x14}};
const wchar_t kProgId[] = L"SOZELTANO.OPOSPrinter";

class ServiceObject : public DispatchObject {
 public:
  ServiceObject() : DispatchObject(kPosPrinterMembers, kPosPrinterMemberCount, nullptr) {}

 protected:
  HRESULT Dispatch(DISPID id, WORD flags, const DISPPARAMS* params, VARIANT* result) override {
    VARIANT arg;
    HRESULT hr = S_OK;
    if (id == kDeviceEnabled) {
      if (!(flags & DISPATCH_PROPERTYPUT)) return DISP_E_MEMBERNOTFOUND;
      if (FAILED(hr = ArgAs(params, 0, VT_BOOL, arg))) return hr;
      LogCall(L"SO DeviceEnabled=" + BoolText(arg.boolVal != VARIANT_FALSE));
      return S_OK;
    }
    if (!(flags & DISPATCH_METHOD)) return DISP_E_MEMBERNOTFOUND;
    switch (id) {
      case kOpen:
        if (FAILED(hr = ArgAs(params, 0, VT_BSTR, arg))) return hr;
        device_.assign(arg.bstrVal, SysStringLen(arg.bstrVal));
        VariantClear(&arg);
        LogCall(L"SO Open(" + device_ + L")");
        return ReturnCode(result, static_cast<LONG>(ReadDeviceDword(device_, L"StandInOpenResult", 0)));
      case kClaimDevice:
        if (FAILED(hr = ArgAs(params, 0, VT_I4, arg))) return hr;
        LogCall(L"SO ClaimDevice(" + std::to_wstring(arg.lVal) + L")");
        return ReturnCode(result, static_cast<LONG>(ReadDeviceDword(device_, L"StandInClaimResult", 0)));
      case kCheckHealth:
        if (FAILED(hr = ArgAs(params, 0, VT_I4, arg))) return hr;
        LogCall(L"SO CheckHealth(" + std::to_wstring(arg.lVal) + L")");
        return ReturnCode(result, static_cast<LONG>(ReadDeviceDword(device_, L"StandInHealthResult", 0)));
      case kReleaseDevice:
        LogCall(L"SO ReleaseDevice");
        return ReturnCode(result, kOposSuccess);
      case kClose:
        LogCall(L"SO Close");
        return ReturnCode(result, kOposSuccess);
      default:
        return DISP_E_MEMBERNOTFOUND;
    }
  }

 private:
  std::wstring device_;
};

FactoryOf<ServiceObject> g_factory;

}  // namespace

const ServerDescription& ThisServer() {
  static const ServerDescription server{kServiceClsid, kProgId,
                                        L"SOZELTANO POSPrinter service object (test stand-in)", L"SO", g_factory};
  return server;
}

}  // namespace kit::standins
