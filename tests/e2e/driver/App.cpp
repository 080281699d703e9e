// Starting, finding the windows of, and ending the program under test.
#include <cstdio>
#include <stdexcept>

#include "tests/e2e/driver/EnvironmentBlock.h"
#include "tests/e2e/driver/TestDriver.h"
#include "tests/e2e/driver/Win32Helpers.h"
#include "tests/e2e/driver/WindowRules.h"

namespace kit::e2e {
namespace {

using detail::FromU16;
using detail::ToU16;

constexpr UINT kKilledExitCode = 1;

std::u16string InheritedBlock() {
  LPWCH raw = GetEnvironmentStringsW();
  if (!raw) detail::ThrowWin32("GetEnvironmentStringsW failed");
  const wchar_t* end = raw;
  while (*end) end += wcslen(end) + 1;  // stops at the empty string
  std::u16string block(reinterpret_cast<const char16_t*>(raw), reinterpret_cast<const char16_t*>(end));
  FreeEnvironmentStringsW(raw);
  return block;
}

std::wstring FolderOf(const std::wstring& path) {
  const size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

struct WindowSearch {
  DWORD pid;
  const wchar_t* className;
  const wchar_t* caption;
  HWND firstVisible = nullptr;
  HWND firstHidden = nullptr;
};

BOOL CALLBACK CollectWindow(HWND hwnd, LPARAM lParam) {
  auto* search = reinterpret_cast<WindowSearch*>(lParam);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (pid != search->pid) return TRUE;
  const std::u16string cls = ToU16(ClassOf(hwnd));
  if (search->className) {
    if (!SameClassName(cls, ToU16(search->className))) return TRUE;
  } else if (IsHelperWindowClass(cls)) {
    return TRUE;
  }
  if (search->caption) {
    wchar_t buf[512] = {};
    GetWindowTextW(hwnd, buf, 512);
    if (std::wstring(buf) != search->caption) return TRUE;
  }
  HWND& slot = IsWindowVisible(hwnd) ? search->firstVisible : search->firstHidden;
  if (!slot) slot = hwnd;
  return TRUE;
}

}  // namespace

App App::Start(const std::wstring& exe, const std::wstring& args, const std::wstring& workDir,
               const std::vector<std::wstring>& env) {
  std::wstring commandLine = L"\"" + exe + L"\"";
  if (!args.empty()) commandLine += L" " + args;

  std::u16string block;
  DWORD flags = 0;
  if (!env.empty()) {
    std::vector<std::u16string> extras;
    for (const auto& e : env) extras.push_back(ToU16(e));
    block = MergeEnvironment(SplitEnvironmentBlock(InheritedBlock()), extras);
    flags |= CREATE_UNICODE_ENVIRONMENT;
  }
  const std::wstring folder = workDir.empty() ? FolderOf(exe) : workDir;

  STARTUPINFOW si = {};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi = {};
  const auto create = [&] {
    return CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, flags,
                          block.empty() ? nullptr : block.data(), folder.empty() ? nullptr : folder.c_str(), &si,
                          &pi);
  };
  bool created = create();
  // Wine answers ERROR_INTERNAL_ERROR when the new process ended before its
  // loader reported the start, so nothing of the started program ran; seen
  // once in many hundred starts, under load. One more try, said on stderr.
  if (!created && GetLastError() == ERROR_INTERNAL_ERROR) {
    std::fprintf(stderr, "kit::e2e: CreateProcessW answered 1359 for %s; starting it again\n",
                 detail::Narrow(commandLine).c_str());
    created = create();
  }
  if (!created) {
    detail::ThrowWin32("CreateProcessW failed for " + detail::Narrow(commandLine));
  }
  CloseHandle(pi.hThread);
  return App(pi.hProcess, pi.dwProcessId);
}

App::App(App&& other) noexcept : process_(other.process_), pid_(other.pid_) {
  other.process_ = nullptr;
  other.pid_ = 0;
}

App& App::operator=(App&& other) noexcept {
  if (this != &other) {
    Kill();
    if (process_) CloseHandle(process_);
    process_ = other.process_;
    pid_ = other.pid_;
    other.process_ = nullptr;
    other.pid_ = 0;
  }
  return *this;
}

App::~App() {
  Kill();
  if (process_) CloseHandle(process_);
}

HWND App::WaitForWindow(const wchar_t* className, const wchar_t* caption, DWORD timeoutMs) const {
  auto search = [&] {
    WindowSearch s{pid_, className, caption};
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&s));
    return s.firstVisible ? s.firstVisible : s.firstHidden;
  };
  HWND found = nullptr;
  WaitUntil(
      [&] {
        found = search();
        if (found) {
          // A dialog exists before its controls do and is shown last. Its
          // thread answers a sent message only once it is back in its
          // message loop, so after the round trip the window is complete.
          detail::Sync(found);
          if (HWND again = search()) found = again;
          return true;
        }
        // A program that has ended will not open the window any more.
        return !process_ || WaitForSingleObject(process_, 0) == WAIT_OBJECT_0;
      },
      timeoutMs);
  return found;
}

bool App::WaitForExit(DWORD timeoutMs, DWORD* code) const {
  if (!process_ || WaitForSingleObject(process_, timeoutMs) != WAIT_OBJECT_0) return false;
  if (code && !GetExitCodeProcess(process_, code)) return false;
  return true;
}

namespace {

std::vector<std::wstring>* g_shownWindows = nullptr;  // the one watch of this thread

void CALLBACK OnShow(HWINEVENTHOOK, DWORD, HWND hwnd, LONG idObject, LONG, DWORD, DWORD) {
  if (g_shownWindows != nullptr && idObject == OBJID_WINDOW && hwnd != nullptr) {
    const std::wstring cls = ClassOf(hwnd);
    g_shownWindows->push_back(cls.empty() ? L"<gone>" : cls);
  }
}

BOOL CALLBACK CollectVisible(HWND hwnd, LPARAM lParam) {
  auto* watch = reinterpret_cast<std::pair<DWORD, std::vector<std::wstring>*>*>(lParam);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (pid == watch->first && IsWindowVisible(hwnd)) watch->second->push_back(ClassOf(hwnd));
  return TRUE;
}

}  // namespace

bool App::WaitForExitWithoutWindows(DWORD timeoutMs, DWORD* code, std::vector<std::wstring>* shown) const {
  g_shownWindows = shown;
  HWINEVENTHOOK hook =
      SetWinEventHook(EVENT_OBJECT_SHOW, EVENT_OBJECT_SHOW, nullptr, OnShow, pid_, 0, WINEVENT_OUTOFCONTEXT);
  std::pair<DWORD, std::vector<std::wstring>*> watch{pid_, shown};
  const bool ended = WaitUntil(
      [&] {
        EnumWindows(CollectVisible, reinterpret_cast<LPARAM>(&watch));
        return !process_ || WaitForSingleObject(process_, 0) == WAIT_OBJECT_0;
      },
      timeoutMs);
  if (hook != nullptr) UnhookWinEvent(hook);
  g_shownWindows = nullptr;
  return ended && WaitForExit(0, code);
}

void App::Kill() {
  if (process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) {
    TerminateProcess(process_, kKilledExitCode);
    WaitForSingleObject(process_, 5000);
  }
}

}  // namespace kit::e2e
