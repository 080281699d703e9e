#include "tests/standins/opos/StandInExports.h"

#include <objbase.h>

#include <string>

using namespace kit::standins;

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    g_module = instance;
    DisableThreadLibraryCalls(instance);
  }
  return TRUE;
}

HRESULT STDAPICALLTYPE DllRegisterServer() {
  const ServerDescription& server = ThisServer();
  LogCall(std::wstring(server.logPrefix) + L" DllRegisterServer");
  return RegisterServer(server.clsid, server.progId, server.description);
}

HRESULT STDAPICALLTYPE DllUnregisterServer() {
  const ServerDescription& server = ThisServer();
  return UnregisterServer(server.clsid, server.progId);
}

HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID riid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  const ServerDescription& server = ThisServer();
  if (!IsEqualCLSID(clsid, server.clsid)) return CLASS_E_CLASSNOTAVAILABLE;
  return server.factory.QueryInterface(riid, object);
}

HRESULT STDAPICALLTYPE DllCanUnloadNow() { return g_liveObjects == 0 && g_serverLocks == 0 ? S_OK : S_FALSE; }
