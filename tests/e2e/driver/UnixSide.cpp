// What a test does on the Unix side of Wine: what no Windows call makes Wine
// do, such as a Unix symbolic link or a mode bit.
#include <fstream>
#include <string>

#include "tests/e2e/driver/TestDriver.h"
#include "tests/e2e/driver/Win32Helpers.h"

namespace kit::e2e {

int RunUnixShell(const std::string& script, DWORD timeoutMs) {
  if (script.find_first_of("\"\\") != std::string::npos) return -1;
  // Wine starts a Unix program from CreateProcessW but hands back no handle
  // of it: the script leaves its exit status in a file, moved in place whole.
  static int runs = 0;
  const std::string status = "/tmp/kit-unix-shell-" + std::to_string(GetCurrentProcessId()) + "-" +
                             std::to_string(GetTickCount()) + "-" + std::to_string(++runs);
  std::wstring command = detail::Widen("/bin/sh -c \"( " + script + " ); echo $? > " + status + ".part && mv " +
                                       status + ".part " + status + "\"");
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(L"Z:\\bin\\sh", command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process)) {
    return -1;
  }
  if (process.hThread != nullptr) CloseHandle(process.hThread);
  if (process.hProcess != nullptr) CloseHandle(process.hProcess);
  const std::wstring statusFile = WindowsPathOf(status);
  for (DWORD waited = 0; waited < timeoutMs; waited += 50) {
    if (GetFileAttributesW(statusFile.c_str()) != INVALID_FILE_ATTRIBUTES) {
      int code = -1;
      std::ifstream(detail::Narrow(statusFile)) >> code;  // ASCII: /tmp and digits
      DeleteFileW(statusFile.c_str());
      return code;
    }
    Sleep(50);
  }
  return -1;
}

}  // namespace kit::e2e
