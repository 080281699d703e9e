// Measures how long a GUI program takes from its process start to its first
// painted top-level window: CreateProcessW, then polling for a visible
// top-level window of that process whose update region is empty after a
// WM_NULL round trip (so its first WM_PAINT has been handled). The program
// is then ended. Prints one line per run: "<milliseconds>" or "timeout".
//   StartupTimer.exe <program> <runs> [<timeout ms>]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

struct Search {
  DWORD pid;
  HWND found;
};

BOOL CALLBACK FindPaintedWindow(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<Search*>(context);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid != search->pid || !IsWindowVisible(window)) return TRUE;
  DWORD_PTR ignored = 0;
  // The round trip returns once the program's thread is back in its message
  // loop; an empty update region then means WM_PAINT has been handled.
  if (SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &ignored) == 0) return TRUE;
  if (GetUpdateRect(window, nullptr, FALSE)) return TRUE;
  search->found = window;
  return FALSE;
}

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to, LARGE_INTEGER frequency) {
  return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// One run: milliseconds to the first painted window, or a negative value.
double RunOnce(const std::wstring& program, DWORD timeoutMs) {
  std::wstring commandLine = L"\"" + program + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  LARGE_INTEGER frequency, start, now;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process)) {
    std::fprintf(stderr, "CreateProcessW failed: %lu\n", GetLastError());
    return -2;
  }
  double result = -1;
  for (;;) {
    Search search{process.dwProcessId, nullptr};
    EnumWindows(FindPaintedWindow, reinterpret_cast<LPARAM>(&search));
    QueryPerformanceCounter(&now);
    if (search.found != nullptr) {
      result = Milliseconds(start, now, frequency);
      break;
    }
    if (Milliseconds(start, now, frequency) > timeoutMs ||
        WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0) {
      break;
    }
    Sleep(1);
  }
  TerminateProcess(process.hProcess, 0);
  WaitForSingleObject(process.hProcess, 10000);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return result;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: StartupTimer <program> <runs> [<timeout ms>]\n");
    return 2;
  }
  const int runs = _wtoi(argv[2]);
  const DWORD timeoutMs = argc > 3 ? static_cast<DWORD>(_wtoi(argv[3])) : 30000;
  int failures = 0;
  for (int i = 0; i < runs; ++i) {
    const double ms = RunOnce(argv[1], timeoutMs);
    if (ms < 0) {
      std::printf("timeout\n");
      ++failures;
    } else {
      std::printf("%.1f\n", ms);
    }
    std::fflush(stdout);
    Sleep(200);
  }
  return failures == 0 ? 0 : 1;
}
