#include "tests/standins/opos/StandInSupport.h"

#include <objbase.h>
#include <oleauto.h>
#include <olectl.h>

#include <vector>

namespace kit::standins {

HINSTANCE g_module = nullptr;
std::atomic<long> g_liveObjects{0};
std::atomic<long> g_serverLocks{0};

namespace {

std::wstring GuidText(const CLSID& clsid) {
  wchar_t text[40] = {};
  StringFromGUID2(clsid, text, 40);
  return text;
}

LONG SetDefault(const std::wstring& path, const wchar_t* name, const std::wstring& data) {
  HKEY key = nullptr;
  LONG rc = RegCreateKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
  if (rc != ERROR_SUCCESS) return rc;
  rc = RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                      static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(key);
  return rc;
}

// A REG_SZ value read whole, however long; false when missing or not text.
bool ReadText(HKEY key, const wchar_t* name, std::wstring& out) {
  DWORD type = 0;
  DWORD size = 0;
  if (RegQueryValueExW(key, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return false;
  if (type != REG_SZ && type != REG_EXPAND_SZ) return false;
  std::vector<wchar_t> data(size / sizeof(wchar_t) + 1, L'\0');
  DWORD got = static_cast<DWORD>(data.size() * sizeof(wchar_t));
  if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &got) != ERROR_SUCCESS) {
    return false;
  }
  out.assign(data.data());
  return true;
}

// The profile comes from the registry view of the stand-in's own bitness, as
// the real 32-bit control reads the 32-bit view; the x86-64 test build then
// meets the x86-64 console in the 64-bit view.
HKEY OpenClassKey() {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kClassKeyPath, 0, KEY_READ, &key) != ERROR_SUCCESS) {
    return nullptr;
  }
  return key;
}

// A device key is one subkey level below the class key; a name that would
// reach elsewhere (or the class key itself) names no device.
bool IsDeviceKeyName(const std::wstring& name) { return !name.empty() && name.find(L'\\') == std::wstring::npos; }

}  // namespace

std::wstring ModuleFolder() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(g_module, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return L"";
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2);
  }
  return path.substr(0, path.find_last_of(L'\\') + 1);
}

void LogCall(const std::wstring& line) {
  const std::wstring text = line + L"\r\n";
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(), size, nullptr, nullptr);
  const std::wstring path = ModuleFolder() + kCallLogName;
  HANDLE file = CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(file, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
  CloseHandle(file);
}

HRESULT RegisterServer(const CLSID& clsid, const wchar_t* progId, const wchar_t* description) {
  wchar_t path[MAX_PATH * 4] = {};
  if (GetModuleFileNameW(g_module, path, MAX_PATH * 4) == 0) return HRESULT_FROM_WIN32(GetLastError());
  const std::wstring classKey = L"CLSID\\" + GuidText(clsid);
  const LONG results[] = {
      SetDefault(classKey, nullptr, description),
      SetDefault(classKey + L"\\InprocServer32", nullptr, path),
      SetDefault(classKey + L"\\InprocServer32", L"ThreadingModel", L"Apartment"),
      SetDefault(classKey + L"\\ProgID", nullptr, progId),
      SetDefault(progId, nullptr, description),
      SetDefault(std::wstring(progId) + L"\\CLSID", nullptr, GuidText(clsid)),
  };
  for (LONG rc : results) {
    if (rc != ERROR_SUCCESS) return SELFREG_E_CLASS;
  }
  return S_OK;
}

HRESULT UnregisterServer(const CLSID& clsid, const wchar_t* progId) {
  RegDeleteTreeW(HKEY_CLASSES_ROOT, (L"CLSID\\" + GuidText(clsid)).c_str());
  RegDeleteTreeW(HKEY_CLASSES_ROOT, progId);
  return S_OK;
}

DWORD ReadDeviceDword(const std::wstring& device, const wchar_t* valueName, DWORD fallback) {
  if (!IsDeviceKeyName(device)) return fallback;
  HKEY key = nullptr;
  const std::wstring path = std::wstring(kClassKeyPath) + L"\\" + device;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
    return fallback;
  }
  DWORD type = 0;
  DWORD value = 0;
  DWORD size = sizeof value;
  const LONG rc = RegQueryValueExW(key, valueName, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
  RegCloseKey(key);
  return rc == ERROR_SUCCESS && type == REG_DWORD && size == sizeof value ? value : fallback;
}

bool ResolveDevice(const std::wstring& name, std::wstring& deviceKey, std::wstring& serviceProgId) {
  if (!IsDeviceKeyName(name)) return false;
  HKEY classKey = OpenClassKey();
  if (!classKey) return false;
  std::wstring device = name;
  HKEY key = nullptr;
  if (RegOpenKeyExW(classKey, device.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
    key = nullptr;
    std::wstring target;
    if (ReadText(classKey, name.c_str(), target) && IsDeviceKeyName(target) &&
        RegOpenKeyExW(classKey, target.c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS) {
      device = target;
    } else {
      key = nullptr;
    }
  }
  RegCloseKey(classKey);
  if (!key) return false;
  std::wstring progId;
  const bool haveProgId = ReadText(key, nullptr, progId);
  RegCloseKey(key);
  deviceKey = device;
  serviceProgId = haveProgId ? progId : L"";
  return true;
}

HRESULT ArgAs(const DISPPARAMS* params, UINT index, VARTYPE type, VARIANT& out) {
  VariantInit(&out);
  if (!params || index >= params->cArgs) return DISP_E_BADPARAMCOUNT;
  // Invoke passes the arguments last first.
  VARIANT& arg = params->rgvarg[params->cArgs - 1 - index];
  return VariantChangeType(&out, &arg, 0, type);
}

DispatchObject::DispatchObject(const Member* members, size_t count, const IID* dualIid)
    : members_(members), memberCount_(count), dualIid_(dualIid) {
  ++g_liveObjects;
}

DispatchObject::~DispatchObject() { --g_liveObjects; }

HRESULT STDMETHODCALLTYPE DispatchObject::QueryInterface(REFIID riid, void** object) {
  if (!object) return E_POINTER;
  if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch) || (dualIid_ && IsEqualIID(riid, *dualIid_))) {
    *object = static_cast<IDispatch*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE DispatchObject::AddRef() { return ++refs_; }

ULONG STDMETHODCALLTYPE DispatchObject::Release() {
  const ULONG left = --refs_;
  if (left == 0) delete this;
  return left;
}

HRESULT STDMETHODCALLTYPE DispatchObject::GetTypeInfoCount(UINT* count) {
  if (!count) return E_POINTER;
  *count = 0;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE DispatchObject::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
  if (info) *info = nullptr;
  return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE DispatchObject::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
  if (!names || !ids || count == 0) return E_INVALIDARG;
  // No member has named parameters, so only the member name can resolve.
  for (UINT i = 0; i < count; ++i) ids[i] = DISPID_UNKNOWN;
  // Automation names compare without case.
  for (size_t m = 0; m < memberCount_; ++m) {
    if (lstrcmpiW(names[0], members_[m].name) == 0) {
      ids[0] = members_[m].id;
      return count == 1 ? S_OK : DISP_E_UNKNOWNNAME;
    }
  }
  return DISP_E_UNKNOWNNAME;
}

HRESULT STDMETHODCALLTYPE DispatchObject::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params,
                                                 VARIANT* result, EXCEPINFO*, UINT* argError) {
  if (argError) *argError = 0;
  if (result) VariantInit(result);
  return Dispatch(id, flags, params, result);
}

HRESULT ReturnCode(VARIANT* result, LONG code) {
  if (result) {
    result->vt = VT_I4;
    result->lVal = code;
  }
  return S_OK;
}

HRESULT CallByName(IDispatch* target, const wchar_t* name, VARIANT* args, UINT argCount, LONG& result) {
  LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
  DISPID id = DISPID_UNKNOWN;
  HRESULT hr = target->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
  if (FAILED(hr)) return hr;
  DISPPARAMS params = {args, nullptr, argCount, 0};
  VARIANT value;
  VariantInit(&value);
  hr = target->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, &value, nullptr, nullptr);
  if (FAILED(hr)) return hr;
  hr = VariantChangeType(&value, &value, 0, VT_I4);
  if (SUCCEEDED(hr)) result = value.lVal;
  VariantClear(&value);
  return hr;
}

HRESULT PutBoolProperty(IDispatch* target, DISPID id, bool value) {
  VARIANT arg;
  VariantInit(&arg);
  arg.vt = VT_BOOL;
  arg.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
  DISPID named = DISPID_PROPERTYPUT;
  DISPPARAMS params = {&arg, &named, 1, 1};
  return target->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &params, nullptr, nullptr, nullptr);
}

HRESULT STDMETHODCALLTYPE ClassFactoryBase::QueryInterface(REFIID riid, void** object) {
  if (!object) return E_POINTER;
  if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IClassFactory)) {
    *object = static_cast<IClassFactory*>(this);
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

HRESULT STDMETHODCALLTYPE ClassFactoryBase::CreateInstance(IUnknown* outer, REFIID riid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (outer) return CLASS_E_NOAGGREGATION;
  DispatchObject* created = NewObject();
  if (!created) return E_OUTOFMEMORY;
  const HRESULT hr = created->QueryInterface(riid, object);
  created->Release();
  return hr;
}

HRESULT STDMETHODCALLTYPE ClassFactoryBase::LockServer(BOOL lock) {
  if (lock) {
    ++g_serverLocks;
  } else {
    --g_serverLocks;
  }
  return S_OK;
}

std::wstring BoolText(bool value) { return value ? L"true" : L"false"; }

}  // namespace kit::standins
