// What both stand-in COM servers share: their module, the call log beside the
// DLLs, self-registration under HKCR, a class factory, a hand-written
// IDispatch base, and reads of the OPOS device profile.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include <atomic>
#include <cstddef>
#include <new>
#include <string>

namespace kit::standins {

// OPOS result codes the stand-ins answer with.
inline constexpr LONG kOposSuccess = 0;
inline constexpr LONG kOposClosed = 101;
inline constexpr LONG kOposNoService = 104;
inline constexpr LONG kOposIllegal = 106;
inline constexpr LONG kOposNoExist = 109;

inline constexpr wchar_t kClassKeyPath[] = L"SOFTWARE\\OLEforRetail\\ServiceOPOS\\POSPrinter";
inline constexpr wchar_t kCallLogName[] = L"opos-calls.txt";

// Set by DllMain.
extern HINSTANCE g_module;
extern std::atomic<long> g_liveObjects;
extern std::atomic<long> g_serverLocks;

std::wstring ModuleFolder();  // ends in "\"
// Appends one line (UTF-8, CRLF) to opos-calls.txt beside the DLLs.
void LogCall(const std::wstring& line);

HRESULT RegisterServer(const CLSID& clsid, const wchar_t* progId, const wchar_t* description);
HRESULT UnregisterServer(const CLSID& clsid, const wchar_t* progId);

// A REG_DWORD of the device key, or fallback when there is none.
DWORD ReadDeviceDword(const std::wstring& device, const wchar_t* valueName, DWORD fallback);
// Finds the device key a name stands for: a device key of that name, or an
// alternate-name value of the class key naming one. False when neither.
bool ResolveDevice(const std::wstring& name, std::wstring& deviceKey, std::wstring& serviceProgId);

// An argument of Invoke (arguments arrive last first) coerced to a type.
HRESULT ArgAs(const DISPPARAMS* params, UINT index, VARTYPE type, VARIANT& out);

// IDispatch by hand: GetIDsOfNames from a name table, Invoke forwarded to
// Dispatch. Reference counted; counts toward DllCanUnloadNow.
class DispatchObject : public IDispatch {
 public:
  struct Member {
    const wchar_t* name;
    DISPID id;
  };
  DispatchObject(const Member* members, size_t count, const IID* dualIid);
  virtual ~DispatchObject();

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                   EXCEPINFO*, UINT* argError) override;

 protected:
  // flags: DISPATCH_METHOD or DISPATCH_PROPERTYPUT/GET as Invoke received.
  virtual HRESULT Dispatch(DISPID id, WORD flags, const DISPPARAMS* params, VARIANT* result) = 0;

 private:
  std::atomic<ULONG> refs_{1};
  const Member* members_;
  size_t memberCount_;
  const IID* dualIid_;
};

// The POSPrinter members both stand-ins answer, under the same ids.
enum : DISPID { kOpen = 1, kClaimDevice = 2, kCheckHealth = 3, kReleaseDevice = 4, kClose = 5, kDeviceEnabled = 17 };

inline constexpr DispatchObject::Member kPosPrinterMembers[] = {
    {L"Open", kOpen},           {L"ClaimDevice", kClaimDevice}, {L"CheckHealth", kCheckHealth},
    {L"ReleaseDevice", kReleaseDevice}, {L"Close", kClose},     {L"DeviceEnabled", kDeviceEnabled},
};
inline constexpr size_t kPosPrinterMemberCount = sizeof kPosPrinterMembers / sizeof kPosPrinterMembers[0];

// An OPOS result code as the VT_I4 result of Invoke.
HRESULT ReturnCode(VARIANT* result, LONG code);

// Calls a method of another dispatch object by name; its VT_I4 result.
HRESULT CallByName(IDispatch* target, const wchar_t* name, VARIANT* args, UINT argCount, LONG& result);
HRESULT PutBoolProperty(IDispatch* target, DISPID id, bool value);

class ClassFactoryBase : public IClassFactory {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** object) override;
  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;

 protected:
  virtual DispatchObject* NewObject() = 0;
};

// The class factory of a stand-in whose objects are made by T's default
// constructor.
template <class T>
class FactoryOf : public ClassFactoryBase {
 protected:
  DispatchObject* NewObject() override { return new (std::nothrow) T(); }
};

std::wstring BoolText(bool value);

}  // namespace kit::standins
