// Answering the program's Open and Save As dialogs like a user: the path
// typed into the file name field, then OK.
#include <stdexcept>

#include "tests/e2e/driver/TestDriver.h"
#include "tests/e2e/driver/Win32Helpers.h"

namespace kit::e2e {
namespace {

struct DialogSearch {
  DWORD pid;
  HWND dialog;
  HWND nameField;
};

BOOL CALLBACK FindVisibleEdit(HWND hwnd, LPARAM lParam) {
  auto* search = reinterpret_cast<DialogSearch*>(lParam);
  if (IsWindowVisible(hwnd) && ClassOf(hwnd) == L"Edit") {
    search->nameField = hwnd;
    return FALSE;
  }
  return TRUE;
}

// A file dialog is the program's dialog whose one edit field (at any depth:
// Windows puts it inside a combo box) takes the file name; a message box
// has none.
BOOL CALLBACK FindFileDialog(HWND hwnd, LPARAM lParam) {
  auto* search = reinterpret_cast<DialogSearch*>(lParam);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (pid != search->pid || !IsWindowVisible(hwnd) || ClassOf(hwnd) != L"#32770") return TRUE;
  EnumChildWindows(hwnd, FindVisibleEdit, lParam);
  if (!search->nameField) return TRUE;
  search->dialog = hwnd;
  return FALSE;
}

}  // namespace

bool AnswerFileDialog(DWORD pid, const std::wstring& path, DWORD timeoutMs) {
  DialogSearch search{pid, nullptr, nullptr};
  if (!WaitUntil([&] {
        search = DialogSearch{pid, nullptr, nullptr};
        EnumWindows(FindFileDialog, reinterpret_cast<LPARAM>(&search));
        return search.dialog != nullptr;
      }, timeoutMs)) {
    return false;
  }
  HWND owner = GetWindow(search.dialog, GW_OWNER);
  SetText(search.nameField, path);
  Click(GetDlgItem(search.dialog, IDOK));
  if (!WaitUntil([&] { return !IsWindow(search.dialog); }, timeoutMs)) return false;
  // Without a window manager the program goes on only once a message is
  // sent to it.
  if (owner) detail::Sync(owner);
  return true;
}

}  // namespace kit::e2e
