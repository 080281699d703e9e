// The four exports of an in-process COM server and DllMain, defined once in
// StandInExports.cpp from the description each stand-in gives of itself.
#pragma once

#include <windows.h>

#include "tests/standins/opos/StandInSupport.h"

namespace kit::standins {

struct ServerDescription {
  const CLSID& clsid;
  const wchar_t* progId;
  const wchar_t* description;
  const wchar_t* logPrefix;  // "CO" or "SO", as the server's call log lines begin
  ClassFactoryBase& factory;
};

// Defined by each stand-in.
const ServerDescription& ThisServer();

}  // namespace kit::standins

extern "C" {
__declspec(dllexport) HRESULT STDAPICALLTYPE DllRegisterServer();
__declspec(dllexport) HRESULT STDAPICALLTYPE DllUnregisterServer();
__declspec(dllexport) HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID riid, void** object);
__declspec(dllexport) HRESULT STDAPICALLTYPE DllCanUnloadNow();
}
