// The four exports of an in-process COM server; each stand-in defines them.
#pragma once

#include <windows.h>

extern "C" {
__declspec(dllexport) HRESULT STDAPICALLTYPE DllRegisterServer();
__declspec(dllexport) HRESULT STDAPICALLTYPE DllUnregisterServer();
__declspec(dllexport) HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID riid, void** object);
__declspec(dllexport) HRESULT STDAPICALLTYPE DllCanUnloadNow();
}
