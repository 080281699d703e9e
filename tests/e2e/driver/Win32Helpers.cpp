#include "tests/e2e/driver/Win32Helpers.h"

#include <cstdio>
#include <stdexcept>

#include "tests/e2e/driver/TestDriver.h"

namespace kit::e2e::detail {

std::wstring Widen(const std::string& utf8) {
  if (utf8.empty()) return {};
  const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring out(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), n);
  return out;
}

std::string Narrow(const std::wstring& wide) {
  if (wide.empty()) return {};
  const int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                    nullptr, nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), out.data(), n, nullptr,
                      nullptr);
  return out;
}

std::u16string ToU16(const std::wstring& w) { return std::u16string(w.begin(), w.end()); }
std::wstring FromU16(const std::u16string& s) { return std::wstring(s.begin(), s.end()); }

LRESULT Send(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, const char* what) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(hwnd, msg, wParam, lParam, SMTO_NORMAL, kSendTimeoutMs, &result)) {
    const DWORD error = GetLastError();
    char buf[160];
    std::snprintf(buf, sizeof buf, "%s: window %p did not answer message 0x%X", what,
                  static_cast<void*>(hwnd), msg);
    ThrowWin32(buf, error);
  }
  return static_cast<LRESULT>(result);
}

void Sync(HWND hwnd) {
  for (int i = 0; i < 2; ++i) {
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(hwnd, WM_NULL, 0, 0, SMTO_NORMAL, 2000, &ignored);
  }
}

void ThrowWin32(const std::string& what, DWORD error) {
  throw std::runtime_error(what + " (error " + std::to_string(error) + ")");
}

std::vector<HWND> DirectChildren(HWND parent) {
  std::vector<HWND> children;
  for (HWND c = GetWindow(parent, GW_CHILD); c && children.size() < 100000; c = GetWindow(c, GW_HWNDNEXT)) {
    children.push_back(c);
  }
  return children;
}

ChildInfo DescribeChild(HWND hwnd) {
  ChildInfo info;
  info.className = ToU16(ClassOf(hwnd));
  info.text = ToU16(ReadText(hwnd));
  info.id = GetDlgCtrlID(hwnd);
  info.style = static_cast<uint32_t>(GetWindowLongW(hwnd, GWL_STYLE));
  info.visible = IsWindowVisible(hwnd) != FALSE;
  if (SameClassName(info.className, u"Static") && (info.style & SS_TYPEMASK) == SS_ICON) {
    info.showsIcon = Send(hwnd, STM_GETICON, 0, 0, "read icon") != 0;
  }
  return info;
}

bool UserCanReach(HWND hwnd, const char* action) {
  const char* why = nullptr;
  if (!IsWindow(hwnd)) {
    why = "the window does not exist";
  } else if (!IsWindowVisible(hwnd)) {
    why = "it is not visible";
  } else {
    for (HWND w = hwnd; w; w = GetAncestor(w, GA_PARENT)) {
      if (!IsWindowEnabled(w)) {
        why = w == hwnd ? "it is disabled" : "a window it belongs to is disabled (a modal box?)";
        break;
      }
      if (w == GetAncestor(hwnd, GA_ROOT)) break;
    }
  }
  if (!why) return true;
  std::fprintf(stderr, "kit::e2e: %s on window %p not done: %s\n", action, static_cast<void*>(hwnd), why);
  return false;
}

}  // namespace kit::e2e::detail
