// One C++ object per dialog window. The dialog procedure is a static thunk:
// at WM_INITDIALOG it takes the object being created, stores it in the
// window, and from then on forwards each message to the object's handlers.
// The dialogs are created with a creation parameter of 0, so the object is
// handed over through a per-thread slot that lives only during the create
// call.
#pragma once

#include <windows.h>

namespace quispor::win32 {

class DialogBase {
 public:
  DialogBase() = default;
  DialogBase(const DialogBase&) = delete;
  DialogBase& operator=(const DialogBase&) = delete;
  virtual ~DialogBase() = default;

  // CreateDialogParamW of the template with creation parameter 0; null when
  // the dialog cannot be created.
  HWND Create(HINSTANCE instance, int templateId, HWND parent);
  HWND hwnd() const { return hwnd_; }
  HINSTANCE instance() const { return instance_; }

 protected:
  // Result of WM_INITDIALOG: TRUE lets the dialog manager set the focus.
  virtual BOOL OnInitDialog() { return TRUE; }
  // True when handled.
  virtual bool OnCommand(int id, int notifyCode, HWND control) { return false; }
  virtual void OnDestroy() {}
  // WM_SETCURSOR for the dialog or a control of it: true when the cursor was
  // set and the system must not set its own.
  virtual bool OnSetCursor() { return false; }

 private:
  static INT_PTR CALLBACK Thunk(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  HWND hwnd_ = nullptr;
  HINSTANCE instance_ = nullptr;
};

}  // namespace quispor::win32
