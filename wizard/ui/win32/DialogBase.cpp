#include "wizard/ui/win32/DialogBase.h"

#include <utility>

namespace quispor::win32 {
namespace {

// The object whose dialog is being created on this thread. Taken at the
// dialog's WM_INITDIALOG, before any nested page is created.
thread_local DialogBase* t_creating = nullptr;

}  // namespace

HWND DialogBase::Create(HINSTANCE instance, int templateId, HWND parent) {
  instance_ = instance;
  DialogBase* const outer = std::exchange(t_creating, this);
  HWND created = CreateDialogParamW(instance, MAKEINTRESOURCEW(templateId), parent, &DialogBase::Thunk, 0);
  t_creating = outer;
  return created;
}

INT_PTR CALLBACK DialogBase::Thunk(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  DialogBase* self = nullptr;
  if (message == WM_INITDIALOG) {
    self = std::exchange(t_creating, nullptr);
    if (self == nullptr) return FALSE;
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
  } else {
    self = reinterpret_cast<DialogBase*>(GetWindowLongPtrW(hwnd, DWLP_USER));
  }
  if (self == nullptr) return FALSE;  // messages before WM_INITDIALOG (WM_SETFONT) and after the end
  const INT_PTR result = self->HandleMessage(message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, DWLP_USER, 0);
    self->hwnd_ = nullptr;
  }
  return result;
}

INT_PTR DialogBase::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      return OnInitDialog();
    case WM_COMMAND:
      return OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)) ? TRUE : FALSE;
    case WM_DESTROY:
      OnDestroy();
      return FALSE;
    case WM_SETCURSOR:
      if (!OnSetCursor()) return FALSE;
      SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, TRUE);
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace quispor::win32
