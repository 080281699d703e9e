#include "console/opos/win32/OposPOSPrinter_CCO_TLB.h"

#include <cstdio>
#include <string>

#include "console/opos/OleError.h"
#include "console/opos/OposNames.h"
#include "console/opos/win32/OleAutomation.h"

namespace vantrel::win32 {

const CLSID CLSID_OPOSPOSPrinter = {0xCCB90152, 0xB81E, 0x11D2, {0xAB, 0x74, 0x00, 0x40, 0x05, 0x4C, 0x37, 0x19}};
const IID IID_IOPOSPOSPrinter = {0xCCB98151, 0xB81E, 0x11D2, {0xAB, 0x74, 0x00, 0x40, 0x05, 0x4C, 0x37, 0x19}};
const IID DIID__IOPOSPOSPrinterEvents = {0xCCB90153, 0xB81E, 0x11D2, {0xAB, 0x74, 0x00, 0x40, 0x05, 0x4C, 0x37, 0x19}};

namespace {

const char kControlWhat[] = "Cannot create the OPOS POSPrinter control {CCB90152-B81E-11D2-AB74-0040054C3719}";

std::string NarrowName(const wchar_t* name) {
  std::string out;
  for (; *name; ++name) out += static_cast<char>(*name);
  return out;
}

// The system code page text as a BSTR, as an ANSI program hands it to OLE.
BSTR ToBstr(const std::string& text) {
  const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  BSTR result = OleAut().SysAllocStringLen(nullptr, static_cast<UINT>(length));
  if (!result) throw OleError("Cannot pass the device name", "SysAllocStringLen", E_OUTOFMEMORY);
  if (length > 0) {
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), result, length);
  }
  return result;
}

// Frees what Invoke left in the exception record; the code it carries.
HRESULT TakeExceptionCode(EXCEPINFO& info) {
  if (info.pfnDeferredFillIn) info.pfnDeferredFillIn(&info);
  const OleAutomation& oleAut = OleAut();
  oleAut.SysFreeString(info.bstrSource);
  oleAut.SysFreeString(info.bstrDescription);
  oleAut.SysFreeString(info.bstrHelpFile);
  return info.scode != 0 ? info.scode : static_cast<HRESULT>(info.wCode);
}

std::string CallWhat(const std::string& name, HRESULT hr, EXCEPINFO& info) {
  std::string what = "The OPOS POSPrinter control call " + name + " failed";
  if (hr == DISP_E_EXCEPTION) {
    char code[40];
    std::snprintf(code, sizeof code, " (exception code %s)", FormatHresult(TakeExceptionCode(info)).c_str());
    what += code;
  }
  return what;
}

}  // namespace

TOPOSPOSPrinter::TOPOSPOSPrinter() {
  // Every call on the control goes through OLE Automation's functions.
  if (!OleAut().Complete()) {
    throw OleError(kControlWhat, "LoadLibrary(oleaut32.dll)", HRESULT_FROM_WIN32(OleAut().missingReason));
  }
  ComPtr<IUnknown> unknown;
  HRESULT hr = CoCreateInstance(CLSID_OPOSPOSPrinter, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
                                IID_IUnknown, unknown.put_void());
  if (FAILED(hr)) throw OleError(kControlWhat, "CoCreateInstance", hr);
  hr = unknown->QueryInterface(IID_IOPOSPOSPrinter, control_.put_void());
  if (FAILED(hr)) throw OleError(kControlWhat, "QueryInterface(IOPOSPOSPrinter)", hr);
}

std::int32_t TOPOSPOSPrinter::CallMethod(const wchar_t* name, VARIANT* args, UINT argCount) {
  LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
  DISPID dispid = DISPID_UNKNOWN;
  HRESULT hr = control_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &dispid);
  if (FAILED(hr)) {
    throw OleError("The OPOS POSPrinter control has no method " + NarrowName(name), "GetIDsOfNames", hr);
  }
  DISPPARAMS params = {args, nullptr, argCount, 0};
  VARIANT result;
  OleAut().VariantInit(&result);
  EXCEPINFO exception = {};
  UINT argError = 0;
  hr = control_->Invoke(dispid, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, &result, &exception,
                        &argError);
  if (FAILED(hr)) throw OleError(CallWhat(NarrowName(name), hr, exception), "Invoke", hr);
  hr = OleAut().VariantChangeType(&result, &result, 0, VT_I4);
  if (FAILED(hr)) {
    OleAut().VariantClear(&result);
    throw OleError("The OPOS POSPrinter control call " + NarrowName(name) + " returned no result code",
                   "VariantChangeType", hr);
  }
  return result.lVal;
}

std::int32_t TOPOSPOSPrinter::Open(const std::string& deviceName) {
  VARIANT arg;
  OleAut().VariantInit(&arg);
  arg.vt = VT_BSTR;
  arg.bstrVal = ToBstr(deviceName);
  try {
    const std::int32_t result = CallMethod(L"Open", &arg, 1);
    OleAut().VariantClear(&arg);
    return result;
  } catch (...) {
    OleAut().VariantClear(&arg);
    throw;
  }
}

std::int32_t TOPOSPOSPrinter::ClaimDevice(std::int32_t timeoutMs) {
  VARIANT arg;
  OleAut().VariantInit(&arg);
  arg.vt = VT_I4;
  arg.lVal = timeoutMs;
  return CallMethod(L"ClaimDevice", &arg, 1);
}

void TOPOSPOSPrinter::SetDeviceEnabled(bool enabled) {
  VARIANT arg;
  OleAut().VariantInit(&arg);
  arg.vt = VT_BOOL;
  arg.boolVal = enabled ? VARIANT_TRUE : VARIANT_FALSE;
  DISPID named = DISPID_PROPERTYPUT;
  DISPPARAMS params = {&arg, &named, 1, 1};
  EXCEPINFO exception = {};
  UINT argError = 0;
  const HRESULT hr = control_->Invoke(opos::kDeviceEnabledDispId, IID_NULL, LOCALE_USER_DEFAULT,
                                      DISPATCH_PROPERTYPUT, &params, nullptr, &exception, &argError);
  if (FAILED(hr)) throw OleError(CallWhat("DeviceEnabled", hr, exception), "Invoke", hr);
}

std::int32_t TOPOSPOSPrinter::CheckHealth(std::int32_t level) {
  VARIANT arg;
  OleAut().VariantInit(&arg);
  arg.vt = VT_I4;
  arg.lVal = level;
  return CallMethod(L"CheckHealth", &arg, 1);
}

std::int32_t TOPOSPOSPrinter::ReleaseDevice() { return CallMethod(L"ReleaseDevice", nullptr, 0); }

std::int32_t TOPOSPOSPrinter::Close() { return CallMethod(L"Close", nullptr, 0); }

std::unique_ptr<PosPrinterControl> TOPOSPOSPrinterFactory::Create() { return std::make_unique<TOPOSPOSPrinter>(); }

}  // namespace vantrel::win32
