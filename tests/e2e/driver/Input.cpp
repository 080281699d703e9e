// Real keyboard and mouse input, and the focus and foreground it needs.
#include <cstdint>
#include <cstdlib>
#include <stdexcept>

#include "tests/e2e/driver/TestDriver.h"
#include "tests/e2e/driver/Win32Helpers.h"
#include "tests/e2e/driver/WindowRules.h"

namespace kit::e2e {
namespace {

using detail::ToU16;

// Where and when the last click went, so that two separate clicks at one
// spot are not taken for a double click.
struct LastClick {
  POINT at{};
  ULONGLONG tick = 0;
  bool any = false;
};
thread_local LastClick lastClick;

void SendInputs(std::vector<INPUT>& inputs, const char* what) {
  const UINT sent = SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  if (sent != inputs.size()) detail::ThrowWin32(std::string(what) + ": SendInput failed");
}

// Runs f while this thread shares input state with thread, so that
// SetFocus and SetForegroundWindow work on the other process's windows.
template <typename F>
void WithInputAttached(DWORD thread, F f) {
  const DWORD self = GetCurrentThreadId();
  const bool attached = thread != 0 && thread != self && AttachThreadInput(self, thread, TRUE);
  f();
  if (attached) AttachThreadInput(self, thread, FALSE);
}

void BringToForeground(HWND hwnd) {
  HWND root = GetAncestor(hwnd, GA_ROOT);
  if (!root) root = hwnd;
  if (GetForegroundWindow() == root) return;
  HWND current = GetForegroundWindow();
  const DWORD currentThread = current ? GetWindowThreadProcessId(current, nullptr) : 0;
  WithInputAttached(currentThread, [root] {
    SetForegroundWindow(root);
    BringWindowToTop(root);
  });
  WaitUntil([root] { return GetForegroundWindow() == root; }, 2000);
}

HWND FocusOf(DWORD thread) {
  GUITHREADINFO info = {};
  info.cbSize = sizeof info;
  return GetGUIThreadInfo(thread, &info) ? info.hwndFocus : nullptr;
}

bool IsExtendedKey(WORD vk) {
  switch (vk) {
    case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN:
    case VK_HOME: case VK_END: case VK_PRIOR: case VK_NEXT:
    case VK_INSERT: case VK_DELETE: case VK_DIVIDE: case VK_NUMLOCK:
    case VK_RCONTROL: case VK_RMENU: case VK_APPS:
      return true;
    default:
      return false;
  }
}

// SendInput's absolute coordinates run from 0 to 65535 across the screen;
// the pixel is (value * size) / 65536, so round up to land on pixel.
LONG AbsoluteCoordinate(LONG pixel, int origin, int size) {
  if (size <= 0) return 0;
  return static_cast<LONG>((int64_t{pixel - origin} * 65536 + size - 1) / size);
}

void WaitOutDoubleClick(POINT at) {
  if (!lastClick.any) return;
  const ULONGLONG gap = GetDoubleClickTime() + 50;
  const bool close = std::abs(at.x - lastClick.at.x) <= GetSystemMetrics(SM_CXDOUBLECLK) &&
                    std::abs(at.y - lastClick.at.y) <= GetSystemMetrics(SM_CYDOUBLECLK);
  const ULONGLONG since = GetTickCount64() - lastClick.tick;
  if (close && since < gap) Sleep(static_cast<DWORD>(gap - since));
}

// Presses and releases a mouse button clicks times at a point in client
// coordinates of hwnd, every event in one SendInput; unless it is the second
// half of a double click, after the double-click time of the last click.
void ClickAt(HWND hwnd, POINT client, MouseButton button, int clicks, const char* what, bool second = false) {
  BringToForeground(hwnd);
  POINT screen = client;
  if (!ClientToScreen(hwnd, &screen)) detail::ThrowWin32(std::string(what) + ": ClientToScreen failed");
  if (!second) WaitOutDoubleClick(screen);
  if (!SetCursorPos(screen.x, screen.y)) detail::ThrowWin32(std::string(what) + ": SetCursorPos failed");
  // Under Wine the program may still report an older pointer position from
  // its X events (seen under load: the click landed where the pointer had
  // been). Let it catch up, and give each button event its own position.
  detail::Sync(hwnd);
  const bool left = button == MouseButton::Left;
  std::vector<INPUT> inputs(2 * static_cast<std::size_t>(clicks));
  for (std::size_t i = 0; i < inputs.size(); ++i) {
    INPUT& in = inputs[i];
    in.type = INPUT_MOUSE;
    in.mi.dx = AbsoluteCoordinate(screen.x, GetSystemMetrics(SM_XVIRTUALSCREEN),
                                  GetSystemMetrics(SM_CXVIRTUALSCREEN));
    in.mi.dy = AbsoluteCoordinate(screen.y, GetSystemMetrics(SM_YVIRTUALSCREEN),
                                  GetSystemMetrics(SM_CYVIRTUALSCREEN));
    in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_VIRTUALDESK;
    if (i % 2 == 0) {
      in.mi.dwFlags |= left ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_RIGHTDOWN;
    } else {
      in.mi.dwFlags |= left ? MOUSEEVENTF_LEFTUP : MOUSEEVENTF_RIGHTUP;
    }
  }
  SendInputs(inputs, what);
  lastClick = {screen, GetTickCount64(), true};
  detail::Sync(hwnd);
}

}  // namespace

void FocusWindow(HWND hwnd) {
  BringToForeground(hwnd);
  const DWORD thread = GetWindowThreadProcessId(hwnd, nullptr);
  WithInputAttached(thread, [hwnd] { SetFocus(hwnd); });
  if (!WaitUntil([&] { return FocusOf(thread) == hwnd; }, 2000)) {
    throw std::runtime_error("FocusWindow: the window did not take the keyboard focus");
  }
}

void MouseClickAt(HWND hwnd, POINT client, MouseButton button) { ClickAt(hwnd, client, button, 1, "MouseClickAt"); }

void MouseDoubleClickAt(HWND hwnd, POINT client) { ClickAt(hwnd, client, MouseButton::Left, 2, "MouseDoubleClickAt"); }

DWORD MouseDoubleClickAfter(HWND hwnd, POINT client, const std::function<void()>& between) {
  ClickAt(hwnd, client, MouseButton::Left, 1, "MouseDoubleClickAfter");
  const ULONGLONG first = lastClick.tick;
  between();
  ClickAt(hwnd, client, MouseButton::Left, 1, "MouseDoubleClickAfter", true);
  return static_cast<DWORD>(lastClick.tick - first);
}

void PressKey(WORD virtualKey) {
  std::vector<INPUT> inputs(2);
  for (auto& in : inputs) {
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = virtualKey;
    in.ki.wScan = static_cast<WORD>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC));
    in.ki.dwFlags = IsExtendedKey(virtualKey) ? KEYEVENTF_EXTENDEDKEY : 0;
  }
  inputs[1].ki.dwFlags |= KEYEVENTF_KEYUP;
  SendInputs(inputs, "PressKey");
  if (HWND fg = GetForegroundWindow()) detail::Sync(fg);
}

void TypeText(HWND hwnd, const std::wstring& text) {
  HWND target = hwnd;
  const bool combo = SameClassName(ToU16(ClassOf(hwnd)), u"ComboBox");
  if (combo) {
    target = FindWindowExW(hwnd, nullptr, L"Edit", nullptr);
    if (!target) throw std::runtime_error("TypeText: this combo box has no edit field");
  }
  if (!detail::UserCanReach(target, "TypeText")) return;
  FocusWindow(target);
  if (combo) {
    detail::Send(hwnd, CB_SETEDITSEL, 0, MAKELPARAM(0, -1), "TypeText");
  } else {
    detail::Send(target, EM_SETSEL, 0, -1, "TypeText");
  }
  std::vector<INPUT> inputs;
  inputs.reserve(text.size() * 2);
  for (wchar_t c : text) {
    INPUT in = {};
    in.type = INPUT_KEYBOARD;
    in.ki.wScan = static_cast<WORD>(c);
    in.ki.dwFlags = KEYEVENTF_UNICODE;
    inputs.push_back(in);
    in.ki.dwFlags |= KEYEVENTF_KEYUP;
    inputs.push_back(in);
  }
  if (inputs.empty()) {
    // Typing nothing over a selection: the user's delete key.
    PressKey(VK_DELETE);
    return;
  }
  SendInputs(inputs, "TypeText");
  // The keys are queued; give the program the time to take them in.
  WaitUntil([&] { return ReadText(hwnd) == text; }, 3000);
}

}  // namespace kit::e2e
