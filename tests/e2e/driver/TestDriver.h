// Drives a real Windows program from a test running in the same Wine prefix:
// start it, find its windows and controls, click and type like a user, answer
// its message boxes, read what it shows and how it ended.
#pragma once

#include <windows.h>
#include <commctrl.h>  // HTREEITEM

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace kit::e2e {

// Default patience for anything that waits on the program under test.
constexpr DWORD kDefaultTimeoutMs = 30000;

// A started program. Move-only; the destructor kills the process if it is
// still running, so a failing test never leaves a program behind.
class App {
 public:
  // Starts exe (a Windows path) with the command-line text args in folder
  // workDir (empty: the exe's folder). env: extra "NAME=value" entries added
  // to the inherited environment. Throws std::runtime_error on failure.
  static App Start(const std::wstring& exe, const std::wstring& args = L"",
                   const std::wstring& workDir = L"",
                   const std::vector<std::wstring>& env = {});

  App(App&&) noexcept;
  App& operator=(App&&) noexcept;
  App(const App&) = delete;
  App& operator=(const App&) = delete;
  ~App();

  DWORD pid() const { return pid_; }
  HANDLE process() const { return process_; }

  // A visible or hidden top-level window of this process whose class and
  // caption match (null: any). nullptr after the time-out.
  HWND WaitForWindow(const wchar_t* className, const wchar_t* caption,
                     DWORD timeoutMs = kDefaultTimeoutMs) const;

  // True when the process ended within the time-out; its exit code in *code.
  bool WaitForExit(DWORD timeoutMs, DWORD* code) const;
  // The same for a program that must never show a window: every window of
  // the process that became visible meanwhile (seen by a WinEvent hook on
  // EVENT_OBJECT_SHOW and by looking at its top-level windows between
  // messages) is added to *shown by class name.
  bool WaitForExitWithoutWindows(DWORD timeoutMs, DWORD* code, std::vector<std::wstring>* shown) const;

  void Kill();

 private:
  App(HANDLE process, DWORD pid) : process_(process), pid_(pid) {}
  HANDLE process_ = nullptr;
  DWORD pid_ = 0;
};

// --- paths and files -------------------------------------------------------

// Z:\... form of a Unix path (Wine maps Z: to /).
std::wstring WindowsPathOf(const std::string& unixPath);
// Value of an environment variable, empty when unset.
std::string EnvVar(const char* name);
// dist/<program>/<file> of this build, as a Windows path (KIT_DIST_DIR).
std::wstring DistFile(const std::string& program, const std::string& file);
// Copies a whole folder (not recursive) into another, creating it.
void CopyFolder(const std::wstring& from, const std::wstring& to);
// Folder of this test executable, with a trailing backslash.
std::wstring TestExeFolder();
// Runs `/bin/sh -c script` on the Unix side and waits for it to end: its
// exit status, or -1 when it could not start or did not end in time. The
// script quotes with single quotes only (no '"', no '\\').
int RunUnixShell(const std::string& script, DWORD timeoutMs = kDefaultTimeoutMs);

// --- finding controls ------------------------------------------------------

// The descendant window with this control id (depth-first), or nullptr.
HWND FindControlById(HWND parent, int id);
// The control that a static label with exactly this text labels: the next
// sibling after the label in Z order that is not itself a static. nullptr
// when no label has that text.
HWND FindControlByLabel(HWND parent, const std::wstring& label);
// The first descendant with this window class (and text, when given).
HWND FindControlByClass(HWND parent, const wchar_t* className,
                        const wchar_t* text = nullptr);
std::wstring ClassOf(HWND hwnd);
bool IsShown(HWND hwnd);    // IsWindowVisible
bool IsEnabled(HWND hwnd);  // IsWindowEnabled

// --- reading and typing ----------------------------------------------------

std::wstring ReadText(HWND hwnd);                     // WM_GETTEXT
void SetText(HWND hwnd, const std::wstring& text);    // WM_SETTEXT, then EN_CHANGE/CBN_EDITCHANGE to the parent as a user edit would
void TypeText(HWND hwnd, const std::wstring& text);   // focus, select all, SendInput key strokes

// --- buttons ---------------------------------------------------------------

// BM_CLICK, posted so that a modal box the click opens does not block the test.
void Click(HWND button);
bool IsChecked(HWND button);  // BM_GETCHECK == BST_CHECKED

// Real mouse input (SetCursorPos + SendInput) at a point in client
// coordinates of hwnd; left or right button.
enum class MouseButton { Left, Right };
void MouseClickAt(HWND hwnd, POINT client, MouseButton button = MouseButton::Left);
// A user's double click there: both clicks queued at once, as the system
// queues them while the program is still busy with the first.
void MouseDoubleClickAt(HWND hwnd, POINT client);
// A double click there whose second click comes only after between()
// returns (say, once the program has handled the first): unlike every other
// click here, it does not wait out the double-click time. The milliseconds
// between the two presses.
DWORD MouseDoubleClickAfter(HWND hwnd, POINT client, const std::function<void()>& between);
// Sends one key press (down and up) to the focused window through SendInput.
void PressKey(WORD virtualKey);
void FocusWindow(HWND hwnd);

// --- combo and list boxes --------------------------------------------------

std::vector<std::wstring> ComboItems(HWND combo);
int ComboSelection(HWND combo);  // CB_GETCURSEL, -1 for none
// Chooses an item as a user would: CB_SETCURSEL then CBN_SELCHANGE to the parent.
void ChooseComboItem(HWND combo, int index);
bool ChooseComboText(HWND combo, const std::wstring& text);  // false when no such item

// --- tree views (cross-process) --------------------------------------------

struct TreeItem {
  HTREEITEM handle;
  std::wstring text;
  int level;      // 0 for a root item
  bool expanded;  // TVIS_EXPANDED
  bool selected;  // TVIS_SELECTED
};
// Every item in display order (depth-first), including items of collapsed nodes.
std::vector<TreeItem> TreeItems(HWND tree);
// Clicks an item like a user: real mouse input at the centre of its text.
void ClickTreeItem(HWND tree, const TreeItem& item, MouseButton button = MouseButton::Left);
// Expands (or collapses) an item with TVM_EXPAND, which sends the program no
// TVN_ITEMEXPANDING/TVN_ITEMEXPANDED; ClickTreeItem needs the item displayed.
void ExpandTreeItem(HWND tree, const TreeItem& item, bool expand = true);

// --- message boxes ---------------------------------------------------------

struct MessageBoxInfo {
  HWND hwnd = nullptr;
  std::wstring caption;
  std::wstring text;                    // the static text of the box
  std::vector<std::wstring> buttons;    // button texts in Z order
  bool hasIcon = false;                 // an icon static is present
};
// Waits for a dialog of class #32770 owned by (or belonging to) pid that has
// not been seen before by this call's caller; nullopt after the time-out.
std::optional<MessageBoxInfo> WaitForMessageBox(DWORD pid, DWORD timeoutMs = kDefaultTimeoutMs);
// Presses the box's button with this id (IDOK, IDYES, IDNO ...) and waits
// until the box is gone.
void AnswerMessageBox(const MessageBoxInfo& box, int buttonId);

// --- file dialogs ----------------------------------------------------------

// Waits for an Open or Save As dialog of pid, types path into its file name
// field and presses OK. False when no dialog came or it stayed open (a
// path the dialog refused).
bool AnswerFileDialog(DWORD pid, const std::wstring& path, DWORD timeoutMs = kDefaultTimeoutMs);

// --- DPI -------------------------------------------------------------------

// The screen DPI (LogPixels) of programs started after the call.
void SetScreenDpi(DWORD dpi);
// From now on this thread reads window positions and sizes in real pixels,
// as a per-monitor DPI-aware program sees them.
void UseRealPixels();
// A window's rectangle in its parent's client coordinates.
RECT RectIn(HWND parent, HWND child);

// --- screenshots -----------------------------------------------------------

// Captures the whole virtual screen with GDI and writes a PNG file named
// <name>.png into KIT_SCREENSHOT_DIR (or the current folder). Returns the
// Windows path written, or empty on failure. Never throws.
std::wstring SaveScreenshot(const std::string& name);

// What the screen shows over a window's rectangle, read from the screen
// itself, so that nothing is asked of the program (which may be busy): how
// many pixels there are, how many are pure white, how many dark.
struct ScreenColours {
  int pixels = 0;
  int white = 0;
  int dark = 0;
};
ScreenColours ScreenColoursOf(HWND hwnd);
// The colour the screen shows at a point (screen coordinates), or CLR_INVALID.
COLORREF ScreenPixel(POINT at);

// Waits until cond() is true or the time-out ends, pumping this thread's
// messages meanwhile. Returns the last value of cond().
template <typename Cond>
bool WaitUntil(Cond cond, DWORD timeoutMs = kDefaultTimeoutMs) {
  const ULONGLONG end = GetTickCount64() + timeoutMs;
  for (;;) {
    if (cond()) return true;
    if (GetTickCount64() >= end) return cond();
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    Sleep(20);
  }
}

}  // namespace kit::e2e
