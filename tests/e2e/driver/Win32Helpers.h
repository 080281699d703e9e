// Small pieces the driver's Win32 files share: text conversion, messages that
// cannot hang a test, and reading what a child window is.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "tests/e2e/driver/WindowRules.h"

namespace kit::e2e::detail {

// Patience for one message to another process; long, because the programs
// run their engine work synchronously inside button handlers.
constexpr UINT kSendTimeoutMs = 30000;

std::wstring Widen(const std::string& utf8);
std::string Narrow(const std::wstring& wide);  // UTF-8
std::u16string ToU16(const std::wstring& w);
std::wstring FromU16(const std::u16string& s);

// SendMessageTimeoutW; throws std::runtime_error naming what when the target
// does not answer in time or the window is gone.
LRESULT Send(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, const char* what);
// Lets the thread of hwnd process what is already queued for it: two
// round trips of WM_NULL, ignoring failures.
void Sync(HWND hwnd);

[[noreturn]] void ThrowWin32(const std::string& what, DWORD error = GetLastError());

std::vector<HWND> DirectChildren(HWND parent);  // Z order
ChildInfo DescribeChild(HWND hwnd);

// Whether a user could act on this control: it, its top-level window and
// everything between are enabled, and it is visible. When not, prints why
// to stderr (the test then sees that nothing happened).
bool UserCanReach(HWND hwnd, const char* action);

}  // namespace kit::e2e::detail
