// A library that must never be loaded: planted beside the wizard under the
// name of one Windows loads by name, it records where it was loaded from in
// C:\planted-library.txt and refuses to load, so that the process goes on
// with the system's own library.
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID) {
  if (reason != DLL_PROCESS_ATTACH) {
    return TRUE;
  }
  wchar_t path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameW(module, path, MAX_PATH);
  HANDLE record = CreateFileW(L"C:\\planted-library.txt", FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (record != INVALID_HANDLE_VALUE) {
    DWORD written = 0;
    WriteFile(record, path, length * sizeof(wchar_t), &written, nullptr);
    WriteFile(record, L"\r\n", 2 * sizeof(wchar_t), &written, nullptr);
    CloseHandle(record);
  }
  return FALSE;
}
