// Stand-in for the OPOS POSPrinter control "OPOSPOSPrinter.ocx": opens a
// device by name through the registry profile, creates its service object by
// the ProgID in the device key and hands every call on to it. Each call is
// logged as "CO <call>".
#include <windows.h>
#include <objbase.h>
#include <oleauto.h>

#include "tests/standins/opos/StandInExports.h"
#include "tests/standins/opos/StandInSupport.h"

namespace kit::standins {
namespace {

const CLSID kControlClsid = {0xCCB90152, 0xB81E, 0x11D2, {0xAB, 0x74, 0x00, 0x40, 0x05, 0x4C, 0x37, 0x19}};
const IID kPosPrinterIid = {0xCCB98151, 0xB81E, 0x11D2, {0xAB, 0x74, 0x00, 0x40, 0x05, 0x4C, 0x37, 0x19}};
const wchar_t kProgId[] = L"OPOS.POSPrinter.1.13";

class Control : public DispatchObject {
 public:
  Control() : DispatchObject(kPosPrinterMembers, kPosPrinterMemberCount, &kPosPrinterIid) {}
  ~Control() override { DropService(); }

 protected:
  HRESULT Dispatch(DISPID id, WORD flags, const DISPPARAMS* params, VARIANT* result) override {
    if (id == kDeviceEnabled) return DeviceEnabled(flags, params, result);
    if (!(flags & DISPATCH_METHOD)) return DISP_E_MEMBERNOTFOUND;
    VARIANT arg;
    HRESULT hr = S_OK;
    switch (id) {
      case kOpen:
        if (FAILED(hr = ArgAs(params, 0, VT_BSTR, arg))) return hr;
        {
          const std::wstring name(arg.bstrVal, SysStringLen(arg.bstrVal));
          VariantClear(&arg);
          LogCall(L"CO Open(" + name + L")");
          return ReturnCode(result, Open(name));
        }
      case kClaimDevice:
        if (FAILED(hr = ArgAs(params, 0, VT_I4, arg))) return hr;
        LogCall(L"CO ClaimDevice(" + std::to_wstring(arg.lVal) + L")");
        return ReturnCode(result, Forward(L"ClaimDevice", &arg, 1));
      case kCheckHealth:
        if (FAILED(hr = ArgAs(params, 0, VT_I4, arg))) return hr;
        LogCall(L"CO CheckHealth(" + std::to_wstring(arg.lVal) + L")");
        return ReturnCode(result, Forward(L"CheckHealth", &arg, 1));
      case kReleaseDevice:
        LogCall(L"CO ReleaseDevice");
        return ReturnCode(result, Forward(L"ReleaseDevice", nullptr, 0));
      case kClose: {
        LogCall(L"CO Close");
        const LONG code = Forward(L"Close", nullptr, 0);
        DropService();
        return ReturnCode(result, code);
      }
      default:
        return DISP_E_MEMBERNOTFOUND;
    }
  }

 private:
  HRESULT DeviceEnabled(WORD flags, const DISPPARAMS* params, VARIANT* result) {
    if (flags & DISPATCH_PROPERTYPUT) {
      if (!params || params->cNamedArgs != 1 || params->rgdispidNamedArgs[0] != DISPID_PROPERTYPUT) {
        return DISP_E_PARAMNOTOPTIONAL;
      }
      VARIANT arg;
      const HRESULT hr = ArgAs(params, 0, VT_BOOL, arg);
      if (FAILED(hr)) return hr;
      enabled_ = arg.boolVal != VARIANT_FALSE;
      LogCall(L"CO DeviceEnabled=" + BoolText(enabled_));
      if (service_) PutBoolProperty(service_, kDeviceEnabled, enabled_);
      return S_OK;
    }
    if (flags & DISPATCH_PROPERTYGET) {
      if (result) {
        result->vt = VT_BOOL;
        result->boolVal = enabled_ ? VARIANT_TRUE : VARIANT_FALSE;
      }
      return S_OK;
    }
    return DISP_E_MEMBERNOTFOUND;
  }

  LONG Open(const std::wstring& name) {
    if (service_) return kOposIllegal;
    std::wstring device;
    std::wstring progId;
    if (!ResolveDevice(name, device, progId)) return kOposNoExist;
    CLSID clsid;
    if (FAILED(CLSIDFromProgID(progId.c_str(), &clsid)) ||
        FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER, IID_IDispatch,
                                reinterpret_cast<void**>(&service_)))) {
      service_ = nullptr;
      return kOposNoService;
    }
    VARIANT arg;
    VariantInit(&arg);
    arg.vt = VT_BSTR;
    arg.bstrVal = SysAllocString(device.c_str());
    const LONG code = Forward(L"Open", &arg, 1);
    VariantClear(&arg);
    if (code != kOposSuccess) DropService();
    return code;
  }

  LONG Forward(const wchar_t* name, VARIANT* args, UINT count) {
    if (!service_) return kOposClosed;
    LONG code = 0;
    return SUCCEEDED(CallByName(service_, name, args, count, code)) ? code : kOposNoService;
  }

  void DropService() {
    if (service_) service_->Release();
    service_ = nullptr;
  }

  IDispatch* service_ = nullptr;
  bool enabled_ = false;
};

FactoryOf<Control> g_factory;

}  // namespace

const ServerDescription& ThisServer() {
  static const ServerDescription server{kControlClsid, kProgId, L"OPOS POSPrinter control (test stand-in)", L"CO",
                                        g_factory};
  return server;
}

}  // namespace kit::standins
