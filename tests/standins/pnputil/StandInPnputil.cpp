// A stand-in for the system tool pnputil under Wine, which has none: appends
// its own path and its command line ("<path>|<command line>") to
// C:\pnputil-standin.txt and, for "-f -d <name>.inf",
// deletes C:\windows\inf\<name>.inf as deleting the driver package would.
// Exit code 0 when it deleted a package, 1 otherwise; a test makes it answer
// as pnputil may with a number in C:\pnputil-standin-exit.txt: that is the
// exit code, and the package goes only for 0 and 3010 (deleted, complete
// after a restart).
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

constexpr wchar_t kRecordPath[] = L"C:\\pnputil-standin.txt";
constexpr wchar_t kExitCodePath[] = L"C:\\pnputil-standin-exit.txt";

// The exit code a test asked for, when it asked.
bool AskedExitCode(DWORD* code) {
  FILE* file = _wfopen(kExitCodePath, L"rb");
  if (file == nullptr) {
    return false;
  }
  unsigned long value = 0;
  const bool read = std::fscanf(file, "%lu", &value) == 1;
  std::fclose(file);
  *code = static_cast<DWORD>(value);
  return read;
}

// Which copy ran matters to the tests: a planted one must never.
void Record(const wchar_t* commandLine) {
  FILE* file = _wfopen(kRecordPath, L"ab");
  if (file == nullptr) {
    return;
  }
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  const std::wstring line = std::wstring(self) + L"|" + commandLine;
  const int size = WideCharToMultiByte(CP_UTF8, 0, line.c_str(), -1, nullptr, 0, nullptr, nullptr);
  if (size > 1) {
    std::string text(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, line.c_str(), -1, text.data(), size, nullptr, nullptr);
    std::fwrite(text.data(), 1, static_cast<std::size_t>(size - 1), file);
  }
  std::fwrite("\r\n", 1, 2, file);
  std::fclose(file);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  Record(GetCommandLineW());
  if (argc != 4 || std::wstring(argv[1]) != L"-f" || std::wstring(argv[2]) != L"-d") {
    return 1;
  }
  const std::wstring name = argv[3];
  if (name.find_first_of(L"\\/:") != std::wstring::npos) {
    return 1;  // a published name, never a path
  }
  DWORD asked = 0;
  if (AskedExitCode(&asked)) {
    if (asked == 0 || asked == ERROR_SUCCESS_REBOOT_REQUIRED) {
      DeleteFileW((L"C:\\windows\\inf\\" + name).c_str());
    }
    return static_cast<int>(asked);
  }
  return DeleteFileW((L"C:\\windows\\inf\\" + name).c_str()) ? 0 : 1;
}
